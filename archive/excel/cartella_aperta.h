#pragma once
// A workbook held open by another program: its lock file and the windows
// whose title begins with its file name. "&Apri" brings such a window to
// the front; the Yes of "EXCEL APERTO" closes them and waits for the
// program to let the workbook go.

#include "platform/finestre_esterne.h"

#include <functional>

namespace qv {

// The windows whose title, upper-cased, begins with the workbook's file name
// upper-cased; none when the windows cannot be listed.
QList<FinestraEsterna> FinestreCartella(const QString& percorso, FinestreEsterne& finestre);

// "&Apri": the last such window found is restored and brought to the front.
// False when there is none.
bool MostraFinestraCartella(const QString& percorso, FinestreEsterne& finestre);

enum class ChiusuraCartella {
    Chiusa,          // no lock file and no window left
    NessunaFinestra, // open (a lock file) but no window of it can be found
    AncoraAperta,    // asked to close, still open when the time was up
};

// Asks each window of the workbook to close, then checks every 100 ms, at
// most `limiteMs`, that the lock file has gone and no window of it is left;
// `attendi(ms)` waits between checks (the window lets events through).
ChiusuraCartella ChiudiCartellaAperta(const QString& percorso, FinestreEsterne& finestre,
                                      const std::function<void(int ms)>& attendi, int limiteMs = 10000);

} // namespace qv
