// quorvan-cli batch LISTFILE --dest file|print|db [--sep C] [--connections N]
//
// The batch window's run, unattended, in the context "INTERROGA ELENCO
// MANUALE": every item of the list is queried and its results go to
// "EsitiDaEle.txt" in the program folder (file: one delimited line per MRN;
// print: the readable report, left in that file) or to the archive (db).
// Progress goes to stderr, a summary to stdout. Ctrl+C stops the run
// Ctrl+C stops starting enquiries; those in flight are still handed on, and
// what was done is merged into the archive. Up to --connections enquiries
// (default "CONNESSIONI" of "ELEMRN", 4) are in flight at once.
//
// Also the pieces requery shares: the database start-up, the lock, the run
// with its summary (plain or JSON) and its line in "Quorvan.log".

#include "archive/colonne_griglia.h"
#include "archive/elabora_elenco.h"
#include "archive/estrazione_archivio.h"
#include "archive/giri_automatici.h"
#include "archive/lavoro_wk.h"
#include "archive/regole_attesa.h"
#include "cli/avvio.h"
#include "cli/comandi.h"
#include "database/avvio_database.h"
#include "database/file_database.h"

#include <QDir>
#include <QElapsedTimer>
#include <QTextStream>

#include <atomic>
#include <csignal>

