#pragma once
// The platform's shell behind Avviatore: programs started detached, addresses
// and documents handed to the desktop's default programs.

#include "platform/avviatore.h"

namespace qv {

class AvviatoreSistema : public Avviatore {
public:
    qint64 avviaProgramma(const QString& programma, const QString& argomenti, int stile) override;
    bool apriIndirizzo(const QString& indirizzo) override;
    EsitoShell apriDocumento(const QString& file, const QString& parametri, const QString& cartella,
                             int mostra) override;
};

// "http:\\www..." as the program writes it, made into an address the
// desktop understands ("http://www...").
QString IndirizzoNormalizzato(const QString& indirizzo);

} // namespace qv
