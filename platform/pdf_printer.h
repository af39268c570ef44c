#pragma once
// The program's own PDF printer: a printer pointed at a PDF file instead of
// a device, and the question for the file's name when it is not saving
// automatically.

#include <QString>

class QPrinter;
class QWidget;

namespace qv::platform {

// Points `printer` at a PDF file, creating its folder. False when the folder
// cannot be made.
bool printToPdfFile(QPrinter& printer, const QString& path);

// Asks where to save a PDF file, starting at `suggested`; empty when the
// user cancels.
QString askPdfFileName(QWidget* parent, const QString& suggested);

} // namespace qv::platform
