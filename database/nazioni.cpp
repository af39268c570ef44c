#include "database/nazioni.h"

#include "database/file_database.h"
#include "shell/elenco_nazioni.h"

namespace qv {

QString BandieraDi(const QString& codice) {
    return QStringLiteral("Images\\flag_") + codice + QStringLiteral(".gif");
}

void ApriNazioni(StatoDatabase& s, Messaggi& m) {
    s.NazioniAperta =
        ApriTabella(s, m, {QStringLiteral("Nazioni"), QStringLiteral("ERRORE IN APERTURA TABELLA NAZIONI"), false, {}},
                    s.RsNazioni);
}

void ChiudiNazioni(StatoDatabase& s) { ChiudiTabella(s.RsNazioni, s.NazioniAperta); }

void ScriviNazione(StatoDatabase& s, const QString& codice, const QString& descrizione) {
    if (!s.NazioniAperta)
        return;
    ScriviPerChiave(s.RsNazioni, QStringLiteral("Codice"), codice, [&](dao::Recordset& rs) {
        rs.setValue(QStringLiteral("Descrizione"), descrizione.trimmed());
        rs.setValue(QStringLiteral("Bandiera"), BandieraDi(codice));
    });
}

void CaricaNazioniCee(StatoDatabase& s, Messaggi& m) {
    ApriNazioni(s, m);
    if (s.NazioniAperta) {
        for (const NazionePredefinita& n : NazioniPredefinite()) {
            try {
                ScriviNazione(s, QLatin1String(n.codice), QLatin1String(n.nome));
            } catch (const dao::ErroreDao&) {
                // A table that cannot take a nation (a field cut shorter by
                // hand) loses that row, not the start-up.
            }
        }
    }
    ChiudiNazioni(s);
}

} // namespace qv
