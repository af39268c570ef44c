#pragma once
// The page window, seen from the enquiry: when the page options ask for it
// (printing, or viewing in the program's own window), the fetched page's
// address is handed to the window, which loads, shows and prints it by
// itself and is closed before the enquiry goes on. The desktop program
// implements it; without one (CLI, tests) that step is skipped.

#include <QString>

namespace qv {

class FinestraPagina {
public:
    virtual ~FinestraPagina() = default;
    // Shows the page modally and returns when the window is closed. `tipo` is
    // "ex", "tr" or "pi". False when it could not be shown (another window is
    // modal); the enquiry goes on either way.
    virtual bool mostraPagina(const QString& url, const QString& codice, const QString& tipo) = 0;
};

} // namespace qv
