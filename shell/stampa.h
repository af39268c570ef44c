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
    QString StampanteCorrente; // chosen in this run; empty: the one kept, else the system's default
};

// The printer the program prints on: the one chosen in this run, else the
// one kept between runs in "STAMPA"/"STAMPANTE", else `predefinita`.
QString StampanteProgramma(const QString& fileIni, const StatoStampa& stato, const QString& predefinita);

// A printer chosen ("&MODIFICA", "&Stampante") becomes the current one at
// once and is kept for the next run, as a system default printer would be.
void CambiaStampante(const QString& fileIni, StatoStampa& stato, const QString& stampante);

// Items of the print type list and of the preview zoom list, in order.
QStringList TipiStampa(); // "P (su stampante con richiesta)", ...
QStringList VociZoom();   // " 100%", "Larghezza", ...

// "&CONFERMA" of the print destination window: keeps the choices and writes
// them into section "STAMPA" ("STAMPANTE", "TIPO", "PREVIEW", "ZOOM").
void ConfermaStampa(const QString& fileIni, StatoStampa& stato, const QString& stampante, const QString& tipo,
                    int indicePagina, int indiceZoom);

} // namespace qv
