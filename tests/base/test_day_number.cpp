// Day numbers both ways, ANSI text, and the message interface's answers.

#include "platform/ansi_text.h"
#include "platform/day_number.h"
#include "shell/messaggi.h"

#include <QtTest>

using namespace qv;
using namespace qv::platform;

class TestDayNumber : public QObject {
    Q_OBJECT
private slots:
    void serials_data() {
        QTest::addColumn<QDateTime>("when");
        QTest::addColumn<double>("serial");
        QTest::newRow("day zero at noon") << QDateTime(QDate(1899, 12, 30), QTime(12, 0)) << 0.5;
        QTest::newRow("2026") << QDateTime(QDate(2026, 12, 6), QTime(18, 0)) << 46362.75;
        QTest::newRow("before day zero") << QDateTime(QDate(1899, 12, 29), QTime(6, 0)) << -1.25;
    }
    void serials() {
        QFETCH(QDateTime, when);
        QFETCH(double, serial);
        QCOMPARE(dayNumber(when), serial);
        QCOMPARE(dateTimeFromDayNumber(serial), when);
    }

    void text_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QDate>("date"); // null: refused
        QTest::newRow("d/m/yy") << "6/1/26" << QDate(2026, 1, 6);
        QTest::newRow("yy 1900s") << "6/1/95" << QDate(1995, 1, 6);
        QTest::newRow("iso") << "2026-12-06" << QDate(2026, 12, 6);
        QTest::newRow("31 February") << "31/02/2026" << QDate();
    }
    void text() {
        QFETCH(QString, text);
        QFETCH(QDate, date);
        const auto serial = dayNumberFromText(text);
        QCOMPARE(serial.has_value(), date.isValid());
        if (serial) QCOMPARE(dateFromDayNumber(*serial), date);
    }

    void ansiRoundTrip() {
        const QString s = QString::fromUtf8("àèìòù €‚ƒ„…†‡ˆ‰Š‹ŒŽ‘’“”•–—˜™š›œžŸ ÿ");
        QCOMPARE(fromAnsi(toAnsi(s)), s);
        QCOMPARE(toAnsi(QString::fromUtf8("Ω")), QByteArray("?"));
        QCOMPARE(toAnsi(fromAnsi("\x81\x8D\x8F\x90\x9D")), QByteArray("\x81\x8D\x8F\x90\x9D")); // found by fuzz_ini
    }

    void answers() {
        // An unscripted box takes its default; one out of range falls to the first button.
        MessaggiRegistrati r;
        QCOMPARE(r.mostra(Messaggio{"t", "T", Icona::Domanda, Pulsanti::SiNoAnnulla, 2}), Risposta::Annulla);
        QCOMPARE(rispostaPredefinita(Messaggio{"t", "T", Icona::Domanda, Pulsanti::OkAnnulla, 5}), Risposta::Ok);
        r.accoda(Risposta::Si);
        QCOMPARE(r.mostra("a", "b", Icona::Esclamazione, Pulsanti::SiNo, 1), Risposta::Si);
        MessaggiStderr cli(Risposta::Si);
        QCOMPARE(cli.mostra("domanda", "T", Icona::Domanda, Pulsanti::SiNo, 1), Risposta::Si);
        // A forced Yes does not apply to a box without a Yes button.
        QCOMPARE(cli.mostra("errore", "T", Icona::Critica, Pulsanti::RiprovaAnnulla, 1), Risposta::Annulla);
    }
};

QTEST_GUILESS_MAIN(TestDayNumber)
#include "test_day_number.moc"
