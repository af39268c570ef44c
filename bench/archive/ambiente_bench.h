#pragma once
// What a list run of the archive benchmarks needs besides its list: the
// demo server's addresses, the nation list of a fresh program folder, an
// HTTP client and recorded messages, tied together as the enquiry wants them.

#include "enquiry/ambiente_web.h"
#include "enquiry/stato_web.h"
#include "platform/http_client.h"
#include "shell/elenco_nazioni.h"
#include "shell/messaggi.h"
#include "tests/common/programmi_prova.h"

namespace qv::bench {

struct AmbienteBench {
    AmbienteBench(const ServerAvviato& server, const QString& fileIni) : nazioni(CaricaElencoNazioni(fileIni)) {
        web.ContestoWeb = ContestoElencoManuale;
        server.indirizzi(web);
        ambiente.fileIni = fileIni;
        ambiente.nazioni = &nazioni;
        ambiente.http = &http;
        ambiente.messaggi = &messaggi;
    }
    ElencoNazioni nazioni;
    platform::NetworkHttpClient http;
    MessaggiRegistrati messaggi;
    StatoWeb web;
    AmbienteWeb ambiente;
};

} // namespace qv::bench
