#pragma once
// The grid colour sets: the four row colours of the configuration file and
// the colour dialog's sixteen custom colours kept in the table Colori (one
// row per byte of the 64-byte block).

#include "database/stato_database.h"
#include "shell/messaggi.h"

#include <QString>

#include <array>
#include <functional>
#include <optional>

namespace qv {

// Start-up: "COLORIGRID"/"COLORE0".."COLORE3", each replaced by its default
// when it reads as 0 (missing, empty, not numeric or 0). Nothing is written.
std::array<qint32, 4> CaricaColoriGriglia(const QString& fileIni);
// "&CONFERMA" of the colour window: one colour as decimal text.
void ScriviColoreGriglia(const QString& fileIni, int indice, qint32 colore);

// Opens Colori into RsColori (index "primaria"); unlike the other tables it
// is tried even without a database, and its message is "ERRORE IN APERTURA
// TABELLA 'COLORI'" + line feed + number + ": " + description, titled
// "Colori Personalizzati". Sets ColoriAperta.
void ApriColori(StatoDatabase& s, Messaggi& m);
void ChiudiColori(StatoDatabase& s);
// The block from the table (Seek "=" 0, then every row to the end).
void LeggiColoriPersonalizzati(StatoDatabase& s);
// The block into the table, one upsert per byte position 0..63.
void SalvaColoriPersonalizzati(StatoDatabase& s);

// The colour dialog: shows the custom colours (and may change them) and
// returns the chosen RGB value, or nothing when cancelled.
using DialogoColore = std::function<std::optional<quint32>(std::array<quint8, 64>& personalizzati)>;
// ScegliColore: the block loaded, the dialog shown, the block saved when a
// colour was chosen. Returns the colour as decimal text, empty when cancelled.
QString ScegliColore(StatoDatabase& s, Messaggi& m, const DialogoColore& dialogo);

} // namespace qv
