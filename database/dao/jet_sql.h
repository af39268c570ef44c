#pragma once
// The one translator from the SQL the program writes (the Jet dialect) to
// SQLite, keeping its meaning:
//   - names in brackets or bare become quoted identifiers (`name`); table and field
//     names compare without regard to case; so do text comparisons (string
//     literals carry COLLATE NOCASE) and LIKE;
//   - "Delete * From T", "DELETE T.* FROM T WHERE ..." become DELETE FROM T;
//   - "INSERT INTO T SELECT U.* FROM U ..." copies fields by name, as the Jet
//     engine does, not by position; a field T lacks is an error (3127);
//   - "... FROM T IN \"path\"" reads T from another database file;
//   - LIKE with "*", "?", "#" and "[...]" wildcards; left, right, mid, len,
//     ucase, lcase, trim, instr, iif, nz, date, now, year, month, day;
//     "&" joins text; #date# literals and True/False become numbers (dates
//     are day numbers, as the archive stores them).
// Whatever it cannot translate with the same meaning (TOP, DISTINCTROW,
// make-table and crosstab queries, unknown functions, joins in DELETE or
// UPDATE, ...) fails with ErroreDao and a description naming what it met.

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace qv::dao {

struct TabellaEsterna {
    QString alias;    // the schema name the statement reads it under
    QString percorso; // the file named after IN
};

struct SqlTradotto {
    enum class Tipo { Selezione, Eliminazione, Inserimento, Aggiornamento };
    Tipo tipo = Tipo::Selezione;
    QString sql;
    QList<TabellaEsterna> esterne;
    QStringList tabelle; // tables of this database named after FROM, in order
};

// Field names of a table, in order; `percorsoEsterno` is empty for the
// database the statement runs in. nullopt when there is no such table.
using ColonneDi = std::function<std::optional<QStringList>(const QString& tabella, const QString& percorsoEsterno)>;

// `ignoraErrori`: action statements skip failing rows instead of failing
// (the engine's behaviour without dbFailOnError).
SqlTradotto traduciJetSql(const QString& jet, const ColonneDi& colonne, bool ignoraErrori = false);

} // namespace qv::dao
