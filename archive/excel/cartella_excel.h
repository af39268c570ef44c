#pragma once
// An .xlsx/.xlsm workbook opened for reading its worksheets and writing
// words into their cells. Only the sheets written are saved again; every
// other part of the package is copied unchanged. Saving writes a new file
// beside the workbook and renames it over the original, keeping its
// permissions, so a crash never leaves half a workbook.

#include "archive/excel/errore_cartella.h"
#include "archive/excel/foglio_excel.h"

#include <QString>
#include <QStringList>

#include <memory>

namespace qv {

class CartellaExcel {
public:
    enum class Modo { Lettura, Scrittura };

    // Opens the package and reads its list of sheets. Scrittura also
    // requires that the file and its folder can be written. Null with the
    // reason in `errore`.
    static std::unique_ptr<CartellaExcel> apri(const QString& percorso, Modo modo, ErroreExcel& errore);
    ~CartellaExcel();
    CartellaExcel(const CartellaExcel&) = delete;
    CartellaExcel& operator=(const CartellaExcel&) = delete;

    const QString& percorso() const;
    QStringList fogli() const;
    // The named sheet (names compared without regard to case, as Excel
    // does), parsed on first use. Null with the reason in `errore`.
    FoglioExcel* foglio(const QString& nome, ErroreExcel& errore);
    bool modificata() const;
    // Saves the sheets written; nothing to do when none was.
    ErroreExcel salva();

private:
    struct Dati;
    explicit CartellaExcel(std::unique_ptr<Dati> dati);
    std::unique_ptr<Dati> d_;
};

// The lock file another program keeps beside an open workbook: Excel's
// "~$" + name or LibreOffice's ".~lock." + name + "#"; empty when none.
QString FileBloccoCartella(const QString& percorso);

} // namespace qv
