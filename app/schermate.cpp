// quorvan-schermate: pictures of the program's windows for the documentation,
// taken while the program does its daily work: the main window, the single
// enquiry window with a transit MRN's result, the batch window on a list run
// into the archive, the archive browser opened on the run's results, and the
// workbook update window after a run over the demo workbook.
// Usage: quorvan-schermate PROGRAM_FOLDER OUTPUT_FOLDER
// The program folder's configuration must point the enquiry addresses at a
// running demo server (tools/demo.sh --screenshots does it), hold the demo
// list "ElencoMRN.txt" and have its "AGGEXCEL" keys on the demo workbook.

#include "app/programma_desktop.h"
#include "enquiry/ui/finestra_singolo_mrn.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTextStream>
#include <QTimer>

#include <functional>

namespace {

bool salva(QWidget* w, const QDir& uscita, const QString& nome) {
    QTest::qWait(300);
    return w->grab().save(uscita.filePath(nome));
}

// Runs `azione` on the modal window named `nome` (or of that class) as soon as it is open.
void quandoAperta(const QString& nome, std::function<void(QWidget*)> azione, int tentativi = 600) {
    QTimer::singleShot(50, [=] {
        QWidget* w = QApplication::activeModalWidget();
        if (w && (w->objectName() == nome || w->inherits(qPrintable(nome))) && w->isVisible()) {
            azione(w);
        } else if (tentativi > 0) {
            quandoAperta(nome, azione, tentativi - 1);
        } else {
            QTextStream(stderr) << "quorvan-schermate: the window " << nome << " did not open" << Qt::endl;
        }
    });
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList argomenti = QCoreApplication::arguments();
    if (argomenti.size() != 3) {
        QTextStream(stderr) << "uso: quorvan-schermate CARTELLA_PROGRAMMA CARTELLA_IMMAGINI" << Qt::endl;
        return 2;
    }
    const QDir uscita(argomenti.at(2));
    QDir().mkpath(uscita.path());

    qv::ProgrammaDesktop programma(argomenti.at(1));
    if (!programma.avvia()) return 1;
    qv::FinestraPrincipale& principale = programma.principale();
    principale.show();
    if (!QTest::qWaitForWindowExposed(&principale)) return 1;
    if (!salva(&principale, uscita, QStringLiteral("startup.png"))) return 1;

    qv::ContestoDesktop& c = programma.contesto();
    {
        qv::FinestraSingoloMrn singolo(c.finestre, c.web, c.ambienteWeb, &principale);
        singolo.show();
        singolo.activateWindow();
        if (!QTest::qWaitForWindowExposed(&singolo)) return 1;
        (void)QTest::qWaitForWindowActive(&singolo);
        auto* campo = singolo.findChild<QLineEdit*>(QStringLiteral("Text1"));
        QTest::keyClicks(campo, QStringLiteral("24it123456789012t6"));
        QTest::keyClick(singolo.findChild<QPushButton*>(QStringLiteral("cmdAnalizza")), Qt::Key_Return);
        campo->setFocus();
        if (!salva(&singolo, uscita, QStringLiteral("singolo_mrn.png"))) return 1;
        singolo.close();
    }

    // A list run into the archive: the batch window given the demo list
    // preselects D.B.; at the end it closes and the browser opens on the results.
    bool fatto = true;
    quandoAperta(QStringLiteral("EleMrn"), [&](QWidget* elenco) {
        QTimer::singleShot(0, [&, elenco] {
            // The picture is taken while the run goes on.
            quandoAperta(QStringLiteral("EleMrn"), [&](QWidget* w) {
                QTimer::singleShot(
                    150, [&, w] { fatto = salva(w, uscita, QStringLiteral("elenco_mrn.png")) && fatto; });
            });
            QTest::mouseClick(elenco->findChild<QPushButton*>(QStringLiteral("Command1_0")), Qt::LeftButton);
        });
    });
    quandoAperta(QStringLiteral("EleMRNok"), [&](QWidget* archivio) {
        fatto = salva(archivio, uscita, QStringLiteral("archivio_mrn.png")) && fatto;
        archivio->close();
    });
    c.apri(qv::IdFinestra::EleMrn, &principale,
           QDir(argomenti.at(1)).filePath(QStringLiteral("ElencoMRN.txt")));

    // The demo workbook brought up to date: the picture once the run has
    // ended and its closing message is up, the summary in the window.
    quandoAperta(QStringLiteral("GesExcel"), [&](QWidget* excel) {
        QTimer::singleShot(0, [&, excel] {
            quandoAperta(QStringLiteral("QMessageBox"), [&, excel](QWidget* messaggio) {
                QTextStream(stdout)
                    << excel->findChild<QWidget*>(QStringLiteral("pctResult"))->property("text").toString()
                    << Qt::endl;
                fatto = salva(excel, uscita, QStringLiteral("excel.png")) && fatto;
                static_cast<QMessageBox*>(messaggio)->accept();
                QTimer::singleShot(0, excel, &QWidget::close);
            });
            QTest::mouseClick(excel->findChild<QPushButton*>(QStringLiteral("cmdM_1")), Qt::LeftButton);
        });
    });
    c.apri(qv::IdFinestra::GesExcel, &principale, QString());
    principale.close();
    return fatto ? 0 : 1;
}
