#pragma once
// The engine's workspace (the program's WsLavoro) and its whole-file
// operations. A workspace opens databases and groups the writes of all of
// them in one transaction.

#include "database/dao/database.h"

#include <QList>
#include <QString>

#include <memory>

namespace qv::dao {

class Workspace {
public:
    // `attesaBloccoMs`: how long a statement waits for a lock held by another
    // process before it fails with 3196.
    explicit Workspace(int attesaBloccoMs = 2000) : attesaBloccoMs_(attesaBloccoMs) {}

    // Opens shared and read-write. Errors: 3024 missing, 3343 not a database
    // (empty, text, Access file), 3049 damaged or cut short, 3051 no
    // permission, 3356 held exclusively by someone else.
    Database OpenDatabase(const QString& percorso);
    // Makes a new, empty database file and opens it; 3204 when it exists.
    Database CreateDatabase(const QString& percorso);

    void BeginTrans();
    void CommitTrans();
    void Rollback();

    int attesaBloccoMs() const { return attesaBloccoMs_; }
    void setAttesaBloccoMs(int ms) { attesaBloccoMs_ = ms; }

private:
    QList<std::shared_ptr<Connessione>> aperti();
    QList<std::shared_ptr<Connessione>> inTransazione(); // 3034 when none

    int attesaBloccoMs_;
    QList<std::weak_ptr<Connessione>> databases_;
};

// Whole-file operations of the engine; both need the file to themselves and
// fail with 3196 while anyone has it open.
namespace DBEngine {
// Writes a compacted copy of `origine` to `destinazione`, which must not
// exist (3204).
void CompactDatabase(const QString& origine, const QString& destinazione);
// Checks the file and, when damaged, rebuilds it in place from what can
// still be read.
void RepairDatabase(const QString& percorso);
} // namespace DBEngine

} // namespace qv::dao
