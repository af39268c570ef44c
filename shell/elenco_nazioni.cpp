#include "shell/elenco_nazioni.h"

#include "shell/file_ini.h"

namespace qv {

namespace {
constexpr IntervalloVat r(int a, int b) { return {std::uint8_t(a), std::uint8_t(b)}; }
} // namespace

// Lengths of the national part as the VIES service's own format notes give
// them (digits and letters counted alike).
const QList<NazionePredefinita>& NazioniPredefinite() {
    static const QList<NazionePredefinita> nazioni = {
        {"AT", "AUSTRIA", {r(9, 9)}},            // "U" + 8 digits
        {"BE", "BELGIO", {r(10, 10), r(9, 9)}},  // 10 digits; older 9-digit numbers
        {"BG", "BULGARIA", {r(9, 10)}},
        {"CY", "CIPRO", {r(9, 9)}},              // 8 digits + letter
        {"DK", "DANIMARCA", {r(8, 8)}},
        {"EE", "ESTONIA", {r(9, 9)}},
        {"FI", "FINLANDIA", {r(8, 8)}},
        {"FR", "FRANCIA", {r(11, 11)}},          // 2-character key + SIREN
        {"DE", "GERMANIA", {r(9, 9)}},
        {"GB", "GRAN BRETAGNA", {r(9, 9), r(12, 12), r(5, 5)}}, // standard, branch, GD/HA
        {"EL", "GRECIA", {r(9, 9)}},
        {"IE", "IRLANDA", {r(8, 9)}},
        {"IT", "ITALIA", {r(11, 11)}},
        {"LV", "LETTONIA", {r(11, 11)}},
        {"LT", "LITUANIA", {r(9, 9), r(12, 12)}},
        {"LU", "LUSSEMBURGO", {r(8, 8)}},
        {"MT", "MALTA", {r(8, 8)}},
        {"NL", "OLANDA", {r(12, 12)}},           // 9 digits + "B" + 2 digits
        {"PL", "POLONIA", {r(10, 10)}},
        {"PT", "PORTOGALLO", {r(9, 9)}},
        {"CZ", "REPUBBLICA CECA", {r(8, 10)}},
        {"RO", "ROMANIA", {r(2, 10)}},
        {"SK", "SLOVACCHIA", {r(10, 10)}},
        {"SI", "SLOVENIA", {r(8, 8)}},
        {"ES", "SPAGNA", {r(9, 9)}},
        {"SE", "SVEZIA", {r(12, 12)}},
        {"HU", "UNGHERIA", {r(8, 8)}},
    };
    return nazioni;
}

QString CodiciPredefiniti() {
    QString codici;
    for (const auto& n : NazioniPredefinite())
        codici += QLatin1String(n.codice) + QLatin1Char(',');
    return codici;
}

LunghezzeVatNazione LunghezzeVatDi(const QString& codice) {
    for (const auto& n : NazioniPredefinite())
        if (codice == QLatin1String(n.codice))
            return n.lunghezze;
    return {};
}

ElencoNazioni CaricaElencoNazioni(const QString& fileIni) {
    QString codici = LeggiIni(fileIni, QStringLiteral("NAZIONI"), QStringLiteral("CODICI"));
    if (codici.isEmpty()) {
        codici = CodiciPredefiniti();
        ScriviIni(fileIni, QStringLiteral("NAZIONI"), QStringLiteral("CODICI"), codici);
        for (const auto& n : NazioniPredefinite())
            ScriviIni(fileIni, QStringLiteral("NAZIONI"), QLatin1String(n.codice), QLatin1String(n.nome));
    }
    ElencoNazioni elenco;
    elenco.CodiciNazioni = codici.split(QLatin1Char(','));
    for (qsizetype i = 0; i < elenco.CodiciNazioni.size(); ++i) {
        const QString& codice = elenco.CodiciNazioni[i];
        const bool ultimo = i == elenco.CodiciNazioni.size() - 1;
        elenco.NomiNazioni << (ultimo ? QString() : LeggiIni(fileIni, QStringLiteral("NAZIONI"), codice));
        elenco.LunghezzeVat << LunghezzeVatDi(codice);
    }
    return elenco;
}

} // namespace qv
