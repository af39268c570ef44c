// quorvan-cli requery [--state 0|2] [--nation XX] [--year YY] [--kind E|T]
//     [--from D/M/Y] [--to D/M/Y] [--code FRAGMENT] [--connections N] [--json]
//
// The archive browser's INTERROGA, unattended: the codes the archive shows
// with these filters (state "IN SOSPESO" unless told "ERRATI") are written to
// "ListaVAT.txt" in the temporary folder, then queried again as a batch in
// the context "INTERROGA ELENCO DA DATABASE" into the archive. Output and
// exit status as for batch; --json prints one summary line instead:
//   {"asked":n,"total":t,"states":{"IN SOSPESO":a,"CANCELLATI":b,"ERRATI":c,"CONCLUSI":d},
//    "lost":l,"not_stored":m,"end":"completed","seconds":12.3}

#include "archive/colonne_griglia.h"
#include "archive/elabora_elenco.h"
#include "archive/esportazioni.h"
#include "archive/estrazione_archivio.h"
#include "cli/avvio.h"
#include "cli/comandi.h"
#include "database/file_database.h"

#include <QDir>
#include <QTextStream>

namespace qv::cli {

namespace {
const char* const kUso =
    "usage: quorvan-cli [--home DIR] requery [--state 0|2] [--nation XX] [--year YY] "
    "[--kind E|T] [--from D/M/Y] [--to D/M/Y] [--code FRAGMENT] [--connections N] [--json]";
} // namespace

int ComandoRequery(const QStringList& argomenti, const QString& home) {
    QTextStream err(stderr);
    FiltriCli filtri;
    filtri.filtri.stato = kStatoSospeso;
    QStringList resto;
    QString errore;
    // The run's own options first; the rest are the browser's filters.
    OpzioniElencoCli opzioni;
    opzioni.comando = "requery";
    QStringList filtriDati;
    for (int i = 0; i < argomenti.size(); ++i) {
        if (argomenti.at(i) == QLatin1String("--json")) {
            opzioni.json = true;
        } else if (argomenti.at(i) == QLatin1String("--connections")) {
            if (!LeggiConnessioniCli(argomenti, i, opzioni.connessioni, errore)) {
                err << "quorvan-cli requery: " << errore << '\n' << kUso << Qt::endl;
                return kErroreUso;
            }
        } else {
            filtriDati << argomenti.at(i);
        }
    }
    if (!LeggiFiltriCli(filtriDati, filtri, resto, errore)) {
        err << "quorvan-cli requery: " << errore << '\n' << kUso << Qt::endl;
        return kErroreUso;
    }
    if (!resto.isEmpty() || !filtri.modo.archivio) {
        err << "quorvan-cli requery: unexpected argument "
            << (resto.isEmpty() ? QStringLiteral("--table") : resto.first()) << '\n'
            << kUso << Qt::endl;
        return kErroreUso;
    }
    // Only pending and erroneous MRNs can be queried again, as in the browser.
    if (filtri.filtri.stato != kStatoSospeso && filtri.filtri.stato != kStatoErrato) {
        err << "quorvan-cli requery: --state wants 0 (IN SOSPESO) or 2 (ERRATI)\n" << kUso << Qt::endl;
        return kErroreUso;
    }

    AmbienteCli ambiente;
    StatoDatabase& database = ambiente.database;
    if (const int stato = AvviaArchivioCli(ambiente, home, "requery", true)) return stato;
    ambiente.web.ContestoWeb = ContestoElencoDatabase;

    const QString lista = database.CartellaTemp + QStringLiteral("ListaVAT.txt");
    const RisultatoEsportazione scritta =
        EsportaLista(database, ambiente.messaggi,
                     SqlEstrazione(filtri.modo, filtri.filtri, {}, QDate::currentDate()), lista, false);
    if (scritta.esito != EsitoEsportazione::Fatto) {
        ChiudiDataBase(database);
        // "NESSUN DATO DA ESPORTARE" and "Il file è già aperto" were shown on stderr already.
        if (scritta.esito == EsitoEsportazione::Errore) {
            err << "quorvan-cli requery: the database refused the extraction" << Qt::endl;
            return kErroreArchivio;
        }
        return scritta.esito == EsitoEsportazione::NessunDato ? kNessunDato : kErroreElenco;
    }

    const int stato =
        EseguiElencoCli(ambiente, database, lista, Destinazione::Database, QStringLiteral("|"), opzioni);
    ChiudiDataBase(database);
    return stato;
}

} // namespace qv::cli
