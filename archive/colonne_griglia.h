#pragma once
// The archive browser's grid columns (heading and data field of each), the
// state codes with their letters, filter entries and row colours, and the
// rules of the "LayOUT" visibility string. Shared by the browser, the CSV
// export and the layout storage.

#include <QList>
#include <QString>
#include <QStringList>

namespace qv {

enum class TipoCampo { Testo, Data, Numero };

struct ColonnaGriglia {
    QString intestazione; // heading shown and written in the CSV
    QString campo;        // field of MRN / WkMRN
    TipoCampo tipo;
};

// The 24 columns in grid order: MRN, NAZ, ..., Elaborato, St.
const QList<ColonnaGriglia>& ColonneGriglia();
inline constexpr int kNumeroColonne = 24;

// The data field of a column, "Codice" for an index out of range.
QString CampoColonna(int indice);

// States of a row (OKStato).
inline constexpr int kStatoSospeso = 0;
inline constexpr int kStatoCancellato = 1;
inline constexpr int kStatoErrato = 2;
inline constexpr int kStatoConcluso = 3;
inline constexpr int kStatoTutti = 4; // filter entry only

// "IN SOSPESO", "CANCELLATI", "ERRATI", "CONCLUSI", "TUTTI".
const QStringList& VociStato();
// "S", "D", "E", "C"; an unknown code gives an empty text.
QString LetteraStato(int stato);
// The colour entry that paints a row, from the letter its state column shows:
// "E" 0, "C" 1, "D" 2, anything else 3.
int ColoreDaLettera(const QString& lettera);

// Configuration of the browser: section and key of the visibility string.
inline constexpr char kSezioneBrowser[] = "EleMRNok";
inline constexpr char kChiaveLayOut[] = "LayOUT";

// The stored visibility string made ready for reading: a blank value counts
// as 25 "S" (all visible); any other value is extended with 25 blanks.
QString EstendiLayOut(const QString& valore);
// Column `colonna` (1-based, as the grid numbers them after the MRN) is
// visible when its flag in the extended string is "S". Column 0 always is.
bool ColonnaVisibile(const QString& esteso, int colonna);
// The entries of the layout panel: flag + " | " + heading, columns 1..last.
QStringList VociLayOut(const QString& esteso);
// The entry with its flag flipped between "S" and a blank.
QString InvertiVoceLayOut(const QString& voce);
// The string to store: the first character of each entry, in order.
QString ComponiLayOut(const QStringList& voci);

// "LayOUT" of `fileIni` read for use (extended) and written. A value that
// starts with a blank (column 1 hidden) is stored in double quotes and read
// back without trimming: the configuration file would otherwise drop its
// leading blanks and move every flag by one column.
QString LeggiVisibilita(const QString& fileIni);
void ScriviVisibilita(const QString& fileIni, const QString& valore);

} // namespace qv
