#pragma once
// An open database file: recordsets, SQL statements in the program's Jet
// dialect, schema reading and writing, and transactions. A Database is a
// handle: copies share the same connection; Close() ends it for every copy
// and for the recordsets opened from it (their next use raises 3420).
//
// Table names, field names and index names compare without regard to case.
// Every failure throws ErroreDao (database/dao/errore.h).

#include "database/dao/recordset.h"
#include "database/dao/schema.h"

#include <QList>
#include <QSqlDatabase>
#include <QString>

#include <memory>
#include <optional>

namespace qv::dao {

// Execute options.
inline constexpr int dbFailOnError = 128;

class Connessione;
struct SqlTradotto;

class Database {
public:
    Database() = default; // not open
    bool isOpen() const;
    QString Name() const; // the file's full path
    void Close();

    // A table name with dbOpenTable (the default), or a table name or a
    // selection with dbOpenSnapshot. Other types are not supported (3251).
    Recordset OpenRecordset(const QString& origine, int tipo = dbOpenTable);

    // Runs one action statement (DELETE, INSERT, UPDATE) written in the
    // program's Jet dialect. With dbFailOnError a failing row fails the whole
    // statement and nothing is changed; without it failing rows are skipped.
    // A selection is refused (3065). Statements that read another file
    // ("... FROM T IN \"path\"") cannot run inside a transaction.
    void Execute(const QString& sql, int opzioni = 0);
    qint64 RecordsAffected() const;

    // The SQLite text of a selection in the program's Jet dialect, for views
    // that read the rows themselves (grid models over connessioneSql()).
    QString traduci(const QString& sqlJet) const;
    // The underlying QtSql connection, for read-only models on the same file
    // and connection (so that they never hold a lock against this one).
    QSqlDatabase connessioneSql() const;

    // Schema. Lists are read fresh on each call (nothing to Refresh), in name
    // order. Changes apply at once.
    QList<TableDef> TableDefs() const;
    std::optional<TableDef> tabella(const QString& nome) const;
    TableDef CreateTableDef(const QString& nome) const { return TableDef{nome, 0, {}, {}}; }
    void AppendTableDef(const TableDef& definizione); // fields and indexes together
    void DeleteTableDef(const QString& nome);
    void RenameTableDef(const QString& nome, const QString& nuovoNome); // TableDef.Name = nuovoNome
    void AppendField(const QString& tabella, const Field& campo);
    void DeleteField(const QString& tabella, const QString& campo);
    void AppendIndex(const QString& tabella, const Index& indice);
    void DeleteIndex(const QString& tabella, const QString& indice);

    // Saved queries are selections kept as SQLite views; SQL reads back the
    // text they were created with.
    QList<QueryDef> QueryDefs() const;
    void CreateQueryDef(const QString& nome, const QString& sql);
    void DeleteQueryDef(const QString& nome);

    // Transactions of this database alone; Workspace::BeginTrans covers
    // every database of the workspace. Nested up to any depth.
    void BeginTrans();
    void CommitTrans();
    void Rollback();

private:
    friend class Workspace;
    explicit Database(std::shared_ptr<Connessione> c) : c_(std::move(c)) {}
    Connessione& connessione() const;
    SqlTradotto traduciPer(const QString& sqlJet, bool falliscePerErrore) const;

    std::shared_ptr<Connessione> c_;
    qint64 righe_ = 0;
};

} // namespace qv::dao
