#pragma once
// The work table WkMRN: opening it for the batch, emptying it, writing one
// row per queried MRN, and merging it into the archive table MRN.

#include "archive/stato_archivio.h"
#include "archive/tabella_lavoro.h"

#include <QDate>
#include <QElapsedTimer>
#include <QString>
#include <QStringList>

#include <span>

namespace qv {

class Messaggi;
struct StatoDatabase;
namespace dao {
class Database;
}

// Opens "WK" + `tabella` as a table-type recordset with index "primaria" into
// `stato.RsWk`. Nothing when the database is not open. On failure the error's
// description is shown with Retry and Cancel, titled "ERRORE IN APERTURA
// TABELLA " + `titolo`; Retry tries again, Cancel leaves no work recordset.
bool ApriTabellaWk(StatoArchivio& stato, StatoDatabase& database, Messaggi& messaggi, const QString& tabella,
                   const QString& titolo);
void ChiudiTabellaWk(StatoArchivio& stato);

// "Delete * From WkMRN" with fail-on-error; false when it failed (the caller reports it).
bool SvuotaWk(dao::Database& db);

// What went wrong writing one row: the engine's description when the row
// was not written, and "field: description" for each value the engine
// refused in a row that was written without it.
struct ErroriRigaMrn {
    QString riga;
    QStringList campi;
};

// One batch row for `codice` from the result arrays, by upsert on the index:
// a repeated MRN keeps the DataElab it was given the first time. Text too
// long for its field is cut to the field's size; a value the field refuses
// leaves that field at its default and the rest of the row is written.
// False when the row could not be written. Nothing is shown: what went
// wrong goes to `errori` for the caller to report.
bool ScriviRigaMrn(dao::Recordset& rs, const QString& codice, std::span<const QString> esito,
                   std::span<const QString> titolo, const QDate& oggi = QDate::currentDate(),
                   ErroriRigaMrn* errori = nullptr);

// The two merge statements in one transaction: the archive rows of the
// batch's MRNs are replaced by the work rows, all or nothing. False when
// the merge failed and the archive was left as it was.
bool UnisciWk(dao::Database& db);

// The batch's work table in the program's database. The database's open
// flag is read at every step, so a database closed during a run stops the
// writing and the merge. Rows are committed in groups, since a commit per
// row costs a disk flush per MRN: a group ends after kRighePerGruppo rows, or
// with the first row written once a second has passed since it began (so
// slow enquiries commit row by row); closing the table commits the last one.
// A row that cannot be written and the rows of a group whose commit fails
// are counted in righeNonScritte() and reported through `messaggi` (the
// first failed row of a run, every failed commit, the first row written
// without some of its values).
class LavoroWkMrn : public TabellaLavoro {
public:
    LavoroWkMrn(StatoArchivio& stato, StatoDatabase& database, Messaggi& messaggi)
        : stato_(stato), database_(database), messaggi_(messaggi) {}

    bool databaseAperto() const override;
    void svuota() override;
    bool apri() override;
    bool aperta() const override { return stato_.WkAperta; }
    void scriviRiga(const QString& codice, std::span<const QString> esito, std::span<const QString> titolo) override;
    void chiudi() override;
    bool unisci() override;
    qint64 righeNonScritte() const override { return righeNonScritte_; }

    static constexpr int kRighePerGruppo = 100;

private:
    void confermaGruppo();
    void segnala(const QString& testo);

    // Titles of the boxes that report rows and values not stored.
    static constexpr char kTitoloScrittura[] = "ERRORE IN SCRITTURA TABELLA MRN";

    StatoArchivio& stato_;
    StatoDatabase& database_;
    Messaggi& messaggi_;
    bool gruppoAperto_ = false;
    int righeNelGruppo_ = 0;
    int righeScritteNelGruppo_ = 0;
    qint64 righeNonScritte_ = 0;
    bool rigaSegnalata_ = false;
    bool campiSegnalati_ = false;
    QElapsedTimer inizioGruppo_;
};

} // namespace qv
