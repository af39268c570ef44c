#pragma once
// An extraction's order that no index gives, made by the program: the row
// numbers, the sort field and the code are read in one pass (SQLite's values
// as they are, no QVariant) and sorted here in memory. Asked for a page of
// such an order, SQLite sorts whole rows again for every page the grid reads;
// this sorts a few bytes per row, once. The order is the one SQLite gives the
// field: NULL, then numbers, then text compared as the NOCASE collation of the
// archive's fields does (ASCII letters without case, then the length), then
// binary data; rows with equal fields by code.

#include <QString>

#include <memory>
#include <vector>

namespace qv {

namespace dao {
class Database;
}

class OrdinatoreRighe {
public:
    // From `dueThread` rows on, the sort runs on two threads.
    explicit OrdinatoreRighe(size_t dueThread = 100000);
    ~OrdinatoreRighe();

    // The row numbers of `chiaviSqlite` (row number, field, code:
    // ChiaviOrdineSql translated) by the field, descending when asked, equal
    // fields by code ascending. Throws dao::ErroreDao when the engine refuses
    // the statement. The memory of a sort is kept for the next one (about 48
    // bytes a row): fresh memory costs a page fault for every page written.
    std::vector<qint64> ordina(const dao::Database& db, const QString& chiaviSqlite, bool discendente);

private:
    struct Voci;
    std::unique_ptr<Voci> voci_;
    size_t dueThread_;
};

} // namespace qv
