#include "shell/posizione_finestre.h"

#include "shell/file_ini.h"

#include <cmath>

namespace qv {

double TwipsPerPixel(double dpiLogici) {
    return dpiLogici > 0 ? 1440.0 / dpiLogici : 15.0;
}

TaskBar PosizioneTaskBar(const Schermo& schermo) {
    const QRect& g = schermo.geometria;
    const QRect& d = schermo.disponibile;
    // The bar's rectangle relative to the screen, right and bottom exclusive.
    int top = 0, left = 0, right = 0, bottom = 0;
    if (d.isValid() && d.bottom() < g.bottom()) {
        top = d.bottom() + 1 - g.top();
        bottom = g.height();
        right = g.width();
    } else if (d.isValid() && d.right() < g.right()) {
        left = d.right() + 1 - g.left();
        right = g.width();
        bottom = g.height();
    } else if (d.isValid() && d.top() > g.top()) {
        right = g.width();
        bottom = d.top() - g.top();
    } else if (d.isValid() && d.left() > g.left()) {
        right = d.left() - g.left();
        bottom = g.height();
    }

    TaskBar t;
    t.top = top;
    t.left = left;
    t.altezza = (bottom - top) * schermo.twipsPerPixelY;
    t.larghezza = (right - left) * schermo.twipsPerPixelX;
    if (top > 1)
        t.LatoTaskBar = 0;
    else if (left > 1)
        t.LatoTaskBar = 1;
    else if (schermo.altezza() / 2 > t.altezza)
        t.LatoTaskBar = 2;
    else
        t.LatoTaskBar = 3;
    return t;
}

Collocazione RipristinaFinestra(const QString& fileIni, const Finestra& finestra, const Schermo& schermo,
                                const std::optional<Riferimento>& riferimento, TaskBar& taskBar,
                                bool usaPosizioneSalvata) {
    const QString& sezione = finestra.nome;
    const double wstate = ValoreNumerico(LeggiIni(fileIni, sezione, QStringLiteral("WSTATE")));
    Collocazione c;
    if (wstate == 2) {
        c.massimizzata = true;
        return c;
    }

    const double larghezzaSchermo = schermo.larghezza();
    const double altezzaSchermo = schermo.altezza();
    double w = finestra.bordoRidimensionabile
                   ? ValoreNumerico(LeggiIni(fileIni, sezione, QStringLiteral("DIMX")))
                   : 0;
    if (w == 0) w = finestra.larghezza;
    if (larghezzaSchermo < w) w = larghezzaSchermo;
    double h = finestra.bordoRidimensionabile
                   ? ValoreNumerico(LeggiIni(fileIni, sezione, QStringLiteral("DIMY")))
                   : 0;
    if (h == 0) h = finestra.altezza;
    if (altezzaSchermo < h) h = altezzaSchermo;

    const double posx = ValoreNumerico(LeggiIni(fileIni, sezione, QStringLiteral("POSX")));
    const double posy = ValoreNumerico(LeggiIni(fileIni, sezione, QStringLiteral("POSY")));
    double x = posx < 0 ? (larghezzaSchermo - w) / 2 : posx;
    double y = posy < 0 ? (altezzaSchermo - h) / 2 : posy;

    // Every window opens on the reference window's client area unless it asks
    // for its own saved position and has one.
    if (riferimento && !(usaPosizioneSalvata && (wstate != 0 || posx != 0 || posy != 0))) {
        const Rettangolo& r = riferimento->esterno;
        x = r.left + std::abs(r.width - riferimento->scaleWidth) / 2;
        y = r.top + std::abs(r.height - riferimento->scaleHeight) - 90;
    }

    // The screen's own origin, for screens that do not start at 0.
    const double x0 = schermo.geometria.left() * schermo.twipsPerPixelX;
    const double y0 = schermo.geometria.top() * schermo.twipsPerPixelY;

    taskBar = PosizioneTaskBar(schermo);
    Rettangolo out{x, y, w, h};
    const double sotto = taskBar.LatoTaskBar == 0 ? taskBar.altezza : 0;
    if (y + h - y0 > altezzaSchermo - sotto) {
        out.top = altezzaSchermo - h - sotto;
        if (out.top < 0) out.top = 0;
        out.top += y0;
    }
    const double destra = taskBar.LatoTaskBar == 1 ? taskBar.larghezza : 0;
    if (x + w - x0 > larghezzaSchermo - destra) out.left = x0 + larghezzaSchermo - w - destra;
    if (taskBar.LatoTaskBar == 3 && out.left - x0 < taskBar.larghezza) out.left = x0 + taskBar.larghezza;
    c.rettangolo = out;
    return c;
}

void SalvaFinestra(const QString& fileIni, const QString& nome, StatoFinestra stato,
                   bool bordoRidimensionabile, const Rettangolo& r) {
    const int s = stato == StatoFinestra::Normale ? 0 : 2;
    if (s == 0) {
        if (bordoRidimensionabile) {
            ScriviIni(fileIni, nome, QStringLiteral("DIMX"), r.width);
            ScriviIni(fileIni, nome, QStringLiteral("DIMY"), r.height);
        }
        ScriviIni(fileIni, nome, QStringLiteral("POSX"), r.left);
        ScriviIni(fileIni, nome, QStringLiteral("POSY"), r.top);
    }
    ScriviIni(fileIni, nome, QStringLiteral("WSTATE"), s);
}

} // namespace qv
