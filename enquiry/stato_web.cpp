#include "enquiry/stato_web.h"

#include "shell/file_ini.h"

#include <algorithm>
#include <cmath>

namespace qv {

namespace {

const QString kSezione = QStringLiteral("WEBPARAM");

// A 16-bit whole number as the option variables hold it.
int intero(const QString& fileIni, const QString& chiave) {
    const double v = std::round(ValoreNumerico(LeggiIni(fileIni, kSezione, chiave)));
    if (!std::isfinite(v))
        return 0;
    return static_cast<int>(std::clamp(v, -32768.0, 32767.0));
}

QString chiave(const char* nome, int contesto) { return QLatin1String(nome) + QString::number(contesto); }

} // namespace

QString DidascaliaContesto(int contesto) {
    switch (contesto) {
    case ContestoElencoDatabase:
        return QStringLiteral("INTERROGA ELENCO DA DATABASE");
    case ContestoSingoloElemento:
        return QStringLiteral("INTERROGAZIONE SINGOLO ELEMENTO");
    case ContestoElencoManuale:
        return QStringLiteral("INTERROGA ELENCO MANUALE");
    default:
        return {};
    }
}

const OpzioniPagina& StatoWeb::opzioniCorrenti() const {
    const bool valido = ContestoWeb >= 0 && ContestoWeb < NumeroContesti;
    return Opzioni[valido ? ContestoWeb : 0];
}

void CaricaOpzioniPagine(const QString& fileIni, StatoWeb& web) {
    web.IESkede = intero(fileIni, QStringLiteral("IESkede"));
    for (int c = 0; c < NumeroContesti; ++c) {
        OpzioniPagina& o = web.Opzioni[c];
        o.View = intero(fileIni, chiave("View", c));
        o.Save = intero(fileIni, chiave("Save", c));
        o.DirSave = LeggiIni(fileIni, kSezione, chiave("DirSave", c)).trimmed();
        o.Print = intero(fileIni, chiave("Print", c));
        o.ChPrt = intero(fileIni, chiave("ChPrt", c));
        o.Stampante = LeggiIni(fileIni, kSezione, chiave("Stampante", c)).trimmed();
    }
}

void ScriviOpzioniContesto(const QString& fileIni, const StatoWeb& web, int contesto) {
    if (contesto < 0 || contesto >= NumeroContesti)
        return;
    const OpzioniPagina& o = web.Opzioni[contesto];
    ScriviIni(fileIni, kSezione, QStringLiteral("IESkede"), QString::number(web.IESkede));
    ScriviIni(fileIni, kSezione, chiave("View", contesto), QString::number(o.View));
    ScriviIni(fileIni, kSezione, chiave("Save", contesto), QString::number(o.Save));
    ScriviIni(fileIni, kSezione, chiave("DirSave", contesto), o.DirSave);
    ScriviIni(fileIni, kSezione, chiave("Print", contesto), QString::number(o.Print));
    ScriviIni(fileIni, kSezione, chiave("ChPrt", contesto), QString::number(o.ChPrt));
    ScriviIni(fileIni, kSezione, chiave("Stampante", contesto), o.Stampante);
}

} // namespace qv
