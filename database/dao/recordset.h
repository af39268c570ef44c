#pragma once
// Recordsets: the rows of one table (table type, opened by table name, with
// an index, Seek and updates) or of one SQL selection (snapshot, read-only).
// Table-type recordsets read the table live through its index: no move,
// Seek or update loads more than one row, so they stay fast and small on
// tables of a million rows. Snapshots stream their rows; RecordCount counts
// the rows reached so far and is the total after MoveLast.
//
// Every failure throws ErroreDao (database/dao/errore.h).

#include "database/dao/errore.h"
#include "database/dao/schema.h"

#include <QString>
#include <QVariant>
#include <QVariantList>

#include <memory>

namespace qv::dao {

// Recordset types and edit modes, as the program passes and tests them.
inline constexpr int dbOpenTable = 1;
inline constexpr int dbOpenDynaset = 2;
inline constexpr int dbOpenSnapshot = 4;
inline constexpr int dbOpenForwardOnly = 8;
inline constexpr int dbEditNone = 0;
inline constexpr int dbEditInProgress = 1;
inline constexpr int dbEditAdd = 2;

class RecordsetImpl;

class Recordset {
public:
    Recordset();
    ~Recordset();
    Recordset(Recordset&&) noexcept;
    Recordset& operator=(Recordset&&) noexcept;

    bool isOpen() const;
    void Close();
    int Type() const;     // dbOpenTable or dbOpenSnapshot
    QString Name() const; // the table's name, or the SQL text

    // Table type only: the index that orders the rows and that Seek uses.
    // Setting it moves to the first row in the new order.
    QString Index() const;
    void setIndex(const QString& nome);
    // Comparison "=", ">=", ">", "<" or "<=" against the first fields of the
    // index. "<" and "<=" find the last row that qualifies, the others the
    // first. Without a match NoMatch() is true and there is no current row
    // (Eof() is true).
    void Seek(const QString& confronto, const QVariantList& chiavi);
    void Seek(const QString& confronto, const QVariant& chiave) { Seek(confronto, QVariantList{chiave}); }
    bool NoMatch() const;

    // Writing (table type only). AddNew starts a new row with the fields'
    // default values; Edit copies the current row; Update writes. After an
    // AddNew the row current before it stays current. Moving or seeking
    // abandons an unfinished edit. Delete removes the current row; the
    // position stays where the row was until the next move.
    void AddNew();
    void Edit();
    void Update();
    void CancelUpdate();
    void Delete();
    int EditMode() const;

    void MoveFirst();
    void MoveLast();
    void MoveNext();
    void MovePrevious();
    bool Eof() const; // EOF: past the last row (also with no rows, and after a failed Seek)
    bool Bof() const; // BOF: before the first row (also with no rows)
    // Table type: rows in the table. Snapshot: rows reached so far.
    qint64 RecordCount() const;

    // Fields, by position (from 0) or by name (without regard to case).
    int FieldCount() const;
    const Field& FieldInfo(int posizione) const;
    int FieldIndex(const QString& nome) const; // 3265 when there is no such field
    QVariant Value(int posizione) const;
    QVariant Value(const QString& nome) const;
    void setValue(int posizione, const QVariant& valore);
    void setValue(const QString& nome, const QVariant& valore);

private:
    friend class Database;
    explicit Recordset(std::unique_ptr<RecordsetImpl> impl);
    RecordsetImpl& impl() const;

    std::unique_ptr<RecordsetImpl> impl_;
};

} // namespace qv::dao
