#pragma once
// Where windows open and what they remember of their placement. Pure rules
// over plain measures, so that they can be checked against any screen: the
// windows turn their geometry into these measures and back.
//
// Measures are in twips (1/1440 inch) as the configuration file stores them;
// the screen and the task bar come in pixels, as the window system gives them.

#include <QRect>
#include <QString>

#include <optional>

namespace qv {

// 15 twips per pixel at 96 dpi, scaled by the screen's logical dpi.
double TwipsPerPixel(double dpiLogici);

struct Schermo {
    QRect geometria;   // the whole screen, pixels
    QRect disponibile; // the screen less the task bar, pixels
    double twipsPerPixelX = 15;
    double twipsPerPixelY = 15;

    double larghezza() const { return geometria.width() * twipsPerPixelX; } // twips
    double altezza() const { return geometria.height() * twipsPerPixelY; }  // twips
};

// The task bar as the placement rules see it. LatoTaskBar: 0 bottom, 1 right,
// 2 top, 3 left.
struct TaskBar {
    int top = 0;          // pixels, relative to the screen
    int left = 0;         // pixels, relative to the screen
    double altezza = 0;   // twips
    double larghezza = 0; // twips
    int LatoTaskBar = 0;
};

// The task bar is whatever the available area leaves of the screen. A screen
// without one reads as an empty bar at the top, which moves nothing.
TaskBar PosizioneTaskBar(const Schermo& schermo);

struct Rettangolo {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
};

enum class StatoFinestra { Normale = 0, Minimizzata = 1, Massimizzata = 2 };

// What placement needs to know of the window being opened.
struct Finestra {
    QString nome;                       // its section in the configuration file
    bool bordoRidimensionabile = false; // only sizable windows keep their size
    double larghezza = 0;               // current (design) size, twips
    double altezza = 0;
};

// The window the next one opens relative to: its outer rectangle and its
// client area's size.
struct Riferimento {
    Rettangolo esterno;
    double scaleWidth = 0;
    double scaleHeight = 0;
};

struct Collocazione {
    bool massimizzata = false; // when true the rectangle is left as it was
    Rettangolo rettangolo;
};

// Placement of a window as it opens: its saved size (sizable windows only),
// kept inside the screen, its top-left corner on the reference window's client
// area, moved clear of the task bar. `taskBar` receives the bar found. Without
// a reference window (none is open) the stored or centred position stays.
Collocazione RipristinaFinestra(const QString& fileIni, const Finestra& finestra, const Schermo& schermo,
                                const std::optional<Riferimento>& riferimento, TaskBar& taskBar,
                                bool usaPosizioneSalvata = false);

// Records a window's placement as it closes. A minimised window is recorded
// as maximised; size and position only when the window is in its normal state.
void SalvaFinestra(const QString& fileIni, const QString& nome, StatoFinestra stato,
                   bool bordoRidimensionabile, const Rettangolo& rettangolo);

} // namespace qv
