#pragma once
// Moving whole database files without ever leaving a half one in place: a
// consistent copy through SQLite's online backup, the file held for the
// program alone while it is replaced, and the replacement done as one
// rename, so that a process killed at any moment leaves either the old
// file or the new one, whole. Shared by compaction, repair, backup,
// restore and the upgrade.

#include "database/dao/blocco_file.h"

#include <QString>

struct sqlite3;

namespace qv {

// Error numbers of the runtime's file operations (the engine's own come
// from dao::errori), with the runtime's descriptions.
namespace erroriFile {
inline constexpr int FileNonTrovato = 53;     // "Impossibile trovare il file"
inline constexpr int AutorizzazioneNegata = 70;
inline constexpr int ErroreAccesso = 75;      // "Errore di accesso al percorso/file"
inline constexpr int PercorsoNonTrovato = 76; // "Impossibile trovare il percorso"
} // namespace erroriFile

// Throws dao::ErroreDao with a runtime file error and its description.
[[noreturn]] void sollevaErroreFile(int numero);

// True for the errors that mean someone else holds the file (3356, 3196).
bool erroreDiOccupazione(int numero);

// Copies the database `origine` to `destinazione` (replaced when present)
// with SQLite's online backup, page by page, so that the copy is the state
// of one moment even while others read the file. Throws dao::ErroreDao:
// 3024 missing, 3343 not a database, 3049 damaged, 3196 held by a writer,
// 76 destination folder missing, 75 destination not writable.
void CopiaConsistente(const QString& origine, const QString& destinazione);

// `percorso` for this program alone: the engine's companion lock taken
// exclusively and SQLite's own lock tried, which also rolls back a
// transaction a killed writer left behind. Throws 3196 while anyone else
// has it open (3356 when a writer holds it). The SQLite connection stays
// open, outside any transaction, for the caller's statements.
class PresaEsclusiva {
public:
    explicit PresaEsclusiva(const QString& percorso);
    ~PresaEsclusiva();
    PresaEsclusiva(const PresaEsclusiva&) = delete;
    PresaEsclusiva& operator=(const PresaEsclusiva&) = delete;

    sqlite3* db() const { return db_; }
    // Runs one statement; throws the engine's error.
    void esegui(const QString& sql);
    // The first column of the first row of a query, as text.
    QString valore(const QString& sql);
    void rilascia();

private:
    QString percorso_;
    dao::BloccoFile blocco_;
    sqlite3* db_ = nullptr;
};

// Puts the complete file `nuovo` in the place of `percorso` with one rename.
// With `conservato` the replaced file stays reachable under that name
// (a hard link made before the rename, a copy where links are not
// possible). Throws a runtime file error; `nuovo` is then left as it was.
void SostituisciFile(const QString& nuovo, const QString& percorso, const QString& conservato = QString());

// A test hook: when the environment variable QUORVAN_PROVA_INTERROMPI names
// `punto`, the process kills itself there, as a power cut or kill -9
// would. Without the variable it does nothing.
void PuntoInterruzione(const char* punto);

} // namespace qv
