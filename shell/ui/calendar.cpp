#include "shell/ui/calendar.h"

#include "shell/calendario.h"
#include "shell/ui/collocazione.h"
#include "shell/ui/desktop.h"
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

Calendar::Calendar(Desktop& desktop, int plPosX, int plPosY, QWidget* parent)
    : QDialog(parent), desktop_(desktop) {
    setObjectName(QStringLiteral("Calendar"));
    setWindowTitle(QStringLiteral("CALENDARIO"));
    auto* layout = new QVBoxLayout(this);

    auto* testa = new QHBoxLayout;
    Command2 = new QPushButton(QStringLiteral("\u25C0"), this);
    Command2->setObjectName(QStringLiteral("Command2"));
    Command2->setToolTip(QStringLiteral("Decrementa Mesi"));
    Command3 = new QPushButton(QStringLiteral("\u25B6"), this);
    Command3->setObjectName(QStringLiteral("Command3"));
    Command3->setToolTip(QStringLiteral("Incrementa Mesi"));
    lblMESE = new QLabel(this);
    lblMESE->setObjectName(QStringLiteral("lblMESE"));
    lblMESE->setAlignment(Qt::AlignCenter);
    lblMESE->setCursor(Qt::PointingHandCursor);
    lblMESE->installEventFilter(this);
    lblANNO = new QLabel(this);
    lblANNO->setObjectName(QStringLiteral("lblANNO"));
    lblANNO->setToolTip(QStringLiteral("Riporta all'Anno Corrente"));
    lblANNO->setCursor(Qt::PointingHandCursor);
    lblANNO->installEventFilter(this);
    // The year grows with the upper arrow: the bar runs over minus the year.
    VScroll1 = new QScrollBar(Qt::Vertical, this);
    VScroll1->setObjectName(QStringLiteral("VScroll1"));
    VScroll1->setRange(-kUltimoAnnoCalendario, -kPrimoAnnoCalendario);
    VScroll1->setFixedHeight(36);
    testa->addWidget(Command2);
    testa->addWidget(lblMESE, 1);
    testa->addWidget(Command3);
    testa->addWidget(lblANNO);
    testa->addWidget(VScroll1);
    layout->addLayout(testa);

    lstMESI = new QListWidget(this);
    lstMESI->setObjectName(QStringLiteral("lstMESI"));
    lstMESI->hide();
    layout->addWidget(lstMESI);

    auto* intestazione =
        new QLabel(QStringLiteral(" lun  mar  mer   gio  ven  ") + QStringLiteral(" sab dom "), this);
    intestazione->setObjectName(QStringLiteral("Label4"));
    layout->addWidget(intestazione);
    auto* griglia = new QGridLayout;
    griglia->setSpacing(1);
    QFont tahoma(QStringLiteral("Tahoma"));
    tahoma.setStyleHint(QFont::SansSerif);
    for (int i = 0; i < kCelleCalendario; ++i) {
        G[i] = new CellaGiorno(this);
        G[i]->setObjectName(QStringLiteral("G_%1").arg(i));
        G[i]->setFont(tahoma);
        G[i]->setAlignment(Qt::AlignCenter);
        G[i]->setMinimumSize(28, 22);
        G[i]->setAutoFillBackground(true);
        griglia->addWidget(G[i], i / 7, i % 7);
        connect(G[i], &CellaGiorno::cliccata, this, [this, i] {
            const int g = G[i]->text().toInt();
            if (g > 0) {
                giorno_ = g;
                disegna();
            }
        });
        // A double click is a click on the day, then its acceptance.
        connect(G[i], &CellaGiorno::doppioClic, this, [this, i] {
            const int g = G[i]->text().toInt();
            if (g <= 0) return;
            giorno_ = g;
            disegna();
            accetta();
        });
    }
    layout->addLayout(griglia);

    auto* piede = new QHBoxLayout;
    lblOGGI = new QLabel(this);
    lblOGGI->setObjectName(QStringLiteral("lblOGGI"));
    lblOGGI->setCursor(Qt::PointingHandCursor);
    lblOGGI->installEventFilter(this);
    cmdOggi = new QPushButton(QStringLiteral("&OGGI"), this);
    cmdOggi->setObjectName(QStringLiteral("cmdOggi"));
    cmdOggi->setToolTip(QStringLiteral("Riporta la data a Oggi"));
    Command1[1] = new QPushButton(QStringLiteral("&ACCETTA"), this);
    Command1[0] = new QPushButton(QStringLiteral("&USCITA"), this);
    Command1[0]->setObjectName(QStringLiteral("Command1_0"));
    Command1[1]->setObjectName(QStringLiteral("Command1_1"));
    for (QPushButton* b : {Command2, Command3, cmdOggi, Command1[0], Command1[1]})
        b->setAutoDefault(false);
    piede->addWidget(lblOGGI);
    piede->addWidget(cmdOggi);
    piede->addStretch();
    piede->addWidget(Command1[1]);
    piede->addWidget(Command1[0]);
    layout->addLayout(piede);

    connect(Command2, &QPushButton::clicked, this, &Calendar::mesePrecedente);
    connect(Command3, &QPushButton::clicked, this, &Calendar::meseSuccessivo);
    connect(cmdOggi, &QPushButton::clicked, this, &Calendar::oggi);
    connect(Command1[1], &QPushButton::clicked, this, &Calendar::accetta);
    connect(Command1[0], &QPushButton::clicked, this, &QDialog::reject);
    connect(lstMESI, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        lstMESI->hide();
        mostraMese(lstMESI->row(item) + 1, anno_);
    });
    connect(VScroll1, &QScrollBar::valueChanged, this, [this](int v) {
        if (!inDisegno_) mostraMese(mese_, -v);
    });

    // Opening.
    UsaTastiComuni(this, QStringLiteral("%U"), false);
    adjustSize();
    const Schermo s = SchermoDi(this);
    move(int(plPosX / s.twipsPerPixelX), int(plPosY / s.twipsPerPixelY));
    QDate& data = desktop_.shell.calendario.DataCalendario;
    lstMESI->addItems(NomiMesi());
    lblOGGI->setText(QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat));
    if (!data.isValid()) data = QDate::currentDate();
    anno_ = std::clamp(data.year(), kPrimoAnnoCalendario, kUltimoAnnoCalendario);
    mese_ = data.month();
    giorno_ = data.day();
    disegna();
}

