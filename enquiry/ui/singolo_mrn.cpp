#include "enquiry/ui/singolo_mrn.h"

#include "enquiry/get_htm_page.h"
#include "enquiry/interroga_codice.h"
#include "enquiry/righe_esito.h"
#include "enquiry/ui/stampa_esito.h"
#include "shell/ui/collocazione.h"
#include "shell/ui/desktop.h"
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
#include <QMenuBar>
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

SingoloMrn::SingoloMrn(Desktop& desktop, QWidget* parent) : QDialog(parent), desktop_(desktop) {
    setObjectName(QStringLiteral("SingoloMrn"));
    setWindowTitle(QStringLiteral("INTERROGAZIONE STATO MRN"));
    auto* layout = new QVBoxLayout(this);
    menu_ = new QMenuBar(this);
    Mu_end = menu_->addAction(QStringLiteral("&FINE"));
    Mu_param = menu_->addAction(QStringLiteral("&Parametri"));
    Mu_print = menu_->addAction(QStringLiteral("&Stampante"));
    Mu_end->setObjectName(QStringLiteral("Mu_end"));
    Mu_param->setObjectName(QStringLiteral("Mu_param"));
    Mu_print->setObjectName(QStringLiteral("Mu_print"));
    layout->setMenuBar(menu_);

    auto* riga = new QHBoxLayout;
    Label1 = new QLabel(QStringLiteral("MRN"), this);
    Text1 = new QLineEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setFont(courier(12));
    Text1->setMaxLength(18);
    Text1->setMinimumWidth(QFontMetrics(Text1->font()).horizontalAdvance(QString(20, QLatin1Char('M'))));
    cmdAnalizza = new QPushButton(QStringLiteral("&ANALIZZA"), this);
    cmdAnalizza->setObjectName(QStringLiteral("cmdAnalizza"));
    cmdPrt = new QPushButton(QStringLiteral("&STAMPA"), this);
    cmdPrt->setObjectName(QStringLiteral("cmdPrt"));
    for (QPushButton* b : {cmdAnalizza, cmdPrt})
        b->setAutoDefault(false);
    Label1->setBuddy(Text1);
    riga->addWidget(Label1);
    riga->addWidget(Text1);
    riga->addWidget(cmdAnalizza);
    riga->addWidget(cmdPrt);
    riga->addStretch();
    layout->addLayout(riga);
    for (int i = 1; i <= 19; ++i) {
        Label2[i] = new QLabel(this);
        Label2[i]->setObjectName(QStringLiteral("Label2_%1").arg(i));
        Label2[i]->setFont(courier(10));
        Label2[i]->setTextInteractionFlags(Qt::TextSelectableByMouse);
        Label2[i]->setMinimumWidth(
            QFontMetrics(Label2[i]->font()).horizontalAdvance(QString(92, QLatin1Char('='))));
        layout->addWidget(Label2[i]);
    }
    layout->addStretch();
    setTabOrder(Text1, cmdAnalizza);
    setTabOrder(cmdAnalizza, cmdPrt);

    CampoMaiuscolo(Text1);
    InvioProprio(Text1);
    Text1->installEventFilter(this);
    connect(Text1, &QLineEdit::textChanged, this, &SingoloMrn::testoCambiato);
    connect(cmdAnalizza, &QPushButton::clicked, this, &SingoloMrn::analizza);
    connect(cmdPrt, &QPushButton::clicked, this, &SingoloMrn::stampa);
    connect(Mu_end, &QAction::triggered, this, &QDialog::close);
    connect(Mu_param, &QAction::triggered, this, [this] {
        SenzaControllo = true;
        desktop_.FinestraRiferimento = this;
        if (desktop_.finestre.GWebPar) desktop_.finestre.GWebPar(this);
    });
    connect(Mu_print, &QAction::triggered, this, [this] {
        if (!desktop_.sceltaStampante) return;
        const QString scelta = desktop_.sceltaStampante(this, desktop_.stampanteCorrente());
        if (!scelta.isEmpty()) desktop_.shell.stampa.StampanteCorrente = scelta;
    });
    // The page options window comes with the web parameters; until then the entry waits.
    Mu_param->setEnabled(bool(desktop_.finestre.GWebPar));

    // Opening: placement, the single-element context, everything empty.
    UsaTastiComuni(this, QStringLiteral("%F"), false);
    adjustSize();
    RipristinaFinestra(this, desktop_, false);
    desktop_.web.ContestoWeb = ContestoSingoloElemento;
    Text1->clear();
    for (int i = 1; i <= 19; ++i) {
        Label2[i]->clear();
        Label2[i]->hide();
    }
    cmdPrt->setEnabled(false);
    cmdAnalizza->setEnabled(false);
    SenzaControllo = false;
    Text1->setFocus();
}

