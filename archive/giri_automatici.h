#pragma once
// What unattended runs (a nightly batch, re-query or workbook update) need
// besides the run itself: a lock beside the database, so that two runs never
// work on the same archive at once, and "Quorvan.log" in the program folder,
// one line per run, so that an office can see what the night did.

#include <QDateTime>
#include <QString>

#include <memory>

class QLockFile;

namespace qv {

inline constexpr char kFileRegistro[] = "Quorvan.log";

// Held for one run. The lock is a file beside the database (its name + ".lck")
// holding the owner's process id; a lock whose process has died is taken
// over, so a run that was killed never leaves the archive locked.
class BloccoArchivio {
public:
    BloccoArchivio();
    ~BloccoArchivio();
    // True when the lock is now held; false when another live run holds it.
    bool prendi(const QString& fileDataBase);
    static QString percorsoBlocco(const QString& fileDataBase);

private:
    std::unique_ptr<QLockFile> file_;
};

// What the batch window says when an unattended run holds the archive.
inline const QString kArchivioOccupato =
    QStringLiteral("L'archivio è in aggiornamento da un'altra elaborazione: riprovare al termine");

// One line of the log: date and time, the command, its counts, its outcome.
//   "2026-12-06 02:00:04  requery  MRN 120/120, ... ; exit 0, Elaborati 120 MRN"
QString RigaRegistro(const QDateTime& quando, const QString& comando, const QString& conteggi,
                     const QString& esito);
// Appends the line (with CR LF, Windows-1252) to "Quorvan.log" in `cartellaProgramma`;
// false when the file cannot be written.
bool ScriviRegistro(const QString& cartellaProgramma, const QString& riga);

} // namespace qv
