// The common keys on a window of its own: Enter as Tab, numeric and
// upper-case fields, full fields moving on, F2 through the exit button's
// letter, Enter on a button, Ctrl+F2, Ctrl+F8, Ctrl+F.

#include "banco_desktop.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
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
        banco = std::make_unique<BancoDesktop>();
        w = std::make_unique<FinestraProva>(invioComeTab);
        w->show();
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
    }

private slots:
    void cleanup() {
        w.reset();
        banco.reset();
    }

    void numericField() {
        apri();
        w->numero->setFocus();
        QTest::keyClicks(w->numero, "1a-2.3 b");
        QCOMPARE(w->numero->text(), QString("123"));
        QTest::keyClick(w->numero, Qt::Key_Backspace);
        w->numero->selectAll();
        QTest::keyClick(w->numero, Qt::Key_C, Qt::ControlModifier); // commands pass
        QTest::keyClick(w->numero, Qt::Key_End);
        QTest::keyClick(w->numero, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(w->numero->text(), QString("1212"));
    }

    void upperCaseField() {
        apri();
        w->codice->setFocus();
        QTest::keyClicks(w->codice, "it12ab");
        QCOMPARE(w->codice->text(), QString("IT12AB"));
    }

    void fullFieldMovesOn() {
        apri();
        w->pieno->setFocus();
        QTest::keyClicks(w->pieno, "abc");
        QVERIFY(w->pieno->hasFocus());
        QTest::keyClicks(w->pieno, "d");
        QVERIFY(w->libero->hasFocus());
        QTest::keyClicks(w->libero, QString(40, 'x')); // no maximum: it never moves
        QVERIFY(w->libero->hasFocus());
    }

    void fieldTextSelectedOnFocus() {
        apri();
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
        w->numero->setFocus();
        QTest::keyClick(w->numero, Qt::Key_Return);
        QVERIFY(w->codice->hasFocus());
        QTest::keyClick(w->codice, Qt::Key_Enter);
        QVERIFY(w->pieno->hasFocus());
        w->note->setFocus(); // a multi-line field keeps its Enter
        QTest::keyClick(w->note, Qt::Key_Return);
        QVERIFY(w->note->hasFocus());
        QCOMPARE(w->note->toPlainText(), QString("\n"));
        w->uscita->setFocus(); // on a button it presses it
        QTest::keyClick(w->uscita, Qt::Key_Return);
        QCOMPARE(w->uscite, 1);
    }

    void enterStaysWhereTheWindowDidNotAsk() {
        apri(false);
        w->numero->setFocus();
        QTest::keyClick(w->numero, Qt::Key_Return);
        QVERIFY(w->numero->hasFocus());
    }

    void f2PressesTheExitButton() {
        apri();
        w->codice->setFocus();
        QTest::keyClick(w->codice, Qt::Key_F2);
        QCOMPARE(w->uscite, 1);
        w->uscita->setEnabled(false);
        QTest::keyClick(w->codice, Qt::Key_F2);
        QCOMPARE(w->uscite, 1);
    }

    void ctrlF2_data() {
        QTest::addColumn<int>("risposta");
        QTest::addColumn<QList<int>>("terminato");
        QTest::newRow("answered No") << int(Risposta::No) << QList<int>{};
        QTest::newRow("answered Yes") << int(Risposta::Si) << QList<int>{0};
    }
    void ctrlF2() {
        QFETCH(int, risposta);
        QFETCH(QList<int>, terminato);
        apri();
        banco->messaggi.accoda(Risposta(risposta));
        QTest::keyClick(w->codice, Qt::Key_F2, Qt::ControlModifier);
        QCOMPARE(banco->messaggi.mostrati().size(), 1);
        QCOMPARE(banco->messaggi.mostrati().first().titolo, QString("USCITA FORZATA"));
        QCOMPARE(banco->terminato, terminato);
        QCOMPARE(w->uscite, 0); // no exit keys, no closing
    }

    void ctrlF8TogglesTheCaption() {
        apri();
        QTest::keyClick(w->codice, Qt::Key_F8, Qt::ControlModifier);
        QCOMPARE(w->windowTitle(), QString("GesAppl !"));
        QTest::keyClick(w->codice, Qt::Key_F8, Qt::ControlModifier);
        QCOMPARE(w->windowTitle(), QString("PROVA"));
    }

    void ctrlFOpensTheCurrentDrive() {
        apri();
        QTest::keyClick(w->numero, Qt::Key_F, Qt::ControlModifier);
        QVERIFY(w->numero->text().isEmpty());
        QCOMPARE(banco->avviatore.documenti.size(), 1);
        QVERIFY(QDir::currentPath().startsWith(QDir::cleanPath(banco->avviatore.documenti.first())));
    }

    void keysOfOtherWindowsAreLeftAlone() {
        apri();
        QDialog altra;
        auto* campo = new QLineEdit(&altra);
        altra.show();
        altra.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&altra));
        campo->setFocus();
        QTest::keyClick(campo, Qt::Key_F2, Qt::ControlModifier);
        QVERIFY(banco->messaggi.mostrati().isEmpty());
    }
};

QTEST_MAIN(TestTastiComuni)
#include "test_tasti_comuni.moc"
