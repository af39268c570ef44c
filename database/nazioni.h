#pragma once
// The table Nazioni (code, Italian name, flag image path) and the shared
// procedures that open, close and write it. The list of the configuration
// file lives in shell/elenco_nazioni.h.

#include "database/stato_database.h"
#include "shell/elenco_nazioni.h"
#include "shell/messaggi.h"

#include <QString>
#include <QStringList>

#include <optional>

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
// The file a Bandiera value names, under the program folder ("\" or "/").
QString PercorsoBandiera(const QString& cartellaProgramma, const QString& bandiera);

// One row of Nazioni as the windows show it (Descrizione trimmed).
struct Nazione {
    QString codice;
    QString descrizione;
    QString bandiera;
};

// The maintenance window's procedures, on RsNazioni (nothing when it is not open).
// Look-up of a typed code: Seek ">=" and the record found only when its code
// begins with the typed one ("I" finds IE in the default table).
std::optional<Nazione> CercaNazione(StatoDatabase& s, const QString& prefisso);
// The nation after (Seek ">") or before (Seek "<") `codice`.
std::optional<Nazione> NazioneVicina(StatoDatabase& s, const QString& codice, bool successiva);
// "&CONFERMA": in a transaction of WsLavoro, the nation added or changed;
// a blank description is stored as one blank; Bandiera is not written (a
// nation entered by hand has none). The engine's error when it failed, with
// nothing written.
std::optional<dao::ErroreDao> ConfermaNazione(StatoDatabase& s, const QString& codice,
                                              const QString& descrizione);
// "&ELIMINA": the nation deleted when it is there.
std::optional<dao::ErroreDao> EliminaNazione(StatoDatabase& s, const QString& codice);

// The list's record source: sorted on Codice (column 0) or Descrizione
// (column 1), direction 1 ascending, 2 descending.
QString SqlElencoNazioni(int colonna, int direzione);

// The look-up window's combo: "IT - ITALIA", from the configuration lists
// (indexes 0 to the last minus one) or from the table in its index order.
QStringList VociNazioni(const ElencoNazioni& elenco);
QStringList VociNazioni(StatoDatabase& s);
// Index of a code among those the look-up offers; -1 when it is not there.
int IndiceNazione(const ElencoNazioni& elenco, const QString& codice);

} // namespace qv
