#include "shell/ui/frm_prt.h"

#include "shell/stampa.h"
#include "shell/ui/collocazione.h"
#include "shell/ui/desktop.h"
#include "shell/ui/sel_print.h"
#include "shell/ui/tasti_comuni.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace qv {

namespace {

QFont courier() {
    QFont f(QStringLiteral("Courier New"));
    f.setStyleHint(QFont::TypeWriter);
    return f;
}

// A small outline of a page of the given proportions (millimetres).
QIcon pagina(double larghezza, double altezza) {
    QPixmap pm(28, 28);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    const double scala = 26.0 / std::max(larghezza, altezza);
    const QRectF r((28 - larghezza * scala) / 2, (28 - altezza * scala) / 2, larghezza * scala,
                   altezza * scala);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::white);
    p.drawRect(r);
    return QIcon(pm);
}

struct FormatoPagina {
    const char* nome;
    double larghezza;
    double altezza;
};
const FormatoPagina kFormati[8] = {{"A4", 210, 297}, {"A4 orizz.", 297, 210}, {"A3", 297, 420},
                                   {"A5", 148, 210}, {"Letter", 216, 279},    {"Legal", 216, 356},
                                   {"B5", 176, 250}, {"Executive", 184, 267}};

} // namespace

frmPRT::frmPRT(Desktop& desktop, int plTopForm, int plLeftForm, QWidget* parent)
    : QDialog(parent), desktop_(desktop) {
    setObjectName(QStringLiteral("frmPRT"));
    setWindowTitle(QStringLiteral("GESTIONE DELLE STAMPANTI"));
    auto* layout = new QVBoxLayout(this);
    auto* griglia = new QGridLayout;
    griglia->addWidget(new QLabel(QStringLiteral("Stampante:"), this), 0, 0);
    Text1 = new QLineEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setFont(courier());
    Text1->setToolTip(QStringLiteral("F4 o doppio clic: elenco delle stampanti"));
    Text1->installEventFilter(this);
    griglia->addWidget(Text1, 0, 1);
    Command1 = new QPushButton(QStringLiteral("&MODIFICA"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    griglia->addWidget(Command1, 0, 2);
    griglia->addWidget(new QLabel(QStringLiteral("Tipo stampa:"), this), 1, 0);
    Combo1 = new QComboBox(this);
    Combo1->setObjectName(QStringLiteral("Combo1"));
    Combo1->setFont(courier());
    griglia->addWidget(Combo1, 1, 1, 1, 2);
    layout->addLayout(griglia);

    Frame1 = new QGroupBox(QStringLiteral("Anteprima"), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    auto* anteprima = new QGridLayout(Frame1);
    cmbZoom = new QComboBox(Frame1);
    cmbZoom->setObjectName(QStringLiteral("cmbZoom"));
    anteprima->addWidget(new QLabel(QStringLiteral("Zoom"), Frame1), 0, 0);
    anteprima->addWidget(cmbZoom, 0, 1, 1, 3);
    anteprima->addWidget(new QLabel(QStringLiteral("Dimensioni pagina"), Frame1), 1, 0, 1, 4);
    for (int i = 0; i < 8; ++i) {
        Option1[i] = new QRadioButton(QString::fromLatin1(kFormati[i].nome), Frame1);
        Option1[i]->setObjectName(QStringLiteral("Option1_%1").arg(i));
        Option1[i]->setIcon(pagina(kFormati[i].larghezza, kFormati[i].altezza));
        Option1[i]->setIconSize(QSize(28, 28));
        anteprima->addWidget(Option1[i], 2 + i / 4, i % 4);
    }
    Frame1->setEnabled(false);
    layout->addWidget(Frame1);

    auto* pulsanti = new QHBoxLayout;
    cmds_SI = new QPushButton(QStringLiteral("&CONFERMA"), this);
    cmds_NO = new QPushButton(QStringLiteral("&USCITA"), this);
    cmds_SI->setObjectName(QStringLiteral("cmds_SI"));
    cmds_NO->setObjectName(QStringLiteral("cmds_NO"));
    for (QPushButton* b : {Command1, cmds_SI, cmds_NO})
        b->setAutoDefault(false);
    pulsanti->addStretch();
    pulsanti->addWidget(cmds_SI);
    pulsanti->addWidget(cmds_NO);
    layout->addLayout(pulsanti);

    connect(Command1, &QPushButton::clicked, this, [this] {
        if (!desktop_.sceltaStampante) return;
        const QString scelta = desktop_.sceltaStampante(this, desktop_.stampanteCorrente());
        if (scelta.isEmpty()) return;
        desktop_.shell.stampa.StampanteCorrente = scelta;
        Text1->setText(desktop_.stampanteCorrente());
    });
    connect(Combo1, &QComboBox::activated, this, &frmPRT::tipoScelto);
    connect(cmds_SI, &QPushButton::clicked, this, &frmPRT::conferma);
    connect(cmds_NO, &QPushButton::clicked, this, &QDialog::reject);

    // Opening.
    UsaTastiComuni(this, QStringLiteral("%U"), true);
    adjustSize();
    if (plLeftForm != 0 || plTopForm != 0) {
        const Schermo s = SchermoDi(this);
        move(int(plLeftForm / s.twipsPerPixelX), int(plTopForm / s.twipsPerPixelY));
    } else {
        RipristinaFinestra(this, desktop_, false);
    }
    const StatoStampa& stato = desktop_.shell.stampa;
    Combo1->addItems(TipiStampa());
    cmbZoom->addItems(VociZoom());
    cmbZoom->setCurrentIndex(stato.IndiceZoom);
    Option1[std::clamp(stato.IndicePagina, 0, 7)]->setChecked(true);
    Text1->setText(desktop_.stampanteCorrente());
    Combo1->setCurrentIndex(-1);
    for (int i = 0; i < Combo1->count(); ++i) {
        if (!stato.TipoStampa.isEmpty() && Combo1->itemText(i).startsWith(stato.TipoStampa)) {
            Combo1->setCurrentIndex(i);
            tipoScelto(i);
        }
    }
}

void frmPRT::tipoScelto(int indice) {
    Frame1->setEnabled(indice == 2);
}

bool frmPRT::eventFilter(QObject* oggetto, QEvent* evento) {
    if (oggetto == Text1 && evento->type() == QEvent::MouseButtonDblClick) {
        elencoStampanti();
        return true;
    }
    if (oggetto == Text1 && evento->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(evento)->key() == Qt::Key_F4) {
        elencoStampanti();
        return true;
    }
    return QDialog::eventFilter(oggetto, evento);
}

void frmPRT::keyPressEvent(QKeyEvent* evento) {
    if (evento->key() == Qt::Key_F4)
        elencoStampanti();
    else
        QDialog::keyPressEvent(evento);
}

void frmPRT::elencoStampanti() {
    const Rettangolo qui = RettangoloDi(this);
    SelPrint elenco(desktop_, QString(), int(qui.top), int(qui.left + qui.width + 20), this);
    elenco.setWindowTitle(QStringLiteral("STAMPANTE PREDEFINITA"));
    elenco.exec();
    Text1->setText(elenco.pgPrinter());
}

void frmPRT::conferma() {
    int pagina = 0;
    for (int i = 0; i < 8; ++i)
        if (Option1[i]->isChecked()) pagina = i;
    ConfermaStampa(desktop_.shell.FileIni, desktop_.shell.stampa, desktop_.stampanteCorrente(),
                   Combo1->currentText(), pagina, std::max(0, cmbZoom->currentIndex()));
    accept();
}

} // namespace qv
