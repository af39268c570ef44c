#include "shell/ui/finestra_calendario.h"

#include "shell/calendario.h"
#include "shell/ui/collocazione.h"
#include "shell/ui/contesto_finestre.h"
#include "shell/ui/tasti_comuni.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QListWidget>
#include <QLocale>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

namespace qv {

void CellaGiorno::mousePressEvent(QMouseEvent* evento) {
    if (evento->button() == Qt::LeftButton) emit cliccata();
    QLabel::mousePressEvent(evento);
}

void CellaGiorno::mouseDoubleClickEvent(QMouseEvent* evento) {
    if (evento->button() == Qt::LeftButton) emit doppioClic();
    evento->accept();
}

FinestraCalendario::FinestraCalendario(ContestoFinestre& contesto, int plPosX, int plPosY, QWidget* parent)
    : QDialog(parent), contesto_(contesto) {
    setObjectName(QStringLiteral("Calendar"));
    setWindowTitle(QStringLiteral("CALENDARIO"));
    auto* layout = new QVBoxLayout(this);

    auto* testa = new QHBoxLayout;
    mesePrecedente_ = new QPushButton(QStringLiteral("\u25C0"), this);
    mesePrecedente_->setObjectName(QStringLiteral("Command2"));
    mesePrecedente_->setToolTip(QStringLiteral("Decrementa Mesi"));
    meseSuccessivo_ = new QPushButton(QStringLiteral("\u25B6"), this);
    meseSuccessivo_->setObjectName(QStringLiteral("Command3"));
    meseSuccessivo_->setToolTip(QStringLiteral("Incrementa Mesi"));
    nomeMese_ = new QLabel(this);
    nomeMese_->setObjectName(QStringLiteral("lblMESE"));
    nomeMese_->setAlignment(Qt::AlignCenter);
    nomeMese_->setCursor(Qt::PointingHandCursor);
    nomeMese_->installEventFilter(this);
    etichettaAnno_ = new QLabel(this);
    etichettaAnno_->setObjectName(QStringLiteral("lblANNO"));
    etichettaAnno_->setToolTip(QStringLiteral("Riporta all'Anno Corrente"));
    etichettaAnno_->setCursor(Qt::PointingHandCursor);
    etichettaAnno_->installEventFilter(this);
    // The year grows with the upper arrow: the bar runs over minus the year.
    barraAnni_ = new QScrollBar(Qt::Vertical, this);
    barraAnni_->setObjectName(QStringLiteral("VScroll1"));
    barraAnni_->setRange(-kUltimoAnnoCalendario, -kPrimoAnnoCalendario);
    barraAnni_->setFixedHeight(36);
    testa->addWidget(mesePrecedente_);
    testa->addWidget(nomeMese_, 1);
    testa->addWidget(meseSuccessivo_);
    testa->addWidget(etichettaAnno_);
    testa->addWidget(barraAnni_);
    layout->addLayout(testa);

    elencoMesi_ = new QListWidget(this);
    elencoMesi_->setObjectName(QStringLiteral("lstMESI"));
    elencoMesi_->hide();
    layout->addWidget(elencoMesi_);

    auto* intestazione =
        new QLabel(QStringLiteral(" lun  mar  mer   gio  ven  ") + QStringLiteral(" sab dom "), this);
    intestazione->setObjectName(QStringLiteral("Label4"));
    layout->addWidget(intestazione);
    auto* griglia = new QGridLayout;
    griglia->setSpacing(1);
    QFont tahoma(QStringLiteral("Tahoma"));
    tahoma.setStyleHint(QFont::SansSerif);
    for (int i = 0; i < kCelleCalendario; ++i) {
        giorni_[i] = new CellaGiorno(this);
        giorni_[i]->setObjectName(QStringLiteral("G_%1").arg(i));
        giorni_[i]->setFont(tahoma);
        giorni_[i]->setAlignment(Qt::AlignCenter);
        giorni_[i]->setMinimumSize(28, 22);
        giorni_[i]->setAutoFillBackground(true);
        griglia->addWidget(giorni_[i], i / 7, i % 7);
        connect(giorni_[i], &CellaGiorno::cliccata, this, [this, i] {
            const int g = giorni_[i]->text().toInt();
            if (g > 0) {
                giorno_ = g;
                disegna();
            }
        });
        // A double click is a click on the day, then its acceptance.
        connect(giorni_[i], &CellaGiorno::doppioClic, this, [this, i] {
            const int g = giorni_[i]->text().toInt();
            if (g <= 0) return;
            giorno_ = g;
            disegna();
            accetta();
        });
    }
    layout->addLayout(griglia);

    auto* piede = new QHBoxLayout;
    dataOggi_ = new QLabel(this);
    dataOggi_->setObjectName(QStringLiteral("lblOGGI"));
    dataOggi_->setCursor(Qt::PointingHandCursor);
    dataOggi_->installEventFilter(this);
    pulsanteOggi_ = new QPushButton(QStringLiteral("&OGGI"), this);
    pulsanteOggi_->setObjectName(QStringLiteral("cmdOggi"));
    pulsanteOggi_->setToolTip(QStringLiteral("Riporta la data a Oggi"));
    accetta_ = new QPushButton(QStringLiteral("&ACCETTA"), this);
    uscita_ = new QPushButton(QStringLiteral("&USCITA"), this);
    uscita_->setObjectName(QStringLiteral("Command1_0"));
    accetta_->setObjectName(QStringLiteral("Command1_1"));
    for (QPushButton* b : {mesePrecedente_, meseSuccessivo_, pulsanteOggi_, uscita_, accetta_})
        b->setAutoDefault(false);
    piede->addWidget(dataOggi_);
    piede->addWidget(pulsanteOggi_);
    piede->addStretch();
    piede->addWidget(accetta_);
    piede->addWidget(uscita_);
    layout->addLayout(piede);

    connect(mesePrecedente_, &QPushButton::clicked, this, &FinestraCalendario::mesePrecedente);
    connect(meseSuccessivo_, &QPushButton::clicked, this, &FinestraCalendario::meseSuccessivo);
    connect(pulsanteOggi_, &QPushButton::clicked, this, &FinestraCalendario::oggi);
    connect(accetta_, &QPushButton::clicked, this, &FinestraCalendario::accetta);
    connect(uscita_, &QPushButton::clicked, this, &QDialog::reject);
    connect(elencoMesi_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        elencoMesi_->hide();
        mostraMese(elencoMesi_->row(item) + 1, anno_);
    });
    connect(barraAnni_, &QScrollBar::valueChanged, this, [this](int v) {
        if (!inDisegno_) mostraMese(mese_, -v);
    });

