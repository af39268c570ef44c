#pragma once
// What a test needs to run real enquiries against the demo server: a
// configuration file, the nation list, an HTTP client, recorded messages and
// the enquiry state pointed at the server.

#include "enquiry/ambiente_web.h"
#include "enquiry/stato_web.h"
#include "platform/http_client.h"
#include "shell/elenco_nazioni.h"
#include "shell/messaggi.h"
#include "programmi_prova.h"

#include <QTemporaryDir>

namespace qv::prova {

struct AmbienteProva {
    explicit AmbienteProva(const QString& cartella, int contesto = ContestoElencoManuale)
        : fileIni(cartella + QStringLiteral("/Quorvan.ini")), nazioni(CaricaElencoNazioni(fileIni)) {
        web.ContestoWeb = contesto;
        web.CartellaTemp = cartella + QLatin1Char('/');
        ambiente.fileIni = fileIni;
        ambiente.nazioni = &nazioni;
        ambiente.http = &http;
        ambiente.messaggi = &messaggi;
    }

    QString fileIni;
    ElencoNazioni nazioni;
    platform::NetworkHttpClient http{5000};
    MessaggiRegistrati messaggi;
    StatoWeb web;
    AmbienteWeb ambiente;
};

} // namespace qv::prova
