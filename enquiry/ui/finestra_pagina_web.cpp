#include "enquiry/ui/finestra_pagina_web.h"

#include "enquiry/pagina_pdf.h"
#include "enquiry/pagina_web.h"
#include "enquiry/stato_web.h"
#include "shell/nome_programma.h"
#include "shell/ui/collocazione.h"
#include "shell/ui/contesto_finestre.h"
#include "shell/ui/tasti_comuni.h"

#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>

namespace qv {

namespace {

// Waits in a local event loop for `segnale` of `fonte`, at most `limite`.
template <class Oggetto, class Segnale>
bool aspetta(Oggetto* fonte, Segnale segnale, std::chrono::milliseconds limite, const bool& fatto) {
    if (fatto) return true;
    QEventLoop ciclo;
    QObject::connect(fonte, segnale, &ciclo, &QEventLoop::quit);
    QTimer::singleShot(limite, &ciclo, &QEventLoop::quit);
    ciclo.exec();
    return fatto;
}

// Printing never takes this long; the bound only keeps a broken printer from holding the window.
constexpr std::chrono::seconds kLimiteStampa{120};

} // namespace

FinestraPaginaWeb::FinestraPaginaWeb(ContestoFinestre& contesto, const StatoWeb& web, QWidget* parent)
    : QDialog(parent), limiteAttesa(AttesaPaginaWeb), contesto_(contesto), web_(web) {
    setObjectName(QStringLiteral("FrmWeb"));
    setWindowTitle(QStringLiteral("Pagina WEB"));
    setWindowFlag(Qt::WindowMinMaxButtonsHint);
    // Off the record and without a cache: every showing reads the page afresh.
    profilo_ = new QWebEngineProfile(this);
    profilo_->setHttpCacheType(QWebEngineProfile::NoCache);
    browser_ = new QWebEngineView(this);
    browser_->setObjectName(QStringLiteral("WebBrowser1"));
    browser_->setPage(new QWebEnginePage(profilo_, browser_));
    uscita_ = new QPushButton(QStringLiteral("&USCITA"), this);
    uscita_->setObjectName(QStringLiteral("Command1"));
    uscita_->setAutoDefault(false);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(browser_, 1);
    layout->addWidget(uscita_, 0, Qt::AlignHCenter);
    connect(uscita_, &QPushButton::clicked, this, &QDialog::accept);
    connect(browser_, &QWebEngineView::loadFinished, this, [this] { caricata_ = true; });
    dialogoStampa = [](QPrinter& stampante, QWidget* sopra) {
        QPrintDialog dialogo(&stampante, sopra);
        return dialogo.exec() == QDialog::Accepted;
    };
    UsaTastiComuni(this, QStringLiteral("%U"), false);
}

FinestraPaginaWeb::~FinestraPaginaWeb() {
    // The page goes before its profile.
    delete browser_;
}

void FinestraPaginaWeb::mostra() {
    const OpzioniPagina& o = web_.opzioniCorrenti();
    colloca();
    caricaPagina();
    if (stato_ == 6) {
        setWindowTitle(DidascaliaPaginaWeb(tipo_, oggetto_));
        if (o.Print > 0) stampaPagina();
    }
    if (stato_ == 7) {
        // Given up on: the desktop's browser tries the address instead.
        stato_ = contesto_.avviatore.apriDocumento(url_, QString(), QDir::rootPath(), 1).codice;
    }
    if (o.View != 0) exec();
}

void FinestraPaginaWeb::colloca() {
    const OpzioniPagina& o = web_.opzioniCorrenti();
    const Schermo s = SchermoDi(this);
    const PosizionePaginaWeb p =
        CollocaPaginaWeb(contesto_.shell.FileIni, o.View, web_.ContestoWeb, s.larghezza(), s.altezza());
    ApplicaRettangolo(this, Rettangolo{p.left, p.top, p.width, p.height});
    setWindowState(p.minimizzata ? Qt::WindowMinimized : Qt::WindowNoState);
}

void FinestraPaginaWeb::caricaPagina() {
    stato_ = 6;
    caricata_ = false;
    browser_->load(QUrl(url_));
    for (;;) {
        if (aspetta(browser_, &QWebEngineView::loadFinished, limiteAttesa, caricata_)) return;
        const Risposta r = contesto_.messaggi.mostra(DomandaAttesaPagina(tipo_, oggetto_),
                                                     TitoloAttesaPagina(), Icona::Domanda, Pulsanti::SiNo);
        if (caricata_) return; // it arrived while the question was up
        stato_ = int(r);
        if (r != Risposta::Si) {
            browser_->stop();
            return;
        }
    }
}

void FinestraPaginaWeb::stampaPagina() {
    const OpzioniPagina& o = web_.opzioniCorrenti();
    const QString nomeStampante = contesto_.stampanteCorrente().toUpper();
    const ControlloPdf controllo = ControllaPdfCreator(
        nomeStampante, LeggiImpostazioniPdf(contesto_.shell.FileIni, contesto_.shell.cartellaProgramma),
        contesto_.messaggi);
    stato_ = controllo.Stato;

    // The PDF printer names its file after the document: the page's fixed name.
    QString documento = NomePdfCreator(tipo_);
    documento.chop(4);
    QPrinter stampante(QPrinter::HighResolution);
    stampante.setDocName(documento);
    bool avanti = !contesto_.preparaStampante || contesto_.preparaStampante(stampante, documento);
    if (avanti && o.ChPrt >= 1) avanti = dialogoStampa && dialogoStampa(stampante, this);
    if (!avanti) return;
    if (!stampaSu(stampante)) return;
    if (!controllo.CartellaPdf.isEmpty() && nomeStampante == QString::fromLatin1(NomeStampantePdf).toUpper())
        spostaPdf(controllo.CartellaPdf, stampante);
}

bool FinestraPaginaWeb::stampaSu(QPrinter& stampante) {
    bool fatto = false;
    bool riuscito = false;
    if (stampante.outputFormat() == QPrinter::PdfFormat && !stampante.outputFileName().isEmpty()) {
        // A PDF file is written by the browser itself, text kept as text.
        auto c = connect(browser_->page(), &QWebEnginePage::pdfPrintingFinished, this,
                         [&](const QString&, bool ok) {
                             fatto = true;
                             riuscito = ok;
                         });
        browser_->page()->printToPdf(stampante.outputFileName(), stampante.pageLayout());
        aspetta(browser_->page(), &QWebEnginePage::pdfPrintingFinished, kLimiteStampa, fatto);
        disconnect(c);
    } else {
        auto c = connect(browser_, &QWebEngineView::printFinished, this, [&](bool ok) {
            fatto = true;
            riuscito = ok;
        });
        browser_->print(&stampante);
        aspetta(browser_, &QWebEngineView::printFinished, kLimiteStampa, fatto);
        disconnect(c);
    }
    return riuscito;
}

void FinestraPaginaWeb::spostaPdf(const QString& cartellaPdf, const QPrinter& stampante) {
    const QString origine = cartellaPdf + QLatin1Char('/') + NomePdfCreator(tipo_);
    const QString destinazione = cartellaPdf + QLatin1Char('/') + NomePdfPagina(tipo_, oggetto_);
    // A file the printer dialog sent elsewhere is not waited for.
    if (QDir::cleanPath(stampante.outputFileName()) != QDir::cleanPath(origine)) return;
    if (!RinominaFile(origine, destinazione, LimiteTentativi(3)) && !QFile::exists(origine))
        contesto_.messaggi.mostra(QStringLiteral("FILE PDF NON CREATO:\n") + origine, NomeProgramma,
                                  Icona::Esclamazione);
}

void FinestraPaginaWeb::done(int risultato) {
    if (web_.opzioniCorrenti().View == 1 && !(windowState() & (Qt::WindowMinimized | Qt::WindowMaximized)))
        SalvaFinestra(this, contesto_, true);
    QDialog::done(risultato);
}

} // namespace qv
