#include "shell/file_ini.h"

#include "platform/day_number.h"
#include "platform/profile_file.h"

#include <QLocale>

namespace qv {

namespace {

// Numeric text as the platform's runtime accepts it: blanks around, a sign,
// the C or the locale's decimal form, or hexadecimal "&H".
bool numeric(const QString& text, double* out) {
    const QString t = text.trimmed();
    if (t.startsWith(QLatin1String("&H"), Qt::CaseInsensitive)) {
        bool ok = false;
        const qlonglong v = t.mid(2).toLongLong(&ok, 16);
        *out = static_cast<double>(v);
        return ok;
    }
    // The program writes "." decimals (TestoNumero): they are read so first,
    // since an Italian system takes "0.001" for one with a thousands point.
    // A value typed by hand with the system's own form ("1,5") reads next.
    QLocale c = QLocale::c();
    c.setNumberOptions(QLocale::RejectGroupSeparator);
    bool ok = false;
    *out = c.toDouble(t, &ok);
    if (!ok)
        *out = QLocale::system().toDouble(t, &ok);
    return ok;
}

} // namespace

QString LeggiIni(const QString& file, const QString& sezione, const QString& chiave) {
    QString valore = platform::readProfileString(file, sezione, chiave, 200);
    if (valore.isEmpty())
        return {};
    const int nul = valore.indexOf(QChar(0));
    if (nul >= 0)
        valore.truncate(nul);
    const int tab = valore.indexOf(QLatin1Char('\t'));
    if (tab >= 0)
        valore.truncate(tab);
    const int bar = valore.indexOf(QLatin1Char('|'));
    if (bar >= 0)
        valore.truncate(bar);
    return valore.trimmed();
}

void ScriviIni(const QString& file, const QString& sezione, const QString& chiave, const QString& valore) {
    platform::writeProfileString(file, sezione, chiave, valore);
}

void ScriviIni(const QString& file, const QString& sezione, const QString& chiave, double valore) {
    ScriviIni(file, sezione, chiave, TestoNumero(valore));
}

QString TestoNumero(double valore) { return QString::number(valore, 'g', 15); }

double ValoreNumerico(const QString& valore) {
    if (valore.isNull() || valore.trimmed().isEmpty())
        return 0;
    const int slash = valore.indexOf(QLatin1Char('/'));
    if (slash >= 0 && valore.indexOf(QLatin1Char('/'), slash + 1) > slash)
        return platform::dayNumberFromText(valore).value_or(0);
    double n = 0;
    return numeric(valore, &n) ? n : 0;
}

QString ValoreTesto(const QString& valore, const QString& predefinito) {
    const QString ripiego = predefinito.trimmed().isEmpty() ? QStringLiteral(" ") : predefinito;
    if (valore.isNull() || valore.trimmed().isEmpty() || valore.startsWith(QChar(0)))
        return ripiego;
    return valore;
}

} // namespace qv
