#pragma once
// One worksheet of an .xlsx/.xlsm workbook, held as its XML: cell values
// read as text, and text written into a cell with the cell's style kept.
// Rows and columns are numbered from 1, as Excel's Cells(row, column).

#include <QString>

#include <memory>
#include <vector>

namespace qv {

class CartellaExcel;

class FoglioExcel {
public:
    ~FoglioExcel();
    FoglioExcel(const FoglioExcel&) = delete;
    FoglioExcel& operator=(const FoglioExcel&) = delete;

    const QString& nome() const;
    // Highest row number present in the sheet (0 for an empty sheet).
    qint64 ultimaRiga() const;
    // The cell's value as text: a string (shared, inline or rich text runs),
    // a number as stored, a formula's cached result, TRUE/FALSE; "" when the
    // cell or its row does not exist.
    QString testo(qint64 riga, int colonna) const;
    bool haFormula(qint64 riga, int colonna) const;
    // Blank as the update sees it: no formula and nothing but blanks.
    bool vuota(qint64 riga, int colonna) const;
    // Writes `valore` as an inline string. The cell keeps its style; a
    // formula or value it held goes. A missing cell or row is created in its
    // sorted place (a new cell takes its row's or column's style).
    void scrivi(qint64 riga, int colonna, const QString& valore);
    bool modificato() const;

private:
    friend class CartellaExcel;
    struct Dati;
    explicit FoglioExcel(std::unique_ptr<Dati> dati);
    // Parses the sheet part; null with a message in `errore` when it is not
    // well-formed.
    static std::unique_ptr<FoglioExcel> carica(const QString& nome, const QByteArray& xml,
                                               const std::vector<QString>& condivise, QString& errore);
    QByteArray xml() const;
    void salvato();

    std::unique_ptr<Dati> d_;
};

// The shared strings part's items, in order; false with a message in
// `errore` when the part is not well-formed.
bool LeggiStringheCondivise(const QByteArray& xml, std::vector<QString>& stringhe, QString& errore);

// "A" for 1, "AB" for 28.
QString LettereColonna(int colonna);

} // namespace qv
