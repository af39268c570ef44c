#pragma once
// Test doubles for the enquiry's seams: an HTTP client answering from a
// table of pages, a page window and a document opener that only record; and
// the enquiry state wired to the fake client and the default nations, as the
// extraction suites use it.

#include "enquiry/finestra_pagina.h"
#include "enquiry/get_htm_page.h"
#include "enquiry/interroga_codice.h"
#include "shell/messaggi.h"
#include "platform/document_opener.h"
#include "platform/http_client.h"
#include "shell/elenco_nazioni.h"

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

namespace prova {

inline const QString kExport = QStringLiteral("http://dogane.test/export?mrn=");
inline const QString kTransito = QStringLiteral("http://dogane.test/transito?mrn=");
inline const QString kVies = QStringLiteral("http://entrate.test/vies?stato=");

} // namespace prova

// Answers each address with the page registered for a prefix of it (no
// prefix is another's); an address with no page fails like a lost connection.
class ClienteFinto : public qv::platform::HttpClient {
public:
    qv::platform::HttpResult get(const QString& url) override {
        richieste << url;
        qv::platform::HttpResult r;
        for (auto it = pagine.cbegin(); it != pagine.cend() && !r.ok; ++it)
            if (url.startsWith(it.key())) r.ok = true, r.body = it.value();
        if (!r.ok) r.error = QStringLiteral("no page");
        return r;
    }

    QMap<QString, QString> pagine;
    QStringList richieste;
};

// Records each page shown as "kind address".
class FinestraFinta : public qv::FinestraPagina {
public:
    bool mostraPagina(const QString& url, const QString&, const QString& tipo) override {
        mostrate << tipo + QLatin1Char(' ') + url;
        return true;
    }
    QStringList mostrate;
};

class ApritoreFinto : public qv::platform::DocumentOpener {
public:
    bool open(const QString& path) override { aperti << path; return true; }
    QStringList aperti;
};

// Addresses of the fake client, the default nations, the recording doubles;
// the temporary folder and configuration file in `cartella`.
struct BancoWeb {
    qv::StatoWeb web;
    qv::ElencoNazioni nazioni; // the default nations (no configuration file is read)
    ClienteFinto http;
    qv::MessaggiRegistrati messaggi;
    FinestraFinta finestra;
    ApritoreFinto apritore;
    qv::AmbienteWeb ambiente;

    explicit BancoWeb(const QString& cartella) {
        web.UrlExport = prova::kExport;
        web.UrlTransiti = prova::kTransito;
        web.UrlVat = prova::kVies;
        web.UrlVatPiva = QStringLiteral("&piva=");
        web.CartellaTemp = cartella + QLatin1Char('/');
        ambiente.fileIni = cartella + QStringLiteral("/Quorvan.ini");
        for (const auto& n : qv::NazioniPredefinite()) {
            nazioni.CodiciNazioni << QLatin1String(n.codice);
            nazioni.NomiNazioni << QLatin1String(n.nome);
            nazioni.LunghezzeVat << n.lunghezze;
        }
        ambiente.nazioni = &nazioni;
        ambiente.http = &http;
        ambiente.messaggi = &messaggi;
        ambiente.finestraPagina = &finestra;
        ambiente.apriDocumento = &apritore;
    }
    BancoWeb(const BancoWeb&) = delete;
    int interroga(const QString& codice) {
        qv::GetHtmPage pagina(web, ambiente);
        return qv::InterrogaCodice(pagina, codice);
    }
    QString tmpHtml() const { return web.CartellaTemp + QStringLiteral("tmp_html.htm"); }
    // The numbers of the failures shown; -1 for a box that does not look like one.
    QList<int> guasti() const {
        QList<int> g;
        for (const qv::Messaggio& x : messaggi.mostrati()) {
            g << x.testo.section(QStringLiteral(" - "), 0, 0).toInt();
            if (x.titolo != QStringLiteral("QUORVAN -ERRORE N. ") + QString::number(g.last()) ||
                x.pulsanti != qv::Pulsanti::Ok)
                g << -1;
        }
        return g;
    }
};
