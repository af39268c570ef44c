#include "shell/ui/finestra_destinazione_stampa.h"

#include "shell/stampa.h"
#include "shell/ui/collocazione.h"
#include "shell/ui/contesto_finestre.h"
#include "shell/ui/finestra_scelta_stampante.h"
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

FinestraDestinazioneStampa::FinestraDestinazioneStampa(ContestoFinestre& contesto, int plTopForm,
                                                       int plLeftForm, QWidget* parent)
    : QDialog(parent), contesto_(contesto) {
    setObjectName(QStringLiteral("frmPRT"));
    setWindowTitle(QStringLiteral("GESTIONE DELLE STAMPANTI"));
    auto* layout = new QVBoxLayout(this);
    auto* griglia = new QGridLayout;
    griglia->addWidget(new QLabel(QStringLiteral("Stampante:"), this), 0, 0);
    stampante_ = new QLineEdit(this);
    stampante_->setObjectName(QStringLiteral("Text1"));
    stampante_->setFont(courier());
    stampante_->setToolTip(QStringLiteral("F4 o doppio clic: elenco delle stampanti"));
    stampante_->installEventFilter(this);
    griglia->addWidget(stampante_, 0, 1);
    auto* modifica = new QPushButton(QStringLiteral("&MODIFICA"), this);
    modifica->setObjectName(QStringLiteral("Command1"));
    griglia->addWidget(modifica, 0, 2);
    griglia->addWidget(new QLabel(QStringLiteral("Tipo stampa:"), this), 1, 0);
    tipoStampa_ = new QComboBox(this);
    tipoStampa_->setObjectName(QStringLiteral("Combo1"));
    tipoStampa_->setFont(courier());
    griglia->addWidget(tipoStampa_, 1, 1, 1, 2);
    layout->addLayout(griglia);

    anteprima_ = new QGroupBox(QStringLiteral("Anteprima"), this);
    anteprima_->setObjectName(QStringLiteral("Frame1"));
    auto* anteprima = new QGridLayout(anteprima_);
    zoom_ = new QComboBox(anteprima_);
    zoom_->setObjectName(QStringLiteral("cmbZoom"));
    anteprima->addWidget(new QLabel(QStringLiteral("Zoom"), anteprima_), 0, 0);
    anteprima->addWidget(zoom_, 0, 1, 1, 3);
    anteprima->addWidget(new QLabel(QStringLiteral("Dimensioni pagina"), anteprima_), 1, 0, 1, 4);
    for (int i = 0; i < 8; ++i) {
        formatiPagina_[i] = new QRadioButton(QString::fromLatin1(kFormati[i].nome), anteprima_);
        formatiPagina_[i]->setObjectName(QStringLiteral("Option1_%1").arg(i));
        formatiPagina_[i]->setIcon(pagina(kFormati[i].larghezza, kFormati[i].altezza));
        formatiPagina_[i]->setIconSize(QSize(28, 28));
        anteprima->addWidget(formatiPagina_[i], 2 + i / 4, i % 4);
    }
    anteprima_->setEnabled(false);
    layout->addWidget(anteprima_);

    auto* pulsanti = new QHBoxLayout;
    auto* conferma = new QPushButton(QStringLiteral("&CONFERMA"), this);
    auto* uscita = new QPushButton(QStringLiteral("&USCITA"), this);
    conferma->setObjectName(QStringLiteral("cmds_SI"));
    uscita->setObjectName(QStringLiteral("cmds_NO"));
    for (QPushButton* b : {modifica, conferma, uscita})
        b->setAutoDefault(false);
    pulsanti->addStretch();
    pulsanti->addWidget(conferma);
    pulsanti->addWidget(uscita);
    layout->addLayout(pulsanti);

    connect(modifica, &QPushButton::clicked, this, [this] {
        if (contesto_.scegliStampante(this)) stampante_->setText(contesto_.stampanteCorrente());
    });
    connect(tipoStampa_, &QComboBox::activated, this, &FinestraDestinazioneStampa::tipoScelto);
    connect(conferma, &QPushButton::clicked, this, &FinestraDestinazioneStampa::conferma);
    connect(uscita, &QPushButton::clicked, this, &QDialog::reject);

    // Opening.
    UsaTastiComuni(this, QStringLiteral("%U"), true);
    adjustSize();
    if (plLeftForm != 0 || plTopForm != 0) {
        const Schermo s = SchermoDi(this);
        move(int(plLeftForm / s.twipsPerPixelX), int(plTopForm / s.twipsPerPixelY));
    } else {
        RipristinaFinestra(this, contesto_, false);
    }
    const StatoStampa& stato = contesto_.shell.stampa;
    tipoStampa_->addItems(TipiStampa());
    zoom_->addItems(VociZoom());
    zoom_->setCurrentIndex(stato.IndiceZoom);
    formatiPagina_[std::clamp(stato.IndicePagina, 0, 7)]->setChecked(true);
    stampante_->setText(contesto_.stampanteCorrente());
    tipoStampa_->setCurrentIndex(-1);
    for (int i = 0; i < tipoStampa_->count(); ++i) {
        if (!stato.TipoStampa.isEmpty() && tipoStampa_->itemText(i).startsWith(stato.TipoStampa)) {
            tipoStampa_->setCurrentIndex(i);
            tipoScelto(i);
        }
    }
}

void FinestraDestinazioneStampa::tipoScelto(int indice) {
    anteprima_->setEnabled(indice == 2);
}

bool FinestraDestinazioneStampa::eventFilter(QObject* oggetto, QEvent* evento) {
    if (oggetto == stampante_ && evento->type() == QEvent::MouseButtonDblClick) {
        elencoStampanti();
        return true;
    }
    if (oggetto == stampante_ && evento->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(evento)->key() == Qt::Key_F4) {
        elencoStampanti();
        return true;
    }
    return QDialog::eventFilter(oggetto, evento);
}

void FinestraDestinazioneStampa::keyPressEvent(QKeyEvent* evento) {
    if (evento->key() == Qt::Key_F4)
        elencoStampanti();
    else
        QDialog::keyPressEvent(evento);
}

void FinestraDestinazioneStampa::elencoStampanti() {
    const Rettangolo qui = RettangoloDi(this);
    FinestraSceltaStampante elenco(contesto_, QString(), int(qui.top), int(qui.left + qui.width + 20), this);
    elenco.setWindowTitle(QStringLiteral("STAMPANTE PREDEFINITA"));
    elenco.exec();
    stampante_->setText(elenco.pgPrinter());
}

void FinestraDestinazioneStampa::conferma() {
    int pagina = 0;
    for (int i = 0; i < 8; ++i)
        if (formatiPagina_[i]->isChecked()) pagina = i;
    ConfermaStampa(contesto_.shell.FileIni, contesto_.shell.stampa, contesto_.stampanteCorrente(),
                   tipoStampa_->currentText(), pagina, std::max(0, zoom_->currentIndex()));
    accept();
}

} // namespace qv
