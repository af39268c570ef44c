#pragma once
// Start-up of the unattended program: what the desktop program's start-up
// does before its windows, minus the windows. One function, so that the
// database start-up can be added where it belongs in the order.

#include "database/stato_database.h"
#include "enquiry/ambiente_web.h"
#include "enquiry/stato_web.h"
#include "platform/document_opener.h"
#include "platform/http_client.h"
#include "shell/elenco_nazioni.h"
#include "shell/messaggi.h"
#include "shell/procedure_file.h"

#include <QString>

#include <memory>

namespace qv::cli {

struct AmbienteCli {
    QString cartellaProgramma;
    QString fileIni; // "Quorvan.ini" in the program folder
    ElencoNazioni nazioni;
    StatoWeb web;
    StatoDatabase database;
    FileAperti fileAperti;
    MessaggiStderr messaggi;
    bool archivioMancante = false;
    std::unique_ptr<platform::NetworkHttpClient> http;
    platform::SystemDocumentOpener apriDocumento;

    // The enquiry's view of the above; the CLI has no page window.
    AmbienteWeb ambienteWeb();
};

// The program's start-up sequence (shell/avvio/sequenza_avvio.h) with the
// CLI's hooks: no windows, no password (the CLI runs unattended), the
// upgrade answered Yes and logged on stderr. False, with the reason on
// stderr, when the program folder cannot be used or an upgrade the database
// needs did not complete. A database that does not open is not a failure
// here: `database.DatabaseAperto` tells, and `archivioMancante` says the
// archive file of a program folder that had one is missing.
bool AvviaAmbiente(AmbienteCli& ambiente, const QString& home);

} // namespace qv::cli
