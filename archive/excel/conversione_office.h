#pragma once
// .xls and .ods workbooks go through LibreOffice: converted to .xlsx in a
// temporary folder, updated there, converted back to their own format and
// put in place, the original kept beside it as name + ".bak".

#include "archive/excel/errore_cartella.h"

#include <QString>
#include <QTemporaryDir>

namespace qv {

// True for the formats that need the conversion (.xls, .ods).
bool RichiedeConversione(const QString& percorso);

// LibreOffice's soffice on PATH, or empty.
QString ProgrammaOffice();

class ConversioneOffice {
public:
    // Converts `originale` into an .xlsx in a temporary folder.
    ErroreExcel converti(const QString& originale);
    // The converted copy to open and update.
    const QString& copia() const { return copia_; }
    // Converts the updated copy back and puts it in place of the original,
    // which becomes name + ".bak".
    ErroreExcel riporta();

private:
    ErroreExcel esegui(const QString& formato, const QString& file, const QString& cartellaUscita);

    QTemporaryDir cartella_;
    QString originale_;
    QString copia_;
};

} // namespace qv
