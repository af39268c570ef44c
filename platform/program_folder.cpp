#include "platform/program_folder.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace qv::platform {

namespace {

QString executableFolder() {
    const QString dir = QCoreApplication::applicationDirPath();
    return dir.isEmpty() ? QDir::currentPath() : dir;
}

bool writable(const QString& dir) {
    QTemporaryFile probe(dir + QStringLiteral("/.quorvan-probe-XXXXXX"));
    return probe.open();
}

bool copyTree(const QString& from, const QString& to) {
    const QFileInfo info(from);
    if (info.isFile())
        return QFile::copy(from, to);
    if (!QDir().mkpath(to))
        return false;
    bool ok = true;
    QDirIterator it(from, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot);
    while (it.hasNext()) {
        it.next();
        const QString target = to + QLatin1Char('/') + it.fileName();
        if (!QFileInfo::exists(target))
            ok = copyTree(it.filePath(), target) && ok;
    }
    return ok;
}

} // namespace

QString programFolder(const QString& overrideDir) {
    QString dir = overrideDir;
    if (dir.isEmpty())
        dir = qEnvironmentVariable("QUORVAN_HOME");
    if (dir.isEmpty()) {
        const QString exe = executableFolder();
        dir = writable(exe) ? exe : QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    }
    dir = QDir::cleanPath(QDir(dir).absolutePath());
    QDir().mkpath(dir);
    return dir;
}

QString shippedFilesFolder() {
    const QString env = qEnvironmentVariable("QUORVAN_SHARE_DIR");
    return env.isEmpty() ? executableFolder() : env;
}

QStringList copyMissingShippedFiles(const QString& programDir, const QStringList& names) {
    QStringList failed;
    const QString share = shippedFilesFolder();
    if (QDir(share).canonicalPath() == QDir(programDir).canonicalPath())
        return failed;
    for (const QString& name : names) {
        const QString source = share + QLatin1Char('/') + name;
        const QString target = programDir + QLatin1Char('/') + name;
        if (!QFileInfo::exists(source))
            continue;
        if (QFileInfo(source).isDir() ? !copyTree(source, target)
                                      : (!QFileInfo::exists(target) && !QFile::copy(source, target)))
            failed << name;
    }
    return failed;
}

} // namespace qv::platform
