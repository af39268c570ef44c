#pragma once
// What the two parameter windows of the web enquiry decide: the addresses
// and markers window ("GParHttp") and the page options window ("GWebPar").

#include "enquiry/stato_web.h"

#include <QString>

#include <array>

namespace qv {

// A marker holds at most this many characters.
inline constexpr int LunghezzaMarcatore = 30;

// The addresses window's fourteen boxes: the export and transit addresses,
// then the twelve markers in the order of MarcatoriPredefiniti().
struct IndirizziMarcatori {
    QString UrlExport;
    QString UrlTransiti;
    std::array<QString, 12> marcatori;
};

// What the window opens with: the addresses in use and the markers of
// section "PARAMWEB" (defaults where missing or blank).
IndirizziMarcatori LeggiIndirizziMarcatori(const QString& fileIni, const StatoWeb& web);

// "&RIPRISTINA": the default addresses and markers.
IndirizziMarcatori IndirizziMarcatoriPredefiniti();

// "&CONFERMA": the export address is written (section "INDIRIZZIWEB", key
// "EXPORT"), then the transit address ("TRANSITI"), then the markers trimmed
// and cut to LunghezzaMarcatore (an empty one is written empty and reads
// back as its default). Each address is refused when blank, and what comes
// after it is not written: the returned message says which.
enum class EsitoIndirizzi { Scritti, MancaExport, MancaTransiti };
EsitoIndirizzi ConfermaIndirizziWeb(const QString& fileIni, StatoWeb& web, const IndirizziMarcatori& valori);
QString MessaggioIndirizzi(EsitoIndirizzi esito); // empty for Scritti

// The folder the page options window shows for a context: its own, or for
// contexts 1 and 2 without one, the other's (3 - c).
QString CartellaPagineContesto(const StatoWeb& web, int contesto);

} // namespace qv
