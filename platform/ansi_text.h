#pragma once
// The program's files are "ANSI" text on Windows: Windows-1252 for the
// Italian and Western European systems it runs on. These helpers keep that
// one decision in one place. Written out here because Qt converts Windows-1252
// only where it was built with ICU.

#include <QByteArray>
#include <QString>

namespace qv::platform {

QString fromAnsi(const QByteArray& bytes);
QByteArray toAnsi(const QString& text);
// True when the character has a Windows-1252 code point of its own.
bool isAnsiRepresentable(QChar c);

} // namespace qv::platform
