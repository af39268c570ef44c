#pragma once
// The schema upgrade made safe against a process killed half-way: the
// working database is held for the program alone, copied consistently
// beside itself, the upgrade (EseguiAggiornamento) runs on the copy, and a
// completed copy takes the working file's place with one rename. A run that
// fails or is refused leaves the working file exactly as it was, so the
// next run starts from there. Log lines and messages name the working file,
// never the copy.

#include "database/aggiorna_db.h"
#include "database/stato_database.h"
#include "shell/messaggi.h"

#include <QString>

namespace qv {

QString FileAggiornamento(const QString& lavoro); // lavoro + ".aggiorna~"

// As EseguiAggiornamento (same questions, log lines and outcome in
// StatoChiamata). The program's connection, when open, is closed around the
// run and reopened (DatabaseAperto). The compaction a manual run offers
// runs after the upgraded file is in place. A working file another process
// holds: the engine's text (title "ERRORE in aggiornamento") and its number
// in StatoChiamata.
void EseguiAggiornamentoSuCopia(StatoDatabase& s, Messaggi& m, const QString& riferimento, const QString& lavoro,
                                bool automatico, const UscitaAggiornamento& uscita);

// AggiornaInAutomatico on a copy: start-up's run, for its upgrade hook.
void AggiornaInAutomaticoSuCopia(StatoDatabase& s, Messaggi& m, const QString& cartella, const QString& nome,
                                 const UscitaAggiornamento& uscita);

} // namespace qv
