#pragma once
// The desktop programs the program falls back on: the platform's text editor
// (notepad.exe on Windows) and its system information program (MSINFO32.EXE).

#include <QString>

namespace qv::platform {

// Full path of the text editor: notepad.exe in the system folder on Windows;
// elsewhere the first graphical editor found on the search path, else the
// desktop's opener (which opens a file given to it with its usual program),
// else the system's default editor.
QString textEditorPath();

// Where the system information program is, as two candidates: the program's
// own path (the registry's "PATH" value under Shared Tools\MSINFO on Windows,
// a system information program on the search path elsewhere) and the folder
// that holds "MSINFO32.EXE" (the Shared Tools Location value on Windows).
// Either is empty when it cannot be read.
struct SystemInfoLocation {
    QString programPath;
    QString folder;
};
SystemInfoLocation systemInfoLocation();

} // namespace qv::platform
