// The password record and the rules applied when it is loaded, changed and
// asked for.

#include "file_prova.h"
#include "shell/password.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace qv;

class TestPassword : public QObject {
    Q_OBJECT
    QTemporaryDir dir;

private slots:
    void obscuredForm() {
        const QString o = OscuraPassword("AB1");
        QCOMPARE(o.size(), 4);
        QCOMPARE(int(o.at(0).unicode()), 3);
        QCOMPARE(int(o.at(1).unicode()), 'A' + 100);
        QCOMPARE(int(o.at(3).unicode()), '1' + 100);
        QCOMPARE(ChiarisciPassword(o), QString("AB1"));
    }

    void damagedRecordReadsEmpty_data() {
        QTest::addColumn<QByteArray>("contenuto");
        QTest::newRow("empty file") << QByteArray();
        QTest::newRow("length does not match") << (QString(QChar(5)) + QChar('A' + 100)).toUtf8();
        QTest::newRow("plain text") << QByteArray("SEGRETO");
        QTest::newRow("binary junk") << QByteArray("\xff\xfe\x00\x01", 4);
    }
    void damagedRecordReadsEmpty() {
        QFETCH(QByteArray, contenuto);
        const QString file = dir.filePath("rotto.pwd");
        scriviFile(file, contenuto);
        QCOMPARE(LeggiRecordRiservato(file), QString());
    }

    void recordRoundTripAndRemoval() {
        const QString file = FileRecordRiservato(dir.path());
        QVERIFY(file.endsWith("/Quorvan.pwd"));
        QVERIFY(ScriviRecordRiservato(file, "ZENTRI7"));
        QFile f(file);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QVERIFY(!f.readAll().contains("ZENTRI7")); // never stored in the clear
        QCOMPARE(LeggiRecordRiservato(file), QString("ZENTRI7"));
        QVERIFY(ScriviRecordRiservato(file, ""));
        QVERIFY(!QFile::exists(file));
        QCOMPARE(LeggiRecordRiservato(file), QString());
    }

    void startupPassword_data() {
        QTest::addColumn<QString>("memorizzata");
        QTest::addColumn<QString>("attesa");
        QTest::newRow("none") << "" << "";
        QTest::newRow("upper") << "ABC123" << "ABC123";
        QTest::newRow("lower becomes upper") << "abc" << "ABC";
        QTest::newRow("blanks around trimmed") << "  XY  " << "XY";
        QTest::newRow("inner blank: no password") << "A B" << "";
        QTest::newRow("punctuation: no password") << "AB!" << "";
        QTest::newRow("first-setting mark: no password") << "!" << "";
        QTest::newRow("accented letter: no password") << QString::fromUtf8("CITTÀ") << "";
    }
    void startupPassword() {
        QFETCH(QString, memorizzata);
        QFETCH(QString, attesa);
        QCOMPARE(PasswordDiAvvio(memorizzata), attesa);
    }

    void newPasswordIsTrimmedUpperCase() { QCOMPARE(NormalizzaPassword("  nuova1 "), QString("NUOVA1")); }

    void attempts_data() {
        QTest::addColumn<QStringList>("risposte");
        QTest::addColumn<QList<int>>("esiti");
        using E = TentativiPassword::Esito;
        QTest::newRow("right at once") << QStringList{"segreto"} << QList<int>{int(E::Accettata)};
        QTest::newRow("two wrong then right") << QStringList{"a", "b", "SEGRETO"}
            << QList<int>{int(E::Riprova), int(E::Riprova), int(E::Accettata)};
        QTest::newRow("three wrong end it")
            << QStringList{"a", "b", "c"} << QList<int>{int(E::Riprova), int(E::Riprova), int(E::Fine)};
        QTest::newRow("blanks are not trimmed when checking")
            << QStringList{" segreto"} << QList<int>{int(E::Riprova)};
    }
    void attempts() {
        QFETCH(QStringList, risposte);
        QFETCH(QList<int>, esiti);
        TentativiPassword t;
        for (int i = 0; i < risposte.size(); ++i)
            QCOMPARE(int(t.verifica(risposte[i], "SEGRETO")), esiti[i]);
    }

    void noPasswordExpectsEmptyAnswer() {
        TentativiPassword t;
        QCOMPARE(t.verifica("", ""), TentativiPassword::Esito::Accettata);
        QCOMPARE(t.verifica("X", ""), TentativiPassword::Esito::Riprova);
    }
};

QTEST_GUILESS_MAIN(TestPassword)
#include "test_password.moc"
