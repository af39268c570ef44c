#include "platform/pdf_printer.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QPrinter>

namespace qv::platform {

bool printToPdfFile(QPrinter& printer, const QString& path) {
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) return false;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    return true;
}

QString askPdfFileName(QWidget* parent, const QString& suggested) {
    return QFileDialog::getSaveFileName(parent, QStringLiteral("Salva PDF"), suggested,
                                        QStringLiteral("PDF (*.pdf)"));
}

} // namespace qv::platform
