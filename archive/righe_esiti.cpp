#include "archive/righe_esiti.h"

namespace qv {

namespace {
const QString kCrLf = QStringLiteral("\r\n");
}

QString voceDi(std::span<const QString> valori, int i) {
    return i >= 0 && static_cast<std::size_t>(i) < valori.size() ? valori[static_cast<std::size_t>(i)] : QString();
}

QString RigaEsitiFile(const QString& mrn, const QString& separatore, std::span<const QString> esito,
                      std::span<const QString> titolo) {
    const bool errato = voceDi(titolo, 2).startsWith(QLatin1String("***"));
    QString riga = mrn + separatore;
    for (int i = 1; i <= 19; ++i) {
        const QString v = (i == 1 && errato) ? QStringLiteral("*") : voceDi(esito, i);
        if (!v.trimmed().isEmpty())
            riga += v;
        riga += separatore;
    }
    return riga + kCrLf;
}

QString BloccoStampa(qint64 n, const QString& mrn, std::span<const QString> esito, std::span<const QString> titolo,
                     const QLocale& locale) {
    QString valori[20];
    QString etichette[8];
    for (int i = 1; i <= 19; ++i)
        valori[i] = voceDi(esito, i);
    for (int i = 1; i <= 7; ++i)
        etichette[i] = voceDi(titolo, i);

    // A page message takes the place of the first two values.
    if (etichette[2].startsWith(QLatin1String("***")) || etichette[2].startsWith(QLatin1String("==="))) {
        valori[1] = etichette[2];
        valori[2] = etichette[3];
        etichette[2].clear();
        etichette[3].clear();
    }

    // "#,##0": grouped thousands even where the locale's default omits them.
    QLocale numeri = locale;
    numeri.setNumberOptions(numeri.numberOptions() & ~QLocale::OmitGroupSeparator);
    QString blocco = numeri.toString(n) + QStringLiteral(") Risultato MRN numero: ") + mrn + kCrLf;
    for (int i = 1; i <= 16; ++i)
        if (!valori[i].isEmpty())
            blocco += etichette[((i - 1) % 4) + 1] + QLatin1Char(' ') + valori[i] + kCrLf;
    for (int i = 17; i <= 19; ++i)
        if (!valori[i].isEmpty())
            blocco += etichette[i - 12] + QLatin1Char(' ') + valori[i] + kCrLf;
    return blocco + QString(80, QLatin1Char('-')) + kCrLf;
}

} // namespace qv
