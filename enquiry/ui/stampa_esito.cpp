#include "enquiry/ui/stampa_esito.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>

namespace qv {

namespace {

QString senzaSpaziFinali(const QString& s) {
    int fine = int(s.size());
    while (fine > 0 && s.at(fine - 1).isSpace())
        --fine;
    return s.left(fine);
}

} // namespace

void StampaEsito(QPaintDevice& dispositivo, const QString& codice, const QStringList& righe) {
    QPainter p;
    if (!p.begin(&dispositivo)) return;
    QFont carattere(QStringLiteral("Courier New"), 12);
    carattere.setStyleHint(QFont::TypeWriter);
    carattere.setFixedPitch(true);
    QFont grassetto = carattere;
    grassetto.setBold(true);
    const QFontMetricsF misure(carattere, &dispositivo);
    const double cella = misure.horizontalAdvance(QLatin1Char('H'));
    const double riga = misure.height();
    // Texts stand on their cell: the cell's top is where the line starts.
    auto scrivi = [&](int linea, int colonna, const QString& testo, const QFont& f) {
        p.setFont(f);
        p.drawText(QPointF(colonna * cella, linea * riga + QFontMetricsF(f, &dispositivo).ascent()), testo);
    };
    scrivi(2, 3, QStringLiteral("Risultato MRN numero: "), carattere);
    scrivi(2, 28, codice, grassetto);
    for (int i = 1; i <= 19 && i <= righe.size(); ++i) {
        const QString testo = senzaSpaziFinali(righe.at(i - 1));
        if (!testo.trimmed().isEmpty()) scrivi(2 * i + 12, 3, testo, carattere);
    }
    p.end();
}

} // namespace qv
