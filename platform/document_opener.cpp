#include "platform/document_opener.h"

#include <QDir>
#include <QProcess>

namespace qv::platform {

bool SystemDocumentOpener::open(const QString& path) {
    if (path.trimmed().isEmpty())
        return false;
#if defined(Q_OS_WIN)
    // The empty title argument keeps "start" from taking a quoted path as one.
    return QProcess::startDetached(QStringLiteral("cmd.exe"),
                                   {QStringLiteral("/c"), QStringLiteral("start"), QString(),
                                    QDir::toNativeSeparators(path)});
#elif defined(Q_OS_MACOS)
    return QProcess::startDetached(QStringLiteral("open"), {path});
#else
    return QProcess::startDetached(QStringLiteral("xdg-open"), {path});
#endif
}

} // namespace qv::platform
