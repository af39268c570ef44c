#include "shell/avvio/sequenza_avvio.h"

#include "database/colori.h"
#include "database/file_database.h"
#include "database/nazioni.h"
#include "database/stato_database.h"
#include "enquiry/codici_web.h"
#include "enquiry/stato_web.h"
#include "shell/avvio_programma.h"
#include "shell/elenco_nazioni.h"

#include <QDir>
#include <QFileInfo>

namespace qv {

QString NomePasso(PassoAvvio passo) {
    switch (passo) {
    case PassoAvvio::CartellaProgramma:
        return QStringLiteral("CartellaProgramma");
    case PassoAvvio::FileIni:
        return QStringLiteral("FileIni");
    case PassoAvvio::FileSpediti:
        return QStringLiteral("FileSpediti");
    case PassoAvvio::PrimoAvvio:
        return QStringLiteral("PrimoAvvio");
    case PassoAvvio::DimensioniFisse:
        return QStringLiteral("DimensioniFisse");
    case PassoAvvio::Posizione:
        return QStringLiteral("Posizione");
    case PassoAvvio::Titolo:
        return QStringLiteral("Titolo");
    case PassoAvvio::OpzioniPagine:
        return QStringLiteral("OpzioniPagine");
    case PassoAvvio::Nazioni:
        return QStringLiteral("Nazioni");
    case PassoAvvio::Colori:
        return QStringLiteral("Colori");
    case PassoAvvio::Password:
        return QStringLiteral("Password");
    case PassoAvvio::Riferimento:
        return QStringLiteral("Riferimento");
    case PassoAvvio::IndirizziWeb:
        return QStringLiteral("IndirizziWeb");
    case PassoAvvio::FileDataBase:
        return QStringLiteral("FileDataBase");
    case PassoAvvio::ApriDataBase:
        return QStringLiteral("ApriDataBase");
    case PassoAvvio::MenuDatabase:
        return QStringLiteral("MenuDatabase");
    case PassoAvvio::NazioniCee:
        return QStringLiteral("NazioniCee");
    }
    return QString();
}

namespace {

// The core part of one step. False ends the start-up with `r.esito` set.
bool passoCore(PassoAvvio passo, DatiAvvio& d, const GanciAvvio& g, RisultatoAvvio& r) {
    const ParametriAvvio p{d.cartellaProgramma, NomeProgramma, d.fileIni};
    switch (passo) {
    case PassoAvvio::CartellaProgramma:
        if (!QFileInfo(d.cartellaProgramma).isDir() || !QDir::setCurrent(d.cartellaProgramma)) {
            r.esito = EsitoAvvio::CartellaInutilizzabile;
            return false;
        }
        return true;
    case PassoAvvio::FileIni:
        d.fileIni = PercorsoFileIni(d.cartellaProgramma);
        return true;
    case PassoAvvio::FileSpediti:
        PreparaFileProgramma(p);
        return true;
    case PassoAvvio::OpzioniPagine:
        CaricaOpzioniPagine(d.fileIni, d.web);
        return true;
    case PassoAvvio::Nazioni:
        d.nazioni = CaricaElencoNazioni(d.fileIni);
        return true;
    case PassoAvvio::Colori:
        d.database.ColoriGriglia = CaricaColoriGriglia(d.fileIni);
        return true;
    case PassoAvvio::Riferimento:
        if (!ControllaRiferimento(d.database, d.messaggi, p, g.aggiornamento)) {
            r.esito = EsitoAvvio::AggiornamentoMancato;
            return false;
        }
        return true;
    case PassoAvvio::IndirizziWeb:
        LeggiIndirizziWeb(d.fileIni, d.web);
        d.web.SecondiAttesa = LeggiSecondiAttesa(d.fileIni);
        return true;
    case PassoAvvio::FileDataBase:
        // One temporary folder for the whole program.
        ImpostaFileDataBase(d.database, d.cartellaProgramma, NomeProgramma);
        d.web.CartellaTemp = d.database.CartellaTemp;
        return true;
    case PassoAvvio::ApriDataBase:
        // A missing archive is never replaced by an empty one: it may be on a
        // drive that is not mounted, and a batch would fill the empty copy.
        r.archivioMancante = !QFileInfo::exists(d.database.FileDataBase);
        d.database.DatabaseAperto = !r.archivioMancante && ApriDataBase(d.database);
        return true;
    case PassoAvvio::NazioniCee:
        if (d.database.DatabaseAperto) CaricaNazioniCee(d.database, d.messaggi);
        return true;
    case PassoAvvio::PrimoAvvio:
    case PassoAvvio::DimensioniFisse:
    case PassoAvvio::Posizione:
    case PassoAvvio::Titolo:
    case PassoAvvio::Password:
    case PassoAvvio::MenuDatabase:
        return true; // window steps only
    }
    return true;
}

} // namespace

RisultatoAvvio EseguiAvvio(DatiAvvio& dati, const GanciAvvio& ganci) {
    static constexpr PassoAvvio kOrdine[] = {
        // The shipped files come after the first-run step, which tells a first
        // run by the configuration file that does not exist yet.
        PassoAvvio::CartellaProgramma, PassoAvvio::FileIni,      PassoAvvio::PrimoAvvio,
        PassoAvvio::DimensioniFisse,   PassoAvvio::Posizione,    PassoAvvio::Titolo,
        PassoAvvio::OpzioniPagine,     PassoAvvio::Nazioni,      PassoAvvio::Colori,
        PassoAvvio::Password,          PassoAvvio::FileSpediti,  PassoAvvio::Riferimento,
        PassoAvvio::IndirizziWeb,      PassoAvvio::FileDataBase, PassoAvvio::ApriDataBase,
        PassoAvvio::MenuDatabase,      PassoAvvio::NazioniCee,
    };
    RisultatoAvvio r;
    for (const PassoAvvio passo : kOrdine) {
        r.ultimo = passo;
        if (!passoCore(passo, dati, ganci, r)) return r;
        if (ganci.finestra && !ganci.finestra(passo)) {
            r.esito = EsitoAvvio::Interrotto;
            return r;
        }
    }
    return r;
}

} // namespace qv
