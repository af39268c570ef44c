#include "app/programma_desktop.h"

namespace qv {

ProgrammaDesktop::ProgrammaDesktop(const QString& cartella)
    : desktop_(shell_, web_, messaggi_, avviatore_), filtro_(desktop_) {
    shell_.cartellaProgramma = cartella;
    ImpostaPiattaforma(desktop_);
    desktop_.fileAperti = &fileAperti_;
    desktop_.ambienteWeb.http = &http_;
    desktop_.ambienteWeb.messaggi = &messaggi_;
    desktop_.ambienteWeb.apriDocumento = &apriDocumento_;
    desktop_.ambienteWeb.fileAperti = &fileAperti_;
    startup_ = std::make_unique<Startup>(desktop_);
}

bool ProgrammaDesktop::avvia() {
    if (!startup_->avvia())
        return false;
    http_.setTimeoutMs(web_.SecondiAttesa * 1000);
    return true;
}

} // namespace qv