    // Opening.
    UsaTastiComuni(this, QStringLiteral("%U"), false);
    adjustSize();
    const Schermo s = SchermoDi(this);
    move(int(plPosX / s.twipsPerPixelX), int(plPosY / s.twipsPerPixelY));
    QDate& data = contesto_.shell.calendario.DataCalendario;
    elencoMesi_->addItems(NomiMesi());
    dataOggi_->setText(QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat));
    if (!data.isValid()) data = QDate::currentDate();
    anno_ = std::clamp(data.year(), kPrimoAnnoCalendario, kUltimoAnnoCalendario);
    mese_ = data.month();
    giorno_ = data.day();
    disegna();
}

void FinestraCalendario::disegna() {
    inDisegno_ = true;
    const int giorni = GiorniDelMese(mese_, anno_);
    if (giorno_ > giorni) giorno_ = giorni;
    nomeMese_->setText(NomiMesi().at(mese_ - 1));
    etichettaAnno_->setText(QString::number(anno_));
    barraAnni_->setValue(-anno_);
    const QList<int> celle = CelleDelMese(mese_, anno_);
    const QDate oggi = QDate::currentDate();
    const QColor faccia = palette().color(QPalette::Button);
    for (int i = 0; i < kCelleCalendario; ++i) {
        QPalette pal = giorni_[i]->palette();
        QColor sfondo = faccia;
        QFont f = giorni_[i]->font();
        f.setBold(false);
        giorni_[i]->setText(celle[i] > 0 ? QString::number(celle[i]) : QString());
        if (celle[i] > 0 && mese_ == oggi.month() && anno_ == oggi.year() && celle[i] == oggi.day())
            sfondo = QColor(255, 255, 192);
        if (celle[i] == giorno_) f.setBold(true); // the selected day
        giorni_[i]->setFrameShape(celle[i] == giorno_ ? QFrame::Box : QFrame::NoFrame);
        giorni_[i]->setFont(f);
        pal.setColor(QPalette::Window, sfondo);
        giorni_[i]->setPalette(pal);
    }
    selezionata_ = QDate(anno_, mese_, giorno_);
    setWindowTitle(TitoloCalendario(selezionata_));
    pulsanteOggi_->setEnabled(selezionata_ != oggi);
    inDisegno_ = false;
}

void FinestraCalendario::mostraMese(int mese, int anno) {
    mese_ = mese;
    anno_ = std::clamp(anno, kPrimoAnnoCalendario, kUltimoAnnoCalendario);
    disegna();
}

void FinestraCalendario::mesePrecedente() {
    const MeseAnno m = MesePrecedente({mese_, anno_});
    mostraMese(m.mese, m.anno);
}

void FinestraCalendario::meseSuccessivo() {
    const MeseAnno m = MeseSuccessivo({mese_, anno_});
    mostraMese(m.mese, m.anno);
}

void FinestraCalendario::oggi() {
    const QDate o = QDate::currentDate();
    giorno_ = o.day();
    mostraMese(o.month(), o.year());
}

void FinestraCalendario::accetta() {
    contesto_.shell.calendario.DataCalendario = selezionata_;
    accept();
}

bool FinestraCalendario::eventFilter(QObject* oggetto, QEvent* evento) {
    if (evento->type() == QEvent::MouseButtonPress) {
        if (oggetto == nomeMese_) {
            elencoMesi_->setVisible(!elencoMesi_->isVisible());
            return true;
        }
        if (oggetto == etichettaAnno_) {
            mostraMese(mese_, QDate::currentDate().year());
            return true;
        }
        if (oggetto == dataOggi_) {
            oggi();
            return true;
        }
    }
    return QDialog::eventFilter(oggetto, evento);
}

} // namespace qv
