// The common key mechanism on a window of its own: Enter as Tab, numeric and
// upper-case fields, fields that move on when full, F2 through the exit
// button's letter, Enter on a button.

#include "banco_desktop.h"
#include "shell/ui/tasti_comuni.h"

#include <QApplication>
#include <QClipboard>
#include <QDialog>
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
        setObjectName("Prova");
        setWindowTitle("PROVA");
        auto* l = new QVBoxLayout(this);
        for (QLineEdit** c : {&numero, &codice, &pieno, &libero}) {
            *c = new QLineEdit(this);
            l->addWidget(*c);
        }
        note = new QPlainTextEdit(this);
        l->addWidget(note);
        uscita = new QPushButton("&USCITA", this);
        uscita->setAutoDefault(false);
        l->addWidget(uscita);
        connect(uscita, &QPushButton::clicked, this, [this] { ++uscite; });
        CampoNumerico(numero);
        CampoMaiuscolo(codice);
        pieno->setMaxLength(4);
        AvanzaSePieno(pieno);
        AvanzaSePieno(libero);
        UsaTastiComuni(this, "%U", invioComeTab);
    }
    QLineEdit* numero;
    QLineEdit* codice;
    QLineEdit* pieno;
    QLineEdit* libero;
    QPlainTextEdit* note;
    QPushButton* uscita;
    int uscite = 0;
};

} // namespace

class TestTastiComuni : public QObject {
    Q_OBJECT
    BancoDesktop* banco = nullptr;
    FinestraProva* w = nullptr;

    void apri(bool invioComeTab) {
        banco = new BancoDesktop;
        w = new FinestraProva(invioComeTab);
        w->show();
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w));
    }

private slots:
    void cleanup() {
        delete w;
        delete banco;
        w = nullptr;
        banco = nullptr;
    }

    void numericField() {
        apri(true);
        w->numero->setFocus();
        QTest::keyClicks(w->numero, "1a-2.3 b");
        QCOMPARE(w->numero->text(), QString("123"));
        QTest::keyClick(w->numero, Qt::Key_Backspace);
        QCOMPARE(w->numero->text(), QString("12"));
        w->numero->selectAll();
        QTest::keyClick(w->numero, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), QString("12"));
        QTest::keyClick(w->numero, Qt::Key_End);
        QTest::keyClick(w->numero, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(w->numero->text(), QString("1212"));
    }

    void upperCaseField() {
        apri(true);
        w->codice->setFocus();
        QTest::keyClicks(w->codice, "it12ab");
        QCOMPARE(w->codice->text(), QString("IT12AB"));
    }

    void fullFieldMovesOn() {
        apri(true);
        w->pieno->setFocus();
        QTest::keyClicks(w->pieno, "abc");
        QVERIFY(w->pieno->hasFocus());
        QTest::keyClicks(w->pieno, "d");
        QVERIFY(w->libero->hasFocus());
        // Without a maximum length a field never moves by itself.
        QTest::keyClicks(w->libero, QString(40, 'x'));
        QVERIFY(w->libero->hasFocus());
    }

    void fieldTextSelectedOnFocus() {
        apri(true);
        SelezionaTesto(w->libero);
        w->libero->setText("testo da sostituire");
        w->libero->deselect();
        w->codice->setText("resta");
        w->codice->deselect();
        // A click puts the focus without selecting, unless the field asks for it.
        QTest::mouseClick(w->codice, Qt::LeftButton);
        QTest::mouseClick(w->libero, Qt::LeftButton);
        QVERIFY(w->libero->hasFocus());
        QTRY_COMPARE(w->libero->selectedText(), QString("testo da sostituire"));
        QTest::mouseClick(w->codice, Qt::LeftButton);
        QTest::qWait(20);
        QCOMPARE(w->codice->selectedText(), QString());
    }

    void enterMovesToTheNextField() {
        apri(true);
        w->numero->setFocus();
        QTest::keyClick(w->numero, Qt::Key_Return);
        QVERIFY(w->codice->hasFocus());
        QTest::keyClick(w->codice, Qt::Key_Enter);
        QVERIFY(w->pieno->hasFocus());
        // A multi-line field keeps its Enter.
        w->note->setFocus();
        QTest::keyClick(w->note, Qt::Key_Return);
        QVERIFY(w->note->hasFocus());
        QCOMPARE(w->note->toPlainText(), QString("\n"));
    }

    void enterStaysWhereTheWindowDidNotAsk() {
        apri(false);
        w->numero->setFocus();
        QTest::keyClick(w->numero, Qt::Key_Return);
        QVERIFY(w->numero->hasFocus());
    }

    void enterOnAButtonPressesIt() {
        apri(true);
        w->uscita->setFocus();
        QTest::keyClick(w->uscita, Qt::Key_Return);
        QCOMPARE(w->uscite, 1);
    }

    void f2PressesTheExitButton() {
        apri(true);
        w->codice->setFocus();
        QTest::keyClick(w->codice, Qt::Key_F2);
        QCOMPARE(w->uscite, 1);
        // Disabled, it cannot be pressed.
        w->uscita->setEnabled(false);
        QTest::keyClick(w->codice, Qt::Key_F2);
        QCOMPARE(w->uscite, 1);
    }

    void ctrlFOpensTheCurrentDrive() {
        apri(true);
        QTest::keyClick(w->numero, Qt::Key_F, Qt::ControlModifier);
        QVERIFY(w->numero->text().isEmpty());
        QCOMPARE(banco->avviatore.documenti.size(), 1);
        const QString radice = QDir::cleanPath(banco->avviatore.documenti.first());
        QVERIFY(QFileInfo(radice).isDir());
        QVERIFY(QDir::currentPath().startsWith(radice));
    }

    void keysOfOtherWindowsAreLeftAlone() {
        BancoDesktop b;
        QDialog altra;
        auto* campo = new QLineEdit(&altra);
        altra.show();
        altra.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&altra));
        campo->setFocus();
        QTest::keyClick(campo, Qt::Key_F2, Qt::ControlModifier);
        QVERIFY(b.messaggi.mostrati().isEmpty());
    }
};

QTEST_MAIN(TestTastiComuni)
#include "test_tasti_comuni.moc"
