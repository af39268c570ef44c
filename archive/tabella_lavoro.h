#pragma once
// The batch's view of the work table WkMRN: emptied and opened at the start
// of every run, one row written per MRN, closed and merged into the archive
// at the end. The database-backed implementation is LavoroWkMrn
// (lavoro_wk.h); the batch itself only needs these steps.

#include <QString>

#include <span>

namespace qv {

class TabellaLavoro {
public:
    virtual ~TabellaLavoro() = default;

    // True while the database is open and usable.
    virtual bool databaseAperto() const = 0;
    // "Delete * From WkMRN"; a table that cannot be emptied is reported.
    virtual void svuota() = 0;
    // Opens the work table for indexed writing (with the Retry/Cancel box on failure).
    virtual bool apri() = 0;
    virtual bool aperta() const = 0;
    // One row from the result arrays of the enquiry of `codice`. A row that
    // does not reach the table is reported and counted in righeNonScritte().
    virtual void scriviRiga(const QString& codice, std::span<const QString> esito,
                            std::span<const QString> titolo) = 0;
    // Commits what is pending; rows lost here are counted too.
    virtual void chiudi() = 0;
    // Rows handed to scriviRiga since apri() that are not in the table.
    virtual qint64 righeNonScritte() const = 0;
    // Merges the work table into the archive, all or nothing. False when
    // the archive was left as it was.
    virtual bool unisci() = 0;
};

} // namespace qv
