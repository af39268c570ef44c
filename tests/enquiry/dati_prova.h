#pragma once
// What several enquiry tests share: the addresses the fake client answers
// and the default nation list with its VAT lengths, as start-up loads it.

#include "shell/elenco_nazioni.h"

#include <QString>

namespace prova {

inline const QString kExport = QStringLiteral("http://dogane.test/export?mrn=");
inline const QString kTransito = QStringLiteral("http://dogane.test/transito?mrn=");
inline const QString kVies = QStringLiteral("http://entrate.test/vies?stato=");

inline qv::ElencoNazioni nazioniPredefinite() {
    qv::ElencoNazioni e;
    for (const auto& n : qv::NazioniPredefinite()) {
        e.CodiciNazioni << QLatin1String(n.codice);
        e.NomiNazioni << QLatin1String(n.nome);
        e.LunghezzeVat << n.lunghezze;
    }
    return e;
}

} // namespace prova
