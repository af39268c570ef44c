#include "archive/regole_attesa.h"

#include "shell/file_ini.h"

#include <QLocale>
#include <QTimeZone>

#include <algorithm>

namespace qv {

namespace {
constexpr int kAttesaMassima = 60;
constexpr int kAttesaMassimaSenzaIntestazione = 30;
} // namespace

int ConnessioniDaTesto(const QString& valore) {
    bool ok = false;
    const int n = valore.trimmed().toInt(&ok);
    return ok && n >= 1 && n <= kConnessioniMassime ? n : kConnessioniPredefinite;
}

int LeggiConnessioni(const QString& fileIni) {
    return ConnessioniDaTesto(LeggiIni(fileIni, QStringLiteral("ELEMRN"), QStringLiteral("CONNESSIONI")));
}

bool ERifiuto(int statoHttp) {
    return statoHttp == 429 || statoHttp == 503;
}

std::optional<int> SecondiRetryAfter(const QByteArray& valore, const QDateTime& adesso) {
    const QString testo = QString::fromLatin1(valore).simplified();
    if (testo.isEmpty()) return std::nullopt;
    bool numero = false;
    const qlonglong secondi = testo.toLongLong(&numero);
    if (numero)
        return secondi < 0 ? std::nullopt
                           : std::optional<int>(int(std::min<qlonglong>(secondi, kAttesaMassima)));
    // IMF-fixdate, the obsolete RFC 850 form and asctime's, always in GMT.
    // The weekday is dropped first: a wrong one should not lose the date.
    const QString senzaGiorno = testo.section(QLatin1Char(' '), 1);
    static const char* const kFormati[] = {"dd MMM yyyy HH:mm:ss 'GMT'", "dd-MMM-yy HH:mm:ss 'GMT'",
                                           "MMM d HH:mm:ss yyyy"};
    const QLocale c = QLocale::c();
    for (const char* formato : kFormati) {
        QDateTime data = c.toDateTime(senzaGiorno, QString::fromLatin1(formato));
        if (!data.isValid()) continue;
        data.setTimeZone(QTimeZone::utc());
        if (data.date().year() < 1970) data = data.addYears(100); // two-digit years of the RFC 850 form
        return int(std::clamp<qint64>(adesso.secsTo(data), 0, kAttesaMassima));
    }
    return std::nullopt;
}

int SecondiSenzaIntestazione(int rifiuto) {
    if (rifiuto < 1) return 1;
    if (rifiuto > 5) return kAttesaMassimaSenzaIntestazione;
    return std::min(1 << (rifiuto - 1), kAttesaMassimaSenzaIntestazione);
}

QString TestoRallentamento(int secondi) {
    return QStringLiteral("Il servizio chiede di rallentare: nuovo tentativo fra ") +
           QString::number(secondi) +
           (secondi == 1 ? QStringLiteral(" secondo") : QStringLiteral(" secondi"));
}

void LimiteInVolo::rifiuto() {
    attuale_ = std::max(1, attuale_ / 2);
    buone_ = 0;
}

void LimiteInVolo::buona() {
    if (attuale_ >= massimo_) return;
    if (++buone_ >= kRispostePerCrescere) {
        ++attuale_;
        buone_ = 0;
    }
}

} // namespace qv
