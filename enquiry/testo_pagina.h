#pragma once
// The text side of extraction: searching a marker in a page with the 16-bit
// positions the extraction has always used, and the cleaned 150-character
// window a field is cut from. GetHtmPage is the only user besides the tests.

#include <QByteArray>
#include <QString>

#include <exception>

namespace qv {

inline constexpr int PosizioneMassima = 32767; // positions are 16-bit signed
inline constexpr int LarghezzaFinestra = 150;

// Why an extraction stopped. The numbers are what the user sees; keep them.
enum class TipoGuasto {
    FineMancante = 1,         // the end marker is not in the window
    RicercaDaZero = 2,        // a search after a marker that was not found
    PosizioneOltreLimite = 3, // a marker lies past character 32,767
};

// Thrown by the helpers below and caught by the extraction that called them,
// which shows testo() (export and transit pages) or ends the enquiry as
// without connection (VIES page).
struct GuastoEstrazione : std::exception {
    GuastoEstrazione(TipoGuasto tipo, QString marcatore);

    TipoGuasto tipo;
    QString marcatore;

    int numero() const { return static_cast<int>(tipo); }
    QString descrizione() const;
    // "N - description", as the message box shows it.
    QString testo() const { return QString::number(numero()) + QStringLiteral(" - ") + descrizione(); }
    // testo() in UTF-8.
    const char* what() const noexcept override { return testoUtf8_.constData(); }

private:
    QByteArray testoUtf8_;
};

// Leading and trailing blanks (spaces only) removed; tabs and other
// white space stay, as the program's Trim has always done.
QString TogliSpazi(const QString& testo);

// The window cleaning: each of the first n characters (n = the window's
// length before cleaning) that is "?" or has no Windows-1252 code becomes
// "e' s"; then line feeds, carriage returns, "<strong>" and "</strong>" go,
// "&agrave;" becomes "à", and blanks are trimmed.
QString PulisciFinestra(QString finestra);

// Searches `marcatore` (case-sensitive) in `html` from the 1-based `pos`.
// Found: `pos` = the character after it, true. Not found: `pos` = 0, false.
// Throws RicercaDaZero when `pos` is below 1 and PosizioneOltreLimite when
// the new position would pass 32,767.
bool CercaMarcatore(const QString& html, int& pos, const QString& marcatore);

// The cleaned window of up to 150 characters of `html` from the 1-based
// `pos`; throws RicercaDaZero when `pos` is below 1.
QString FinestraTesto(const QString& html, int pos);

// The characters of `finestra` before the first `fine`; throws FineMancante
// when `fine` is not there.
QString TestoFinoA(const QString& finestra, const QString& fine);

} // namespace qv
