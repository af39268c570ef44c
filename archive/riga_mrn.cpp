#include "archive/riga_mrn.h"

#include "archive/colonne_griglia.h"
#include "archive/righe_esiti.h"
#include "enquiry/codici_web.h"
#include "platform/day_number.h"

namespace qv {

namespace {
QString oBlank(const QString& v) { return v.isEmpty() ? QStringLiteral(" ") : v; }
} // namespace

std::optional<double> DataDaValore(const QString& valore) {
    if (valore.trimmed().isEmpty())
        return std::nullopt;
    return platform::dayNumberFromText(valore);
}

ValoriRigaMrn CalcolaRigaMrn(const QString& codice, std::span<const QString> esito, std::span<const QString> titolo) {
    ValoriRigaMrn r;
    r.Codice = codice;
    r.Nazione = codice.mid(2, 2);
    r.ExUffExport = oBlank(voceDi(esito, 17));

    // Value 18 is "code - description": the code in the first 8 characters,
    // the description from character 12 to 70. Blank: both are empty text, never NULL.
    r.ExUffUscitaCod = r.ExUffUscitaDes = QString(QLatin1String(""));
    const QString uscita = voceDi(esito, 18);
    if (!uscita.trimmed().isEmpty()) {
        const QString settanta = uscita.left(70).leftJustified(70, QLatin1Char(' '));
        r.ExUffUscitaCod = settanta.left(8);
        r.ExUffUscitaDes = settanta.mid(11).trimmed();
    }
    const auto dataUscita = DataDaValore(voceDi(esito, 19));
    r.ExDataUscita = dataUscita.value_or(0);

    bool dataTransito = false;
    for (int k = 0; k < 4; ++k) {
        r.TrUfficio[k] = oBlank(voceDi(esito, 4 * k + 1));
        r.TrRuolo[k] = oBlank(voceDi(esito, 4 * k + 2));
        if (const auto d = DataDaValore(voceDi(esito, 4 * k + 3))) {
            r.TrData[k] = *d;
            dataTransito = true;
        }
        if (const auto d = DataDaValore(voceDi(esito, 4 * k + 4))) {
            r.TrDataDel[k] = *d;
            r.discarico = true;
        }
    }

    const QString messaggio = voceDi(titolo, 2);
    const TipoMrn tipo = tipoMrn(codice);
    if (messaggio.startsWith(QLatin1String("***")))
        r.OKStato = kStatoErrato;
    else if (messaggio.startsWith(QLatin1String("===")))
        r.OKStato = kStatoSospeso;
    else if (tipo == TipoMrn::Esportazione)
        r.OKStato = dataUscita ? kStatoConcluso : kStatoSospeso;
    else if (tipo == TipoMrn::Transito)
        r.OKStato = dataTransito ? kStatoConcluso : kStatoSospeso;
    return r;
}

} // namespace qv
