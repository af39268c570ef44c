#pragma once
// The nation list kept in the configuration file, always available before
// the database is open, and the VAT number lengths of each nation.

#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>

namespace qv {

// One allowed length range of a VAT number's national part (the code less its
// two-letter prefix). A range is in use when its minimum is above 0.
struct IntervalloVat {
    std::uint8_t minimo = 0;
    std::uint8_t massimo = 0;
};
using LunghezzeVatNazione = std::array<IntervalloVat, 3>;

struct NazionePredefinita {
    const char* codice;
    const char* nome;
    LunghezzeVatNazione lunghezze;
};

// The 27 default nations in the order of the default "CODICI" list.
const QList<NazionePredefinita>& NazioniPredefinite();
// "AT,BE,...,HU," (with the trailing comma).
QString CodiciPredefiniti();
// The length ranges of a nation's VAT numbers; none in use for an unknown code.
LunghezzeVatNazione LunghezzeVatDi(const QString& codice);

struct ElencoNazioni {
    QStringList CodiciNazioni;              // "CODICI" split at commas; trailing comma -> last entry empty
    QStringList NomiNazioni;                // same indexes; the last entry stays empty
    QList<LunghezzeVatNazione> LunghezzeVat; // same indexes
};

// Start-up step: when "NAZIONI"/"CODICI" is empty, writes the default list and
// the 27 names; then splits the list and reads each name.
ElencoNazioni CaricaElencoNazioni(const QString& fileIni);

} // namespace qv
