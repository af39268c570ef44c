#pragma once
// Program-wide state of the web enquiry: the four address parts, the current
// enquiry context with the page options of each context, and the shared
// result arrays every enquiry window reads after InterrogaCodice.

#include <QString>

#include <array>

namespace qv {

// Values of ContestoWeb.
inline constexpr int ContestoElencoDatabase = 0;  // "INTERROGA ELENCO DA DATABASE"
inline constexpr int ContestoSingoloElemento = 1; // "INTERROGAZIONE SINGOLO ELEMENTO"
inline constexpr int ContestoElencoManuale = 2;   // "INTERROGA ELENCO MANUALE"
inline constexpr int NumeroContesti = 3;

// Caption of a context as the page options window shows it; empty outside 0..2.
QString DidascaliaContesto(int contesto);

// What happens to the pages fetched in one context (section "WEBPARAM", keys
// named with the context number: View1, Save1, ...).
struct OpzioniPagina {
    int View = 0;      // above 0: pages are shown
    int Save = 0;      // above 0: pages are saved as HTML files in DirSave
    QString DirSave;   // trimmed
    int Print = 0;     // above 0: pages are printed through the page window
    int ChPrt = 0;     // printing asks for the printer ("Con richiesta")
    QString Stampante; // printer name shown by the page options window, trimmed
};

struct StatoWeb {
    // Address parts; the code is appended to them (see codici_web.h).
    QString UrlExport;
    QString UrlTransiti;
    QString UrlVat;
    QString UrlVatPiva;

    int ContestoWeb = ContestoElencoDatabase;
    std::array<OpzioniPagina, NumeroContesti> Opzioni; // indexed by ContestoWeb
    int IESkede = 0; // 1: pages go to the program's page window; 0: to the default browser

    // Results of the last InterrogaCodice; index 0 is never used.
    std::array<QString, 20> Esito;
    std::array<QString, 8> Titolo;

    // Folder for "tmp_html.htm" and other scratch files, with a trailing "/".
    QString CartellaTemp;

    // How long one request may wait for its answer.
    int SecondiAttesa = 60;

    // The options of the current context (context 0's when ContestoWeb is out of range).
    const OpzioniPagina& opzioniCorrenti() const;
};

// Loads IESkede and every context's options from "WEBPARAM". Whole numbers
// that are missing, blank or not numeric read as 0.
void CaricaOpzioniPagine(const QString& fileIni, StatoWeb& web);

// Writes the options of one context: IESkede, then View, Save, DirSave,
// Print, ChPrt and Stampante followed by the context number.
void ScriviOpzioniContesto(const QString& fileIni, const StatoWeb& web, int contesto);

} // namespace qv
