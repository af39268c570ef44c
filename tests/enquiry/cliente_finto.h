#pragma once
// Test doubles for the enquiry's seams: an HTTP client answering from a
// table of pages, a page window and a document opener that only record; and
// the enquiry state wired to the fake client, as the extraction suites use it.

#include "dati_prova.h"
#include "enquiry/finestra_pagina.h"
#include "enquiry/get_htm_page.h"
#include "enquiry/interroga_codice.h"
#include "shell/messaggi.h"
#include "platform/document_opener.h"
#include "platform/http_client.h"

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

// Answers each address with the page registered for the longest matching
// prefix; an address with no page fails like a lost connection.
class ClienteFinto : public qv::platform::HttpClient {
public:
    qv::platform::HttpResult get(const QString& url) override {
        richieste << url;
        QString migliore;
        bool trovato = false;
        for (auto it = pagine.cbegin(); it != pagine.cend(); ++it)
            if (url.startsWith(it.key()) && (!trovato || it.key().size() > migliore.size())) {
                migliore = it.key();
                trovato = true;
            }
        if (!trovato)
            return {false, {}, QStringLiteral("no page")};
        return {true, pagine.value(migliore), {}};
    }

    QMap<QString, QString> pagine;
    QStringList richieste;
};

struct PaginaMostrata {
    QString url, codice, tipo;
};

class FinestraFinta : public qv::FinestraPagina {
public:
    bool mostraPagina(const QString& url, const QString& codice, const QString& tipo) override {
        mostrate.append({url, codice, tipo});
        return true;
    }
    QList<PaginaMostrata> mostrate;
};

class ApritoreFinto : public qv::platform::DocumentOpener {
public:
    bool open(const QString& path) override {
        aperti << path;
        return true;
    }
    QStringList aperti;
};

// Addresses of the fake client, the default nations, recorded messages; the
// temporary folder and configuration file in `cartella`.
struct BancoWeb {
    qv::StatoWeb web;
    qv::ElencoNazioni nazioni = prova::nazioniPredefinite();
    ClienteFinto http;
    qv::MessaggiRegistrati messaggi;
    qv::AmbienteWeb ambiente;

    explicit BancoWeb(const QString& cartella) {
        web.UrlExport = prova::kExport;
        web.UrlTransiti = prova::kTransito;
        web.UrlVat = prova::kVies;
        web.UrlVatPiva = QStringLiteral("&piva=");
        web.CartellaTemp = cartella + QLatin1Char('/');
        ambiente.fileIni = cartella + QStringLiteral("/Quorvan.ini");
        ambiente.nazioni = &nazioni;
        ambiente.http = &http;
        ambiente.messaggi = &messaggi;
    }
    BancoWeb(const BancoWeb&) = delete;
    int interroga(const QString& codice) {
        qv::GetHtmPage pagina(web, ambiente);
        return qv::InterrogaCodice(pagina, codice);
    }
};
