#include "platform/system_folders.h"

#include <QDir>
#include <QFileInfo>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace qv::platform {

QString systemFolder() {
#ifdef Q_OS_WIN
    wchar_t buffer[MAX_PATH + 1] = {};
    const UINT n = GetSystemDirectoryW(buffer, MAX_PATH);
    return n == 0 ? QString() : QDir::toNativeSeparators(QString::fromWCharArray(buffer, int(n)));
#else
    return QFileInfo(QStringLiteral("/usr/bin")).isDir() ? QStringLiteral("/usr/bin") : QString();
#endif
}

} // namespace qv::platform
