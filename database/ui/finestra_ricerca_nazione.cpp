#include "database/ui/finestra_ricerca_nazione.h"

#include "database/nazioni.h"
#include "database/ui/campi_nazione.h"
#include "shell/nome_programma.h"
#include "shell/ui/collocazione.h"
#include "shell/ui/contesto_finestre.h"
#include "shell/ui/tasti_comuni.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>

namespace qv {

FinestraRicercaNazione::FinestraRicercaNazione(ContestoFinestre& contesto, StatoDatabase& database,
                                               const ElencoNazioni& elenco, QWidget* parent)
    : QDialog(parent), contesto_(contesto), database_(database), elenco_(elenco) {
    setObjectName(QStringLiteral("GesNaz"));
    setWindowTitle(QStringLiteral("NAZIONI CEE"));
    auto* griglia = new QGridLayout(this);
    nazioni_ = new QComboBox(this);
    nazioni_->setObjectName(QStringLiteral("cbNazioni"));
    griglia->addWidget(nazioni_, 0, 0, 1, 3);
    const CampiNazione campi =
        AggiungiCampiNazione(this, griglia, 1, QStringLiteral("Txt_0"), QStringLiteral("Txt_1"));
    campoCodice_ = campi.codice;
    campoDescrizione_ = campi.descrizione;
    bandiera_ = campi.bandiera;
    auto* pulsanti = new QHBoxLayout;
    pulsanteConferma_ = new QPushButton(QStringLiteral("&CONFERMA"), this);
    pulsanteUscita_ = new QPushButton(QStringLiteral("&USCITA"), this);
    pulsanteConferma_->setObjectName(QStringLiteral("Command1_0"));
    pulsanteUscita_->setObjectName(QStringLiteral("Command1_1"));
    pulsanti->addStretch();
    for (QPushButton* b : {pulsanteConferma_, pulsanteUscita_}) {
        b->setAutoDefault(false);
        pulsanti->addWidget(b);
    }
    griglia->addLayout(pulsanti, 3, 0, 1, 3);
    setTabOrder(nazioni_, campoCodice_);

    campoCodice_->installEventFilter(this);
    connect(nazioni_, &QComboBox::activated, this, [this](int i) {
        campoCodice_->setText(nazioni_->itemText(i).left(2));
        cercaCodice();
    });
    connect(pulsanteConferma_, &QPushButton::clicked, this, [this] {
        svuota();
        campoCodice_->setFocus();
    });
    connect(pulsanteUscita_, &QPushButton::clicked, this, &QDialog::close);

    UsaTastiComuni(this, QStringLiteral("%U"), true);
    adjustSize();
    RipristinaFinestra(this, contesto_, false);
    ApriNazioni(database_, contesto_.messaggi);
    nazioni_->addItems(database_.DatabaseAperto ? VociNazioni(database_) : VociNazioni(elenco_));
    nazioni_->setCurrentIndex(-1);
    svuota();
    campoCodice_->setFocus();
}

FinestraRicercaNazione::~FinestraRicercaNazione() {
    ChiudiNazioni(database_);
}

void FinestraRicercaNazione::done(int esito) {
    ChiudiNazioni(database_);
    SalvaFinestra(this, contesto_, false);
    QDialog::done(esito);
}

bool FinestraRicercaNazione::eventFilter(QObject* oggetto, QEvent* evento) {
    // A code typed is looked up as the field is left for another control.
    if (oggetto == campoCodice_ && LasciaPerAltroCampo(this, evento, {pulsanteUscita_, nazioni_}) &&
        !campoCodice_->text().trimmed().isEmpty())
        cercaCodice();
    return QDialog::eventFilter(oggetto, evento);
}

void FinestraRicercaNazione::cercaCodice() {
    const QString codice = campoCodice_->text().trimmed();
    const int i = IndiceNazione(elenco_, codice);
    if (i >= 0) {
        campoDescrizione_->setText(elenco_.NomiNazioni.value(i));
        bandiera_->setPixmap(QPixmap(QStringLiteral(":/bandiere/flag_") + codice + QStringLiteral(".gif")));
        bandiera_->show();
        return;
    }
    bandiera_->clear();
    bandiera_->hide();
    if (contesto_.messaggi.mostra(
            QStringLiteral("NAZIONE INESISTENTE") + QLatin1Char('\n') + QStringLiteral("La inserisco"),
            QStringLiteral("NUOVA NAZIONE"), Icona::Nessuna, Pulsanti::SiNo) == Risposta::Si) {
        campoDescrizione_->setFocus();
        return;
    }
    contesto_.messaggi.mostra(QStringLiteral("NAZIONE NON CODIFICATA"),
                              NomeProgramma.toUpper() + QStringLiteral(" -ERRORE N. ") + QString::number(1),
                              Icona::Critica);
    campoCodice_->setFocus();
}

void FinestraRicercaNazione::svuota() {
    campoCodice_->clear();
    campoDescrizione_->clear();
    bandiera_->clear();
    bandiera_->hide();
}

} // namespace qv
