#pragma once
// The installed printers, and the printer the program prints on. The system's
// default printer is never changed: the printer chosen in the program becomes
// the program's current printer instead.

#include <QString>
#include <QStringList>

class QPrinter;
class QWidget;

namespace qv::platform {

QStringList installedPrinters();
QString defaultPrinterName();

// Points `printer` at the named printer; the system default when the name is
// empty or no longer installed.
void selectPrinter(QPrinter& printer, const QString& name);

// The system printer dialog on `current`; the chosen printer's name, or an
// empty text when the user cancelled.
QString choosePrinter(QWidget* parent, const QString& current);

} // namespace qv::platform
