// The password record and the rules applied when it is loaded, changed and
// asked for.

#include "file_prova.h"
#include "shell/password.h"

#include <QtTest>

using namespace qv;

class TestPassword : public QObject {
    Q_OBJECT
    QTemporaryDir dir;

private slots:
    void damagedRecordReadsEmpty_data() {
        QTest::addColumn<QByteArray>("contenuto");
        QTest::newRow("empty file") << QByteArray();
        QTest::newRow("length does not match") << (QString(QChar(5)) + QChar('A' + 100)).toUtf8();
        QTest::newRow("character below the shift") << (QString(QChar(1)) + QChar('A')).toUtf8();
    }
    void damagedRecordReadsEmpty() {
        QFETCH(QByteArray, contenuto);
        const QString file = dir.filePath("rotto.pwd");
        scriviFile(file, contenuto);
        QCOMPARE(LeggiRecordRiservato(file), QString());
    }

    void recordRoundTripAndRemoval() {
        const QString file = FileRecordRiservato(dir.path());
        QVERIFY(ScriviRecordRiservato(file, "ZENTRI7"));
        QFile f(file);
        QVERIFY(f.open(QIODevice::ReadOnly));
        // Its length, then each character moved up by 100: never stored in the clear.
        QCOMPARE(QString::fromUtf8(f.readAll()), OscuraPassword("ZENTRI7"));
        QCOMPARE(OscuraPassword("AB1"), QString(QChar(3)) + QChar('A' + 100) + QChar('B' + 100) + QChar('1' + 100));
        QCOMPARE(LeggiRecordRiservato(file), QString("ZENTRI7"));
        QVERIFY(ScriviRecordRiservato(file, ""));
        QVERIFY(!QFile::exists(file));
        QCOMPARE(LeggiRecordRiservato(file), QString());
    }

    void startupPassword_data() {
        QTest::addColumn<QString>("memorizzata");
        QTest::addColumn<QString>("attesa");
        QTest::newRow("trimmed, upper case") << "  abc9 " << "ABC9";
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
        QTest::addColumn<QString>("attesa");
        QTest::addColumn<QStringList>("risposte");
        QTest::addColumn<QList<int>>("esiti");
        using E = TentativiPassword::Esito;
        QTest::newRow("two wrong then right in lower case") << "SEGRETO" << QStringList{"a", "b", "segreto"}
            << QList<int>{int(E::Riprova), int(E::Riprova), int(E::Accettata)};
        QTest::newRow("three wrong end it") << "SEGRETO" << QStringList{"a", "b", "c"}
            << QList<int>{int(E::Riprova), int(E::Riprova), int(E::Fine)};
        QTest::newRow("blanks are not trimmed when checking") << "SEGRETO" << QStringList{" segreto"}
            << QList<int>{int(E::Riprova)};
        QTest::newRow("no password: only an empty answer")
            << "" << QStringList{"X", ""} << QList<int>{int(E::Riprova), int(E::Accettata)};
    }
    void attempts() {
        QFETCH(QString, attesa);
        QFETCH(QStringList, risposte);
        QFETCH(QList<int>, esiti);
        TentativiPassword t;
        for (int i = 0; i < risposte.size(); ++i)
            QCOMPARE(int(t.verifica(risposte[i], attesa)), esiti[i]);
    }
};

QTEST_GUILESS_MAIN(TestPassword)
#include "test_password.moc"
