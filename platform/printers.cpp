#include "platform/printers.h"

#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

namespace qv::platform {

QStringList installedPrinters() {
    return QPrinterInfo::availablePrinterNames();
}

QString defaultPrinterName() {
    return QPrinterInfo::defaultPrinterName();
}

void selectPrinter(QPrinter& printer, const QString& name) {
    if (!name.isEmpty() && QPrinterInfo::availablePrinterNames().contains(name))
        printer.setPrinterName(name);
    else if (!defaultPrinterName().isEmpty())
        printer.setPrinterName(defaultPrinterName());
}

QString choosePrinter(QWidget* parent, const QString& current) {
    QPrinter printer;
    selectPrinter(printer, current);
    QPrintDialog dialog(&printer, parent);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, false);
    if (dialog.exec() != QDialog::Accepted) return {};
    return printer.printerName();
}

} // namespace qv::platform
