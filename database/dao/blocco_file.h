#pragma once
// The engine's record that a database file is in use, kept in a companion
// file beside it ("Quorvan.ldb" for "Quorvan.mdb", as the Jet engine keeps
// its lock file). Every open database holds it shared; whole-file
// operations (compaction, repair) need it exclusive and fail while anyone,
// in this process or another, has the database open. The lock itself is
// SQLite's own file lock on the companion file, so it is released by the
// operating system when a process ends, however it ends.

#include <QSqlDatabase>
#include <QString>

namespace qv::dao {

QString fileBloccoDi(const QString& percorsoDatabase);

class BloccoFile {
public:
    enum class Esito { Preso, Occupato, NonDisponibile };

    BloccoFile() = default;
    ~BloccoFile() { rilascia(); }
    BloccoFile(const BloccoFile&) = delete;
    BloccoFile& operator=(const BloccoFile&) = delete;

    // Shared: fails (Occupato) only while someone holds it exclusively.
    // NonDisponibile: the companion file cannot be made (read-only folder);
    // the database then opens without the record.
    Esito prendiCondiviso(const QString& percorsoDatabase);
    // Exclusive: fails (Occupato) while anyone holds it at all.
    Esito prendiEsclusivo(const QString& percorsoDatabase);
    // Releases it; the companion file is removed when nobody else holds it.
    void rilascia();

private:
    Esito prendi(const QString& percorsoDatabase, bool esclusivo);

    QString nome_;
    QString file_;
};

} // namespace qv::dao
