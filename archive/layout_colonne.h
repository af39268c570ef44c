#pragma once
// Column widths of a grid kept in the database table LayOutCol, one row per
// window: field 0 the window's name (index "primaria"), field i + 1 the
// width of column i in twips. Fields are addressed by position. A table that
// is missing or cannot be opened simply keeps nothing: no message.

#include <QList>
#include <QString>

namespace qv {

struct StatoDatabase;

// The stored widths of `colonne` columns (0 where nothing usable is stored);
// an empty list when the window has no row or the table cannot be read.
QList<int> LeggiLayOut(StatoDatabase& s, const QString& chiave, int colonne);

// Stores every width (whole twips) under `chiave`, adding the row when
// missing. Columns beyond the table's fields are not stored. False when
// nothing could be stored.
bool SalvaLayOut(StatoDatabase& s, const QString& chiave, const QList<int>& larghezze);

} // namespace qv