namespace qv::cli {

namespace {

const char* const kUso =
    "usage: quorvan-cli [--home DIR] batch LISTFILE --dest file|print|db [--sep C] [--connections N]";

std::atomic<bool> interrotto{false};

extern "C" void fermaAlSegnale(int) {
    interrotto = true;
}

// A stable word for how a run ended, for the JSON summary.
const char* fineInInglese(FineElenco f) {
    switch (f) {
    case FineElenco::Completato:
        return "completed";
    case FineElenco::Annullato:
        return "cancelled";
    case FineElenco::SenzaRete:
        return "connection lost";
    case FineElenco::ElencoMancante:
        return "list missing";
    case FineElenco::ElencoVuoto:
        return "list empty";
    case FineElenco::ElencoIlleggibile:
        return "list unreadable";
    case FineElenco::EsitiNonScrivibili:
        return "results not writable";
    }
    return "";
}

int statoDiUscita(const RisultatoElenco& r, Destinazione destinazione) {
    switch (r.fine) {
    case FineElenco::Completato:
        return destinazione == Destinazione::Database && !r.unito ? kErroreArchivio : 0;
    case FineElenco::Annullato:
        return kInterrotto;
    case FineElenco::SenzaRete:
        return 9;
    default:
        return kErroreElenco;
    }
}

} // namespace

bool LeggiConnessioniCli(const QStringList& argomenti, int& i, int& connessioni, QString& errore) {
    bool ok = false;
    const int n = i + 1 < argomenti.size() ? argomenti.at(i + 1).toInt(&ok) : 0;
    if (!ok || n < 1 || n > kConnessioniMassime) {
        errore = QStringLiteral("--connections wants a number from 1 to %1").arg(kConnessioniMassime);
        return false;
    }
    connessioni = n;
    ++i;
    return true;
}

int AvviaArchivioCli(AmbienteCli& ambiente, const QString& home, const char* comando,
                     bool databaseNecessario) {
    if (!AvviaAmbiente(ambiente, home)) return kErroreAvvio;
    const StatoDatabase& database = ambiente.database;
    QTextStream err(stderr);
    if (databaseNecessario && ambiente.archivioMancante)
        return kErroreAvvio; // AvviaAmbiente named the missing file
    if (databaseNecessario && !database.DatabaseAperto) {
        err << "quorvan-cli " << comando << ": the database "
            << QDir::toNativeSeparators(database.FileDataBase) << " cannot be opened" << Qt::endl;
        return kErroreArchivio;
    }
    return 0;
}

int EseguiElencoCli(AmbienteCli& ambiente, StatoDatabase& database, const QString& elenco,
                    Destinazione destinazione, const QString& separatore, const OpzioniElencoCli& opzioni) {
    QTextStream err(stderr);
    QTextStream out(stdout);
    BloccoArchivio blocco;
    const QString beside = database.FileDataBase.isEmpty()
                               ? QDir(ambiente.cartellaProgramma).filePath(QStringLiteral("Quorvan"))
                               : database.FileDataBase;
    if (!blocco.prendi(beside)) {
        err << "quorvan-cli " << opzioni.comando << ": another run is working on this archive ("
            << QDir::toNativeSeparators(BloccoArchivio::percorsoBlocco(beside)) << ")" << Qt::endl;
        ScriviRegistro(ambiente.cartellaProgramma,
                       RigaRegistro(QDateTime::currentDateTime(), QString::fromLatin1(opzioni.comando),
                                    QStringLiteral("-"),
                                    QStringLiteral("exit 6, another run is working on this archive")));
        return kOccupato;
    }

    RichiestaElenco richiesta;
    richiesta.elenco = elenco;
    richiesta.separatore = separatore;
    richiesta.destinazione = destinazione;
    richiesta.fileEsiti = QDir(ambiente.cartellaProgramma).filePath(QString::fromLatin1(kFileEsiti));
    richiesta.connessioni =
        opzioni.connessioni > 0 ? opzioni.connessioni : LeggiConnessioni(ambiente.fileIni);
    StatoArchivio archivio;
    LavoroWkMrn lavoro(archivio, database, ambiente.messaggi);

    interrotto = false;
    const auto precedente = std::signal(SIGINT, fermaAlSegnale);
    CallbackElenco cb;
    cb.inizio = [&err](qint64 totale) { err << TestoElaborazione(totale) << Qt::endl; };
    cb.avanzamento = [&err](const AvanzamentoElenco& a) { err << TestoAvanzamento(a) << Qt::endl; };
    cb.annullato = [] { return interrotto.load(); };
    cb.avviso = [&err](const QString& testo) { err << testo << Qt::endl; };
    QElapsedTimer tempo;
    tempo.start();
    const RisultatoElenco r = ElaboraElenco(richiesta, ambiente.web, ambiente.ambienteWeb(),
                                            database.DatabaseAperto ? &lavoro : nullptr, ambiente.fileAperti,
                                            ambiente.messaggi, cb);
    const double secondi = double(tempo.elapsed()) / 1000.0;
    std::signal(SIGINT, precedente);

    // The work table's rows by state, for the archive.
    QStringList stati;
    QStringList statiJson;
    if (r.totale > 0 && richiesta.destinazione == Destinazione::Database) {
        for (int s = 0; s < kStatoTutti; ++s) {
            FiltriArchivio f;
            f.stato = s;
            const qint64 n = ContaEstrazione(database.DbLavoro,
                                             EstraiMrnSql(QStringLiteral("WkMRN"), f, QDate::currentDate()));
            stati << VociStato().at(s) + QLatin1Char(' ') + QString::number(n);
            statiJson << QLatin1Char('"') + VociStato().at(s) + QStringLiteral("\":") + QString::number(n);
        }
    }
    // The MRNs the lost connection kept from the archive: the one that found
    // it gone and those after it.
    const qint64 persi = r.fine == FineElenco::SenzaRete ? r.totale - r.numero + 1 : 0;
    const int stato = statoDiUscita(r, richiesta.destinazione);

    if (opzioni.json) {
        out << "{\"asked\":" << r.numero << ",\"total\":" << r.totale << ",\"states\":{"
            << statiJson.join(QLatin1Char(',')) << "},\"lost\":" << persi
            << ",\"not_stored\":" << r.nonMemorizzati << ",\"end\":\"" << fineInInglese(r.fine)
            << "\",\"seconds\":" << QString::number(secondi, 'f', 1) << "}\n";
    } else {
        out << TestoFineElenco(r, richiesta) << '\n';
        if (!stati.isEmpty()) out << "states: " << stati.join(QStringLiteral(", ")) << '\n';
    }
    out.flush();

    QString conteggi =
        QStringLiteral("MRN ") + QString::number(r.numero) + QLatin1Char('/') + QString::number(r.totale);
    if (!stati.isEmpty()) conteggi += QStringLiteral(", ") + stati.join(QStringLiteral(", "));
    conteggi += QStringLiteral(", lost ") + QString::number(persi) + QStringLiteral(", not stored ") +
                QString::number(r.nonMemorizzati) + QStringLiteral(", ") + QString::number(secondi, 'f', 1) +
                QStringLiteral(" s");
    if (!ScriviRegistro(ambiente.cartellaProgramma,
                        RigaRegistro(QDateTime::currentDateTime(), QString::fromLatin1(opzioni.comando),
                                     conteggi,
                                     QStringLiteral("exit ") + QString::number(stato) + QStringLiteral(", ") +
                                         DescriviFine(r, richiesta.elenco))))
        err << "quorvan-cli " << opzioni.comando << ": cannot write " << kFileRegistro << Qt::endl;
    return stato;
}

int ComandoBatch(const QStringList& argomenti, const QString& home) {
    QTextStream err(stderr);
    QString elenco;
    QString destinazione;
    QString separatore = QStringLiteral("|");
    OpzioniElencoCli opzioni;
    for (int i = 0; i < argomenti.size(); ++i) {
        const QString& a = argomenti.at(i);
        const bool conValore = i + 1 < argomenti.size();
        if (a == QLatin1String("--dest") && conValore) {
            destinazione = argomenti.at(++i);
        } else if (a == QLatin1String("--sep") && conValore) {
            separatore = argomenti.at(++i);
        } else if (a == QLatin1String("--connections")) {
            QString errore;
            if (!LeggiConnessioniCli(argomenti, i, opzioni.connessioni, errore)) {
                err << "quorvan-cli batch: " << errore << '\n' << kUso << Qt::endl;
                return kErroreUso;
            }
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
    const int stato = EseguiElencoCli(ambiente, database, elenco, d, separatore, opzioni);
    ChiudiDataBase(database);
    return stato;
}

} // namespace qv::cli
