#pragma once
// What the batch writes into "EsitiDaEle.txt" for one MRN: the delimited
// line of the FILE destination and the readable block of the Stampa
// destination. Both take the enquiry's result arrays as they stand
// (`esito` indices 0..19, `titolo` 0..7; index 0 unused) and return the text
// with every line ended by CR LF.

#include <QLocale>
#include <QString>

#include <span>

namespace qv {

// The item at `i`, or an empty text when the array is shorter.
QString voceDi(std::span<const QString> valori, int i);

// The MRN, the separator, then values 1 to 19, each followed by the
// separator: always exactly 20 separators. When the page's message (label 2)
// starts with "***", value 1 is written as "*".
QString RigaEsitiFile(const QString& mrn, const QString& separatore, std::span<const QString> esito,
                      std::span<const QString> titolo);

// The report block of the n-th MRN: the numbered heading, one line per
// non-empty value with the label of its own column, and 80 "-". A page
// message ("***" or "===") is shown in place of values 1 and 2.
QString BloccoStampa(qint64 n, const QString& mrn, std::span<const QString> esito, std::span<const QString> titolo,
                     const QLocale& locale = QLocale::system());

} // namespace qv
