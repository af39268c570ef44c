#pragma once
// Starting other programs and handing documents and addresses to the desktop:
// what the program asks of the platform's shell. The desktop program and the
// CLI use the platform's implementation; tests record the requests.

#include <QString>

namespace qv {

// The shell's answer to opening a document: a code of 32 or more is success;
// 0, 2, 3, 11 and 31 are the failures the program explains. `errore` is set
// (with its description) when the call itself failed.
struct EsitoShell {
    int codice = 0;
    int errore = 0;
    QString descrizione;
};

class Avviatore {
public:
    virtual ~Avviatore() = default;
    // Starts a program file with arguments (one command-line text) and a
    // window style (1 normal with focus). Returns the task number, 0 when the
    // program could not be started.
    virtual qint64 avviaProgramma(const QString& programma, const QString& argomenti, int stile) = 0;
    // Hands an address ("http...", "mail...") to the desktop. False on failure.
    virtual bool apriIndirizzo(const QString& indirizzo) = 0;
    // Opens a document with its associated program (the shell verb "Open").
    virtual EsitoShell apriDocumento(const QString& file, const QString& parametri, const QString& cartella,
                                     int mostra) = 0;
};

} // namespace qv
