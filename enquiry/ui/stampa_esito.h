#pragma once
// The printout of a single enquiry: "Courier new" 12, every text placed at a
// character cell (column x the width of "H", line x its height).

#include <QStringList>

class QPaintDevice;

namespace qv {

// Line 2, column 3: "Risultato MRN numero: "; line 2, column 28, bold: the
// code; result line i (1..19, blank ones skipped, trailing blanks removed)
// at line 2i + 12, column 3. `righe` holds lines 1..19 at indexes 0..18.
// A device that cannot be painted on is left alone.
void StampaEsito(QPaintDevice& dispositivo, const QString& codice, const QStringList& righe);

} // namespace qv
