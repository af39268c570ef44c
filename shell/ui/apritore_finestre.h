#pragma once
// How a window opens a window of another subsystem without knowing it: it
// names the window and the desktop program, the only place that knows every
// window, opens it. A window that is not built yet is not available, and the
// menu entry or button that would open it stays disabled.

#include <QString>
#include <QVariantMap>

class QWidget;

namespace qv {

enum class IdFinestra {
    EleMrn,                // batch enquiry; argument: the list file ("" = choose one)
    EleMRNok,              // archive browser
    GesNazDB,              // nations maintenance (database open)
    GesNaz,                // nations look-up (no database)
    GesExcel,              // workbook status update
    SalvaArk,              // backup
    RestoreArk,            // restore
    aggiornadb,            // schema upgrade
    riparadb,              // repair
    GParHttp,              // web addresses and markers
    GWebPar,               // page options of the current enquiry context
    VerificaAggiornamenti, // the program update check, asked for explicitly
    ColorTdbg,             // the row colours; parameters "plTitolo", "plPosX", "plPosY" (twips), "plTabLb"
};

class ApritoreFinestre {
public:
    virtual ~ApritoreFinestre() = default;
    virtual bool disponibile(IdFinestra finestra) const = 0;
    // Opens the window modally over `sopra` and returns when it closes.
    // `argomento` is the one value most windows take; `parametri` the
    // properties of windows that take several, by their names.
    virtual void apri(IdFinestra finestra, QWidget* sopra, const QString& argomento = QString(),
                      const QVariantMap& parametri = QVariantMap()) = 0;
};

} // namespace qv
