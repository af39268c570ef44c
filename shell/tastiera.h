#pragma once
// The keyboard rules every window shares, as pure functions: the windows'
// common key filter applies them to real key events.

#include "shell/messaggi.h"

#include <QString>

namespace qv {

// Key codes as the window system numbers them.
namespace CodiceTasto {
inline constexpr int Invio = 13;
inline constexpr int F = 70;
inline constexpr int F2 = 113;
inline constexpr int F4 = 115;
inline constexpr int F8 = 119;
} // namespace CodiceTasto

// Modifier bits of a key event.
inline constexpr int kShift = 1;
inline constexpr int kCtrl = 2;
inline constexpr int kAlt = 4;

// Numeric fields: backspace, Ctrl+C, Ctrl+R and Ctrl+V pass, so do the
// digits; any other character becomes 0 (discarded).
int SoloCifre(int keyAscii);

// Code fields: "a".."z" become "A".."Z"; everything else passes.
int Maiuscolo(int keyAscii);

// True when a field with a maximum length has just been filled, so the focus
// moves on. A field without a maximum length never moves by itself.
bool AvanzaSePieno(int lunghezzaMassima, int lunghezzaTesto);

enum class AzioneComune {
    Nessuna,       // the key is the window's own
    CercaFile,     // Ctrl+F: the search window on the current drive's root
    UscitaForzata, // Ctrl+F2: end the program after confirmation
    Uscita,        // F2: the window's own exit keys
    CambiaTitolo,  // Ctrl+F8 on a window with a border: caption toggle
};

// What a key pressed in any window does before the window sees it.
AzioneComune TastiComuni(int keyCode, int shift, bool finestraConBordo = true);

// Ctrl+F8: a caption not ending in "!" is remembered in `ricordato` and
// replaced by the window's internal name and " !"; a caption ending in "!"
// gives back the remembered one.
QString CambiaTitolo(const QString& titolo, const QString& nomeInterno, QString& ricordato);

// The question Ctrl+F2 asks: "FINE DI " + program + "?", "USCITA FORZATA",
// Yes/No, exclamation, No by default.
Messaggio DomandaUscitaForzata();

// The letter that F2's key string presses with Alt: "%F" gives 'F'.
QChar LetteraTasti(const QString& tasti);

} // namespace qv
