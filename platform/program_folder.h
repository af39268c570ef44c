#pragma once
// Where the program keeps its configuration file, database and page files.

#include <QString>

namespace qv::platform {

// The folder chosen, in this order: `overrideDir` when not empty (the CLI's
// --home), $QUORVAN_HOME when set, the executable's folder when it is
// writable, else the per-user data folder. The folder is created when missing.
QString programFolder(const QString& overrideDir = QString());

// Folder the shipped files (reference database, flag images) come from: the
// executable's folder, or $QUORVAN_SHARE_DIR when set.
QString shippedFilesFolder();

// Copies each shipped file or folder named in `names` into `programDir` when
// it is missing there. Returns the names that could not be copied.
QStringList copyMissingShippedFiles(const QString& programDir, const QStringList& names);

} // namespace qv::platform
