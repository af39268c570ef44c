#include "archive/formato_csv.h"

#include "platform/day_number.h"

#include <cmath>
#include <optional>

namespace qv {

namespace {

QString senzaAcapo(QString s) {
    s.remove(QLatin1Char('\n'));
    // A lone CR would break the line for every spreadsheet that reads it.
    s.remove(QLatin1Char('\r'));
    return s;
}

std::optional<double> comeNumero(const QVariant& valore) {
    if (valore.isNull() || !valore.isValid())
        return std::nullopt;
    bool ok = false;
    double n = 0;
    if (valore.typeId() == QMetaType::QString) {
        const QString t = valore.toString().trimmed();
        n = QLocale::c().toDouble(t, &ok);
        if (!ok)
            n = QLocale::system().toDouble(t, &ok);
    } else if (valore.typeId() == QMetaType::QDate || valore.typeId() == QMetaType::QDateTime) {
        n = platform::dayNumber(valore.toDateTime());
        ok = true;
    } else {
        n = valore.toDouble(&ok);
    }
    if (!ok || !std::isfinite(n))
        return std::nullopt;
    return n;
}

// The locale's short date with the year in four digits: its day/month order
// and separators, but a year a spreadsheet cannot read in another century.
QString formatoDataCorta(const QLocale& locale) {
    const QString corto = locale.dateFormat(QLocale::ShortFormat);
    QString formato;
    bool citato = false;
    for (qsizetype i = 0; i < corto.size(); ++i) {
        const QChar c = corto.at(i);
        if (c == QLatin1Char('\''))
            citato = !citato;
        if (citato || c != QLatin1Char('y')) {
            formato += c;
            continue;
        }
        while (i + 1 < corto.size() && corto.at(i + 1) == QLatin1Char('y'))
            ++i;
        formato += QStringLiteral("yyyy");
    }
    return formato;
}

} // namespace

QString FormattaCampoCsv(const QVariant& valore, TipoCampo tipo, const QLocale& locale) {
    switch (tipo) {
    case TipoCampo::Testo:
        if (valore.isNull() || !valore.isValid())
            return {};
        return senzaAcapo(valore.toString()).trimmed();
    case TipoCampo::Data: {
        const auto n = comeNumero(valore);
        if (!n || std::floor(*n) < 1)
            return {};
        // The date alone: no time of day, so no time zone to consult per value.
        const QDate data = platform::kDayZero.addDays(static_cast<qint64>(std::floor(*n)));
        // The C locale (no user setting at all) writes month names; a
        // spreadsheet reads day/month/year better.
        if (locale.language() == QLocale::C)
            return data.toString(QStringLiteral("dd/MM/yyyy"));
        return locale.toString(data, formatoDataCorta(locale));
    }
    case TipoCampo::Numero: {
        const double n = comeNumero(valore).value_or(0);
        if (n == std::floor(n) && std::fabs(n) < 1e15)
            return QString::number(static_cast<qint64>(n));
        QLocale semplice = locale;
        semplice.setNumberOptions(QLocale::OmitGroupSeparator);
        return semplice.toString(n, 'g', 15);
    }
    }
    return {};
}

QString RigaIntestazioneCsv(const QStringList& intestazioni) {
    QString riga;
    for (const QString& i : intestazioni)
        riga += i + QLatin1Char(';');
    return senzaAcapo(riga) + QStringLiteral("\r\n");
}

QString RigaCsv(const QStringList& valoriFormattati) {
    QString riga;
    for (const QString& v : valoriFormattati)
        riga += v + QLatin1Char(';');
    return riga + QStringLiteral("\r\n");
}

} // namespace qv
