#include "enquiry/ui/finestra_singolo_mrn.h"

#include "enquiry/codici_web.h"
#include "enquiry/get_htm_page.h"
#include "enquiry/interroga_codice.h"
#include "enquiry/righe_esito.h"
#include "enquiry/ui/stampa_esito.h"
#include "shell/ui/collocazione.h"
#include "shell/ui/contesto_finestre.h"
#include "shell/ui/tasti_comuni.h"
#include "shell/versione_programma.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFocusEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>

namespace qv {

namespace {
QFont courier(int punti) {
    QFont f(QStringLiteral("Courier New"), punti);
    f.setStyleHint(QFont::TypeWriter);
    f.setFixedPitch(true);
    return f;
}
} // namespace

FinestraSingoloMrn::FinestraSingoloMrn(ContestoFinestre& contesto, StatoWeb& web,
                                       const AmbienteWeb& ambienteWeb, QWidget* parent)
    : QDialog(parent), contesto_(contesto), web_(web), ambienteWeb_(ambienteWeb) {
    setObjectName(QStringLiteral("SingoloMrn"));
    setWindowTitle(QStringLiteral("INTERROGAZIONE STATO MRN"));
    auto* layout = new QVBoxLayout(this);
    menu_ = std::make_unique<MenuInterrogazione>(this, layout, contesto_, [this] { senzaControllo_ = true; });

    auto* testata = new QHBoxLayout;
    auto* etichettaCodice = new QLabel(QStringLiteral("MRN"), this);
    etichettaCodice->setObjectName(QStringLiteral("Label1"));
    campoCodice_ = new QLineEdit(this);
    campoCodice_->setObjectName(QStringLiteral("Text1"));
    campoCodice_->setFont(courier(12));
    campoCodice_->setMaxLength(18);
    campoCodice_->setMinimumWidth(
        QFontMetrics(campoCodice_->font()).horizontalAdvance(QString(20, QLatin1Char('M'))));
    pulsanteAnalizza_ = new QPushButton(QStringLiteral("&ANALIZZA"), this);
    pulsanteAnalizza_->setObjectName(QStringLiteral("cmdAnalizza"));
    pulsanteStampa_ = new QPushButton(QStringLiteral("&STAMPA"), this);
    pulsanteStampa_->setObjectName(QStringLiteral("cmdPrt"));
    for (QPushButton* b : {pulsanteAnalizza_, pulsanteStampa_})
        b->setAutoDefault(false);
    etichettaCodice->setBuddy(campoCodice_);
    testata->addWidget(etichettaCodice);
    testata->addWidget(campoCodice_);
    testata->addWidget(pulsanteAnalizza_);
    testata->addWidget(pulsanteStampa_);
    testata->addStretch();
    layout->addLayout(testata);
    for (std::size_t i = 0; i < righeRisultato_.size(); ++i) {
        auto* riga = new QLabel(this);
        riga->setObjectName(QStringLiteral("Label2_%1").arg(i + 1)); // the designer's Label2(1..19)
        riga->setFont(courier(10));
        riga->setTextInteractionFlags(Qt::TextSelectableByMouse);
        riga->setMinimumWidth(QFontMetrics(riga->font()).horizontalAdvance(QString(92, QLatin1Char('='))));
        layout->addWidget(riga);
        righeRisultato_[i] = riga;
    }
    layout->addStretch();
    setTabOrder(campoCodice_, pulsanteAnalizza_);
    setTabOrder(pulsanteAnalizza_, pulsanteStampa_);

    CampoMaiuscolo(campoCodice_);
    InvioProprio(campoCodice_);
    campoCodice_->installEventFilter(this);
    connect(campoCodice_, &QLineEdit::textChanged, this, &FinestraSingoloMrn::testoCambiato);
    connect(pulsanteAnalizza_, &QPushButton::clicked, this, &FinestraSingoloMrn::analizza);
    connect(pulsanteStampa_, &QPushButton::clicked, this, &FinestraSingoloMrn::stampa);

    // Opening: placement, the single-element context, everything empty.
    UsaTastiComuni(this, QStringLiteral("%F"), false);
    adjustSize();
    RipristinaFinestra(this, contesto_, false);
    web_.ContestoWeb = ContestoSingoloElemento;
    campoCodice_->clear();
    svuotaRisultato();
    pulsanteStampa_->setEnabled(false);
    pulsanteAnalizza_->setEnabled(false);
    senzaControllo_ = false;
    campoCodice_->setFocus();
}

void FinestraSingoloMrn::svuotaRisultato() {
    for (QLabel* riga : righeRisultato_) {
        riga->clear();
        riga->hide();
    }
}

void FinestraSingoloMrn::testoCambiato(const QString& testo) {
    svuotaRisultato();
    if (testo.size() == campoCodice_->maxLength()) {
        pulsanteAnalizza_->setEnabled(true);
        if (campoCodice_->hasFocus()) ProssimoCampo(campoCodice_);
    } else {
        pulsanteAnalizza_->setEnabled(false);
    }
}

bool FinestraSingoloMrn::eventFilter(QObject* oggetto, QEvent* evento) {
    if (oggetto == campoCodice_) {
        if (evento->type() == QEvent::FocusIn) {
            senzaControllo_ = false;
        } else if (evento->type() == QEvent::FocusOut && !senzaControllo_ && !occupata_) {
            const Qt::FocusReason r = static_cast<QFocusEvent*>(evento)->reason();
            if (r == Qt::TabFocusReason || r == Qt::BacktabFocusReason || r == Qt::MouseFocusReason ||
                r == Qt::OtherFocusReason)
                lasciaCampo();
        } else if (evento->type() == QEvent::KeyPress) {
            const int tasto = static_cast<QKeyEvent*>(evento)->key();
            if (tasto == Qt::Key_Return || tasto == Qt::Key_Enter) {
                analizza();
                return true;
            }
        }
    }
    return QDialog::eventFilter(oggetto, evento);
}

void FinestraSingoloMrn::lasciaCampo() {
    codice_ = campoCodice_->text().toUpper().trimmed();
    QString messaggio;
    if (codice_.size() >= 18) {
        if (tipoMrn(codice_) == TipoMrn::Nessuno) messaggio = QStringLiteral("Tipo MRN errato (E/T)");
    } else {
        messaggio = QStringLiteral("numero MRN incompleto");
    }
    if (messaggio.isEmpty()) return;
    contesto_.messaggi.mostra(messaggio, NomeProgramma);
    campoCodice_->setFocus();
}

void FinestraSingoloMrn::abilita(bool si) {
    menu_->abilita(si);
    campoCodice_->setEnabled(si);
}

void FinestraSingoloMrn::analizza() {
    if (occupata_) return;
    occupata_ = true;
    abilita(false);
    // While the page is fetched nothing else may start an enquiry.
    pulsanteAnalizza_->setEnabled(false);
    pulsanteStampa_->setEnabled(false);
    QApplication::setOverrideCursor(Qt::WaitCursor);

    RigheEsito righe;
    {
        GetHtmPage pagina(web_, ambienteWeb_);
        const int esito = InterrogaCodice(pagina, codice_);
        righe = RigheRisultato(esito, web_);
    }
    righeRisultato_[1]->setAlignment(righe.secondaCentrata ? Qt::AlignHCenter : Qt::AlignLeft);
    for (std::size_t i = 0; i < righeRisultato_.size(); ++i) {
        righeRisultato_[i]->setText(righe.righe[i + 1]);
        righeRisultato_[i]->show();
    }

    QApplication::restoreOverrideCursor();
    pulsanteAnalizza_->setEnabled(campoCodice_->text().size() == campoCodice_->maxLength());
    pulsanteStampa_->setEnabled(true);
    abilita(true);
    occupata_ = false;
    campoCodice_->setFocus();
}

void FinestraSingoloMrn::stampa() {
    QStringList righe;
    for (const QLabel* riga : righeRisultato_)
        righe << riga->text();
    QPrinter stampante(QPrinter::HighResolution);
    const QString documento = QStringLiteral("Risultato MRN ") + codice_;
    stampante.setDocName(documento);
    if (!contesto_.preparaStampante || contesto_.preparaStampante(stampante, documento))
        StampaEsito(stampante, codice_, righe);
    campoCodice_->setFocus();
}

void FinestraSingoloMrn::reject() {
    if (!occupata_) QDialog::reject();
}

void FinestraSingoloMrn::closeEvent(QCloseEvent* evento) {
    // A window waiting for its page stays until the answer (or the time-out).
    if (occupata_)
        evento->ignore();
    else
        QDialog::closeEvent(evento);
}

} // namespace qv
