// quorvan-cli batch LISTFILE --dest file|print|db [--sep C]
//
// The batch window's run, unattended, in the context "INTERROGA ELENCO
// MANUALE": every item of the list is queried and its results go to
// "EsitiDaEle.txt" in the program folder (file: one delimited line per MRN;
// print: the readable report, left in that file) or to the archive (db).
// Progress goes to stderr, a summary to stdout. Ctrl+C stops the run
// between two MRNs, and what was done is still merged into the archive.
//
// Also the pieces requery shares: the database start-up and the run with
// its summary.

#include "archive/colonne_griglia.h"
#include "archive/elabora_elenco.h"
#include "archive/estrazione_archivio.h"
#include "archive/lavoro_wk.h"
#include "cli/avvio.h"
#include "cli/comandi.h"
#include "database/avvio_database.h"
#include "database/file_database.h"

#include <QDir>
#include <QTextStream>

#include <atomic>
#include <csignal>

namespace qv::cli {

namespace {

const char* const kUso = "usage: quorvan-cli [--home DIR] batch LISTFILE --dest file|print|db [--sep C]";

std::atomic<bool> interrotto{false};

extern "C" void fermaAlSegnale(int) { interrotto = true; }

} // namespace

int AvviaArchivioCli(AmbienteCli& ambiente, const QString& home, const char* comando, bool databaseNecessario) {
    if (!AvviaAmbiente(ambiente, home))
        return kErroreAvvio;
    const StatoDatabase& database = ambiente.database;
    QTextStream err(stderr);
    if (databaseNecessario && ambiente.archivioMancante)
        return kErroreAvvio; // AvviaAmbiente named the missing file
    if (databaseNecessario && !database.DatabaseAperto) {
        err << "quorvan-cli " << comando << ": the database " << QDir::toNativeSeparators(database.FileDataBase)
            << " cannot be opened" << Qt::endl;
        return kErroreArchivio;
    }
    return 0;
}

int EseguiElencoCli(AmbienteCli& ambiente, StatoDatabase& database, const QString& elenco,
                    Destinazione destinazione, const QString& separatore) {
    RichiestaElenco richiesta;
    richiesta.elenco = elenco;
    richiesta.separatore = separatore;
    richiesta.destinazione = destinazione;
    richiesta.fileEsiti = QDir(ambiente.cartellaProgramma).filePath(QString::fromLatin1(kFileEsiti));
    QTextStream err(stderr);
    QTextStream out(stdout);
    StatoArchivio archivio;
    LavoroWkMrn lavoro(archivio, database, ambiente.messaggi);

    interrotto = false;
    const auto precedente = std::signal(SIGINT, fermaAlSegnale);
    CallbackElenco cb;
    cb.inizio = [&err](qint64 totale) { err << TestoElaborazione(totale) << Qt::endl; };
    cb.avanzamento = [&err](const AvanzamentoElenco& a) { err << TestoAvanzamento(a) << Qt::endl; };
    cb.annullato = [] { return interrotto.load(); };
    const RisultatoElenco r = ElaboraElenco(richiesta, ambiente.web, ambiente.ambienteWeb(),
                                            database.DatabaseAperto ? &lavoro : nullptr, ambiente.fileAperti,
                                            ambiente.messaggi, cb);
    std::signal(SIGINT, precedente);

    out << TestoFineElenco(r, richiesta) << '\n';
    if (r.totale > 0 && richiesta.destinazione == Destinazione::Database) {
        QStringList stati;
        for (int s = 0; s < kStatoTutti; ++s) {
            FiltriArchivio f;
            f.stato = s;
            stati << VociStato().at(s) + QLatin1Char(' ') +
                         QString::number(ContaEstrazione(database.DbLavoro,
                                                         EstraiMrnSql(QStringLiteral("WkMRN"), f, QDate::currentDate())));
        }
        out << "states: " << stati.join(QStringLiteral(", ")) << '\n';
    }
    out.flush();

    switch (r.fine) {
    case FineElenco::Completato:
        return richiesta.destinazione == Destinazione::Database && !r.unito ? kErroreArchivio : 0;
    case FineElenco::Annullato:
        return kInterrotto;
    case FineElenco::SenzaRete:
        return 9;
    default:
        return kErroreElenco;
    }
}

int ComandoBatch(const QStringList& argomenti, const QString& home) {
    QTextStream err(stderr);
    QString elenco;
    QString destinazione;
    QString separatore = QStringLiteral("|");
    for (int i = 0; i < argomenti.size(); ++i) {
        const QString& a = argomenti.at(i);
        const bool conValore = i + 1 < argomenti.size();
        if (a == QLatin1String("--dest") && conValore) {
            destinazione = argomenti.at(++i);
        } else if (a == QLatin1String("--sep") && conValore) {
            separatore = argomenti.at(++i);
        } else if (!a.startsWith(QLatin1String("--")) && elenco.isEmpty()) {
            elenco = a;
        } else {
            err << "quorvan-cli batch: unexpected argument " << a << '\n' << kUso << Qt::endl;
            return kErroreUso;
        }
    }
    Destinazione d;
    if (destinazione == QLatin1String("file"))
        d = Destinazione::File;
    else if (destinazione == QLatin1String("print"))
        d = Destinazione::Stampa;
    else if (destinazione == QLatin1String("db"))
        d = Destinazione::Database;
    else {
        err << kUso << Qt::endl;
        return kErroreUso;
    }
    if (elenco.isEmpty()) {
        err << kUso << Qt::endl;
        return kErroreUso;
    }
    // The list is named from where the command was given, before the
    // program folder becomes the current one.
    elenco = QDir::current().absoluteFilePath(elenco);

    AmbienteCli ambiente;
    StatoDatabase& database = ambiente.database;
    if (const int stato = AvviaArchivioCli(ambiente, home, "batch", d == Destinazione::Database))
        return stato;
    ambiente.web.ContestoWeb = ContestoElencoManuale;
    const int stato = EseguiElencoCli(ambiente, database, elenco, d, separatore);
    ChiudiDataBase(database);
    return stato;
}

} // namespace qv::cli
