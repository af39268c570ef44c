#pragma once
// Field types of the engine: the type codes 1 to 12 the program reads and
// compares, the Jet DDL names columns are declared with (so that code and
// text size read back from the SQLite catalogue), and the conversion of a
// value assigned to or read from a field of each type.

#include <QString>
#include <QVariant>

namespace qv::dao {

// Type codes as the program stores and compares them.
inline constexpr int dbBoolean = 1;
inline constexpr int dbByte = 2;
inline constexpr int dbInteger = 3;
inline constexpr int dbLong = 4;
inline constexpr int dbCurrency = 5;
inline constexpr int dbSingle = 6;
inline constexpr int dbDouble = 7;
inline constexpr int dbDate = 8;
inline constexpr int dbBinary = 9;
inline constexpr int dbText = 10;
inline constexpr int dbLongBinary = 11;
inline constexpr int dbMemo = 12;

struct TipoDichiarato {
    int tipo = 0;       // 0: a declaration the engine does not know
    int dimensione = 0; // text and binary: the declared size; others: the type's fixed size
};

// "TEXT(18)", "SHORT", "LONG", "DOUBLE", "DATETIME", ... Text and binary
// sizes outside 1..255 are an error (3259).
QString dichiarazioneTipo(int tipo, int dimensione);
// Reads a declared type back, accepting the Jet DDL synonyms (VARCHAR(n),
// INTEGER, MEMO, YESNO, ...). A text declared without size is 255 long.
TipoDichiarato tipoDaDichiarazione(const QString& dichiarazione);
// Size of the types that have a fixed one; 0 for memo and long binary.
int dimensioneFissa(int tipo);
bool tipoTesto(int tipo);   // text or memo: compared without regard to case
bool tipoIntero(int tipo);  // boolean, byte, integer, long
bool tipoNumerico(int tipo); // every type stored as a number, dates included

// A value assigned to a field, converted as the engine converts it: numbers
// round half to even into whole types, text too long for the field (3163),
// text that is no number for a number field (3421), out of range (3349).
// Dates take QDate, QDateTime, a day number or date text and are stored as
// day numbers. A null QVariant stays null.
QVariant valoreDaAssegnare(const QVariant& valore, int tipo, int dimensione, const QString& campo);

// A stored value as the program reads it: text as QString, boolean as bool,
// whole types as int, other numbers and dates (day numbers) as double,
// binary as QByteArray; null stays null.
QVariant valoreLetto(const QVariant& memorizzato, int tipo);

} // namespace qv::dao
