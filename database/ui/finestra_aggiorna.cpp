#include "database/ui/finestra_aggiorna.h"

#include "database/ui/scarica_file.h"
#include "shell/nome_programma.h"
#include "shell/ui/collocazione.h"
#include "shell/ui/contesto_finestre.h"
#include "shell/ui/tasti_comuni.h"
#include "shell/versione_programma.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>

namespace qv {

namespace {

const QColor kRosso(255, 0, 0);
const QColor kBlu(0, 0, 128);

QLabel* etichetta(QWidget* dove, const QString& testo, const QString& nome = QString()) {
    auto* l = new QLabel(testo, dove);
    if (!nome.isEmpty()) l->setObjectName(nome);
    return l;
}

// The root of the program's drive: the working folder the browser starts in.
QString radiceProgramma(const QString& cartella) {
    return QDir(cartella).absolutePath().section(QLatin1Char('/'), 0, 0) + QLatin1Char('/');
}

} // namespace

FinestraAggiorna::FinestraAggiorna(ContestoFinestre& contesto, const EsitoVerifica& esito, bool esplicito,
                                   QWidget* parent)
    : QDialog(parent), cartellaScaricamenti(CartellaScaricamenti()), contesto_(contesto), esito_(esito),
      esplicito_(esplicito) {
    setObjectName(QStringLiteral("Aggiorna"));
    setWindowTitle(QStringLiteral("NUOVA VERSIONE"));
    auto* layout = new QVBoxLayout(this);
    auto* alto = new QGridLayout;
    alto->addWidget(etichetta(this, ChiaveProgramma(NomeProgramma), QStringLiteral("lbExe")), 0, 0, 1, 2);
    alto->addWidget(
        etichetta(this, QStringLiteral("      Versione attuale in uso:"), QStringLiteral("lbDescr_0")), 1, 0);
    alto->addWidget(etichetta(this, esito_.versioneAttuale, QStringLiteral("lbVersion_0")), 1, 1);
    alto->addWidget(
        etichetta(this, QStringLiteral("      Versione aggiornata     :"), QStringLiteral("lbDescr_1")), 2,
        0);
    alto->addWidget(etichetta(this, esito_.versioneDisponibile, QStringLiteral("lbVersion_1")), 2, 1);
    alto->setColumnStretch(1, 1);
    layout->addLayout(alto);
    installEventFilter(this);
    UsaTastiComuni(this, QStringLiteral("%U"), true);
    RipristinaFinestra(this, contesto_, false);
    if (esito_.stato == kVersioneAggiornata)
        mostraAggiornato();
    else if (esito_.stato == kNuovaVersione)
        mostraNuovaVersione();
    else
        mostraErrore();
}

QWidget* FinestraAggiorna::pannello(const QString& nome) {
    auto* p = new QFrame(this);
    p->setObjectName(nome);
    p->setFrameStyle(QFrame::Panel | QFrame::Raised);
    new QVBoxLayout(p);
    layout()->addWidget(p);
    return p;
}

QPushButton* FinestraAggiorna::pulsanteUscita(QWidget* pannello) {
    auto* b = new QPushButton(QStringLiteral("&USCITA"), pannello);
    b->setObjectName(QStringLiteral("cmdEsci"));
    b->setAutoDefault(false);
    connect(b, &QPushButton::clicked, this, &QDialog::close);
    return b;
}

void FinestraAggiorna::altezza(double twips) {
    altezzaTwips_ = twips;
    adjustSize();
}

void FinestraAggiorna::showEvent(QShowEvent* evento) {
    QDialog::showEvent(evento);
    if (altezzaTwips_ <= 0) return;
    // The height is the outer one, title bar included: known once shown.
    const int cornice = frameGeometry().height() - geometry().height();
    const int pixel = int(std::lround(altezzaTwips_ / SchermoDi(this).twipsPerPixelY)) - cornice;
    resize(width(), qMax(pixel, minimumSizeHint().height()));
}

void FinestraAggiorna::mostraErrore() {
    setWindowTitle(QStringLiteral("ERRORE IN CONNESSIONE"));
    QWidget* p = pannello(QStringLiteral("pctErrore"));
    p->layout()->addWidget(etichetta(p, QStringLiteral("Impossibile verificare nuovi aggiornamenti")));
    auto* errore = etichetta(p, esito_.errore, QStringLiteral("lbMessErr"));
    errore->setWordWrap(true);
    p->layout()->addWidget(errore);
    p->layout()->addWidget(pulsanteUscita(p));
    altezza(3600);
}

void FinestraAggiorna::mostraAggiornato() {
    setWindowTitle(QStringLiteral("PROGRAMMA AGGIORNATO"));
    QWidget* p = pannello(QStringLiteral("pctAggiornato"));
    p->layout()->addWidget(etichetta(p, QStringLiteral("La versione in uso è la più aggiornata")));
    p->layout()->addWidget(pulsanteUscita(p));
    altezza(2800);
}

void FinestraAggiorna::mostraNuovaVersione() {
    setWindowTitle(QStringLiteral("DISPONIBILE NUOVO AGGIORNAMENTO"));
    // The panel only with something to download, as the page lists it.
    if (esito_.voci.isEmpty()) return;
    QWidget* p = pannello(QStringLiteral("pctNuovo"));
    auto* l = static_cast<QVBoxLayout*>(p->layout());
    l->addWidget(etichetta(p, QStringLiteral(" Esiste una nuova versione del programma")));
    l->addWidget(etichetta(p, QStringLiteral("Elenco aggiornamenti disponibili")));
    for (int i = 0; i < esito_.voci.size(); ++i) {
        QLabel* voce = etichetta(p, esito_.voci[i].testo, QStringLiteral("lbAgg_%1").arg(i + 1));
        voce->setCursor(Qt::PointingHandCursor);
        voce->installEventFilter(this);
        voci_ << voce;
        l->addWidget(voce);
    }
    coloraVoci(nullptr);
    auto* pulsanti = new QHBoxLayout;
    const QStringList testi = {QStringLiteral("&VAI AL SITO"), QStringLiteral("&AGGIORNA")};
    for (int i = 0; i < 2; ++i) {
        auto* b = new QPushButton(testi[i], p);
        b->setObjectName(QStringLiteral("cmdAggiorna_%1").arg(i));
        b->setAutoDefault(false);
        pulsanti->addWidget(b);
        connect(b, &QPushButton::clicked, this, [this, i] {
            const QString cartella = contesto_.shell.cartellaProgramma;
            const QString indirizzo = QStringLiteral("http://") + kSitoProduttore +
                                      (i == 0 ? QLatin1Char('/') + esito_.paginaSito : kPercorsoInstallatore);
            contesto_.avviatore.apriDocumento(indirizzo, QString(), radiceProgramma(cartella), 1);
            // The installer replaces the program: it ends here.
            if (i == 1 && contesto_.terminaProgramma) contesto_.terminaProgramma(0);
        });
    }
    pulsanti->addWidget(pulsanteUscita(p));
    l->addLayout(pulsanti);

    ricorda_ = new QFrame(p);
    ricorda_->setObjectName(QStringLiteral("pctRicorda"));
    auto* r = new QHBoxLayout(ricorda_);
    giorni_ = new QComboBox(ricorda_);
    giorni_->setObjectName(QStringLiteral("cmbNum"));
    for (int n = 0; n <= 15; ++n)
        giorni_->addItem(QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0')));
    pulsanteRicorda_ = new QPushButton(TestoPulsanteRicorda(0), ricorda_);
    pulsanteRicorda_->setObjectName(QStringLiteral("cmdRicorda"));
    pulsanteRicorda_->setAutoDefault(false);
    r->addWidget(etichetta(ricorda_, QStringLiteral("Non aggiornare ora, ma ricordami di")));
    r->addWidget(etichetta(ricorda_, QStringLiteral("aggiornare tra")));
    r->addWidget(giorni_);
    r->addWidget(etichetta(ricorda_, QStringLiteral("giorni")));
    r->addWidget(pulsanteRicorda_);
    l->addWidget(ricorda_);
    connect(giorni_, &QComboBox::currentIndexChanged, this,
            [this](int n) { pulsanteRicorda_->setText(TestoPulsanteRicorda(n)); });
    connect(pulsanteRicorda_, &QPushButton::clicked, this, [this] {
        ScriviPromemoria(contesto_.shell.FileIni, ChiaveProgramma(NomeProgramma), GiornoDiOggi(),
                         giorni_->currentIndex());
        close();
    });
    giorni_->setCurrentIndex(0);
    ricorda_->setVisible(!esplicito_);
    adjustSize();
}

void FinestraAggiorna::coloraVoci(const QLabel* evidenziata) {
    for (QLabel* v : voci_) {
        QPalette p = v->palette();
        p.setColor(QPalette::WindowText, v == evidenziata ? kRosso : kBlu);
        v->setPalette(p);
    }
}

bool FinestraAggiorna::eventFilter(QObject* oggetto, QEvent* evento) {
    auto* voce = qobject_cast<QLabel*>(oggetto);
    if (voce && voci_.contains(voce)) {
        if (evento->type() == QEvent::Enter) coloraVoci(voce);
        if (evento->type() == QEvent::Leave) coloraVoci(nullptr);
        if (evento->type() == QEvent::MouseButtonRelease) {
            const QString indirizzo = esito_.voci.value(voci_.indexOf(voce)).indirizzo;
            if (!indirizzo.startsWith(QStringLiteral("http://")))
                contesto_.messaggi.mostra(QStringLiteral("indirizzo errato"), NomeProgramma);
            else
                ScaricaFile(contesto_, this, indirizzo, cartellaScaricamenti);
            return true;
        }
    }
    return QDialog::eventFilter(oggetto, evento);
}

void VerificaAggiornamenti(ContestoFinestre& contesto, platform::HttpClient& http, bool esplicito,
                           QWidget* sopra) {
    QWidget* attiva = QApplication::activeWindow() ? QApplication::activeWindow() : sopra;
    const QString chiave = ChiaveProgramma(NomeProgramma);
    const QString titolo = attiva ? attiva->windowTitle() : QString();
    if (attiva)
        attiva->setWindowTitle(QStringLiteral("Ricerca aggiornamenti di  '") + chiave +
                               QStringLiteral("'  in corso ..."));
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const VersioneProgramma v = Versione();
    const EsitoVerifica esito =
        VerificaVersione(RichiestaVerifica{contesto.shell.FileIni, chiave, v.maggiore, v.minore, v.revisione,
                                           esplicito, GiornoDiOggi()},
                         http);
    QApplication::restoreOverrideCursor();
    const bool mostra = esito.stato != kRinviatoDalPromemoria && (esplicito || esito.stato == kNuovaVersione);
    if (mostra) {
        FinestraAggiorna finestra(contesto, esito, esplicito, sopra);
        finestra.exec();
    }
    if (attiva) attiva->setWindowTitle(titolo);
}

} // namespace qv
