#include "database/ui/finestra_colori.h"

#include "database/colori.h"
#include "shell/ui/collocazione.h"
#include "shell/ui/contesto_finestre.h"
#include "shell/ui/tasti_comuni.h"

#include <QColorDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>

namespace qv {

QColor ColoreDaRgb(qint32 rgb) {
    const auto v = static_cast<quint32>(rgb);
    return QColor(int(v & 0xff), int((v >> 8) & 0xff), int((v >> 16) & 0xff));
}

quint32 RgbDaColore(const QColor& colore) {
    return quint32(colore.red()) | (quint32(colore.green()) << 8) | (quint32(colore.blue()) << 16);
}

SceltaColore SceltaColoreQt() {
    return [](QWidget* sopra, const QColor& iniziale) { return QColorDialog::getColor(iniziale, sopra); };
}

QString ScegliColore(QWidget* finestra, StatoDatabase& database, Messaggi& messaggi,
                     const SceltaColore& scelta, const QColor& iniziale) {
    return ScegliColore(database, messaggi, [&](std::array<quint8, 64>& blocco) -> std::optional<quint32> {
        // The block holds 16 colours of 4 bytes: red, green, blue, 0.
        for (int i = 0; i < 16; ++i)
            QColorDialog::setCustomColor(i, QColor(blocco[4 * i], blocco[4 * i + 1], blocco[4 * i + 2]));
        const QColor c = scelta ? scelta(finestra, iniziale) : QColor();
        if (!c.isValid()) return std::nullopt;
        for (int i = 0; i < 16; ++i) {
            const QColor p = QColorDialog::customColor(i);
            blocco[4 * i] = quint8(p.red());
            blocco[4 * i + 1] = quint8(p.green());
            blocco[4 * i + 2] = quint8(p.blue());
            blocco[4 * i + 3] = 0;
        }
        return RgbDaColore(c);
    });
}

FinestraColori::FinestraColori(ContestoFinestre& contesto, StatoDatabase& database, const QString& plTitolo,
                               double plPosX, double plPosY, const QString& plTabLb, QWidget* parent)
    : QDialog(parent), contesto_(contesto), database_(database) {
    setObjectName(QStringLiteral("ColorTdbg"));
    setWindowTitle(plTitolo);
    auto* layout = new QVBoxLayout(this);
    for (std::size_t i = 0; i < etichette_.size(); ++i) {
        auto* e = new QLabel(this);
        e->setObjectName(QStringLiteral("lbColor_%1").arg(i));
        e->setAlignment(Qt::AlignCenter);
        e->setMinimumSize(QFontMetrics(e->font()).horizontalAdvance(QString(22, QLatin1Char('M'))),
                          QFontMetrics(e->font()).height() * 2);
        e->setFrameShape(QFrame::Box);
        e->setAutoFillBackground(true);
        e->setCursor(Qt::PointingHandCursor);
        e->installEventFilter(this);
        e->hide();
        layout->addWidget(e);
        etichette_[i] = e;
    }
    auto* pulsanti = new QHBoxLayout;
    pulsanteAnnulla_ = new QPushButton(QStringLiteral("&ANNULLA"), this);
    pulsanteConferma_ = new QPushButton(QStringLiteral("&CONFERMA"), this);
    pulsanteAnnulla_->setObjectName(QStringLiteral("Command1_0"));
    pulsanteConferma_->setObjectName(QStringLiteral("Command1_1"));
    for (QPushButton* b : {pulsanteAnnulla_, pulsanteConferma_}) {
        b->setAutoDefault(false);
        pulsanti->addWidget(b);
    }
    layout->addLayout(pulsanti);
    connect(pulsanteAnnulla_, &QPushButton::clicked, this, &QDialog::close);
    connect(pulsanteConferma_, &QPushButton::clicked, this, &FinestraColori::conferma);

    // One label for each part before the last comma.
    const QStringList parti = plTabLb.split(QLatin1Char(','));
    for (qsizetype i = 0; i + 1 < parti.size() && i < qsizetype(etichette_.size()); ++i) {
        etichette_[i]->setText(parti[i]);
        dipingi(int(i));
        etichette_[i]->show();
    }
    UsaTastiComuni(this, QStringLiteral("%A"), false);
    adjustSize();
    const Schermo schermo = SchermoDi(this);
    move(int(std::lround(plPosX / schermo.twipsPerPixelX)),
         int(std::lround(plPosY / schermo.twipsPerPixelY)));
}

bool FinestraColori::eventFilter(QObject* oggetto, QEvent* evento) {
    if (evento->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(evento)->button() == Qt::LeftButton) {
        for (std::size_t i = 0; i < etichette_.size(); ++i)
            if (oggetto == etichette_[i]) {
                coloreEtichetta(int(i));
                return true;
            }
    }
    return QDialog::eventFilter(oggetto, evento);
}

void FinestraColori::coloreEtichetta(int i) {
    const qint64 c = ScegliColore(this, database_, contesto_.messaggi, sceltaColore,
                                  ColoreDaRgb(database_.ColoriGriglia[i]))
                         .toLongLong();
    // Black (0) counts as no choice.
    if (c <= 0) return;
    database_.ColoriGriglia[i] = qint32(c);
    dipingi(i);
}

void FinestraColori::dipingi(int i) {
    QPalette p = etichette_[i]->palette();
    p.setColor(QPalette::Window, ColoreDaRgb(database_.ColoriGriglia[i]));
    p.setColor(QPalette::WindowText, Qt::black);
    etichette_[i]->setPalette(p);
}

void FinestraColori::conferma() {
    for (std::size_t i = 0; i < etichette_.size(); ++i)
        if (etichette_[i]->isVisibleTo(this))
            ScriviColoreGriglia(contesto_.shell.FileIni, int(i), database_.ColoriGriglia[i]);
    close();
}

} // namespace qv