void Calendar::disegna() {
    inDisegno_ = true;
    const int giorni = GiorniDelMese(mese_, anno_);
    if (giorno_ > giorni) giorno_ = giorni;
    lblMESE->setText(NomiMesi().at(mese_ - 1));
    lblANNO->setText(QString::number(anno_));
    VScroll1->setValue(-anno_);
    const QList<int> celle = CelleDelMese(mese_, anno_);
    const QDate oggi = QDate::currentDate();
    const QColor faccia = palette().color(QPalette::Button);
    for (int i = 0; i < kCelleCalendario; ++i) {
        QPalette pal = G[i]->palette();
        QColor sfondo = faccia;
        QFont f = G[i]->font();
        f.setBold(false);
        G[i]->setText(celle[i] > 0 ? QString::number(celle[i]) : QString());
        if (celle[i] > 0 && mese_ == oggi.month() && anno_ == oggi.year() && celle[i] == oggi.day())
            sfondo = QColor(255, 255, 192);
        if (celle[i] == giorno_) f.setBold(true); // the selected day
        G[i]->setFrameShape(celle[i] == giorno_ ? QFrame::Box : QFrame::NoFrame);
        G[i]->setFont(f);
        pal.setColor(QPalette::Window, sfondo);
        G[i]->setPalette(pal);
    }
    selezionata_ = QDate(anno_, mese_, giorno_);
    setWindowTitle(TitoloCalendario(selezionata_));
    cmdOggi->setEnabled(selezionata_ != oggi);
    inDisegno_ = false;
}

void Calendar::mostraMese(int mese, int anno) {
    mese_ = mese;
    anno_ = std::clamp(anno, kPrimoAnnoCalendario, kUltimoAnnoCalendario);
    disegna();
}

void Calendar::mesePrecedente() {
    const MeseAnno m = MesePrecedente({mese_, anno_});
    mostraMese(m.mese, m.anno);
}

void Calendar::meseSuccessivo() {
    const MeseAnno m = MeseSuccessivo({mese_, anno_});
    mostraMese(m.mese, m.anno);
}

void Calendar::oggi() {
    const QDate o = QDate::currentDate();
    giorno_ = o.day();
    mostraMese(o.month(), o.year());
}

void Calendar::accetta() {
    desktop_.shell.calendario.DataCalendario = selezionata_;
    accept();
}

bool Calendar::eventFilter(QObject* oggetto, QEvent* evento) {
    if (evento->type() == QEvent::MouseButtonPress) {
        if (oggetto == lblMESE) {
            lstMESI->setVisible(!lstMESI->isVisible());
            return true;
        }
        if (oggetto == lblANNO) {
            mostraMese(mese_, QDate::currentDate().year());
            return true;
        }
        if (oggetto == lblOGGI) {
            oggi();
            return true;
        }
    }
    return QDialog::eventFilter(oggetto, evento);
}

} // namespace qv
