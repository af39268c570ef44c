#include "enquiry/codici_web.h"

#include "enquiry/testo_pagina.h"
#include "shell/file_ini.h"

namespace qv {

namespace {

const QString kSezione = QStringLiteral("INDIRIZZIWEB");

QString conPredefinito(const QString& fileIni, const char* chiave, const QString& predefinito) {
    const QString valore = LeggiIni(fileIni, kSezione, QLatin1String(chiave));
    return valore.trimmed().isEmpty() ? predefinito : valore;
}

// "min-max" of one range; each number only when above 0.
QString testoIntervallo(const IntervalloVat& r) {
    QString t;
    if (r.minimo > 0)
        t += QString::number(r.minimo);
    if (r.massimo > 0)
        t += QLatin1Char('-') + QString::number(r.massimo);
    return t;
}

} // namespace

QString UrlExportPredefinito() {
    return QStringLiteral("http://") + QLatin1String(HostDogane) +
           QStringLiteral("/ed/servizi/esportazione/export.htm?mrn=");
}
QString UrlTransitiPredefinito() {
    return QStringLiteral("http://") + QLatin1String(HostDogane) +
           QStringLiteral("/ed/servizi/ecustoms/transito/mrn/transito.htm?mrn=");
}
QString UrlVatPredefinito() {
    return QStringLiteral("http://") + QLatin1String(HostEntrate) +
           QStringLiteral("/servizi/vies/vies.htm?act=piva&stato=");
}
QString UrlVatPivaPredefinito() { return QStringLiteral("&piva="); }

bool ECodiceVat(const QString& codice) { return codice.size() < 18; }

TipoMrn tipoMrn(const QString& codice) {
    if (codice.size() < 17)
        return TipoMrn::Nessuno;
    if (codice.at(16) == QLatin1Char('E'))
        return TipoMrn::Esportazione;
    if (codice.at(16) == QLatin1Char('T'))
        return TipoMrn::Transito;
    return TipoMrn::Nessuno;
}

QString ControllaMrn(const QString& mrn) {
    if (TogliSpazi(mrn).size() < 18)
        return QStringLiteral("*** Lunghezza numero MRN errata (18 caratteri)");
    if (tipoMrn(mrn) == TipoMrn::Nessuno)
        return QStringLiteral("*** Tipo MRN errato (T=Transito, E=Export)");
    return {};
}

QString ControllaVat(const QString& vat, const ElencoNazioni& nazioni) {
    if (vat.isEmpty())
        return QStringLiteral("*** Codice VAT non indicato ");
    const QString nazione = vat.left(2);
    const qsizetype indice = nazioni.CodiciNazioni.indexOf(nazione);
    if (indice < 0)
        return QStringLiteral("*** Nazione CEE  '") + nazione + QStringLiteral("'  inesistente ");

    const LunghezzeVatNazione intervalli = nazioni.LunghezzeVat.value(indice);
    const int n = static_cast<int>(vat.size()) - 2;
    QString messaggio = QStringLiteral("*** Lunghezza VAT errata ");
    for (int k = 0; k < 3; ++k) {
        const IntervalloVat& r = intervalli[k];
        if (r.minimo == 0)
            return messaggio;
        if (n >= r.minimo && n <= r.massimo)
            return {};
        messaggio += (k > 0 ? QStringLiteral(", ") : QString()) + testoIntervallo(r);
    }
    return messaggio;
}

QString IndirizzoExport(const StatoWeb& web, const QString& mrn) { return web.UrlExport + mrn; }

QString IndirizzoTransito(const StatoWeb& web, const QString& mrn) { return web.UrlTransiti + mrn; }

QString IndirizzoVat(const StatoWeb& web, const QString& vat) {
    return web.UrlVat + vat.left(2) + web.UrlVatPiva + vat.mid(2);
}

void LeggiIndirizziWeb(const QString& fileIni, StatoWeb& web) {
    web.UrlExport = conPredefinito(fileIni, "EXPORT", UrlExportPredefinito());
    web.UrlTransiti = conPredefinito(fileIni, "TRANSITI", UrlTransitiPredefinito());
    web.UrlVat = conPredefinito(fileIni, "VAT", UrlVatPredefinito());
    web.UrlVatPiva = conPredefinito(fileIni, "VATPIVA", UrlVatPivaPredefinito());
}

int LeggiSecondiAttesa(const QString& fileIni) {
    const double secondi = ValoreNumerico(LeggiIni(fileIni, kSezione, QStringLiteral("ATTESA")));
    return secondi >= 1 && secondi <= 3600 ? static_cast<int>(secondi) : 60;
}

QStringList CancellaCacheUrl(const StatoWeb& web, const QString& codice) {
    QStringList indirizzi{IndirizzoExport(web, codice)};
    if (tipoMrn(codice) == TipoMrn::Transito)
        indirizzi << IndirizzoTransito(web, codice);
    return indirizzi;
}

} // namespace qv
