#include "platform/desktop_programs.h"

#include "platform/system_folders.h"

#include <QDir>
#include <QSettings>
#include <QStandardPaths>

namespace qv::platform {

QString textEditorPath() {
#ifdef Q_OS_WIN
    return QDir(systemFolder()).filePath(QStringLiteral("notepad.exe"));
#else
    // Graphical editors first; the desktop's opener and the terminal editor last.
    static const char* const editors[] = {"gnome-text-editor", "gedit",      "kate",  "kwrite",
                                          "mousepad",          "xed",        "pluma", "featherpad",
                                          "geany",             "leafpad",    "xdg-open", "editor"};
    for (const char* e : editors) {
        const QString path = QStandardPaths::findExecutable(QString::fromLatin1(e));
        if (!path.isEmpty()) return path;
    }
    return QDir(systemFolder()).filePath(QStringLiteral("xdg-open"));
#endif
}

SystemInfoLocation systemInfoLocation() {
    SystemInfoLocation l;
#ifdef Q_OS_WIN
    const QSettings msinfo(QStringLiteral("HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Shared Tools\\MSINFO"),
                           QSettings::NativeFormat);
    l.programPath = msinfo.value(QStringLiteral("PATH")).toString();
    const QSettings location(QStringLiteral("HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Shared Tools Location"),
                             QSettings::NativeFormat);
    l.folder = location.value(QStringLiteral("MSINFO")).toString();
#else
    static const char* const programs[] = {"kinfocenter", "hardinfo2", "hardinfo", "gnome-system-monitor"};
    for (const char* p : programs) {
        l.programPath = QStandardPaths::findExecutable(QString::fromLatin1(p));
        if (!l.programPath.isEmpty()) break;
    }
#endif
    return l;
}

} // namespace qv::platform
