#pragma once
// The batch run: every item of an MRN list file is queried in turn and its
// results go to "EsitiDaEle.txt" (a delimited line, or a readable block) or
// to the work table, which is merged into the archive at the end. The batch
// window drives it and shows its progress; the CLI runs it unattended.

#include <QString>

#include <functional>
#include <span>

namespace qv {

class FileAperti;
class GetHtmPage;
class Messaggi;
class TabellaLavoro;
class Trasporto;
struct AmbienteWeb;
struct StatoWeb;

// Destination option of the batch window, by index.
enum class Destinazione { File = 0, Stampa = 1, Database = 2 };

inline constexpr char kFileEsiti[] = "EsitiDaEle.txt";

struct RichiestaElenco {
    QString elenco;     // list file
    QString separatore; // FILE destination; "|" when blank
    Destinazione destinazione = Destinazione::File;
    QString fileEsiti;   // the program folder's "EsitiDaEle.txt"
    int connessioni = 1; // enquiries in flight at once ("CONNESSIONI", --connections)
};

// Why a run ended.
enum class FineElenco {
    Completato,        // every item was queried
    Annullato,         // the cancel flag stopped it between two MRNs
    SenzaRete,         // an enquiry found no usable connection
    ElencoMancante,    // the list file does not exist
    ElencoVuoto,       // the list file is empty or holds no item
    ElencoIlleggibile, // the list file could not be opened
    EsitiNonScrivibili // the results file could not be created
};

struct AvanzamentoElenco {
    qint64 numero = 0; // 1-based number of the MRN about to be queried
    qint64 totale = 0;
    QString mrn;
};

struct CallbackElenco {
    // After the count pass: "Elaborazione di " + totale + " MRN in corso ...".
    std::function<void(qint64 totale)> inizio;
    // As each MRN is handed on, in list order.
    std::function<void(const AvanzamentoElenco&)> avanzamento;
    // Tested before each MRN's enquiry starts; true starts no more (those in
    // flight are still handed on).
    std::function<bool()> annullato;
    // A server asked to slow down (TestoRallentamento).
    std::function<void(const QString&)> avviso;
};

struct RisultatoElenco {
    qint64 numero = 0;         // MRNs counted (the one that found no connection included)
    qint64 totale = 0;         // items of the count pass
    qint64 scartati = 0;       // items that could not be codes, skipped
    qint64 nonMemorizzati = 0; // D.B.: MRNs queried whose work row is not in the work table
    FineElenco fine = FineElenco::Completato;
    QString messaggio;          // the enquiry's message when it found no connection
    bool unito = false;         // the work table was merged into the archive
    bool erroreLettura = false; // the list stopped early on a read error
};

// One enquiry: returns 0, 1 or 9 and leaves its results in `esito`/`titolo`.
using Interroga = std::function<int(const QString& codice)>;

// The run itself. `interroga` queries one code and fills `esito` (0..19) and
// `titolo` (0..7); `lavoro` is the work table (nothing when there is no
// database). Files are opened through ApriFile in `files`.
RisultatoElenco ElaboraElenco(const RichiestaElenco& richiesta, const Interroga& interroga,
                              std::span<const QString> esito, std::span<const QString> titolo,
                              TabellaLavoro* lavoro, FileAperti& files, Messaggi& messaggi,
                              const CallbackElenco& callback = {});

// The same run through InterrogaCodice, `richiesta.connessioni` enquiries
// in flight at once over `rete` (interrogazioni_parallele.h); the results
// are those of a run one at a time.
RisultatoElenco ElaboraElenco(const RichiestaElenco& richiesta, StatoWeb& web, const AmbienteWeb& ambiente,
                              Trasporto& rete, TabellaLavoro* lavoro, FileAperti& files, Messaggi& messaggi,
                              const CallbackElenco& callback = {});
// The same over the network (TrasportoRete with the request time-out of `web`).
RisultatoElenco ElaboraElenco(const RichiestaElenco& richiesta, StatoWeb& web, const AmbienteWeb& ambiente,
                              TabellaLavoro* lavoro, FileAperti& files, Messaggi& messaggi,
                              const CallbackElenco& callback = {});

// "Elaborazione di " + totale + " MRN in corso ...".
QString TestoElaborazione(qint64 totale);
// "Interrogo MRN numero " + mrn + "     (" + n + "/" + totale + ")".
QString TestoAvanzamento(const AvanzamentoElenco& a);
// A sentence for how the run ended ("Elaborati n MRN", the cancel, the list's fault, ...).
QString DescriviFine(const RisultatoElenco& r, const QString& elenco);
// The summary of a run, one line each: "MRN: n/total", "skipped: k",
// "not stored: m", "end: " + DescriviFine, then, when the list held items,
// "archive: merged" (or "NOT updated") for D.B. or "results: " + the results
// file for the other destinations. No line break after the last line.
// The unattended program's labels are English and stable for scripts; the
// batch window shows the same lines with the program's Italian labels
// ("MRN elaborati: ", "Elementi scartati: ", "MRN non memorizzati: ", the
// end sentence alone, "Archivio aggiornato" or "Archivio NON aggiornato",
// "Risultati in: " + the results file).
enum class EtichetteFine { Cli, Finestra };
QString TestoFineElenco(const RisultatoElenco& r, const RichiestaElenco& richiesta,
                        EtichetteFine etichette = EtichetteFine::Cli);

} // namespace qv
