#pragma once
// The desktop program's context: the program-wide state of every subsystem,
// the window context the windows share, what enquiries run on, and the
// opener that knows every window. Built once by the program (and by each
// window test), passed explicitly.

#include "archive/stato_archivio.h"
#include "archive/ui/contesto_archivio.h"
#include "database/stato_database.h"
#include "enquiry/ambiente_web.h"
#include "enquiry/finestra_pagina.h"
#include "enquiry/stato_web.h"
#include "shell/avvio/sequenza_avvio.h"
#include "shell/elenco_nazioni.h"
#include "shell/procedure_file.h"
#include "shell/stato_shell.h"
#include "shell/ui/apritore_finestre.h"
#include "shell/ui/contesto_finestre.h"

#include <QHash>

#include <functional>
#include <memory>

namespace qv {

namespace platform {
class DocumentOpener;
class HttpClient;
} // namespace platform

class ContestoDesktop : public ApritoreFinestre {
public:
    // `http` and `apriDocumento` may be null (no requests, pages not opened).
    ContestoDesktop(const QString& cartellaProgramma, Messaggi& messaggi, Avviatore& avviatore,
                    platform::HttpClient* http = nullptr, platform::DocumentOpener* apriDocumento = nullptr);

    StatoShell shell;
    StatoWeb web;
    StatoDatabase database; // its DatabaseAperto is the program's one flag
    ElencoNazioni nazioni;
    StatoArchivio archivio;
    FileAperti fileAperti;
    ContestoFinestre finestre;
    AmbienteWeb ambienteWeb;                   // what GetHtmPage objects are built on
    std::unique_ptr<FinestraPagina> paginaWeb; // the page window the enquiries show pages in
    ContestoArchivio contestoArchivio{web, ambienteWeb, database, archivio, nazioni};

    // What the start-up sequence works on.
    DatiAvvio datiAvvio();

    // The opener: a window is available once its opening is registered.
    using Apertura = std::function<void(QWidget* sopra, const QString& argomento)>;
    using AperturaConParametri =
        std::function<void(QWidget* sopra, const QString& argomento, const QVariantMap& parametri)>;
    void registra(IdFinestra finestra, Apertura apertura);
    void registra(IdFinestra finestra, AperturaConParametri apertura);
    bool disponibile(IdFinestra finestra) const override;
    void apri(IdFinestra finestra, QWidget* sopra, const QString& argomento = QString(),
              const QVariantMap& parametri = QVariantMap()) override;

private:
    Messaggi& messaggi_;
    QHash<int, AperturaConParametri> aperture_;
};

} // namespace qv
