#pragma once
// Window placement for real windows: turns a window's geometry into the
// measures of the placement rules and back, with the reference window of
// the contesto.

#include "shell/posizione_finestre.h"

class QWidget;

namespace qv {

struct ContestoFinestre;

// The screen of a window as the placement rules measure it.
Schermo SchermoDi(const QWidget* finestra);

// A window's outer rectangle in twips.
Rettangolo RettangoloDi(const QWidget* finestra);

// Places a window as it opens (its objectName is its section), relative to
// FinestraRiferimento or the main window; FinestraRiferimento is emptied.
void RipristinaFinestra(QWidget* finestra, ContestoFinestre& contesto, bool ridimensionabile,
                        bool usaPosizioneSalvata = false);

// Records a window's placement as it closes.
void SalvaFinestra(QWidget* finestra, ContestoFinestre& contesto, bool ridimensionabile);

// Moves and sizes a window to a rectangle in twips (outer measures).
void ApplicaRettangolo(QWidget* finestra, const Rettangolo& r);

} // namespace qv
