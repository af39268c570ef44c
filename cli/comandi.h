#pragma once
// The commands of quorvan-cli. Each lives in a file of its own and is listed
// once in the table of main.cpp.

#include "archive/estrazione_archivio.h"

#include <QString>
#include <QStringList>

namespace qv {
enum class Destinazione;
struct StatoDatabase;
} // namespace qv

namespace qv::cli {

// Exit status of a command line that cannot be understood.
inline constexpr int kErroreUso = 2;
// Exit status when the program folder cannot be used.
inline constexpr int kErroreAvvio = 3;
// Exit status when another process holds the database, or another run works
// on the same archive.
inline constexpr int kOccupato = 6;

// `argomenti` are the words after the command's name; `home` is --home or
// empty. Returns the program's exit status.
using FunzioneComando = int (*)(const QStringList& argomenti, const QString& home);

struct Comando {
    const char* nome;
    const char* uso; // the arguments, for the usage text
    FunzioneComando esegui;
};

// query CODE [--json]: one enquiry in the single-enquiry context. Exit
// status = the outcome (0, 1, 9).
int ComandoQuery(const QStringList& argomenti, const QString& home);

// The archive commands (comando_batch.cpp, comando_export.cpp,
// comando_requery.cpp). Exit status: 0 done, 9 stopped with no connection
// (what was done is merged), and the values below.
inline constexpr int kNessunDato = 1;     // nothing to export or to query again
inline constexpr int kErroreElenco = 4;   // list missing, empty or unreadable; file that cannot be written
inline constexpr int kErroreArchivio = 5; // database not open, or the merge failed
inline constexpr int kInterrotto = 130;   // stopped by Ctrl+C between two MRNs

// batch LISTFILE --dest file|print|db [--sep C] [--connections N]: a list run in the context
// "INTERROGA ELENCO MANUALE".
int ComandoBatch(const QStringList& argomenti, const QString& home);
// export csv|list [filters] [--table MRN|WkMRN] [--out PATH]
int ComandoExport(const QStringList& argomenti, const QString& home);
// requery [--state 0|2] [filters] [--connections N] [--json]: the shown
// codes queried again into the archive.
int ComandoRequery(const QStringList& argomenti, const QString& home);

// excel WORKBOOK --sheet NAME --mrn-col N --status-col M [--json]: the
// workbook's status column brought up to date. Exit status: 0 done, 9 and
// 130 as above (the words written so far saved), and this one when the
// workbook is missing, unreadable, open in another program, without that
// sheet, or cannot be written back (the workbook is then untouched).
inline constexpr int kErroreCartella = 4;
int ComandoExcel(const QStringList& argomenti, const QString& home);

// The DataBase menu's maintenance (comando_manutenzione.cpp): backup [--to
// PATH], restore [--from PATH], compact, repair, upgrade. Exit status: 0
// done, 3 start-up unusable, 5 (kErroreArchivio) the operation failed, and
// kOccupato when another process holds the database.
int ComandoBackup(const QStringList& argomenti, const QString& home);
int ComandoRestore(const QStringList& argomenti, const QString& home);
int ComandoCompact(const QStringList& argomenti, const QString& home);
int ComandoRepair(const QStringList& argomenti, const QString& home);
int ComandoUpgrade(const QStringList& argomenti, const QString& home);
// check-update [--json]: the update check (comando_aggiornamenti.cpp). Exit
// status: 0 checked, 3 start-up unusable, 5 the versions page not read.
int ComandoCheckUpdate(const QStringList& argomenti, const QString& home);

struct AmbienteCli;
// The start-up of the archive commands: AvviaAmbiente, then a check that
// the database opened. Returns 0, or the exit status when `comando` cannot
// go on (the reason on stderr); with `databaseNecessario` a database that
// did not open is such a reason.
int AvviaArchivioCli(AmbienteCli& ambiente, const QString& home, const char* comando,
                     bool databaseNecessario);
// What batch and requery share on their command lines.
struct OpzioniElencoCli {
    const char* comando = "batch"; // for messages and the log
    int connessioni = 0;           // --connections; 0: "CONNESSIONI" of "ELEMRN"
    bool json = false;             // requery --json: one summary line
};
// Reads "--connections N" (1 to 8) at `i`; false with `errore` for a bad value.
bool LeggiConnessioniCli(const QStringList& argomenti, int& i, int& connessioni, QString& errore);
// One list run into "EsitiDaEle.txt" or the archive, with progress on
// stderr and the summary on stdout, and its line in "Quorvan.log"; returns
// the exit status (kOccupato when another run works on the same archive).
int EseguiElencoCli(AmbienteCli& ambiente, StatoDatabase& database, const QString& elenco,
                    Destinazione destinazione, const QString& separatore = QStringLiteral("|"),
                    const OpzioniElencoCli& opzioni = {});

// The browser's filters as options: --state, --nation, --year, --kind,
// --from, --to, --code, --table. Other words go to `resto`. False with
// `errore` for a bad value (dates get the browser's messages).
struct FiltriCli {
    FiltriArchivio filtri;
    ModoBrowser modo;
};
bool LeggiFiltriCli(const QStringList& argomenti, FiltriCli& filtri, QStringList& resto, QString& errore);

} // namespace qv::cli
