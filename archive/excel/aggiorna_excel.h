#pragma once
// The status update of a workbook: the MRNs of the named sheet whose status
// cell is blank are collected into "XlsChk.txt", queried (several at once,
// handed on in their order), and
// the word of every MRN that reached a final state is written into its row;
// the workbook is saved in place at the end. The window GesExcel and
// `quorvan-cli excel` both run it through AggiornaFileExcel.

#include "archive/elabora_elenco.h"
#include "archive/interrogazioni_parallele.h"
#include "archive/excel/errore_cartella.h"

#include <QString>

#include <array>
#include <functional>
#include <span>

namespace qv {

class FileAperti;
class FoglioExcel;
class Messaggi;
struct AmbienteWeb;
struct StatoWeb;

// The four keys of section "AGGEXCEL".
struct ParametriExcel {
    QString file;   // "EXCEL": full path of the workbook
    QString foglio; // "FOGLIO": the worksheet's name
    int colMrn = 0; // "COLMRN": column of the MRNs, 1 = A
    int colSts = 0; // "COLSTS": column receiving the status word
};

ParametriExcel LeggiParametriExcel(const QString& fileIni);
void ScriviParametriExcel(const QString& fileIni, const ParametriExcel& p);

// The window's fields, by number.
inline constexpr int CampoFoglio = 1;
inline constexpr int CampoColonnaMrn = 2;
inline constexpr int CampoColonnaStato = 3;

struct ControlloExcel {
    int campo = 0;    // the field to go back to; 0 when all is well
    QString messaggio;
    explicit operator bool() const { return campo == 0; }
};

// The check of one field as it is left (CampoFoglio opens the workbook and
// looks the sheet up, leaving the file as it was), or of all three with
// campo = 0, in the window's order.
ControlloExcel ControllaParametri(const ParametriExcel& p, int campo = 0);
// Title of a field check's message: the program's name upper-cased +
// " -ERRORE N. " + the field number.
QString TitoloControlloExcel(const QString& programma, int campo);

struct CallbackExcel {
    // "Estrazione MRN da appurare in corso ...", then "Elaborazione di " +
    // total + " MRN in corso ..." when the enquiries start.
    std::function<void(const QString& testo)> fase;
    // Before each enquiry; TestoAvanzamento gives the progress text.
    std::function<void(const AvanzamentoElenco&)> avanzamento;
    // Tested before each row collected and before each MRN's enquiry starts.
    std::function<bool()> annullato;
    // A server asked to slow down (TestoRallentamento).
    std::function<void(const QString&)> avviso;
    // Enquiries in flight at once; 0: "CONNESSIONI" of "ELEMRN".
    int connessioni = 0;
};

// How the MRNs are queried: one at a time or several at once, handed on in
// list order either way (interrogazioni_parallele.h).
using GiroExcel = std::function<FineGiro(const GiroInterrogazioni&)>;

enum class FineExcel {
    Completato,          // every MRN collected was queried
    Annullato,           // the cancel flag stopped it (words written so far saved)
    SenzaRete,           // an enquiry found no connection (words written so far saved)
    ErroreLettura,       // the workbook could not be opened or read: untouched
    ErroreAggiornamento, // an error while querying or saving
};

struct RisultatoExcel {
    FineExcel fine = FineExcel::Completato;
    qint64 totale = 0;                 // MRNs in the work file
    std::array<qint64, 4> conteggi{};  // by state 0..3
    qint64 scritti = 0;                // words written into the sheet
    ErroreExcel errore;                // what stopped it (ErroreLettura, ErroreAggiornamento)
    QString messaggio;                 // the enquiry's message when it found no connection
    bool salvato = false;              // the workbook was written back
};

// Collects into `fileLavoro` the MRN cell (trimmed) of each row, from row
// 1 to the first row whose column A is blank, whose status cell is blank
// and MRN cell is not. Returns the MRNs written; -1 when the work file
// cannot be written (errore set) or the cancel flag stopped it (annullato).
qint64 LeggiMrnExcel(const FoglioExcel& foglio, int colMrn, int colSts, const QString& fileLavoro,
                     const std::function<bool()>& annullato, bool& fermato, ErroreExcel& errore);

// Writes `parola` into the status cell of the row holding `mrn`: the rows
// after `rigaPrecedente` up to the first with column A blank, then rows 1
// to `rigaPrecedente` (excluded). A row found by the first search becomes
// `rigaPrecedente`. False when no row holds the MRN.
bool ScriviStatoExcel(FoglioExcel& foglio, const QString& mrn, int colMrn, int colSts, const QString& parola,
                      qint64& rigaPrecedente);

// Queries the MRNs of `fileLavoro` (read through ApriFile) and writes their
// words into `foglio`; the counts, the stop reason and the total in `r`.
void AggiornaExcel(FoglioExcel& foglio, const ParametriExcel& p, const QString& fileLavoro, const GiroExcel& giro,
                   std::span<const QString> esito, std::span<const QString> titolo, FileAperti& files,
                   Messaggi& messaggi, const CallbackExcel& callback, RisultatoExcel& r);

// The whole update: checks, the lock files of another program (the
// workbook is then left alone), .xls/.ods through LibreOffice, collection
// into `cartellaTemp` + "XlsChk.txt", the enquiries, the save.
RisultatoExcel AggiornaFileExcel(const ParametriExcel& p, const QString& cartellaTemp, const GiroExcel& giro,
                                 std::span<const QString> esito, std::span<const QString> titolo, FileAperti& files,
                                 Messaggi& messaggi, const CallbackExcel& callback = {});
// The same one enquiry at a time through `interroga` (scripted in tests).
RisultatoExcel AggiornaFileExcel(const ParametriExcel& p, const QString& cartellaTemp, const Interroga& interroga,
                                 std::span<const QString> esito, std::span<const QString> titolo, FileAperti& files,
                                 Messaggi& messaggi, const CallbackExcel& callback = {});
// The same through InterrogaCodice, `callback.connessioni` enquiries in flight.
RisultatoExcel AggiornaFileExcel(const ParametriExcel& p, StatoWeb& web, const AmbienteWeb& ambiente,
                                 FileAperti& files, Messaggi& messaggi, const CallbackExcel& callback = {});

// The result panel's text (TestoRiepilogoExcel of the counts).
QString RiepilogoExcel(const RisultatoExcel& r);
// "Aggiornamento regolarmente eseguito", "Aggiornamento annullato
// dall'Operatore" or "ERRORI in fase di Aggiornamento"; for an update that
// could not start, "Errore: " + number + " - " + description.
QString MessaggioFineExcel(const RisultatoExcel& r);

} // namespace qv
