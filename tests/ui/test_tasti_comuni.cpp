// The common keys wired on a window of its own; which key does what is in shell_tastiera.

#include "banco_desktop.h"
#include "shell/cartelle.h"

#include <QtTest>

using namespace qv;
using namespace qv::prova;

namespace {

struct FinestraProva : QDialog {
    explicit FinestraProva(bool invioComeTab) {
        setObjectName("GesAppl");
        setWindowTitle("PROVA");
        auto* l = new QVBoxLayout(this);
        for (QLineEdit** c : {&numero, &codice, &pieno, &libero})
            l->addWidget(*c = new QLineEdit(this));
        l->addWidget(note = new QPlainTextEdit(this));
        l->addWidget(uscita = new QPushButton("&USCITA", this));
        uscita->setAutoDefault(false);
        connect(uscita, &QPushButton::clicked, this, [this] { ++uscite; });
        CampoNumerico(numero);
        CampoMaiuscolo(codice);
        pieno->setMaxLength(4);
        AvanzaSePieno(pieno);
        AvanzaSePieno(libero);
        UsaTastiComuni(this, "%U", invioComeTab);
    }
    QLineEdit *numero, *codice, *pieno, *libero;
    QPlainTextEdit* note;
    QPushButton* uscita;
    int uscite = 0;
};

} // namespace

class TestTastiComuni : public QObject {
    Q_OBJECT
    std::unique_ptr<BancoDesktop> banco;
    std::unique_ptr<FinestraProva> w;

    void apri(bool invioComeTab = true) {
        w.reset();
        banco = std::make_unique<BancoDesktop>();
        w = std::make_unique<FinestraProva>(invioComeTab);
        QVERIFY(attiva(w.get()));
    }

private slots:
    void cleanup() {
        w.reset();
        banco.reset();
    }

    void fields() {
        apri();
        w->numero->setFocus();
        QTest::keyClicks(w->numero, "1a-2");
        QCOMPARE(w->numero->text(), QString("12"));
        w->pieno->setFocus();
        QTest::keyClicks(w->pieno, "abc");
        QVERIFY(w->pieno->hasFocus());
        QTest::keyClick(w->pieno, 'd');
        QVERIFY(w->libero->hasFocus());
        SelezionaTesto(w->libero);
        w->libero->setText("testo da sostituire");
        w->codice->setText("resta");
        QTest::mouseClick(w->codice, Qt::LeftButton);
        QTest::mouseClick(w->libero, Qt::LeftButton);
        QTRY_COMPARE(w->libero->selectedText(), QString("testo da sostituire"));
        QTest::mouseClick(w->codice, Qt::LeftButton);
        QTest::qWait(20);
        QCOMPARE(w->codice->selectedText(), QString()); // a field that did not ask for it
    }

    void enter() {
        apri();
        premi(w->numero, Qt::Key_Return);
        QVERIFY(w->codice->hasFocus());
        QTest::keyClick(w->codice, Qt::Key_Enter);
        QVERIFY(w->pieno->hasFocus());
        premi(w->note, Qt::Key_Return); // a multi-line field keeps its Enter
        QVERIFY(w->note->hasFocus());
        QCOMPARE(w->note->toPlainText(), QString("\n"));
        premi(w->uscita, Qt::Key_Return); // on a button it presses it
        QCOMPARE(w->uscite, 1);
        apri(false); // a window that did not ask: Enter stays
        premi(w->numero, Qt::Key_Return);
        QVERIFY(w->numero->hasFocus());
    }

    void commonKeys() {
        apri();
        premi(w->codice, Qt::Key_F2); // presses the exit button, unless disabled
        w->uscita->setEnabled(false);
        QTest::keyClick(w->codice, Qt::Key_F2);
        QCOMPARE(w->uscite, 1);
        QTest::keyClick(w->codice, Qt::Key_F8, Qt::ControlModifier);
        QCOMPARE(w->windowTitle(), QString("GesAppl !"));
        QTest::keyClick(w->codice, Qt::Key_F, Qt::ControlModifier);
        QVERIFY(w->codice->text().isEmpty());
        QCOMPARE(banco->avviatore.documenti, QStringList{RadiceCartellaCorrente()});
        // Ctrl+F2 asks before ending, No by default; no exit keys, no closing.
        QTest::keyClick(w->codice, Qt::Key_F2, Qt::ControlModifier);
        QCOMPARE(banco->testiMostrati(), QStringList{"FINE DI Quorvan?"});
        QCOMPARE(banco->terminato, QList<int>{});
        banco->messaggi.accoda(Risposta::Si);
        QTest::keyClick(w->codice, Qt::Key_F2, Qt::ControlModifier);
        QCOMPARE(banco->terminato, QList<int>{0});
        QCOMPARE(w->uscite, 1);
        QDialog altra; // keys of other windows are left alone
        auto* campo = new QLineEdit(&altra);
        QVERIFY(attiva(&altra));
        premi(campo, Qt::Key_F2, Qt::ControlModifier);
        QCOMPARE(banco->messaggi.mostrati().size(), 2);
    }
};

QTEST_MAIN(TestTastiComuni)
#include "test_tasti_comuni.moc"
