// The keyboard rules shared by every window.

#include "avviatore_registrato.h"
#include "shell/cartelle.h"
#include "shell/tastiera.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

using namespace qv;

class TestTastiera : public QObject {
    Q_OBJECT

private slots:
    void soloCifre_data() {
        QTest::addColumn<int>("tasto");
        QTest::addColumn<int>("atteso");
        QTest::newRow("digit 0") << int('0') << int('0');
        QTest::newRow("digit 9") << int('9') << int('9');
        QTest::newRow("just below 0") << int('/') << 0;
        QTest::newRow("just above 9") << int(':') << 0;
        QTest::newRow("backspace") << 8 << 8;
        QTest::newRow("Ctrl+V") << 22 << 22;
        QTest::newRow("Ctrl+X") << 24 << 0;
    }
    void soloCifre() {
        QFETCH(int, tasto);
        QFETCH(int, atteso);
        QCOMPARE(SoloCifre(tasto), atteso);
    }

    void maiuscolo_data() {
        QTest::addColumn<int>("tasto");
        QTest::addColumn<int>("atteso");
        QTest::newRow("a") << int('a') << int('A');
        QTest::newRow("z") << int('z') << int('Z');
        QTest::newRow("just above z") << int('{') << int('{');
        QTest::newRow("accented stays") << 0xE0 << 0xE0;
    }
    void maiuscolo() {
        QFETCH(int, tasto);
        QFETCH(int, atteso);
        QCOMPARE(Maiuscolo(tasto), atteso);
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
        QTest::newRow("F8") << 119 << 0 << true << int(AzioneComune::Nessuna);
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

    void forcedExitQuestionDefaultsToNo() {
        const Messaggio m = DomandaUscitaForzata();
        QCOMPARE(m.pulsanti, Pulsanti::SiNo);
        QCOMPARE(rispostaPredefinita(m), Risposta::No);
    }

    void changeFolderAndSearchItsDrive() {
        const QString prima = QDir::currentPath();
        QTemporaryDir dir;
        QVERIFY(CambiaCartella(dir.path()));
        QCOMPARE(QDir::currentPath(), QDir(dir.path()).canonicalPath());
        QVERIFY(!CambiaCartella(dir.filePath("manca")));
        QVERIFY(!CambiaCartella(""));
        QCOMPARE(QDir::currentPath(), QDir(dir.path()).canonicalPath());
        const QString radice = RadiceCartellaCorrente();
        QVERIFY(QDir::currentPath().startsWith(QDir::cleanPath(radice)));
        prova::AvviatoreRegistrato avviatore;
        CercaFile(avviatore, radice);
        QCOMPARE(avviatore.documenti, QStringList{radice});
        QDir::setCurrent(prima);
    }

    void exitKeys() {
        QCOMPARE(LetteraTasti("%F"), QChar('F'));
        QCOMPARE(LetteraTasti("%u"), QChar('U'));
        QCOMPARE(LetteraTasti(""), QChar());
    }
};

QTEST_GUILESS_MAIN(TestTastiera)
#include "test_tastiera.moc"
