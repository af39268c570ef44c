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
    std::unique_ptr<platform::NetworkHttpClient> http;
    platform::SystemDocumentOpener apriDocumento;

    // The enquiry's view of the above; the CLI has no page window.
    AmbienteWeb ambienteWeb();
};

// The desktop program's start-up without its windows, in the same order:
// the program folder (`home` when given) becomes the current folder; the
// configuration file; the page options; the database steps (shipped files,
// nation list written when missing, row colours, reference check with the
// upgrade answered Yes and logged on stderr, database file and "TempFile",
// database open, default nations refreshed); the enquiry addresses and the
// request time-out. There is no password to ask: the CLI runs unattended.
// False, with the reason on stderr, when the program folder cannot be used
// or an upgrade the database needs did not complete. A database that does
// not open is not a failure here: `database.DatabaseAperto` tells.
bool AvviaAmbiente(AmbienteCli& ambiente, const QString& home);

} // namespace qv::cli
