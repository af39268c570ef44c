#include "app/finestra_principale.h"

#include "app/contesto_desktop.h"
#include "database/file_database.h"
#include "database/ui/finestra_aggiorna_db.h"
#include "enquiry/ui/finestra_singolo_mrn.h"
#include "platform/desktop_programs.h"
#include "shell/avvio_programma.h"
#include "shell/ui/collocazione.h"
#include "shell/ui/finestra_applicativi.h"
#include "shell/ui/finestra_informazioni.h"
#include "shell/ui/finestra_password.h"
#include "shell/ui/tasti_comuni.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDate>
#include <QFrame>
#include <QMenu>
#include <QMenuBar>
#include <QResizeEvent>
#include <QStyle>
#include <QStyleOptionMenuItem>
#include <QVBoxLayout>

#include <cmath>

namespace qv {

namespace {
// The window as designed, in twips: wide enough for the whole menu bar on one line.
constexpr double kAltezzaProgetto = 2550;
constexpr double kLarghezzaProgetto = 6600;
} // namespace

FinestraPrincipale::FinestraPrincipale(ContestoDesktop& contesto, QWidget* parent)
    : QMainWindow(parent), contesto_(contesto) {
    setObjectName(QStringLiteral("Startup"));
    setWindowFlag(Qt::WindowMaximizeButtonHint, false);
    auto* centrale = new QWidget(this);
    centrale->setObjectName(QStringLiteral("pctStartup"));
    auto* layout = new QVBoxLayout(centrale);
    layout->setContentsMargins(0, 0, 0, 0);
    // The line along the top of the client area.
    auto* linea = new QFrame(centrale);
    linea->setObjectName(QStringLiteral("Line1"));
    linea->setFrameShape(QFrame::HLine);
    linea->setFrameShadow(QFrame::Sunken);
    layout->addWidget(linea);
    layout->addStretch();
    setCentralWidget(centrale);
    costruisciMenu();
    UsaTastiComuni(this, QStringLiteral("%F"), false);
    contesto_.finestre.principale = this;
}

QAction* FinestraPrincipale::aggiungi(QMenu* menu, const QString& nome, const QString& testo) {
    QAction* a = menu ? menu->addAction(testo) : menuBar()->addAction(testo);
    a->setObjectName(nome);
    voci_.insert(nome, a);
    return a;
}

QMenu* FinestraPrincipale::sottomenu(QMenu* sopra, const QString& nome, const QString& testo) {
    auto* menu = new QMenu(testo, sopra ? static_cast<QWidget*>(sopra) : this);
    QAction* a = sopra ? sopra->addMenu(menu) : menuBar()->addMenu(menu);
    a->setObjectName(nome);
    voci_.insert(nome, a);
    return menu;
}

void FinestraPrincipale::costruisciMenu() {
    const auto collega = [this](QAction* a, auto azione) { connect(a, &QAction::triggered, this, azione); };
    collega(aggiungi(nullptr, QStringLiteral("Mu_end"), QStringLiteral("&Fine")), [this] { close(); });
    collega(aggiungi(nullptr, QStringLiteral("Mu_Mrn1"), QStringLiteral("&Singolo")),
            [this] { apriSingolo(); });
    // The batch window opens with an empty list property: the user chooses the list.
    collega(aggiungi(nullptr, QStringLiteral("Mu_MrnEle"), QStringLiteral("&Elenco")),
            [this] { apri(IdFinestra::EleMrn, QString()); });
    collega(aggiungi(nullptr, QStringLiteral("Mu_DataBase"), QStringLiteral("&Archivio")),
            [this] { apri(IdFinestra::EleMRNok); });

    QMenu* varie = sottomenu(nullptr, QStringLiteral("Mu_varie"), QStringLiteral("&Utility"));
    collega(aggiungi(varie, QStringLiteral("Mu_Nazioni"), QStringLiteral("&Nazioni")),
            [this] { apri(contesto_.database.DatabaseAperto ? IdFinestra::GesNazDB : IdFinestra::GesNaz); });
    collega(aggiungi(varie, QStringLiteral("Mu_aggxls"), QStringLiteral("Aggiorna XLS")),
            [this] { apri(IdFinestra::GesExcel); });
    QMenu* dbBase = sottomenu(varie, QStringLiteral("Mu_DBbase"), QStringLiteral("&DataBase"));
    collega(aggiungi(dbBase, QStringLiteral("Mu_SavDB"), QStringLiteral("&Salva il DataBase")),
            [this] { apri(IdFinestra::SalvaArk); });
    collega(aggiungi(dbBase, QStringLiteral("Mu_RecDB"), QStringLiteral("&Ripristina salvataggio")),
            [this] { apri(IdFinestra::RestoreArk); });
    voci_.insert(QStringLiteral("fu2"), dbBase->addSeparator());
    collega(aggiungi(dbBase, QStringLiteral("Mu_AggDDB"), QStringLiteral("&Aggiorna il DataBase")),
            [this] { apri(IdFinestra::aggiornadb); });
    collega(aggiungi(dbBase, QStringLiteral("Mu_riparaDB"), QStringLiteral("Ripara il &DataBase")),
            [this] { apri(IdFinestra::riparadb); });
    voci_.insert(QStringLiteral("fu3"), varie->addSeparator());
    collega(aggiungi(varie, QStringLiteral("Mprg_base"), QStringLiteral("Indirizzi WEB")),
            [this] { apri(IdFinestra::GParHttp, QStringLiteral("1")); });

    QMenu* appl = sottomenu(nullptr, QStringLiteral("Mu_appl"), QStringLiteral("&Applicativi"));
    for (int n = 1; n <= kNumeroApplicativi; ++n) {
        const QString testo = n == 1 ? QStringLiteral("&Editor di Testi") : QStringLiteral("&Varie%1").arg(n);
        collega(aggiungi(appl, QStringLiteral("Mprg_var%1").arg(n), testo), [this, n] {
            ContestoFinestre& f = contesto_.finestre;
            AvviaApplicativo(QStringLiteral("Varie%1").arg(n), contesto_.shell.FileIni,
                             contesto_.shell.cartellaProgramma, contesto_.shell.applicativi, f.avviatore,
                             f.messaggi, [&f](const QString& p) { return f.esisteFile(p); });
        });
    }
    voci_.insert(QStringLiteral("f1"), appl->addSeparator());
    collega(aggiungi(appl, QStringLiteral("Mu_ParAppl"), QStringLiteral("Imposta Applicativi")),
            [this] { apriApplicativi(); });

    QMenu* help = sottomenu(nullptr, QStringLiteral("Mu_help"), QStringLiteral("&?"));
    collega(aggiungi(help, QStringLiteral("Mu_gesedi"), QStringLiteral("Su &Quorvan")), [this] {
        FinestraInformazioni finestra(contesto_.finestre, this);
        finestra.exec();
    });
    collega(aggiungi(help, QStringLiteral("Mu_zentri"), QStringLiteral("Su &ZENTRI")),
            [this] { MostraInfoDitta(contesto_.finestre, this); });
    collega(aggiungi(help, QStringLiteral("Mu_newexe"), QStringLiteral("&Verifica aggiornamenti")),
            [this] { apri(IdFinestra::VerificaAggiornamenti); });
    voci_.insert(QStringLiteral("fh1"), help->addSeparator());
    collega(aggiungi(help, QStringLiteral("Mu_Passwd"), QStringLiteral("&PassWord")), [this] {
        FinestraPassword finestra(contesto_.finestre, FinestraPassword::Modo::Modifica, this);
        finestra.exec();
    });
    abilitaMenu();
}

void FinestraPrincipale::abilitaMenu() {
    const ContestoDesktop& c = contesto_;
    const bool db = c.database.DatabaseAperto;
    const auto abilita = [this](const char* nome, bool si) {
        voci_.value(QLatin1String(nome))->setEnabled(si);
    };
    abilita("Mu_MrnEle", c.disponibile(IdFinestra::EleMrn));
    abilita("Mu_DataBase", db && c.disponibile(IdFinestra::EleMRNok));
    abilita("Mu_Nazioni", c.disponibile(db ? IdFinestra::GesNazDB : IdFinestra::GesNaz));
    abilita("Mu_aggxls", c.disponibile(IdFinestra::GesExcel));
    voci_.value(QStringLiteral("Mu_DBbase"))->setVisible(db);
    abilita("Mu_SavDB", c.disponibile(IdFinestra::SalvaArk));
    abilita("Mu_RecDB", c.disponibile(IdFinestra::RestoreArk));
    abilita("Mu_AggDDB", c.disponibile(IdFinestra::aggiornadb));
    abilita("Mu_riparaDB", c.disponibile(IdFinestra::riparadb));
    abilita("Mprg_base", c.disponibile(IdFinestra::GParHttp));
    abilita("Mu_newexe", c.disponibile(IdFinestra::VerificaAggiornamenti));
}

QSize FinestraPrincipale::dimensioneFissaPixel() const {
    // The fixed measures are the outer ones, frame included.
    const Schermo s = SchermoDi(this);
    const QSize bordi = frameGeometry().size() - size();
    return QSize(int(std::lround(larghezzaFissa_ / s.twipsPerPixelX)) - bordi.width(),
                 int(std::lround(altezzaFissa_ / s.twipsPerPixelY)) - bordi.height());
}

int FinestraPrincipale::righeMenu(int larghezza) const {
    // A menu bar here never wraps (what does not fit goes behind its
    // extension button): count the lines its items would take at this width.
    const QMenuBar* barra = menuBar();
    const QStyle* stile = barra->style();
    const int margine = stile->pixelMetric(QStyle::PM_MenuBarHMargin, nullptr, barra) +
                        stile->pixelMetric(QStyle::PM_MenuBarPanelWidth, nullptr, barra);
    const int spazio = stile->pixelMetric(QStyle::PM_MenuBarItemSpacing, nullptr, barra);
    const int disponibile = larghezza - 2 * margine;
    int righe = 1;
    int riga = 0;
    for (QAction* a : barra->actions()) {
        if (!a->isVisible()) continue;
        QStyleOptionMenuItem opzione;
        opzione.initFrom(barra);
        opzione.menuItemType = QStyleOptionMenuItem::Normal;
        opzione.text = a->text();
        const QSize testo = barra->fontMetrics().size(Qt::TextShowMnemonic, a->text());
        const int voce = stile->sizeFromContents(QStyle::CT_MenuBarItem, &opzione, testo, barra).width();
        if (riga > 0 && riga + spazio + voce > disponibile) {
            ++righe;
            riga = 0;
        }
        riga += (riga > 0 ? spazio : 0) + voce;
    }
    return righe;
}

void FinestraPrincipale::misuraDimensioniFisse() {
    // Title bar, borders and the menu bar as it would lay out at the design
    // width: a menu bar that takes more lines makes the window wider.
    const Schermo s = SchermoDi(this);
    const int larghezzaProgetto = int(std::lround(kLarghezzaProgetto / s.twipsPerPixelX));
    const int menu = righeMenu(larghezzaProgetto) * menuBar()->sizeHint().height();
    const double nonClient = (frameGeometry().height() - geometry().height() + menu) * s.twipsPerPixelY;
    const DimensioniFisse d = CalcolaDimensioniFisse(kAltezzaProgetto, kLarghezzaProgetto, nonClient);
    altezzaFissa_ = d.altezza;
    larghezzaFissa_ = d.larghezza;
}

bool FinestraPrincipale::avvia() {
    GanciAvvio ganci;
    ganci.finestra = [this](PassoAvvio passo) { return passoAvvio(passo); };
    // A due upgrade opens its window in automatic mode (StatoChiamata 1),
    // which runs at once and hands its outcome back.
    ganci.aggiornamento = [this](StatoDatabase& s) {
        FinestraAggiornaDb finestra(contesto_.finestre, s, this);
        finestra.exec();
    };
    DatiAvvio dati = contesto_.datiAvvio();
    return EseguiAvvio(dati, ganci).completato();
}

bool FinestraPrincipale::passoAvvio(PassoAvvio passo) {
    StatoShell& shell = contesto_.shell;
    const Schermo schermo = SchermoDi(this);
    switch (passo) {
    case PassoAvvio::FileIni:
        contesto_.ambienteWeb.fileIni = shell.FileIni;
        break;
    case PassoAvvio::PrimoAvvio:
        PrimoAvvio(shell.FileIni, schermo.larghezza(), schermo.altezza(), kLarghezzaProgetto,
                   kAltezzaProgetto);
        break;
    case PassoAvvio::DimensioniFisse:
        misuraDimensioniFisse(); // measured again once the window has its frame
        break;
    case PassoAvvio::Posizione: {
        const Punto p = PosizioneAvvio(shell.FileIni, schermo.larghezza(), schermo.altezza());
        move(int(std::lround(p.left / schermo.twipsPerPixelX)),
             int(std::lround(p.top / schermo.twipsPerPixelY)));
        resize(dimensioneFissaPixel());
        break;
    }
    case PassoAvvio::Titolo:
        setWindowTitle(TitoloPrincipale(Versione()));
        break;
    case PassoAvvio::OpzioniPagine:
        shell.applicativi.StileFinestraApplicativo = 1;
        menuApplicativi();
        break;
    case PassoAvvio::Password:
        return RichiestaPassword(contesto_.finestre, this);
    case PassoAvvio::MenuDatabase:
        abilitaMenu();
        break;
    default:
        break;
    }
    return true;
}

void FinestraPrincipale::caricaParametri() {
    CaricaOpzioniPagine(contesto_.shell.FileIni, contesto_.web);
    menuApplicativi();
}

void FinestraPrincipale::menuApplicativi() {
    const QList<VoceApplicativo> voci =
        CaricaApplicativi(contesto_.shell.FileIni, platform::textEditorPath(), contesto_.shell.applicativi);
    for (int n = 1; n <= voci.size(); ++n) {
        QAction* a = voci_.value(QStringLiteral("Mprg_var%1").arg(n));
        if (voci[n - 1].visibile) a->setText(voci[n - 1].titolo);
        a->setVisible(voci[n - 1].visibile);
    }
}

void FinestraPrincipale::apri(IdFinestra finestra, const QString& argomento) {
    contesto_.apri(finestra, this, argomento);
    // Backup, restore, upgrade and repair close and reopen the database.
    abilitaMenu();
}

void FinestraPrincipale::apriSingolo() {
    FinestraSingoloMrn finestra(contesto_.finestre, contesto_.web, contesto_.ambienteWeb, this);
    finestra.exec();
}

void FinestraPrincipale::apriApplicativi() {
    FinestraApplicativi finestra(contesto_.finestre, this);
    connect(&finestra, &FinestraApplicativi::menuCambiato, this,
            [this](int n, const QString& titolo, bool visibile) {
                QAction* a = voci_.value(QStringLiteral("Mprg_var%1").arg(n));
                if (!a) return;
                if (visibile) a->setText(titolo);
                a->setVisible(visibile);
            });
    finestra.exec();
    caricaParametri();
}

void FinestraPrincipale::resizeEvent(QResizeEvent* evento) {
    QMainWindow::resizeEvent(evento);
    if (larghezzaFissa_ <= 0 || (windowState() & (Qt::WindowMinimized | Qt::WindowMaximized))) return;
    // The user can move the main window but not resize it: the size springs back.
    const QSize fissa = dimensioneFissaPixel();
    if (width() != fissa.width())
        resize(fissa.width(), height());
    else if (height() != fissa.height())
        resize(width(), fissa.height());
}

void FinestraPrincipale::showEvent(QShowEvent* evento) {
    QMainWindow::showEvent(evento);
    if (larghezzaFissa_ <= 0) return;
    // Only a shown window knows its frame: the fixed size is measured again with it.
    if (!frameMisurato_) {
        misuraDimensioniFisse();
        frameMisurato_ = true;
    }
    resize(dimensioneFissaPixel());
}

void FinestraPrincipale::closeEvent(QCloseEvent* evento) {
    const Schermo schermo = SchermoDi(this);
    const Qt::WindowStates st = windowState();
    const StatoFinestra stato = (st & Qt::WindowMinimized)   ? StatoFinestra::Minimizzata
                                : (st & Qt::WindowMaximized) ? StatoFinestra::Massimizzata
                                                             : StatoFinestra::Normale;
    SalvaPosizionePrincipale(contesto_.shell.FileIni, stato, RettangoloDi(this), schermo.larghezza(),
                             schermo.altezza());
    RegistraEsecuzione(contesto_.shell.cartellaProgramma, QDate::currentDate(), Versione());
    contesto_.fileAperti.ChiudiTutti();
    if (contesto_.database.DatabaseAperto) ChiudiDataBase(contesto_.database);
    evento->accept();
}

} // namespace qv
