// The keyboard rules shared by every window.

#include "shell/cartelle.h"
#include "shell/tastiera.h"

#include <QtTest>

using namespace qv;

class TestTastiera : public QObject {
    Q_OBJECT

private slots:
    void fieldFilters_data() {
        QTest::addColumn<bool>("cifre"); // SoloCifre, otherwise Maiuscolo
        QTest::addColumn<int>("tasto");
        QTest::addColumn<int>("atteso");
        QTest::newRow("digit 0") << true << int('0') << int('0');
        QTest::newRow("digit 9") << true << int('9') << int('9');
        QTest::newRow("just below 0") << true << int('/') << 0;
        QTest::newRow("just above 9") << true << int(':') << 0;
        QTest::newRow("backspace") << true << 8 << 8;
        QTest::newRow("Ctrl+V") << true << 22 << 22;
        QTest::newRow("Ctrl+X") << true << 24 << 0;
        QTest::newRow("a") << false << int('a') << int('A');
        QTest::newRow("z") << false << int('z') << int('Z');
        QTest::newRow("just above z") << false << int('{') << int('{');
        QTest::newRow("accented stays") << false << 0xE0 << 0xE0;
    }
    void fieldFilters() {
        QFETCH(bool, cifre);
        QFETCH(int, tasto);
        QFETCH(int, atteso);
        QCOMPARE(cifre ? SoloCifre(tasto) : Maiuscolo(tasto), atteso);
    }

    void avanzaSePieno_data() {
        QTest::addColumn<int>("massimo");
        QTest::addColumn<int>("lunghezza");
        QTest::addColumn<bool>("avanza");
        QTest::newRow("just filled") << 18 << 18 << true;
        QTest::newRow("one short") << 18 << 17 << false;
        QTest::newRow("no maximum") << 0 << 18 << false;
    }
    void avanzaSePieno() {
        QFETCH(int, massimo);
        QFETCH(int, lunghezza);
        QFETCH(bool, avanza);
        QCOMPARE(AvanzaSePieno(massimo, lunghezza), avanza);
    }

    void tastiComuni_data() {
        QTest::addColumn<int>("tasto");
        QTest::addColumn<int>("shift");
        QTest::addColumn<bool>("bordo");
        QTest::addColumn<int>("azione");
        QTest::newRow("Ctrl+F") << 70 << kCtrl << true << int(AzioneComune::CercaFile);
        QTest::newRow("F alone is typing") << 70 << 0 << true << int(AzioneComune::Nessuna);
        QTest::newRow("Ctrl+Shift+F2") << 113 << (kCtrl | kShift) << true << int(AzioneComune::UscitaForzata);
        QTest::newRow("F2") << 113 << 0 << true << int(AzioneComune::Uscita);
        QTest::newRow("Shift+F2") << 113 << kShift << true << int(AzioneComune::Uscita);
        QTest::newRow("Ctrl+F8") << 119 << kCtrl << true << int(AzioneComune::CambiaTitolo);
        QTest::newRow("Ctrl+F8 without border") << 119 << kCtrl << false << int(AzioneComune::Nessuna);
    }
    void tastiComuni() {
        QFETCH(int, tasto);
        QFETCH(int, shift);
        QFETCH(bool, bordo);
        QFETCH(int, azione);
        QCOMPARE(int(TastiComuni(tasto, shift, bordo)), azione);
    }

    void captionToggleTwiceGivesItBack() {
        QString ricordato;
        const QString primo = CambiaTitolo("GESTIONE APPLICATIVI", "GesAppl", ricordato);
        QCOMPARE(primo, QString("GesAppl !"));
        QCOMPARE(CambiaTitolo(primo, "GesAppl", ricordato), QString("GESTIONE APPLICATIVI"));
    }

    void changeFolderAndItsDrive() {
        const QString prima = QDir::currentPath();
        QTemporaryDir dir;
        QVERIFY(CambiaCartella(dir.path()));
        QCOMPARE(QDir::currentPath(), QDir(dir.path()).canonicalPath());
        QVERIFY(!CambiaCartella(dir.filePath("manca")));
        QVERIFY(!CambiaCartella(""));
        QCOMPARE(QDir::currentPath(), QDir(dir.path()).canonicalPath());
        QVERIFY(QDir::currentPath().startsWith(QDir::cleanPath(RadiceCartellaCorrente())));
        QDir::setCurrent(prima);
    }

    void exitKeys() {
        QCOMPARE(LetteraTasti("Esci %u"), QChar('U'));
        QCOMPARE(LetteraTasti(""), QChar());
        QCOMPARE(LetteraTasti("%"), QChar());
    }
};

QTEST_GUILESS_MAIN(TestTastiera)
#include "test_tastiera.moc"
