#pragma once
// Stand-in for the Windows profile functions (GetPrivateProfileString /
// WritePrivateProfileString) on the program's INI file.
//
// Reading: section and key names compare without regard to case; the first
// section and the first key of a name win; the value is trimmed and loses one
// pair of enclosing quotes; at most size-1 characters come back.
// Writing: the file and the section are created when missing; every other
// line, comment and the key order are kept; the new file replaces the old
// one in one step, so a crash never leaves half a file. CR and LF inside a
// value become blanks, so a value can never break the file into lines.
//
// The file is Windows-1252 text. A file that starts with a UTF-8 byte order
// mark (an editor saved it so) is read as UTF-8 and written back the same way.

#include <QString>

namespace qv::platform {

QString readProfileString(const QString& file, const QString& section, const QString& key, int size = 200);
bool writeProfileString(const QString& file, const QString& section, const QString& key, const QString& value);

} // namespace qv::platform
