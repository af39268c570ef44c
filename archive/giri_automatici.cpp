#include "archive/giri_automatici.h"

#include "platform/ansi_text.h"

#include <QDir>
#include <QFile>
#include <QLockFile>

namespace qv {

BloccoArchivio::BloccoArchivio() = default;
BloccoArchivio::~BloccoArchivio() = default;

QString BloccoArchivio::percorsoBlocco(const QString& fileDataBase) {
    return fileDataBase + QStringLiteral(".lck");
}

bool BloccoArchivio::prendi(const QString& fileDataBase) {
    file_ = std::make_unique<QLockFile>(percorsoBlocco(fileDataBase));
    // Only a dead owner makes a lock stale, never its age: a night's run may be long.
    file_->setStaleLockTime(0);
    if (file_->tryLock(0)) return true;
    file_.reset();
    return false;
}

QString RigaRegistro(const QDateTime& quando, const QString& comando, const QString& conteggi,
                     const QString& esito) {
    return quando.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")) + QStringLiteral("  ") + comando +
           QStringLiteral("  ") + conteggi + QStringLiteral("; ") + esito;
}

bool ScriviRegistro(const QString& cartellaProgramma, const QString& riga) {
    QFile file(QDir(cartellaProgramma).filePath(QString::fromLatin1(kFileRegistro)));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append)) return false;
    // One write per line: lines of runs that overlap never interleave.
    QString testo = riga;
    testo.replace(QLatin1Char('\n'), QLatin1Char(' ')).replace(QLatin1Char('\r'), QLatin1Char(' '));
    const QByteArray dati = platform::toAnsi(testo) + "\r\n";
    return file.write(dati) == dati.size();
}

} // namespace qv
