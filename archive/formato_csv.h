#pragma once
// How the CSV export writes one value: no quoting, ";" after every value,
// CR LF at the end of every line.

#include "archive/colonne_griglia.h"

#include <QLocale>
#include <QString>
#include <QVariant>

namespace qv {

// Text: trimmed, empty when null or blank, without line breaks.
// Date (a day number): empty below day 1 (the stored 0 of an unknown date),
// otherwise the locale's short date with a four-digit year. Anything else: the number, 0 when null
// or not numeric.
QString FormattaCampoCsv(const QVariant& valore, TipoCampo tipo, const QLocale& locale = QLocale::system());

// The heading line: each heading followed by ";", without CR and LF, then CR LF.
QString RigaIntestazioneCsv(const QStringList& intestazioni);

// One row: each formatted value followed by ";", then CR LF.
QString RigaCsv(const QStringList& valoriFormattati);

} // namespace qv
