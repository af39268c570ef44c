#include "shell/ui/startup.h"

#include "enquiry/codici_web.h"
#include "enquiry/ui/singolo_mrn.h"
#include "platform/desktop_programs.h"
#include "shell/avvio_programma.h"
#include "shell/cartelle.h"
#include "shell/procedure_file.h"
#include "shell/ui/collocazione.h"
#include "shell/ui/desktop.h"
#include "shell/ui/frm_about.h"
#include "shell/ui/ges_appl.h"
#include "shell/ui/ges_paswd.h"
#include "shell/ui/tasti_comuni.h"

#include <QAction>
#include <QCloseEvent>
#include <QDate>
#include <QDir>
#include <QFrame>
#include <QMenu>
#include <QMenuBar>
#include <QResizeEvent>
#include <QVBoxLayout>

#include <cmath>

namespace qv {

namespace {
// The window as designed, in twips: wide enough for the whole menu bar on one line.
constexpr double kAltezzaProgetto = 2550;
constexpr double kLarghezzaProgetto = 6600;
} // namespace

Startup::Startup(Desktop& desktop, QWidget* parent) : QMainWindow(parent), desktop_(desktop) {
    setObjectName(QStringLiteral("Startup"));
    setWindowFlag(Qt::WindowMaximizeButtonHint, false);
    auto* centrale = new QWidget(this);
    centrale->setObjectName(QStringLiteral("pctStartup"));
    auto* layout = new QVBoxLayout(centrale);
    layout->setContentsMargins(0, 0, 0, 0);
    Line1 = new QFrame(centrale);
    Line1->setObjectName(QStringLiteral("Line1"));
    Line1->setFrameShape(QFrame::HLine);
    Line1->setFrameShadow(QFrame::Sunken);
    layout->addWidget(Line1);
    layout->addStretch();
    setCentralWidget(centrale);
    costruisciMenu();
    UsaTastiComuni(this, QStringLiteral("%F"), false);
    desktop_.principale = this;
}

QAction* Startup::aggiungi(QMenu* menu, const QString& nome, const QString& testo) {
    QAction* a = menu ? menu->addAction(testo) : menuBar()->addAction(testo);
    a->setObjectName(nome);
    voci_.insert(nome, a);
    return a;
}

void Startup::costruisciMenu() {
    connect(aggiungi(nullptr, QStringLiteral("Mu_end"), QStringLiteral("&Fine")), &QAction::triggered, this,
            &QWidget::close);
    connect(aggiungi(nullptr, QStringLiteral("Mu_Mrn1"), QStringLiteral("&Singolo")), &QAction::triggered,
            this, &Startup::apriSingolo);
    connect(aggiungi(nullptr, QStringLiteral("Mu_MrnEle"), QStringLiteral("&Elenco")), &QAction::triggered,
            this, [this] { apri(desktop_.finestre.EleMrn); });
    connect(aggiungi(nullptr, QStringLiteral("Mu_DataBase"), QStringLiteral("&Archivio")),
            &QAction::triggered, this, [this] { apri(desktop_.finestre.EleMRNok); });

    auto* varie = new QMenu(QStringLiteral("&Utility"), this);
    voci_.insert(QStringLiteral("Mu_varie"), menuBar()->addMenu(varie));
    voci_.value(QStringLiteral("Mu_varie"))->setObjectName(QStringLiteral("Mu_varie"));
    connect(aggiungi(varie, QStringLiteral("Mu_Nazioni"), QStringLiteral("&Nazioni")), &QAction::triggered,
            this, &Startup::apriNazioni);
    connect(aggiungi(varie, QStringLiteral("Mu_aggxls"), QStringLiteral("Aggiorna XLS")), &QAction::triggered,
            this, [this] { apri(desktop_.finestre.GesExcel); });
    auto* dbBase = new QMenu(QStringLiteral("&DataBase"), varie);
    QAction* dbVoce = varie->addMenu(dbBase);
    dbVoce->setObjectName(QStringLiteral("Mu_DBbase"));
    voci_.insert(QStringLiteral("Mu_DBbase"), dbVoce);
    connect(aggiungi(dbBase, QStringLiteral("Mu_SavDB"), QStringLiteral("&Salva il DataBase")),
            &QAction::triggered, this, [this] { apri(desktop_.finestre.SalvaArk); });
    connect(aggiungi(dbBase, QStringLiteral("Mu_RecDB"), QStringLiteral("&Ripristina salvataggio")),
            &QAction::triggered, this, [this] { apri(desktop_.finestre.RestoreArk); });
    voci_.insert(QStringLiteral("fu2"), dbBase->addSeparator());
    connect(aggiungi(dbBase, QStringLiteral("Mu_AggDDB"), QStringLiteral("&Aggiorna il DataBase")),
            &QAction::triggered, this, [this] { apri(desktop_.finestre.aggiornadb); });
    connect(aggiungi(dbBase, QStringLiteral("Mu_riparaDB"), QStringLiteral("Ripara il &DataBase")),
            &QAction::triggered, this, [this] { apri(desktop_.finestre.riparadb); });
    voci_.insert(QStringLiteral("fu3"), varie->addSeparator());
    connect(aggiungi(varie, QStringLiteral("Mprg_base"), QStringLiteral("Indirizzi WEB")),
            &QAction::triggered, this, [this] { apri(desktop_.finestre.GParHttp); });

    auto* appl = new QMenu(QStringLiteral("&Applicativi"), this);
    voci_.insert(QStringLiteral("Mu_appl"), menuBar()->addMenu(appl));
    voci_.value(QStringLiteral("Mu_appl"))->setObjectName(QStringLiteral("Mu_appl"));
    for (int n = 1; n <= kNumeroApplicativi; ++n) {
        const QString testo = n == 1 ? QStringLiteral("&Editor di Testi") : QStringLiteral("&Varie%1").arg(n);
        QAction* a = aggiungi(appl, QStringLiteral("Mprg_var%1").arg(n), testo);
        connect(a, &QAction::triggered, this, [this, n] {
            AvviaApplicativo(QStringLiteral("Varie%1").arg(n), desktop_.shell.FileIni,
                             desktop_.shell.cartellaProgramma, desktop_.shell.applicativi, desktop_.avviatore,
                             desktop_.messaggi, [this](const QString& p) { return desktop_.esisteFile(p); });
        });
    }
    voci_.insert(QStringLiteral("f1"), appl->addSeparator());
    connect(aggiungi(appl, QStringLiteral("Mu_ParAppl"), QStringLiteral("Imposta Applicativi")),
            &QAction::triggered, this, &Startup::apriApplicativi);

    auto* help = new QMenu(QStringLiteral("&?"), this);
    voci_.insert(QStringLiteral("Mu_help"), menuBar()->addMenu(help));
    voci_.value(QStringLiteral("Mu_help"))->setObjectName(QStringLiteral("Mu_help"));
    connect(aggiungi(help, QStringLiteral("Mu_gesedi"), QStringLiteral("Su &Quorvan")), &QAction::triggered,
            this, [this] {
                frmAbout finestra(desktop_, this);
                finestra.exec();
            });
    connect(aggiungi(help, QStringLiteral("Mu_zentri"), QStringLiteral("Su &ZENTRI")), &QAction::triggered,
            this, [this] { MostraInfoDitta(desktop_, this); });
    connect(aggiungi(help, QStringLiteral("Mu_newexe"), QStringLiteral("&Verifica aggiornamenti")),
            &QAction::triggered, this, [this] {
                if (desktop_.finestre.VerificaAggiornamenti)
                    desktop_.finestre.VerificaAggiornamenti(this, true);
            });
    voci_.insert(QStringLiteral("fh1"), help->addSeparator());
    connect(aggiungi(help, QStringLiteral("Mu_Passwd"), QStringLiteral("&PassWord")), &QAction::triggered,
            this, [this] {
                GesPasWd finestra(desktop_, GesPasWd::Modo::Modifica, this);
                finestra.exec();
            });
    abilitaMenu();
}

void Startup::abilitaMenu() {
    const FinestreEsterne& f = desktop_.finestre;
    const bool db = desktop_.DatabaseAperto;
    voci_.value(QStringLiteral("Mu_MrnEle"))->setEnabled(bool(f.EleMrn));
    voci_.value(QStringLiteral("Mu_DataBase"))->setEnabled(db && bool(f.EleMRNok));
    voci_.value(QStringLiteral("Mu_Nazioni"))->setEnabled(db ? bool(f.GesNazDB) : bool(f.GesNaz));
    voci_.value(QStringLiteral("Mu_aggxls"))->setEnabled(bool(f.GesExcel));
    voci_.value(QStringLiteral("Mu_DBbase"))->setVisible(db);
    voci_.value(QStringLiteral("Mu_SavDB"))->setEnabled(bool(f.SalvaArk));
    voci_.value(QStringLiteral("Mu_RecDB"))->setEnabled(bool(f.RestoreArk));
    voci_.value(QStringLiteral("Mu_AggDDB"))->setEnabled(bool(f.aggiornadb));
    voci_.value(QStringLiteral("Mu_riparaDB"))->setEnabled(bool(f.riparadb));
    voci_.value(QStringLiteral("Mprg_base"))->setEnabled(bool(f.GParHttp));
    voci_.value(QStringLiteral("Mu_newexe"))->setEnabled(bool(f.VerificaAggiornamenti));
}

QSize Startup::dimensioneFissaPixel() const {
    // The fixed measures are the outer ones, frame included.
    const Schermo s = SchermoDi(this);
    const QSize bordi = frameGeometry().size() - size();
    return QSize(int(std::lround(LarghezzaFissa / s.twipsPerPixelX)) - bordi.width(),
                 int(std::lround(AltezzaFissa / s.twipsPerPixelY)) - bordi.height());
}

bool Startup::avvia() {
    StatoShell& shell = desktop_.shell;
    // 1-2. The program folder is the current folder; the configuration file beside it.
    CambiaCartella(shell.cartellaProgramma);
    shell.FileIni = PercorsoFileIni(shell.cartellaProgramma);
    desktop_.ambienteWeb.fileIni = shell.FileIni;

    // 3. First run: the main window centred.
    const Schermo schermo = SchermoDi(this);
    PrimoAvvio(shell.FileIni, schermo.larghezza(), schermo.altezza(), kLarghezzaProgetto, kAltezzaProgetto);

    // 4. Fixed size; a menu bar taller than one line widens the window.
    const double nonClient =
        (frameGeometry().height() - height() + menuBar()->sizeHint().height()) * schermo.twipsPerPixelY;
    const DimensioniFisse d = CalcolaDimensioniFisse(kAltezzaProgetto, kLarghezzaProgetto, nonClient);
    AltezzaFissa = d.altezza;
    LarghezzaFissa = d.larghezza;

    // 5. Position from "STARTUP"; off the screen gives 0.
    const Punto p = PosizioneAvvio(shell.FileIni, schermo.larghezza(), schermo.altezza());
    move(int(std::lround(p.left / schermo.twipsPerPixelX)), int(std::lround(p.top / schermo.twipsPerPixelY)));
    resize(dimensioneFissaPixel());

    // 6. Caption; Line1 along the top of the client area.
    setWindowTitle(TitoloPrincipale(Versione()));

    // 7. Page options and the applications menu.
    shell.applicativi.StileFinestraApplicativo = 1;
    CaricaParametri();

    // 8. Nations of the configuration file (written when missing).
    desktop_.nazioni = CaricaElencoNazioni(shell.FileIni);
    desktop_.ambienteWeb.nazioni = &desktop_.nazioni;

    // 9. Row colours.
    if (desktop_.database.caricaColori) desktop_.database.caricaColori();

    // 10. The program password.
    RichiestaPassword(desktop_, this);

    // 11. A newer reference database is applied before anything opens the database.
    if (desktop_.database.preparaFile) desktop_.database.preparaFile();
    if (desktop_.database.controllaRiferimento && !desktop_.database.controllaRiferimento(this)) {
        if (desktop_.terminaProgramma) desktop_.terminaProgramma(0);
        return false;
    }

    // 12. Enquiry addresses and the request time-out.
    LeggiIndirizziWeb(shell.FileIni, desktop_.web);
    desktop_.web.SecondiAttesa = LeggiSecondiAttesa(shell.FileIni);

    // 13-14. Temporary folder; the database.
    desktop_.web.CartellaTemp = shell.cartellaProgramma + QStringLiteral("/TempFile/");
    QDir().mkpath(desktop_.web.CartellaTemp);
    desktop_.DatabaseAperto = desktop_.database.apriDatabase ? desktop_.database.apriDatabase() : false;

    // 15. Menus by what is open and what is there.
    abilitaMenu();

    // 16. Default nations refreshed in the table.
    if (desktop_.DatabaseAperto && desktop_.database.caricaNazioniCee) desktop_.database.caricaNazioniCee();
    return true;
}

void Startup::CaricaParametri() {
    CaricaOpzioniPagine(desktop_.shell.FileIni, desktop_.web);
    const QList<VoceApplicativo> voci =
        CaricaApplicativi(desktop_.shell.FileIni, platform::textEditorPath(), desktop_.shell.applicativi);
    for (int n = 1; n <= voci.size(); ++n) {
        QAction* a = voci_.value(QStringLiteral("Mprg_var%1").arg(n));
        if (voci[n - 1].visibile) a->setText(voci[n - 1].titolo);
        a->setVisible(voci[n - 1].visibile);
    }
}

void Startup::apri(const std::function<void(QWidget*)>& finestra) {
    if (!finestra) return;
    finestra(this);
    // Backup, restore, upgrade and repair close and reopen the database.
    if (desktop_.database.databaseAperto) desktop_.DatabaseAperto = desktop_.database.databaseAperto();
    abilitaMenu();
}

void Startup::apriSingolo() {
    SingoloMrn finestra(desktop_, this);
    finestra.exec();
}

void Startup::apriApplicativi() {
    GesAppl finestra(desktop_, this);
    connect(&finestra, &GesAppl::menuCambiato, this, [this](int n, const QString& titolo, bool visibile) {
        QAction* a = voci_.value(QStringLiteral("Mprg_var%1").arg(n));
        if (!a) return;
        if (visibile) a->setText(titolo);
        a->setVisible(visibile);
    });
    finestra.exec();
    CaricaParametri();
}

void Startup::apriNazioni() {
    apri(desktop_.DatabaseAperto ? desktop_.finestre.GesNazDB : desktop_.finestre.GesNaz);
}

void Startup::resizeEvent(QResizeEvent* evento) {
    QMainWindow::resizeEvent(evento);
    if (LarghezzaFissa <= 0 || (windowState() & (Qt::WindowMinimized | Qt::WindowMaximized))) return;
    // The user can move the main window but not resize it: the size springs back.
    const QSize fissa = dimensioneFissaPixel();
    if (width() != fissa.width())
        resize(fissa.width(), height());
    else if (height() != fissa.height())
        resize(width(), fissa.height());
}

void Startup::showEvent(QShowEvent* evento) {
    QMainWindow::showEvent(evento);
    // Only a shown window knows its frame: the fixed size counts it in.
    if (LarghezzaFissa > 0) resize(dimensioneFissaPixel());
}

void Startup::closeEvent(QCloseEvent* evento) {
    const Schermo schermo = SchermoDi(this);
    const Qt::WindowStates st = windowState();
    const StatoFinestra stato = (st & Qt::WindowMinimized)   ? StatoFinestra::Minimizzata
                                : (st & Qt::WindowMaximized) ? StatoFinestra::Massimizzata
                                                             : StatoFinestra::Normale;
    SalvaPosizionePrincipale(desktop_.shell.FileIni, stato, RettangoloDi(this), schermo.larghezza(),
                             schermo.altezza());
    RegistraEsecuzione(desktop_.shell.cartellaProgramma, QDate::currentDate(), Versione());
    if (desktop_.fileAperti) desktop_.fileAperti->ChiudiTutti();
    if (desktop_.database.chiudiDatabase) desktop_.database.chiudiDatabase();
    evento->accept();
}

} // namespace qv
