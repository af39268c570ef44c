#pragma once
// The rules of the workbook update that need no workbook: the state an MRN
// reached, the word written for it, and the summary text.

#include <QString>

#include <array>
#include <span>

namespace qv {

inline constexpr char kFileXlsChk[] = "XlsChk.txt"; // the MRNs to check, in TempFile
inline constexpr char kSezioneExcel[] = "AGGEXCEL";

// 0 pending, 1 discharged at a transit office, 2 the page's message starts
// with "***", 3 concluded; from the result arrays of the MRN's enquiry.
int StatoMrnExcel(const QString& mrn, std::span<const QString> esito, std::span<const QString> titolo);

// "DEL", "ERR", "OK" for states 1 to 3; nothing for 0.
QString ParolaStato(int stato);

// `testo` left-aligned and padded with blanks to `larghezza`; a longer text
// is returned unchanged.
QString RiempiSpazi(const QString& testo, int larghezza = 6);

// "Elaborati " + total + " MRN", 54 "-", then the four counts, lines ended
// by CR LF, no line break after the last.
QString TestoRiepilogoExcel(qint64 totale, const std::array<qint64, 4>& conteggi);

} // namespace qv
