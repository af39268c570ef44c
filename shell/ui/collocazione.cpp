#include "shell/ui/collocazione.h"

#include "platform/screen_info.h"
#include "shell/ui/contesto_finestre.h"

#include <QLayout>
#include <QMainWindow>
#include <QWidget>

#include <cmath>

namespace qv {

namespace {

// What the frame adds to the widget's own size (0 before the window is shown).
QSize bordi(const QWidget* w) {
    return w->frameGeometry().size() - w->size();
}

// The client area as the placement rules mean it: below the menu bar. A main
// window not shown yet (a window opened during start-up) has not laid out its
// central widget, which still has a default size: its layout is run first.
QSize areaClient(QWidget* w) {
    auto* mw = qobject_cast<QMainWindow*>(w);
    if (!mw || !mw->centralWidget()) return w->size();
    if (!mw->isVisible() && mw->layout()) mw->layout()->activate();
    return mw->centralWidget()->size();
}

} // namespace

Schermo SchermoDi(const QWidget* finestra) {
    const platform::ScreenMeasures m = platform::screenOf(finestra);
    Schermo s;
    s.geometria = m.geometry;
    s.disponibile = m.available;
    s.twipsPerPixelX = TwipsPerPixel(m.dpiX);
    s.twipsPerPixelY = TwipsPerPixel(m.dpiY);
    return s;
}

Rettangolo RettangoloDi(const QWidget* finestra) {
    const Schermo s = SchermoDi(finestra);
    const QRect g = finestra->frameGeometry();
    return Rettangolo{g.x() * s.twipsPerPixelX, g.y() * s.twipsPerPixelY, g.width() * s.twipsPerPixelX,
                      g.height() * s.twipsPerPixelY};
}

void ApplicaRettangolo(QWidget* finestra, const Rettangolo& r) {
    const Schermo s = SchermoDi(finestra);
    const QSize extra = bordi(finestra);
    finestra->move(int(std::lround(r.left / s.twipsPerPixelX)), int(std::lround(r.top / s.twipsPerPixelY)));
    finestra->resize(int(std::lround(r.width / s.twipsPerPixelX)) - extra.width(),
                     int(std::lround(r.height / s.twipsPerPixelY)) - extra.height());
}

void RipristinaFinestra(QWidget* finestra, ContestoFinestre& contesto, bool ridimensionabile,
                        bool usaPosizioneSalvata) {
    const Schermo schermo = SchermoDi(finestra);
    const Rettangolo attuale = RettangoloDi(finestra);
    std::optional<Riferimento> riferimento;
    QWidget* r =
        contesto.FinestraRiferimento ? contesto.FinestraRiferimento.data() : contesto.principale.data();
    if (r && r != finestra) {
        const QSize client = areaClient(r);
        riferimento = Riferimento{RettangoloDi(r), client.width() * schermo.twipsPerPixelX,
                                  client.height() * schermo.twipsPerPixelY};
    }
    const Collocazione c =
        RipristinaFinestra(contesto.shell.FileIni,
                           Finestra{finestra->objectName(), ridimensionabile, attuale.width, attuale.height},
                           schermo, riferimento, contesto.shell.taskBar, usaPosizioneSalvata);
    contesto.FinestraRiferimento.clear();
    if (c.massimizzata) {
        finestra->setWindowState(finestra->windowState() | Qt::WindowMaximized);
        return;
    }
    ApplicaRettangolo(finestra, c.rettangolo);
}

void SalvaFinestra(QWidget* finestra, ContestoFinestre& contesto, bool ridimensionabile) {
    const Qt::WindowStates st = finestra->windowState();
    const StatoFinestra stato = (st & Qt::WindowMinimized)   ? StatoFinestra::Minimizzata
                                : (st & Qt::WindowMaximized) ? StatoFinestra::Massimizzata
                                                             : StatoFinestra::Normale;
    SalvaFinestra(contesto.shell.FileIni, finestra->objectName(), stato, ridimensionabile,
                  RettangoloDi(finestra));
}

} // namespace qv
