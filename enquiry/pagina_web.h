#pragma once
// What the page window ("FrmWeb") decides: where it opens, its caption by
// page kind, and the question it asks when a page does not arrive.

#include <QString>

#include <chrono>

namespace qv {

// How long the window waits for a page before asking.
inline constexpr std::chrono::seconds AttesaPaginaWeb{20};

// Where the page window opens, in twips.
struct PosizionePaginaWeb {
    double left = 0;
    double top = 0;
    double width = 1800;
    double height = 1200;
    bool minimizzata = false;
};

// With View 1 the placement saved in section "FrmWeb" ("POSY", "POSX",
// "DIMY", "DIMX"): a position below 0 or past the screen less 400 (top) or
// 600 (left) becomes 0; a height below 1 or above the screen's becomes 4000;
// a width below 1 or above the screen's 6000. Context 0 opens minimised.
// Any other View: the top left corner, 1800 x 1200.
PosizionePaginaWeb CollocaPaginaWeb(const QString& fileIni, int view, int contesto, double larghezzaSchermo,
                                    double altezzaSchermo);

// "MRN Esportazione '" + code + "'" for "ex", "MRN Transito '...'" for "tr",
// "P.IVA Comunitaria '...'" for "pi", "  ERRORE" for anything else.
QString DidascaliaPaginaWeb(const QString& tipo, const QString& codice);

// "ATTESA PAGINA WEB": "Pagina WEB per MRN " + code (for "pi" "Pagina WEB
// per VAT  " + code), "non ricevuta", "Attendi ancora?" on three lines.
QString TitoloAttesaPagina();
QString DomandaAttesaPagina(const QString& tipo, const QString& codice);

} // namespace qv
