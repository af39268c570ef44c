#pragma once
// The program's configuration file: every setting but the database and the
// password is read and written through these four procedures.

#include <QString>

namespace qv {

// Text of one key: empty when the file, section or key is missing. The value
// is cut at 199 characters, at its first TAB and at its first "|" (what
// follows is a comment), then trimmed. Never fails.
QString LeggiIni(const QString& file, const QString& sezione, const QString& chiave);

// Writes or replaces one key, creating file and section when missing. A
// failed write is silent, as the callers expect.
void ScriviIni(const QString& file, const QString& sezione, const QString& chiave, const QString& valore);
void ScriviIni(const QString& file, const QString& sezione, const QString& chiave, double valore);

// A stored text as a number: empty or blank gives 0; text holding two "/"
// is a date and gives its day number (0 when it is no valid date); numeric
// text gives the number; anything else 0.
double ValoreNumerico(const QString& valore);

// The value, or `predefinito` when the value is null or blank or starts with
// NUL. A missing or blank default becomes a single blank. Not trimmed.
QString ValoreTesto(const QString& valore, const QString& predefinito = QString());

// The text a number is written as, readable back by ValoreNumerico.
QString TestoNumero(double valore);

} // namespace qv
