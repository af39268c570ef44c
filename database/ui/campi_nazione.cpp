#include "database/ui/campi_nazione.h"

#include "shell/ui/tasti_comuni.h"

#include <QApplication>
#include <QFocusEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

#include <algorithm>

namespace qv {

CampiNazione AggiungiCampiNazione(QWidget* finestra, QGridLayout* griglia, int riga,
                                  const QString& nomeCodice, const QString& nomeDescrizione) {
    CampiNazione c;
    c.codice = new QLineEdit(finestra);
    c.codice->setObjectName(nomeCodice);
    c.codice->setMaxLength(2);
    c.codice->setMaximumWidth(QFontMetrics(c.codice->font()).horizontalAdvance(QStringLiteral("WWWW")));
    c.descrizione = new QLineEdit(finestra);
    c.descrizione->setObjectName(nomeDescrizione);
    c.descrizione->setMaxLength(50);
    c.descrizione->setMinimumWidth(
        QFontMetrics(c.descrizione->font()).horizontalAdvance(QString(30, QLatin1Char('M'))));
    auto* etichettaCodice = new QLabel(QStringLiteral("Codice ISO"), finestra);
    auto* etichettaDescrizione = new QLabel(QStringLiteral("Descrizione"), finestra);
    etichettaCodice->setBuddy(c.codice);
    etichettaDescrizione->setBuddy(c.descrizione);
    c.bandiera = new QLabel(finestra);
    c.bandiera->setObjectName(QStringLiteral("PctFlag"));
    c.bandiera->setFixedSize(32, 24);
    c.bandiera->setAlignment(Qt::AlignCenter);
    griglia->addWidget(etichettaCodice, riga, 0);
    griglia->addWidget(c.codice, riga, 1, Qt::AlignLeft);
    griglia->addWidget(c.bandiera, riga, 2, Qt::AlignRight);
    griglia->addWidget(etichettaDescrizione, riga + 1, 0);
    griglia->addWidget(c.descrizione, riga + 1, 1, 1, 2);
    CampoMaiuscolo(c.codice);
    CampoMaiuscolo(c.descrizione);
    QWidget::setTabOrder(c.codice, c.descrizione);
    return c;
}

bool LasciaPerAltroCampo(QWidget* finestra, QEvent* evento, std::initializer_list<const QWidget*> esclusi) {
    if (evento->type() != QEvent::FocusOut) return false;
    const Qt::FocusReason r = static_cast<QFocusEvent*>(evento)->reason();
    const QWidget* verso = QApplication::focusWidget(); // already the new one
    return (r == Qt::TabFocusReason || r == Qt::BacktabFocusReason || r == Qt::MouseFocusReason ||
            r == Qt::OtherFocusReason) &&
           verso && finestra->isAncestorOf(verso) &&
           std::find(esclusi.begin(), esclusi.end(), verso) == esclusi.end();
}

} // namespace qv
