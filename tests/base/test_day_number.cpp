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
        QTest::newRow("day zero") << QDateTime(QDate(1899, 12, 30), QTime(0, 0)) << 0.0;
        QTest::newRow("first of 1900") << QDateTime(QDate(1900, 1, 1), QTime(0, 0)) << 2.0;
        QTest::newRow("noon") << QDateTime(QDate(1899, 12, 31), QTime(12, 0)) << 1.5;
        QTest::newRow("y2k") << QDateTime(QDate(2000, 1, 1), QTime(0, 0)) << 36526.0;
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
        QTest::addColumn<bool>("valid");
        QTest::addColumn<QDate>("date");
        QTest::newRow("dd/mm/yyyy") << "06/12/2026" << true << QDate(2026, 12, 6);
        QTest::newRow("d/m/yy") << "6/1/26" << true << QDate(2026, 1, 6);
        QTest::newRow("yy 1900s") << "6/1/95" << true << QDate(1995, 1, 6);
        QTest::newRow("iso") << "2026-12-06" << true << QDate(2026, 12, 6);
        QTest::newRow("31 February") << "31/02/2026" << false << QDate();
        QTest::newRow("words") << "ieri" << false << QDate();
    }
    void text() {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QFETCH(QDate, date);
        const auto serial = dayNumberFromText(text);
        QCOMPARE(serial.has_value(), valid);
        if (valid)
            QCOMPARE(dateFromDayNumber(*serial), date);
    }

    void ansiRoundTrip() {
        const QString s = QString::fromUtf8("àèìòù €‚ƒ„…†‡ˆ‰Š‹ŒŽ‘’“”•–—˜™š›œžŸ ÿ");
        QCOMPARE(fromAnsi(toAnsi(s)), s);
        QCOMPARE(toAnsi(QString::fromUtf8("Ω")), QByteArray("?"));
        QVERIFY(isAnsiRepresentable(QChar(0x20AC)));
        QVERIFY(!isAnsiRepresentable(QChar(0x03A9)));
    }

    void defaultAnswers_data() {
        QTest::addColumn<int>("buttons");
        QTest::addColumn<int>("which");
        QTest::addColumn<int>("answer");
        QTest::newRow("ok") << int(Pulsanti::Ok) << 0 << int(Risposta::Ok);
        QTest::newRow("yes/no, no default") << int(Pulsanti::SiNo) << 1 << int(Risposta::No);
        QTest::newRow("retry/cancel") << int(Pulsanti::RiprovaAnnulla) << 0 << int(Risposta::Riprova);
        QTest::newRow("yes/no/cancel third") << int(Pulsanti::SiNoAnnulla) << 2 << int(Risposta::Annulla);
        QTest::newRow("out of range falls to first") << int(Pulsanti::OkAnnulla) << 5 << int(Risposta::Ok);
    }
    void defaultAnswers() {
        QFETCH(int, buttons);
        QFETCH(int, which);
        QFETCH(int, answer);
        Messaggio m{"t", "T", Icona::Domanda, Pulsanti(buttons), which};
        QCOMPARE(int(rispostaPredefinita(m)), answer);
        MessaggiRegistrati r;
        QCOMPARE(int(r.mostra(m)), answer);
        QCOMPARE(r.mostrati().size(), 1);
    }

    void scriptedAndForcedAnswers() {
        MessaggiRegistrati r;
        r.accoda(Risposta::Si);
        QCOMPARE(r.mostra("a", "b", Icona::Esclamazione, Pulsanti::SiNo, 1), Risposta::Si);
        QCOMPARE(r.mostra("a", "b", Icona::Esclamazione, Pulsanti::SiNo, 1), Risposta::No);
        MessaggiStderr cli(Risposta::Si);
        QCOMPARE(cli.mostra("domanda", "T", Icona::Domanda, Pulsanti::SiNo, 1), Risposta::Si);
        // A forced Yes does not apply to a box without a Yes button.
        QCOMPARE(cli.mostra("errore", "T", Icona::Critica, Pulsanti::RiprovaAnnulla, 1), Risposta::Annulla);
    }
};

QTEST_GUILESS_MAIN(TestDayNumber)
#include "test_day_number.moc"
