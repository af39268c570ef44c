// quorvan-schermate: pictures of the main window and of the single enquiry
// window with a transit MRN's result, for the documentation.
// Usage: quorvan-schermate PROGRAM_FOLDER OUTPUT_FOLDER
// The program folder's configuration must point the enquiry addresses at a
// running demo server (tools/demo.sh --screenshots does it).

#include "app/programma_desktop.h"
#include "enquiry/ui/finestra_singolo_mrn.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTextStream>

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
    QTest::qWait(300);
    if (!principale.grab().save(uscita.filePath(QStringLiteral("startup.png")))) return 1;

    qv::ContestoDesktop& c = programma.contesto();
    qv::FinestraSingoloMrn singolo(c.finestre, c.web, c.ambienteWeb, &principale);
    singolo.show();
    singolo.activateWindow();
    if (!QTest::qWaitForWindowExposed(&singolo)) return 1;
    (void)QTest::qWaitForWindowActive(&singolo);
    auto* campo = singolo.findChild<QLineEdit*>(QStringLiteral("Text1"));
    QTest::keyClicks(campo, QStringLiteral("24it123456789012t6"));
    QTest::keyClick(singolo.findChild<QPushButton*>(QStringLiteral("cmdAnalizza")), Qt::Key_Return);
    campo->setFocus();
    QTest::qWait(300);
    if (!singolo.grab().save(uscita.filePath(QStringLiteral("singolo_mrn.png")))) return 1;
    singolo.close();
    principale.close();
    return 0;
}
