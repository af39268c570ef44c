#include "shell/tastiera.h"

#include "shell/versione_programma.h"

namespace qv {

int SoloCifre(int keyAscii) {
    switch (keyAscii) {
    case 8:  // backspace
    case 3:  // Ctrl+C
    case 18: // Ctrl+R
    case 22: // Ctrl+V
        return keyAscii;
    default:
        break;
    }
    return (keyAscii < '0' || keyAscii > '9') ? 0 : keyAscii;
}

int Maiuscolo(int keyAscii) {
    return (keyAscii >= 'a' && keyAscii <= 'z') ? keyAscii - ('a' - 'A') : keyAscii;
}

bool AvanzaSePieno(int lunghezzaMassima, int lunghezzaTesto) {
    return lunghezzaMassima > 0 && lunghezzaTesto == lunghezzaMassima;
}

AzioneComune TastiComuni(int keyCode, int shift, bool finestraConBordo) {
    const bool ctrl = (shift & kCtrl) != 0;
    if (ctrl && keyCode == CodiceTasto::F) return AzioneComune::CercaFile;
    if (keyCode == CodiceTasto::F2) return ctrl ? AzioneComune::UscitaForzata : AzioneComune::Uscita;
    if (ctrl && keyCode == CodiceTasto::F8 && finestraConBordo) return AzioneComune::CambiaTitolo;
    return AzioneComune::Nessuna;
}

QString CambiaTitolo(const QString& titolo, const QString& nomeInterno, QString& ricordato) {
    if (titolo.endsWith(QLatin1Char('!'))) return ricordato;
    ricordato = titolo;
    return nomeInterno + QStringLiteral(" !");
}

Messaggio DomandaUscitaForzata() {
    return Messaggio{QStringLiteral("FINE DI ") + NomeProgramma + QStringLiteral("?"),
                     QStringLiteral("USCITA FORZATA"), Icona::Esclamazione, Pulsanti::SiNo, 1};
}

QChar LetteraTasti(const QString& tasti) {
    const int i = tasti.indexOf(QLatin1Char('%'));
    return (i >= 0 && i + 1 < tasti.size()) ? tasti.at(i + 1).toUpper() : QChar();
}

} // namespace qv
