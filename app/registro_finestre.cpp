#include "app/registro_finestre.h"

#include "app/contesto_desktop.h"
#include "archive/ui/finestra_archivio_mrn.h"
#include "archive/ui/finestra_elenco_mrn.h"
#include "archive/ui/finestra_excel.h"
#include "database/ui/finestra_aggiorna.h"
#include "database/ui/finestra_aggiorna_db.h"
#include "database/ui/finestra_colori.h"
#include "database/ui/finestra_nazioni.h"
#include "database/ui/finestra_ricerca_nazione.h"
#include "database/ui/finestra_ripara_db.h"
#include "database/ui/finestra_salvataggio.h"
#include "enquiry/ui/finestra_indirizzi_web.h"
#include "enquiry/ui/finestra_pagine_web.h"
#include "enquiry/ui/pagina_web_desktop.h"

namespace qv {

void RegistraFinestre(ContestoDesktop& c) {
    c.registra(IdFinestra::EleMrn, [&c](QWidget* sopra, const QString& elenco) {
        ApriElencoMrn(c.finestre, c.contestoArchivio, sopra, elenco);
    });
    c.registra(IdFinestra::EleMRNok, [&c](QWidget* sopra, const QString&) {
        FinestraArchivioMrn finestra(c.finestre, c.contestoArchivio, sopra);
        finestra.exec();
    });
    c.registra(IdFinestra::GesExcel, [&c](QWidget* sopra, const QString&) {
        FinestraExcel finestra(c.finestre, c.contestoArchivio, sopra);
        finestra.exec();
    });
    c.registra(IdFinestra::GParHttp, [&c](QWidget* sopra, const QString&) {
        FinestraIndirizziWeb finestra(c.finestre, c.web, sopra);
        finestra.exec();
    });
    // The page options of the context the opening window has set.
    c.registra(IdFinestra::GWebPar, [&c](QWidget* sopra, const QString&) {
        FinestraPagineWeb finestra(c.finestre, c.web, sopra);
        finestra.exec();
    });
    c.paginaWeb = std::make_unique<PaginaWebDesktop>(c.finestre, c.web);
    c.ambienteWeb.finestraPagina = c.paginaWeb.get();
    c.registra(IdFinestra::GesNazDB, [&c](QWidget* sopra, const QString&) {
        FinestraNazioni finestra(c.finestre, c.database, sopra);
        finestra.exec();
    });
    c.registra(IdFinestra::GesNaz, [&c](QWidget* sopra, const QString&) {
        FinestraRicercaNazione finestra(c.finestre, c.database, c.nazioni, sopra);
        finestra.exec();
    });
    c.registra(IdFinestra::ColorTdbg, [&c](QWidget* sopra, const QString&, const QVariantMap& p) {
        FinestraColori finestra(c.finestre, c.database, p.value(QStringLiteral("plTitolo")).toString(),
                                p.value(QStringLiteral("plPosX")).toDouble(),
                                p.value(QStringLiteral("plPosY")).toDouble(),
                                p.value(QStringLiteral("plTabLb")).toString(), sopra);
        finestra.exec();
    });
    c.registra(IdFinestra::aggiornadb, [&c](QWidget* sopra, const QString&) {
        c.database.StatoChiamata = 0; // from the menu: manual mode
        FinestraAggiornaDb finestra(c.finestre, c.database, sopra);
        finestra.exec();
    });
    c.registra(IdFinestra::riparadb, [&c](QWidget* sopra, const QString&) {
        FinestraRiparaDb finestra(c.finestre, c.database, sopra);
        finestra.exec();
    });
    for (const auto& [id, modo] :
         {std::pair(IdFinestra::SalvaArk, FinestraSalvataggio::Modo::Salva),
          std::pair(IdFinestra::RestoreArk, FinestraSalvataggio::Modo::Ripristina)}) {
        c.registra(id, [&c, modo](QWidget* sopra, const QString&) {
            c.database.StatoChiamata = 0;
            FinestraSalvataggio finestra(c.finestre, c.database, modo, sopra);
            finestra.exec();
        });
    }
    // The check needs the program's HTTP client (with its time-out).
    if (c.ambienteWeb.http)
        c.registra(IdFinestra::VerificaAggiornamenti, [&c](QWidget* sopra, const QString&) {
            VerificaAggiornamenti(c.finestre, *c.ambienteWeb.http, true, sopra);
        });
}

} // namespace qv
