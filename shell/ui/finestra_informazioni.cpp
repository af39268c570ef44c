#include "shell/ui/finestra_informazioni.h"

#include "shell/informazioni.h"
#include "shell/ui/collocazione.h"
#include "shell/ui/contesto_finestre.h"
#include "shell/ui/finestra_dati_ditta.h"
#include "shell/ui/tasti_comuni.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace qv {

namespace {
QLabel* etichetta(const QString& testo, const char* nome, QWidget* parent) {
    auto* l = new QLabel(testo, parent);
    l->setObjectName(QLatin1String(nome));
    return l;
}
} // namespace

FinestraInformazioni::FinestraInformazioni(ContestoFinestre& contesto, QWidget* parent)
    : QDialog(parent), contesto_(contesto) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(TitoloInformazioni(NomeProgramma));
    auto* titolo = etichetta(NomeProgramma, "lblTitle", this);
    QFont grande = titolo->font();
    grande.setPointSizeF(grande.pointSizeF() * 1.8);
    grande.setBold(true);
    titolo->setFont(grande);
    etichettaVersione_ = etichetta(TestoVersioneInformazioni(Versione()), "lblVersion", this);
    auto* descrizione = etichetta(DescrizioneProgramma(), "lblDescription", this);
    auto* avviso = etichetta(AvvisoLegale(), "Lb_cr", this);
    avviso->setWordWrap(true);
    nomeDitta_ = etichetta(Ditta().nome, "Label1", this);
    nomeDitta_->setCursor(Qt::PointingHandCursor);
    nomeDitta_->installEventFilter(this);
    if (contesto_.disponibile(IdFinestra::VerificaAggiornamenti)) {
        etichettaVersione_->setCursor(Qt::PointingHandCursor);
        etichettaVersione_->setToolTip(QStringLiteral("Verifica aggiornamenti"));
    }
    etichettaVersione_->installEventFilter(this);
    auto* infoSistema = new QPushButton(QStringLiteral("&System Info..."), this);
    infoSistema->setObjectName(QStringLiteral("cmdSysInfo"));
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("cmdOK"));
    ok->setDefault(true);
    // The caption has no mnemonic, yet F2 sends Alt+O: the button answers to it.
    ok->setShortcut(QKeySequence(Qt::ALT | Qt::Key_O));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(titolo);
    layout->addWidget(etichettaVersione_);
    layout->addWidget(descrizione);
    layout->addWidget(nomeDitta_);
    layout->addWidget(avviso);
    auto* pulsanti = new QHBoxLayout;
    pulsanti->addStretch();
    pulsanti->addWidget(infoSistema);
    pulsanti->addWidget(ok);
    layout->addLayout(pulsanti);
    setMinimumWidth(420);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(infoSistema, &QPushButton::clicked, this, [this] { AvviaInfoSistema(contesto_); });

    UsaTastiComuni(this, QStringLiteral("%O"), false);
    adjustSize();
    RipristinaFinestra(this, contesto_, false);
}

bool FinestraInformazioni::eventFilter(QObject* oggetto, QEvent* evento) {
    if (evento->type() == QEvent::MouseButtonRelease) {
        if (oggetto == nomeDitta_) {
            MostraInfoDitta(contesto_, this);
            return true;
        }
        if (oggetto == etichettaVersione_ && contesto_.disponibile(IdFinestra::VerificaAggiornamenti)) {
            contesto_.apri(IdFinestra::VerificaAggiornamenti, this);
            return true;
        }
    }
    return QDialog::eventFilter(oggetto, evento);
}

void MostraInfoDitta(ContestoFinestre& contesto, QWidget* sopra) {
    if (AvviaInfoDitta(contesto.avviatore, contesto.shell.cartellaProgramma,
                       [&contesto](const QString& p) { return contesto.esisteFile(p); }))
        return;
    FinestraDatiDitta finestra(contesto, sopra);
    finestra.exec();
}

void AvviaInfoSistema(ContestoFinestre& contesto) {
    const QStringList dove = contesto.infoSistema ? contesto.infoSistema() : QStringList();
    AvviaInfoSistema(contesto.avviatore, contesto.messaggi, dove.value(0), dove.value(1),
                     [&contesto](const QString& p) { return contesto.esisteFile(p); });
}

} // namespace qv
