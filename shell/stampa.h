#pragma once
// What the print destination window keeps while the program runs, and the
// printer the program prints on.

#include <QString>
#include <QStringList>

namespace qv {

struct StatoStampa {
    QString TipoStampa;        // "P", "D", "V" or empty (never chosen)
    int IndiceZoom = 0;        // 0..4
    int IndicePagina = 0;      // 0..7
    QString StampanteCorrente; // empty: the system's default printer
};

// Items of the print type list and of the preview zoom list, in order.
QStringList TipiStampa(); // "P (su stampante con richiesta)", ...
QStringList VociZoom();   // " 100%", "Larghezza", ...

// "&CONFERMA" of the print destination window: keeps the choices and writes
// them into section "STAMPA" ("STAMPANTE", "TIPO", "PREVIEW", "ZOOM").
void ConfermaStampa(const QString& fileIni, StatoStampa& stato, const QString& stampante, const QString& tipo,
                    int indicePagina, int indiceZoom);

} // namespace qv
