#pragma once
// The SQL the archive writes, in the database's Jet dialect (the database
// layer translates it): the browser's extraction from its filters, the sort
// clause, the work-table statements and the deletion of one MRN. Text typed
// by the user is quoted with its single quotes doubled, so an apostrophe can
// neither break a statement nor widen it.

#include <QDate>
#include <QList>
#include <QString>

namespace qv {

// The browser's filter controls as the user left them.
struct FiltriArchivio {
    int stato = 4;         // index of the state entry: 0..3 a state, 4 "TUTTI"
    QString nazione;       // nation entry ("IT - ITALIA"), blank for none
    QString anno;          // two-digit year entry, blank for none
    QString tipo;          // "E", "T" or blank
    QString dal[3];        // day, month, year of the first processing date
    QString al[3];         // the same for the last one
    QString frammento;     // fragment of the MRN
};

// Sort state of the browser: column index and direction (1 ascending, 2 descending).
struct OrdineArchivio {
    int colonna = 0;
    int verso = 1;
};

QString RaddoppiaApici(const QString& testo);

// The selection without its ORDER BY: "Select * FROM " + table and the
// filter conditions. `oggi` is today's date (the last date's default).
QString EstraiMrnSql(const QString& tabella, const FiltriArchivio& filtri, const QDate& oggi);

// The selection with " ORDER BY " + field + " ASC"/" DESC", and ", Codice"
// when the sort column is beyond the second.
QString ImpostaOrdineSql(const QString& selezione, const OrdineArchivio& ordine);

// The selection with another select list ("rowid" for its row numbers):
// the same table and filters. Empty when `selezione` is not an extraction of
// EstraiMrnSql.
QString ElencoSql(const QString& selezione, const QString& elenco);

// The selection without its filters: its table whole.
QString SenzaFiltriSql(const QString& selezione);

// `sql` (a selection of these) with one more filter, `condizione`, beside
// those it has.
QString PiuFiltroSql(const QString& sql, const QString& condizione);

// The rows of the selection among `numeri` (row numbers), every field and
// then the row number. Empty for no numbers or a selection not of EstraiMrnSql.
QString RigheNumerateSql(const QString& selezione, const QList<qint64>& numeri);

// Work table and merge statements.
inline constexpr char kSvuotaWk[] = "Delete * From WkMRN";
inline constexpr char kUnioneElimina[] = "DELETE MRN.* FROM MRN WHERE MRN.Codice IN (SELECT Codice FROM WKMRN)";
inline constexpr char kUnioneInserisci[] =
    "INSERT INTO MRN SELECT WkMRN.* FROM WkMRN WHERE WkMRN.Codice NOT IN (SELECT Codice FROM MRN)";

// "DELETE * FROM MRN WHERE Codice = '<code>'".
QString EliminaMrnSql(const QString& codice);

} // namespace qv
