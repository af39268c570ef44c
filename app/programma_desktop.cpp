#include "app/programma_desktop.h"

#include "app/registro_finestre.h"
#include "platform/desktop_programs.h"
#include "platform/printers.h"

#include <QApplication>
#include <QFileDialog>
#include <QPrinter>

#include <cstdlib>

namespace qv {

void ImpostaPiattaforma(ContestoDesktop& c) {
    ContestoFinestre& f = c.finestre;
    f.terminaProgramma = [&c](int codice) {
        c.fileAperti.ChiudiTutti();
        std::exit(codice);
    };
    f.stampantiInstallate = platform::installedPrinters;
    f.stampantePredefinita = platform::defaultPrinterName;
    f.sceltaStampante = platform::choosePrinter;
    f.preparaStampante = [&f](QPrinter& stampante) {
        platform::selectPrinter(stampante, f.stampanteCorrente());
    };
    f.sceltaProgramma = [](QWidget* sopra, const QString& cartella) {
        QFileDialog dialogo(sopra, QString(), cartella,
                            QStringLiteral("File eseguibile (*.EXE *.exe);;Tutti i file (*)"));
        dialogo.setDefaultSuffix(QStringLiteral("exe"));
        dialogo.setFileMode(QFileDialog::ExistingFile);
        return dialogo.exec() == QDialog::Accepted ? dialogo.selectedFiles().value(0) : QString();
    };
    f.infoSistema = [] {
        const platform::SystemInfoLocation l = platform::systemInfoLocation();
        return QStringList{l.programPath, l.folder};
    };
    c.database.InizioAttesa = [] { QApplication::setOverrideCursor(Qt::WaitCursor); };
    c.database.FineAttesa = [] {
        while (QApplication::overrideCursor())
            QApplication::restoreOverrideCursor();
    };
}

ProgrammaDesktop::ProgrammaDesktop(const QString& cartella)
    : contesto_(cartella, messaggi_, avviatore_, &http_, &apriDocumento_), filtro_(contesto_.finestre),
      principale_(contesto_) {
    ImpostaPiattaforma(contesto_);
    RegistraFinestre(contesto_);
}

bool ProgrammaDesktop::avvia() {
    if (!principale_.avvia()) return false;
    http_.setTimeoutMs(contesto_.web.SecondiAttesa * 1000);
    return true;
}

} // namespace qv
