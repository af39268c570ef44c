#pragma once
// Compaction of the working database, offered by the upgrade window after a
// manual upgrade and run in its log: the file copied compacted beside
// itself (SQLite's VACUUM INTO the "~.mdb" file), statistics gathered for
// the query planner, then put in the working file's place with one rename.

#include "database/aggiorna_db.h"
#include "database/stato_database.h"
#include "shell/messaggi.h"

#include <QString>

namespace qv {

// The working path less its last four characters (the extension with its
// dot) + "~.mdb".
QString FileCompattamento(const QString& percorso);

// Compacts `percorso` with the program's connection closed around it.
// Returns 0 when done (DatabaseAperto from the reopening), else the error
// number: the message has then been shown (the engine's own text when
// another process holds the file, else the generic one), percorso + " NON
// compattato" logged, and the database left closed (DatabaseAperto false).
// A leftover "~.mdb" makes it fail until that file is removed.
int CompattaDataBase(StatoDatabase& s, Messaggi& m, const QString& percorso, const UscitaAggiornamento& u);

// The failure handling compaction and repair share: `generico` +
// percorso + line feed + "CHIEDERE L'INTERVENTO DEL SISTEMISTA" unless the
// error says someone else holds the file; shown, and the database left
// closed. Returns the error number.
int ErroreManutenzione(StatoDatabase& s, Messaggi& m, int numero, const QString& descrizione,
                       const QString& generico, const QString& percorso);

// One more log line, then window messages let through (the list refreshed).
void RigaManutenzione(const UscitaAggiornamento& u, const QString& testo);

} // namespace qv
