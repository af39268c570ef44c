#pragma once
// Repair of a database file (the window riparadb, "Recupero database"):
// SQLite's integrity check, then a sound file is rebuilt through a copy
// beside it and a damaged one recovered into a new file with every row
// that can still be read, the damaged original kept as name +
// ".danneggiato". Either way the new file takes the old one's place with
// one rename.

#include "database/aggiorna_db.h"
#include "database/stato_database.h"
#include "shell/messaggi.h"

#include <QString>

namespace qv {

// The window's check on leaving its path field: a path that is not empty
// and names no file gets "DataBase da recuperare inesistente". True when
// the path may stand.
bool ValidaDataBaseDaRiparare(Messaggi& m, const QString& percorso);

QString FileDanneggiato(const QString& percorso); // percorso + ".danneggiato"

// How a damaged file's rows are read: the sqlite3 program's ".recover"
// when it is installed (Automatico), or the library reading table by table
// and row by row, skipping what fails.
enum class Recupero { Automatico, ProgrammaSqlite3, Libreria };

// "&RECUPERA": repairs `percorso` with the program's connection closed
// around it. Returns 0 when done (logged percorso + " recuperato",
// DatabaseAperto from the reopening), else the error number with the
// message shown ("ERRORE IN FASE DI RECUPERO DEL DATABASE ", or the
// engine's text when another process holds the file) and the database
// left closed. An empty path fails with the generic message.
int RiparaDataBase(StatoDatabase& s, Messaggi& m, const QString& percorso, const UscitaAggiornamento& u,
                   Recupero via = Recupero::Automatico);

} // namespace qv
