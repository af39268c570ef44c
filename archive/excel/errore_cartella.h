#pragma once
// What can go wrong with a workbook, as a number and a description, shown
// the way the update shows Excel's own errors: "Errore: " + number + " - " +
// description.

#include <QString>

namespace qv {

enum class CodiceErroreExcel {
    Nessuno = 0,
    FileMancante = 1,      // the workbook does not exist
    FileIlleggibile = 2,   // it exists but cannot be read
    NonCartella = 3,       // not a zip, or a zip without a workbook
    ParteDanneggiata = 4,  // a part is truncated or not well-formed
    FoglioMancante = 5,    // no worksheet of that name
    ProtettaPassword = 6,  // an encrypted workbook (an OLE file)
    SolaLettura = 7,       // the file or its folder cannot be written
    DiscoPieno = 8,        // no space left to save it
    SalvataggioFallito = 9, // any other failure while saving
    CartellaAperta = 10,   // a lock file says another program has it open
    LibreOfficeMancante = 11, // .xls/.ods without LibreOffice
    ConversioneFallita = 12,  // LibreOffice did not convert it
    ColonnaNonValida = 13,    // a column number of 0 or less
};

struct ErroreExcel {
    CodiceErroreExcel codice = CodiceErroreExcel::Nessuno;
    QString descrizione;

    int numero() const { return static_cast<int>(codice); }
    explicit operator bool() const { return codice != CodiceErroreExcel::Nessuno; }
};

// The error with its standard description; `dettaglio` names the file,
// sheet or part concerned.
ErroreExcel ErroreCartella(CodiceErroreExcel codice, const QString& dettaglio = {});

// "Errore: " + number + " - " + description.
QString TestoErroreExcel(const ErroreExcel& errore);

} // namespace qv
