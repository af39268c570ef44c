#pragma once
// Reads MRN list files item by item the way the batch expects them:
// an item ends at a comma or at the end of a line (CR LF, LF or CR alone);
// leading blanks are skipped; an item that begins with a double quote runs
// to the next double quote (or the end of its line) and whatever follows it
// up to the next comma is dropped; items are trimmed and upper-cased, and
// blank items are skipped and not counted.
//
// The file is read in bounded chunks, so a list of any size, a huge line or
// a binary file costs a fixed amount of memory. An item that cannot be a
// code (longer than kLunghezzaMassimaElemento characters, or holding control
// characters) is skipped and counted in `scartati()`. A UTF-8 byte order mark
// at the start of the file is ignored; the rest is Windows-1252 text.

#include <QIODevice>
#include <QString>

#include <optional>

namespace qv {

inline constexpr int kLunghezzaMassimaElemento = 255;

class LettoreElenco {
public:
    // The device must be open for reading; the reader starts at its position.
    explicit LettoreElenco(QIODevice& file);

    // The next non-blank item, trimmed and upper-cased; nothing at the end
    // of the file or after a read error.
    std::optional<QString> prossimo();

    // Items skipped because they cannot be codes.
    qint64 scartati() const { return scartati_; }
    // True when the device reported a read error.
    bool erroreLettura() const { return erroreLettura_; }

private:
    enum class Stato { Inizio, Semplice, TraVirgolette, DopoVirgolette };

    bool riempi();
    std::optional<QString> chiudiElemento();

    QIODevice& file_;
    QByteArray blocco_;
    qsizetype pos_ = 0;
    bool primoBlocco_ = true;
    bool fine_ = false;
    bool erroreLettura_ = false;
    Stato stato_ = Stato::Inizio;
    QByteArray elemento_;
    bool troppoLungo_ = false;
    bool conControllo_ = false;
    qint64 scartati_ = 0;
};

// The count pass: the number of items the reader would return, and how many
// it would skip. Reads the device to its end.
struct ConteggioElenco {
    qint64 elementi = 0;
    qint64 scartati = 0;
    bool erroreLettura = false;
};
ConteggioElenco ContaElementi(QIODevice& file);

} // namespace qv
