// quorvan: the desktop program. No command line options: everything it needs
// is in its program folder.

#include "app/programma_desktop.h"
#include "platform/program_folder.h"
#include "platform/web_engine.h"
#include "shell/versione_programma.h"

#include <QApplication>

int main(int argc, char** argv) {
    qv::platform::prepareWebEngine();
    QApplication app(argc, argv);
    QApplication::setApplicationName(qv::NomeProgramma);
    QApplication::setApplicationVersion(qv::TestoVersione(qv::Versione()));

    qv::ProgrammaDesktop programma(qv::platform::programFolder());
    if (!programma.avvia()) return 0;
    programma.principale().show();
    return app.exec();
}
