#pragma once
// An Avviatore that records what it was asked to start and answers as told.

#include "platform/avviatore.h"

#include <QStringList>

namespace qv::prova {

class AvviatoreRegistrato : public Avviatore {
public:
    struct Avvio {
        QString programma;
        QString argomenti;
        int stile;
    };
    QList<Avvio> avvii;
    QStringList indirizzi;
    QStringList documenti;
    qint64 esitoAvvio = 4242; // 0: the start fails
    EsitoShell esitoDocumento{42, 0, {}};

    qint64 avviaProgramma(const QString& programma, const QString& argomenti, int stile) override {
        avvii.append({programma, argomenti, stile});
        return esitoAvvio;
    }
    bool apriIndirizzo(const QString& indirizzo) override {
        indirizzi << indirizzo;
        return true;
    }
    EsitoShell apriDocumento(const QString& file, const QString&, const QString&, int) override {
        documenti << file;
        return esitoDocumento;
    }
};

} // namespace qv::prova
