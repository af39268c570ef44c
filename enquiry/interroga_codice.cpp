#include "enquiry/interroga_codice.h"

#include "enquiry/codici_web.h"
#include "enquiry/testo_pagina.h"

#include <QCoreApplication>

namespace qv {

int InterrogaCodice(GetHtmPage& paginaWeb, const QString& codice) {
    StatoWeb& web = paginaWeb.statoWeb();
    for (std::size_t i = 1; i < web.Esito.size(); ++i)
        web.Esito[i].clear();
    for (std::size_t i = 1; i < web.Titolo.size(); ++i)
        web.Titolo[i].clear();

    const QString maiuscolo = codice.toUpper();
    QString messaggio;
    if (ECodiceVat(codice)) {
        paginaWeb.plVAT(maiuscolo);
        messaggio = paginaWeb.xGetPaginaVAT();
    } else {
        paginaWeb.plMRN(maiuscolo);
        messaggio = paginaWeb.xGetPaginaMRN();
    }

    int esito = EsitoLetto;
    if (!TogliSpazi(messaggio).isEmpty()) {
        web.Titolo[2] = messaggio;
        esito = messaggio.startsWith(QLatin1Char('#')) ? EsitoSenzaRete : EsitoRifiutato;
    } else {
        for (int i = 1; i <= 19; ++i)
            web.Esito[i] = paginaWeb.pgEsito(i);
        for (int i = 1; i <= 7; ++i)
            web.Titolo[i] = paginaWeb.pgTitolo(i);
    }

    if (QCoreApplication::instance())
        QCoreApplication::processEvents();
    CancellaCacheUrl(web, codice);
    return esito;
}

} // namespace qv
