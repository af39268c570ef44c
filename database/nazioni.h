#pragma once
// The table Nazioni (code, Italian name, flag image path) and the shared
// procedures that open, close and write it. The list of the configuration
// file lives in shell/elenco_nazioni.h.

#include "database/stato_database.h"
#include "shell/messaggi.h"

#include <QString>

namespace qv {

// Opens Nazioni into RsNazioni with Retry/Cancel ("ERRORE IN APERTURA
// TABELLA NAZIONI"); sets NazioniAperta.
void ApriNazioni(StatoDatabase& s, Messaggi& m);
void ChiudiNazioni(StatoDatabase& s);
// Upsert of one nation: Descrizione trimmed, Bandiera "Images\flag_" + code + ".gif".
void ScriviNazione(StatoDatabase& s, const QString& codice, const QString& descrizione);
// Start-up: the 27 default nations written (added or refreshed) in the table.
void CaricaNazioniCee(StatoDatabase& s, Messaggi& m);

QString BandieraDi(const QString& codice); // "Images\flag_IT.gif"

} // namespace qv
