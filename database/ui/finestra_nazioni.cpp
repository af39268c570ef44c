#include "database/ui/finestra_nazioni.h"

#include "database/nazioni.h"
#include "database/ui/campi_nazione.h"
#include "database/ui/finestra_elenco_nazioni.h"
#include "shell/nome_programma.h"
#include "shell/ui/collocazione.h"
#include "shell/ui/contesto_finestre.h"
#include "shell/ui/tasti_comuni.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QShortcut>
#include <QTimer>

namespace qv {

namespace {
QString titolo(const char* coda) {
    return NomeProgramma.toUpper() + QLatin1String(coda);
}

// The engine's error of a write that did not happen; true when there was one.
bool MostraErrore(Messaggi& messaggi, const std::optional<dao::ErroreDao>& errore) {
    if (errore)
        messaggi.mostra(errore->descrizione(), titolo(" -ERRORE N. ") + QString::number(errore->numero()),
                        Icona::Critica);
    return errore.has_value();
}
} // namespace

FinestraNazioni::FinestraNazioni(ContestoFinestre& contesto, StatoDatabase& database, QWidget* parent)
    : QDialog(parent), contesto_(contesto), database_(database) {
    setObjectName(QStringLiteral("GesNazDB"));
    setWindowTitle(QStringLiteral("GESTIONE NAZIONI CEE"));
    auto* griglia = new QGridLayout(this);
    const CampiNazione campi =
        AggiungiCampiNazione(this, griglia, 0, QStringLiteral("Cod1"), QStringLiteral("Btxt"));
    campoCodice_ = campi.codice;
    campoDescrizione_ = campi.descrizione;
    bandiera_ = campi.bandiera;

    auto* pulsanti = new QHBoxLayout;
    pulsantePrecedente_ = new QPushButton(QStringLiteral("&-  <"), this);
    pulsanteSuccessiva_ = new QPushButton(QStringLiteral("&+  >"), this);
    pulsanteConferma_ = new QPushButton(QStringLiteral("&CONFERMA"), this);
    pulsanteElimina_ = new QPushButton(QStringLiteral("&ELIMINA"), this);
    pulsanteAnnulla_ = new QPushButton(QStringLiteral("&ANNULLA"), this);
    pulsanteUscita_ = new QPushButton(QStringLiteral("&USCITA"), this);
    pulsantePrecedente_->setObjectName(QStringLiteral("Muoviti_0"));
    pulsanteSuccessiva_->setObjectName(QStringLiteral("Muoviti_1"));
    int indice = 0;
    for (QPushButton* b : {pulsanteConferma_, pulsanteElimina_, pulsanteAnnulla_, pulsanteUscita_})
        b->setObjectName(QStringLiteral("Cmdv_%1").arg(indice++));
    for (QPushButton* b : {pulsantePrecedente_, pulsanteSuccessiva_, pulsanteConferma_, pulsanteElimina_,
                           pulsanteAnnulla_, pulsanteUscita_}) {
        b->setAutoDefault(false);
        pulsanti->addWidget(b);
    }
    griglia->addLayout(pulsanti, 2, 0, 1, 3);
    campoCodice_->installEventFilter(this);
    connect(pulsanteConferma_, &QPushButton::clicked, this, &FinestraNazioni::conferma);
    connect(pulsanteElimina_, &QPushButton::clicked, this, &FinestraNazioni::elimina);
    connect(pulsanteAnnulla_, &QPushButton::clicked, this, [this] {
        svuota();
        campoCodice_->setFocus();
    });
    connect(pulsanteUscita_, &QPushButton::clicked, this, &QDialog::close);
    connect(pulsantePrecedente_, &QPushButton::clicked, this, [this] { muoviti(false); });
    connect(pulsanteSuccessiva_, &QPushButton::clicked, this, [this] { muoviti(true); });
    // Keys of the whole window, before its fields see them.
    connect(new QShortcut(Qt::Key_F4, this), &QShortcut::activated, this, &FinestraNazioni::elencoNazioni);
    connect(new QShortcut(Qt::Key_Up, this), &QShortcut::activated, this, [this] { muoviti(false); });
    connect(new QShortcut(Qt::Key_Down, this), &QShortcut::activated, this, [this] { muoviti(true); });

    UsaTastiComuni(this, QStringLiteral("%U"), true);
    adjustSize();
    RipristinaFinestra(this, contesto_, false);
    ApriNazioni(database_, contesto_.messaggi);
    svuota();
    campoCodice_->setFocus();
}

FinestraNazioni::~FinestraNazioni() {
    ChiudiNazioni(database_);
}

void FinestraNazioni::showEvent(QShowEvent* evento) {
    QDialog::showEvent(evento);
    // Without its table the window has nothing to do.
    if (!database_.NazioniAperta) QTimer::singleShot(0, this, &QDialog::close);
}

void FinestraNazioni::done(int esito) {
    ChiudiNazioni(database_);
    SalvaFinestra(this, contesto_, false);
    QDialog::done(esito);
}

bool FinestraNazioni::eventFilter(QObject* oggetto, QEvent* evento) {
    if (oggetto == campoCodice_) {
        if (evento->type() == QEvent::FocusIn) {
            setWindowTitle(QStringLiteral("GESTIONE NAZIONI CEE"));
        } else if (LasciaPerAltroCampo(this, evento, {pulsanteUscita_, pulsanteAnnulla_})) {
            lasciaCodice();
        }
    }
    return QDialog::eventFilter(oggetto, evento);
}

void FinestraNazioni::lasciaCodice() {
    const QString codice = campoCodice_->text().trimmed();
    campoCodice_->setText(codice);
    if (codice.isEmpty()) {
        contesto_.messaggi.mostra(QStringLiteral("INDICARE UNA NAZIONE"), titolo(" -CODICE"));
        campoCodice_->setFocus();
        return;
    }
    if (const std::optional<Nazione> n = CercaNazione(database_, codice)) {
        mostraNazione(*n);
        return;
    }
    if (contesto_.messaggi.mostra(QStringLiteral("NAZIONE INESISTENTE: INSERISCI"), titolo(" -INSERIMENTO"),
                                  Icona::Nessuna, Pulsanti::SiNo, 1) == Risposta::Si) {
        campoDescrizione_->clear();
        bandiera_->clear();
        imposta(Modo::Inserimento);
        campoDescrizione_->setFocus();
    } else {
        campoCodice_->setFocus();
    }
}

void FinestraNazioni::mostraNazione(const Nazione& n) {
    campoCodice_->setText(n.codice);
    campoDescrizione_->setText(n.descrizione);
    // A missing file, or a nation entered by hand, leaves the picture empty.
    const QPixmap immagine(PercorsoBandiera(contesto_.shell.cartellaProgramma, n.bandiera));
    if (immagine.isNull())
        bandiera_->clear();
    else
        bandiera_->setPixmap(immagine);
    imposta(Modo::Variazione);
}

void FinestraNazioni::imposta(Modo modo) {
    pulsanteConferma_->setEnabled(modo != Modo::Ricerca);
    pulsanteElimina_->setEnabled(modo == Modo::Variazione);
    if (modo == Modo::Variazione)
        setWindowTitle(QStringLiteral("VARIAZIONE NAZIONI CEE"));
    else if (modo == Modo::Inserimento)
        setWindowTitle(QStringLiteral("INSERIMENTO NAZIONI CEE"));
}

void FinestraNazioni::svuota() {
    campoCodice_->clear();
    campoDescrizione_->clear();
    bandiera_->clear();
    imposta(Modo::Ricerca);
}

void FinestraNazioni::conferma() {
    if (MostraErrore(contesto_.messaggi,
                     ConfermaNazione(database_, campoCodice_->text().trimmed(), campoDescrizione_->text())))
        return;
    svuota();
    campoCodice_->setFocus();
}

void FinestraNazioni::elimina() {
    if (contesto_.messaggi.mostra(QStringLiteral("CONFERMI LA CANCELLAZIONE DELLA NAZIONE"),
                                  titolo(" -ELIMINAZIONE"), Icona::Nessuna, Pulsanti::SiNo,
                                  1) != Risposta::Si)
        return;
    if (MostraErrore(contesto_.messaggi, EliminaNazione(database_, campoCodice_->text().trimmed()))) return;
    svuota();
    campoCodice_->setFocus();
}

void FinestraNazioni::muoviti(bool successiva) {
    if (const std::optional<Nazione> n = NazioneVicina(database_, campoCodice_->text(), successiva))
        mostraNazione(*n);
}

void FinestraNazioni::elencoNazioni() {
    database_.Messaggio.clear();
    FinestraElencoNazioni elenco(contesto_, database_, this);
    elenco.exec();
    const QString scelta = database_.Messaggio;
    database_.Messaggio.clear();
    if (scelta.isEmpty()) return;
    campoCodice_->setText(scelta);
    lasciaCodice();
}

} // namespace qv
