#include "database/ui/finestra_aggiorna_db.h"

#include "database/aggiorna_su_copia.h"
#include "database/compatta_db.h"
#include "database/file_database.h"
#include "database/ui/campi_nazione.h"
#include "shell/nome_programma.h"
#include "shell/ui/collocazione.h"
#include "shell/ui/contesto_finestre.h"
#include "shell/ui/tasti_comuni.h"

#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

namespace qv {

FinestraAggiornaDb::FinestraAggiornaDb(ContestoFinestre& contesto, StatoDatabase& database, QWidget* parent)
    : QDialog(parent), contesto_(contesto), database_(database) {
    setObjectName(QStringLiteral("aggiornadb"));
    setWindowTitle(QStringLiteral("Aggiornamento database"));
    auto* griglia = new QGridLayout(this);
    riferimento_ = new QLineEdit(this);
    riferimento_->setObjectName(QStringLiteral("Text1"));
    lavoro_ = new QLineEdit(this);
    lavoro_->setObjectName(QStringLiteral("Text2"));
    registro_ = CreaRegistro(this);
    const auto etichetta = [this](const QString& testo, QWidget* campo) {
        auto* l = new QLabel(testo, this);
        l->setBuddy(campo);
        return l;
    };
    griglia->addWidget(etichetta(QStringLiteral("Database aggiornato "), riferimento_), 0, 0);
    griglia->addWidget(riferimento_, 0, 1);
    griglia->addWidget(etichetta(QStringLiteral("Database da aggiornare"), lavoro_), 1, 0);
    griglia->addWidget(lavoro_, 1, 1);
    griglia->addWidget(etichetta(QStringLiteral("Aggiornamenti eseguiti"), registro_), 2, 0, 1, 2);
    griglia->addWidget(registro_, 3, 0, 1, 2);
    pulsanteEsegui_ = new QPushButton(QStringLiteral("&ESEGUI"), this);
    pulsanteEsegui_->setObjectName(QStringLiteral("CmdEsegui"));
    pulsanteUscita_ = new QPushButton(QStringLiteral("&USCITA"), this);
    pulsanteUscita_->setObjectName(QStringLiteral("CmdEnd"));
    griglia->addLayout(RigaPulsanti({pulsanteEsegui_, pulsanteUscita_}), 4, 0, 1, 2);
    for (QLineEdit* campo : {riferimento_, lavoro_})
        campo->installEventFilter(this);
    connect(pulsanteEsegui_, &QPushButton::clicked, this, &FinestraAggiornaDb::esegui);
    connect(pulsanteUscita_, &QPushButton::clicked, this, &QDialog::close);

    UsaTastiComuni(this, QStringLiteral("%U"), true);
    adjustSize();
    RipristinaFinestra(this, contesto_, false);
    const QString cartella = contesto_.shell.cartellaProgramma;
    riferimento_->setText(PercorsoRiferimento(cartella));
    lavoro_->setText(PercorsoDataBase(cartella));
    automatico_ = database_.StatoChiamata >= 1;
    // Closed before its run, an automatic upgrade is not done.
    esito_ = automatico_ ? database_.StatoChiamata : 0;
    database_.StatoChiamata = 0;
}

void FinestraAggiornaDb::done(int esito) {
    database_.StatoChiamata = esito_;
    SalvaFinestra(this, contesto_, false);
    QDialog::done(esito);
}

bool FinestraAggiornaDb::event(QEvent* evento) {
    if (evento->type() == QEvent::WindowActivate && automatico_ && !avviato_) {
        avviato_ = true;
        QTimer::singleShot(0, this, &FinestraAggiornaDb::eseguiInAutomatico);
    }
    return QDialog::event(evento);
}

bool FinestraAggiornaDb::eventFilter(QObject* oggetto, QEvent* evento) {
    if (SceltaConF4(oggetto, evento, this, sceltaFile, QStringLiteral("DataBase Completo"))) return true;
    // Leaving a path for "&USCITA" checks nothing.
    if (qobject_cast<QLineEdit*>(oggetto) && !automatico_ && !riportaFuoco_ &&
        LasciaPerAltroCampo(this, evento, {pulsanteUscita_}))
        QTimer::singleShot(0, this, &FinestraAggiornaDb::validaPercorsi);
    return QDialog::eventFilter(oggetto, evento);
}

void FinestraAggiornaDb::validaPercorsi() {
    if (!automatico_) pulsanteEsegui_->setEnabled(true);
    int campo = 0;
    // An empty working path leaves the button as it is: only a refused path disables it.
    if (!ValidaPercorsi(contesto_.messaggi, riferimento_->text(), lavoro_->text(), &campo))
        pulsanteEsegui_->setEnabled(false);
    // The focus sent back leaves the other field without checking it again.
    riportaFuoco_ = true;
    if (campo == 1) riferimento_->setFocus();
    if (campo == 2) lavoro_->setFocus();
    riportaFuoco_ = false;
}

UscitaAggiornamento FinestraAggiornaDb::uscita(bool& riuscito) {
    UscitaAggiornamento u = UscitaSuRegistro(registro_);
    const auto sfondo = u.sfondo;
    u.sfondo = [sfondo, &riuscito](quint32 colore) {
        sfondo(colore);
        if (colore == kSfondoRiuscito) riuscito = true;
    };
    u.compatta = [this, u](const QString& percorso) {
        if (CompattaDataBase(database_, contesto_.messaggi, percorso, u) != 0)
            pulsanteEsegui_->setEnabled(false);
    };
    return u;
}

void FinestraAggiornaDb::fine(bool riuscito) {
    if (riuscito && database_.StatoChiamata == 0) {
        riferimento_->setEnabled(false);
        lavoro_->setEnabled(false);
        pulsanteEsegui_->setEnabled(false);
    }
    esito_ = database_.StatoChiamata;
    database_.StatoChiamata = 0;
}

void FinestraAggiornaDb::esegui() {
    bool riuscito = false;
    const UscitaAggiornamento u = uscita(riuscito);
    EseguiAggiornamentoSuCopia(database_, contesto_.messaggi, riferimento_->text().trimmed(),
                               lavoro_->text().trimmed(), automatico_, u);
    fine(riuscito);
}

void FinestraAggiornaDb::eseguiInAutomatico() {
    // The paths checked, then the run started whatever the check said, so
    // that a missing file ends in an error outcome rather than in no run.
    bool riuscito = false;
    const UscitaAggiornamento u = uscita(riuscito);
    AggiornaInAutomaticoSuCopia(database_, contesto_.messaggi, contesto_.shell.cartellaProgramma,
                                NomeProgramma, u);
    fine(riuscito);
    pulsanteUscita_->setFocus();
}

} // namespace qv
