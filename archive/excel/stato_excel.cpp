#include "archive/excel/stato_excel.h"

#include "archive/riga_mrn.h"
#include "archive/righe_esiti.h"

namespace qv {

int StatoMrnExcel(const QString& mrn, std::span<const QString> esito, std::span<const QString> titolo) {
    int stato = 0;
    const bool dataUscita = DataDaValore(voceDi(esito, 19)).has_value();
    bool dataTransito = false;
    for (int k = 1; k <= 4; ++k) {
        dataTransito = DataDaValore(voceDi(esito, 4 * (k - 1) + 3)).has_value() || dataTransito;
        if (DataDaValore(voceDi(esito, 4 * (k - 1) + 4)))
            stato = 1;
    }
    const QString messaggio = voceDi(titolo, 2);
    const QChar tipo = mrn.size() >= 17 ? mrn.at(16) : QChar();
    if (messaggio.startsWith(QLatin1String("***")))
        stato = 2;
    else if (!messaggio.startsWith(QLatin1String("===")) &&
             ((tipo == u'E' && dataUscita) || (tipo == u'T' && dataTransito)))
        stato = 3;
    return stato;
}

QString ParolaStato(int stato) {
    switch (stato) {
    case 1:
        return QStringLiteral("DEL");
    case 2:
        return QStringLiteral("ERR");
    case 3:
        return QStringLiteral("OK");
    default:
        return {};
    }
}

QString RiempiSpazi(const QString& testo, int larghezza) { return testo.leftJustified(larghezza, QLatin1Char(' ')); }

QString TestoRiepilogoExcel(qint64 totale, const std::array<qint64, 4>& conteggi) {
    const auto conto = [&](int i) { return RiempiSpazi(QString::number(conteggi[size_t(i)])); };
    return QStringLiteral("Elaborati ") + QString::number(totale) + QStringLiteral(" MRN\r\n") +
           QString(54, QLatin1Char('-')) + QStringLiteral("\r\n Sospesi    = ") + conto(0) +
           QStringLiteral("\r\n Cancellati = ") + conto(1) + QStringLiteral("\r\n Errati     = ") + conto(2) +
           QStringLiteral("\r\n Appurati   = ") + conto(3);
}

} // namespace qv
