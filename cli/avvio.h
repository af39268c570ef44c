#pragma once
// Start-up of the unattended program: what the desktop program's start-up
// does before its windows, minus the windows. One function, so that the
// database start-up can be added where it belongs in the order.

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
    FileAperti fileAperti;
    MessaggiStderr messaggi;
    std::unique_ptr<platform::NetworkHttpClient> http;
    platform::SystemDocumentOpener apriDocumento;

    // The enquiry's view of the above; the CLI has no page window.
    AmbienteWeb ambienteWeb();
};

// In order: the program folder (`home` when given) becomes the current
// folder; the configuration file; the page options; the nation list
// (written when missing); the enquiry addresses and the request time-out;
// the temporary folder "TempFile", created when missing. False, with the
// reason on stderr, when the program folder cannot be used.
bool AvviaAmbiente(AmbienteCli& ambiente, const QString& home);

} // namespace qv::cli