void SingoloMrn::testoCambiato(const QString& testo) {
    for (int i = 1; i <= 19; ++i) {
        Label2[i]->clear();
        Label2[i]->hide();
    }
    if (testo.size() == Text1->maxLength()) {
        cmdAnalizza->setEnabled(true);
        if (Text1->hasFocus()) ProssimoCampo(Text1);
    } else {
        cmdAnalizza->setEnabled(false);
    }
}

bool SingoloMrn::eventFilter(QObject* oggetto, QEvent* evento) {
    if (oggetto == Text1) {
        if (evento->type() == QEvent::FocusIn) {
            SenzaControllo = false;
        } else if (evento->type() == QEvent::FocusOut && !SenzaControllo && !occupata_) {
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

void SingoloMrn::lasciaCampo() {
    Codice = Text1->text().toUpper().trimmed();
    QString messaggio;
    if (Codice.size() >= 18) {
        const QChar tipo = Codice.at(16);
        if (tipo != QLatin1Char('T') && tipo != QLatin1Char('E'))
            messaggio = QStringLiteral("Tipo MRN errato (E/T)");
    } else {
        messaggio = QStringLiteral("numero MRN incompleto");
    }
    if (messaggio.isEmpty()) return;
    desktop_.messaggi.mostra(messaggio, NomeProgramma);
    Text1->setFocus();
}

void SingoloMrn::abilita(bool si) {
    Mu_end->setEnabled(si);
    Mu_param->setEnabled(si && bool(desktop_.finestre.GWebPar));
    Mu_print->setEnabled(si);
    Text1->setEnabled(si);
}

void SingoloMrn::analizza() {
    if (occupata_) return;
    occupata_ = true;
    abilita(false);
    // While the page is fetched nothing else may start an enquiry.
    cmdAnalizza->setEnabled(false);
    cmdPrt->setEnabled(false);
    QApplication::setOverrideCursor(Qt::WaitCursor);

    RigheEsito righe;
    {
        GetHtmPage pagina(desktop_.web, desktop_.ambienteWeb);
        const int esito = InterrogaCodice(pagina, Codice);
        righe = RigheRisultato(esito, desktop_.web);
    }
    Label2[2]->setAlignment(righe.secondaCentrata ? Qt::AlignHCenter : Qt::AlignLeft);
    for (int i = 1; i <= 19; ++i) {
        Label2[i]->setText(righe.righe[size_t(i)]);
        Label2[i]->show();
    }

    QApplication::restoreOverrideCursor();
    cmdAnalizza->setEnabled(Text1->text().size() == Text1->maxLength());
    cmdPrt->setEnabled(true);
    abilita(true);
    occupata_ = false;
    Text1->setFocus();
}

void SingoloMrn::stampa() {
    QStringList righe;
    for (int i = 1; i <= 19; ++i)
        righe << Label2[i]->text();
    QPrinter stampante(QPrinter::HighResolution);
    if (desktop_.preparaStampante) desktop_.preparaStampante(stampante);
    StampaEsito(stampante, Codice, righe);
    Text1->setFocus();
}

void SingoloMrn::reject() {
    if (!occupata_) QDialog::reject();
}

void SingoloMrn::closeEvent(QCloseEvent* evento) {
    // A window waiting for its page stays until the answer (or the time-out).
    if (occupata_)
        evento->ignore();
    else
        QDialog::closeEvent(evento);
}

} // namespace qv
