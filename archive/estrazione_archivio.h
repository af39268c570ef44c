#pragma once
// The archive browser's extraction, without its window: the two modes, the
// caption with the row count, and the count itself, run through the
// database engine on the SQL built by EstraiMrnSql/ImpostaOrdineSql.

#include "archive/sql_archivio.h"

#include <QString>

namespace qv {

namespace dao {
class Database;
}

// The browser's mode: the archive (table MRN) or a batch's results (WkMRN).
struct ModoBrowser {
    bool archivio = true;

    QString tabella() const;         // "MRN" or "WkMRN"
    QString titolo() const;          // the window title of the mode
    int statoIniziale() const;       // 0 "IN SOSPESO" in the archive, 4 "TUTTI" for results
};

// The whole statement of an extraction: filters, then the sort.
QString SqlEstrazione(const ModoBrowser& modo, const FiltriArchivio& filtri, const OrdineArchivio& ordine,
                      const QDate& oggi);

// The rows of an extraction; -1 when the engine refused the statement.
// Give it the selection without its ORDER BY (EstraiMrnSql): the order
// changes nothing in a count and only makes it slower.
qint64 ContaEstrazione(dao::Database& db, const QString& selezione);

// Whether the plan SQLite makes for `sqlite` (its own text) holds `testo`
// in a step ("SCAN ", "TEMP B-TREE"). False when it cannot plan it.
bool PianoContiene(const dao::Database& db, const QString& sqlite, const QString& testo);

// The caption: the title alone with no rows, else the title +
// "         Totale MRN = " + count.
QString DidascaliaEstrazione(const QString& titolo, qint64 righe);

} // namespace qv
