#pragma once
// The rows of an extraction of the archive browser, a page at a time, in the
// extraction's order. When an index gives that order (the plan SQLite makes
// for the sorted statement sorts nothing), each page is read with LIMIT and
// OFFSET and the total is one count. Otherwise SQLite would sort the whole
// selection again for every page, so the program sorts the row numbers once
// (OrdinatoreRighe, which keeps what it read for the next sorts) and a page
// reads its rows by number; the total is the number of rows sorted. Each
// read is finished before it returns, so no read lock is held against the
// windows that write the archive.

#include "archive/ordine_righe.h"
#include "archive/sql_archivio.h"

#include <QList>
#include <QString>
#include <QVariant>

#include <vector>

namespace qv {

namespace dao {
class Database;
}

class PagineEstrazione {
public:
    explicit PagineEstrazione(dao::Database& db) : db_(db) {}

    // `selezione` is an extraction of EstraiMrnSql. False, and no rows, when
    // the engine refuses it.
    bool imposta(const QString& selezione, const OrdineArchivio& ordine);
    void svuota();

    qint64 totale() const { return totale_; }
    bool ordinataQui() const { return ordinataQui_; } // sorted by the program, not by an index
    // Rows primo .. primo + quante - 1 (fewer at the end), the fields in the
    // grid's column order. A row deleted since the sort comes back empty.
    QList<QVariantList> righe(qint64 primo, int quante) const;

private:
    QList<QVariantList> leggi(const QString& sqlite) const;

    dao::Database& db_;
    QString selezione_;
    QString tradotto_; // the sorted statement in SQLite's text; empty when refused
    qint64 totale_ = 0;
    bool ordinataQui_ = false;
    std::vector<qint64> numeri_; // the row numbers in order, when sorted here
    OrdinatoreRighe ordinatore_;
};

} // namespace qv
