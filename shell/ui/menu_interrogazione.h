#pragma once
// The menu bar of the windows that run enquiries: "&FINE" closes the
// window, "&Parametri" opens the page options of the current context
// through the opener (disabled while that window is not there), "&Stampante"
// chooses the printer the program prints on.

#include <functional>

class QAction;
class QDialog;
class QVBoxLayout;

namespace qv {

struct ContestoFinestre;

class MenuInterrogazione {
public:
    // Builds the bar on `layout` of `finestra`; `primaDeiParametri` runs
    // before the page options open.
    MenuInterrogazione(QDialog* finestra, QVBoxLayout* layout, ContestoFinestre& contesto,
                       const std::function<void()>& primaDeiParametri = {});

    // All entries on or off, "&Parametri" only when its window is there.
    void abilita(bool si);

private:
    ContestoFinestre& contesto_;
    QAction* fine_ = nullptr;
    QAction* parametri_ = nullptr;
    QAction* stampante_ = nullptr;
};

} // namespace qv
