#pragma once
// Orders no index gives, made by the program and kept for the window that
// asks for them. For a sort column it reads once, walking the table, each
// row's value reduced to its rank among the column's distinct values in the
// order SQLite gives them (NULL, numbers, text compared as the NOCASE
// collation of the archive's fields does, binary data), and once each row's
// place in code order (from the key index). A sort is then the selection's
// row numbers (from SQLite, through an index where it can) sorted as
// integers: rank, then place in code order. What was read is dropped as soon
// as the database changes (this connection's writes or another program's).

#include "archive/sql_archivio.h"

#include <QString>

#include <memory>
#include <optional>
#include <vector>

namespace qv {

namespace dao {
class Database;
}

class OrdinatoreRighe {
public:
    // From `dueThread` rows on, a sort runs on two threads.
    explicit OrdinatoreRighe(size_t dueThread = 100000);
    ~OrdinatoreRighe();

    // The row numbers of `selezione` (an extraction of EstraiMrnSql) in the
    // order given, equal fields by code. nullopt when the program cannot make
    // the order (another kind of statement, row numbers too scattered to be
    // held, the table changed while it was read): then SQLite sorts. Throws
    // dao::ErroreDao when the engine refuses a statement.
    std::optional<std::vector<qint64>> ordina(dao::Database& db, const QString& selezione,
                                              const OrdineArchivio& ordine);


private:
    struct Dati;
    std::unique_ptr<Dati> d_;
    size_t dueThread_;
};

} // namespace qv
