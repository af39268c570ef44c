#pragma once
// Other programs' top-level windows, as the desktop's window manager lists
// them: their titles, bringing one to the front, asking one to close. The
// workbook update uses it to find the spreadsheet program that holds a
// workbook open. The desktop program uses the platform's implementation;
// tests give their own.

#include <QList>
#include <QString>

#include <memory>
#include <optional>

namespace qv {

struct FinestraEsterna {
    quint64 id = 0;
    QString titolo;
};

class FinestreEsterne {
public:
    virtual ~FinestreEsterne() = default;
    // The top-level windows with their titles, in the window manager's
    // order; nullopt when they cannot be listed (no X11 display, a window
    // manager without the standard client list, Wayland).
    virtual std::optional<QList<FinestraEsterna>> elenco() = 0;
    // Restores the window and brings it to the front; false when the request
    // could not be sent.
    virtual bool mostra(quint64 id) = 0;
    // Asks the window to close, as its close button does; false when the
    // request could not be sent.
    virtual bool chiudi(quint64 id) = 0;
};

// X11 through the window manager's standard properties when a display can
// be reached; elsewhere an implementation that lists nothing.
std::unique_ptr<FinestreEsterne> FinestreDelSistema();

} // namespace qv
