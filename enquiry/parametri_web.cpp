#include "enquiry/parametri_web.h"

#include "enquiry/codici_web.h"
#include "enquiry/marcatori_web.h"
#include "shell/file_ini.h"

namespace qv {

IndirizziMarcatori LeggiIndirizziMarcatori(const QString& fileIni, const StatoWeb& web) {
    IndirizziMarcatori v{web.UrlExport, web.UrlTransiti, {}};
    const MarcatoriWeb m = LeggiMarcatori(fileIni);
    v.marcatori = {m.EX_ERRINI, m.EX_ERRFIN, m.EX_DAT1INI, m.EX_DAT1FIN, m.EX_DAT2INI, m.EX_DAT2FIN,
                   m.TR_ERRINI, m.TR_ERRFIN, m.TR_DAT1INI, m.TR_DAT1FIN, m.TR_DAT2INI, m.TR_DAT2FIN};
    return v;
}

IndirizziMarcatori IndirizziMarcatoriPredefiniti() {
    IndirizziMarcatori v{UrlExportPredefinito(), UrlTransitiPredefinito(), {}};
    for (std::size_t k = 0; k < v.marcatori.size(); ++k)
        v.marcatori[k] = QString::fromLatin1(MarcatoriPredefiniti().at(qsizetype(k)).predefinito);
    return v;
}

EsitoIndirizzi ConfermaIndirizziWeb(const QString& fileIni, StatoWeb& web, const IndirizziMarcatori& valori) {
    const QString sezione = QStringLiteral("INDIRIZZIWEB");
    const QString esportazioni = valori.UrlExport.trimmed();
    if (esportazioni.isEmpty()) return EsitoIndirizzi::MancaExport;
    web.UrlExport = esportazioni;
    ScriviIni(fileIni, sezione, QStringLiteral("EXPORT"), esportazioni);
    const QString transiti = valori.UrlTransiti.trimmed();
    if (transiti.isEmpty()) return EsitoIndirizzi::MancaTransiti;
    web.UrlTransiti = transiti;
    ScriviIni(fileIni, sezione, QStringLiteral("TRANSITI"), transiti);
    for (std::size_t k = 0; k < valori.marcatori.size(); ++k)
        ScriviIni(fileIni, QStringLiteral("PARAMWEB"),
                  QLatin1String(MarcatoriPredefiniti().at(qsizetype(k)).chiave),
                  valori.marcatori[k].trimmed().left(LunghezzaMarcatore));
    return EsitoIndirizzi::Scritti;
}

QString MessaggioIndirizzi(EsitoIndirizzi esito) {
    switch (esito) {
    case EsitoIndirizzi::MancaExport:
        return QStringLiteral("Indirizzo per appuramento Esportazioni (AES)non indicato!");
    case EsitoIndirizzi::MancaTransiti:
        return QStringLiteral("Indirizzo per appuramento Transiti (NCTS)non indicato!");
    case EsitoIndirizzi::Scritti:
        break;
    }
    return {};
}

QString CartellaPagineContesto(const StatoWeb& web, int contesto) {
    if (contesto < 0 || contesto >= NumeroContesti) return {};
    const QString propria = web.Opzioni[contesto].DirSave;
    if ((contesto == 1 || contesto == 2) && propria.trimmed().isEmpty())
        return web.Opzioni[3 - contesto].DirSave;
    return propria;
}

} // namespace qv
