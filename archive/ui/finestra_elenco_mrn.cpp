#include "archive/ui/finestra_elenco_mrn.h"

#include "archive/elabora_elenco.h"
#include "archive/giri_automatici.h"
#include "archive/lavoro_wk.h"
#include "archive/regole_attesa.h"
#include "archive/ui/contesto_archivio.h"
#include "database/stato_database.h"
#include "enquiry/stato_web.h"
#include "shell/applicativi.h"
#include "shell/file_ini.h"
#include "shell/nome_programma.h"
#include "shell/ui/collocazione.h"
#include "shell/ui/contesto_finestre.h"
#include "shell/ui/tasti_comuni.h"

#include <QAction>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <climits>
#include <optional>

namespace qv {

namespace {

const QString kTitolo = QStringLiteral(" ELENCO MRN DA INTERROGARE");
const QString kSezione = QStringLiteral("ELEMRN");

QString dialogoElenco(QWidget* sopra, const QString& cartella) {
    QFileDialog dialogo(sopra, QStringLiteral("File con elenco MRN da interrogare"), cartella,
                        QStringLiteral("File di testo (*.txt *.TXT);;Tutti i files (*)"));
    dialogo.setDefaultSuffix(QStringLiteral("txt"));
    dialogo.setFileMode(QFileDialog::ExistingFile);
    return dialogo.exec() == QDialog::Accepted ? dialogo.selectedFiles().value(0) : QString();
}

} // namespace

FinestraElencoMrn::FinestraElencoMrn(ContestoFinestre& contesto, ContestoArchivio& archivio,
                                     const QString& plElenco, QWidget* parent)
    : QDialog(parent), sceltaElenco(dialogoElenco), contesto_(contesto), archivio_(archivio),
      plElenco_(plElenco.trimmed()),
      fileEsiti_(QDir(contesto.shell.cartellaProgramma).filePath(QString::fromLatin1(kFileEsiti))) {
    setObjectName(QStringLiteral("EleMrn"));
    setWindowTitle(kTitolo);
    auto* layout = new QVBoxLayout(this);
    menu_ = std::make_unique<MenuInterrogazione>(this, layout, contesto_);

    auto* rigaElenco = new QHBoxLayout;
    pulsanteScegli_ = new QPushButton(QStringLiteral("&Seleziona elenco MRN"), this);
    pulsanteScegli_->setObjectName(QStringLiteral("Command2"));
    etichettaElenco_ = new QLabel(this);
    etichettaElenco_->setObjectName(QStringLiteral("lbPathEle"));
    etichettaElenco_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    etichettaElenco_->setMinimumWidth(QFontMetrics(font()).horizontalAdvance(QString(60, QLatin1Char('x'))));
    etichettaElenco_->setCursor(Qt::PointingHandCursor);
    etichettaElenco_->installEventFilter(this);
    rigaElenco->addWidget(pulsanteScegli_);
    rigaElenco->addWidget(etichettaElenco_, 1);
    layout->addLayout(rigaElenco);

    auto* riquadro = new QGroupBox(this);
    riquadro->setObjectName(QStringLiteral("Frame1"));
    auto* rigaDestinazione = new QHBoxLayout(riquadro);
    auto* gruppo = new QButtonGroup(this);
    const std::array<QString, 3> testi{QStringLiteral("FILE"), QStringLiteral("Stampa"),
                                       QStringLiteral("D.B.")};
    for (int i = 0; i < 3; ++i) {
        opzioniDestinazione_[i] = new QRadioButton(testi[i], riquadro);
        opzioniDestinazione_[i]->setObjectName(QStringLiteral("Option1_%1").arg(i));
        gruppo->addButton(opzioniDestinazione_[i], i);
        rigaDestinazione->addWidget(opzioniDestinazione_[i]);
    }
    etichettaSeparatore_ = new QLabel(QStringLiteral("Carattere separatore"), riquadro);
    etichettaSeparatore_->setObjectName(QStringLiteral("Label1"));
    campoSeparatore_ = new QLineEdit(riquadro);
    campoSeparatore_->setObjectName(QStringLiteral("Text2"));
    campoSeparatore_->setMaxLength(1);
    campoSeparatore_->setFixedWidth(
        QFontMetrics(campoSeparatore_->font()).horizontalAdvance(QStringLiteral("MMM")));
    rigaDestinazione->addStretch();
    rigaDestinazione->addWidget(etichettaSeparatore_);
    rigaDestinazione->addWidget(campoSeparatore_);
    layout->addWidget(riquadro);

    testoAvanzamento_ = new QLineEdit(this);
    testoAvanzamento_->setObjectName(QStringLiteral("Text1"));
    testoAvanzamento_->setReadOnly(true);
    testoAvanzamento_->setFocusPolicy(Qt::NoFocus);
    layout->addWidget(testoAvanzamento_);
    barra_ = new QProgressBar(this);
    barra_->setObjectName(QStringLiteral("Picture1"));
    barra_->setTextVisible(false);
    layout->addWidget(barra_);

    auto* pulsanti = new QHBoxLayout;
    pulsanteAnalizza_ = new QPushButton(QStringLiteral("&ANALIZZA"), this);
    pulsanteAnalizza_->setObjectName(QStringLiteral("Command1_0"));
    pulsanteAnnulla_ = new QPushButton(QStringLiteral("&ANNULLA"), this);
    pulsanteAnnulla_->setObjectName(QStringLiteral("Command1_1"));
    pulsanti->addStretch();
    for (QPushButton* b : {pulsanteScegli_, pulsanteAnalizza_, pulsanteAnnulla_}) {
        b->setAutoDefault(false);
        if (b != pulsanteScegli_) pulsanti->addWidget(b);
    }
    pulsanti->addStretch();
    layout->addLayout(pulsanti);

    connect(pulsanteScegli_, &QPushButton::clicked, this, &FinestraElencoMrn::scegliElenco);
    connect(pulsanteAnalizza_, &QPushButton::clicked, this, &FinestraElencoMrn::analizza);
    connect(pulsanteAnnulla_, &QPushButton::clicked, this, &FinestraElencoMrn::annulla);
    connect(gruppo, &QButtonGroup::idToggled, this, &FinestraElencoMrn::destinazioneCambiata);

    // Opening: placement, ANNULLA off, the bar hidden, the destination last
    // used (the database for a given list), the page options of the list's context.
    UsaTastiComuni(this, QStringLiteral("%F"), true);
    adjustSize();
    RipristinaFinestra(this, contesto_, false);
    pulsanteAnnulla_->setEnabled(false);
    barra_->hide();
    const QString& ini = contesto_.shell.FileIni;
    int come = int(ValoreNumerico(LeggiIni(ini, kSezione, QStringLiteral("COME"))));
    if (!plElenco_.isEmpty()) {
        come = int(Destinazione::Database);
        etichettaElenco_->setText(plElenco_);
        archivio_.web.ContestoWeb = ContestoElencoDatabase;
    } else {
        archivio_.web.ContestoWeb = ContestoElencoManuale;
    }
    const bool databaseAperto = archivio_.database.DatabaseAperto;
    if (come == int(Destinazione::Database) && !databaseAperto) come = int(Destinazione::Stampa);
    if (come < 0 || come > 2) come = int(Destinazione::File); // a value written by hand: the default
    opzioniDestinazione_[come]->setChecked(true);
    const QString cosa = LeggiIni(ini, kSezione, QStringLiteral("COSA"));
    campoSeparatore_->setText(cosa.isEmpty() ? QStringLiteral("|") : cosa);
    testoAvanzamento_->setEnabled(false);
    destinazioneCambiata();
    abilita(true);
    if (!plElenco_.isEmpty()) pulsanteAnalizza_->setFocus(); // the run waits for the user
}

int FinestraElencoMrn::destinazioneScelta() const {
    for (int i = 0; i < 3; ++i)
        if (opzioniDestinazione_[i]->isChecked()) return i;
    return 3;
}

QString FinestraElencoMrn::percorsoElenco() const {
    const QString testo = etichettaElenco_->text().trimmed();
    // A bare name is in the program folder, the program's current folder.
    return testo.isEmpty() ? testo : QDir(contesto_.shell.cartellaProgramma).filePath(testo);
}

void FinestraElencoMrn::destinazioneCambiata() {
    const bool file = opzioniDestinazione_[0]->isChecked();
    campoSeparatore_->setEnabled(file);
    etichettaSeparatore_->setVisible(file);
}

void FinestraElencoMrn::abilita(bool si) {
    menu_->abilita(si);
    pulsanteScegli_->setEnabled(si);
    for (int i = 0; i < 2; ++i)
        opzioniDestinazione_[i]->setEnabled(si);
    opzioniDestinazione_[2]->setEnabled(si && archivio_.database.DatabaseAperto);
    campoSeparatore_->setEnabled(si && opzioniDestinazione_[0]->isChecked());
}

void FinestraElencoMrn::scegliElenco() {
    if (inCorso_ || !sceltaElenco) return;
    const QString scelto = sceltaElenco(this, contesto_.shell.cartellaProgramma);
    if (scelto.isEmpty()) return;
    etichettaElenco_->setText(QDir::toNativeSeparators(scelto));
    modificaElenco();
}

void FinestraElencoMrn::modificaElenco() {
    if (inCorso_) return;
    if (etichettaElenco_->text().trimmed().isEmpty())
        etichettaElenco_->setText(QStringLiteral("ElencoMRN.txt"));
    const QString file = percorsoElenco();
    if (!QFileInfo::exists(file)) {
        // A new list holds one empty line.
        FileAperti& files = contesto_.fileAperti ? *contesto_.fileAperti : fileLocali_;
        const int numero = files.FreeFile();
        if (!numero || !ApriFile(files, contesto_.messaggi, file, numero, ModoFile::Output)) return;
        files.file(numero)->write("\r\n");
        files.Chiudi(numero);
    }
    const EsitoShell esito = contesto_.avviatore.apriDocumento(file, QString(), QString(), 1);
    if (esito.errore != 0 || (esito.codice != 2 && esito.codice != 31)) return;
    // No program for the file's type: the first application, the text editor.
    StatoShell& shell = contesto_.shell;
    shell.applicativi.ArgomentiApplicativo =
        QLatin1Char('"') + QDir::toNativeSeparators(file) + QLatin1Char('"');
    AvviaApplicativo(QStringLiteral("Varie1"), shell.FileIni, shell.cartellaProgramma, shell.applicativi,
                     contesto_.avviatore, contesto_.messaggi,
                     [this](const QString& p) { return contesto_.esisteFile(p); });
}

void FinestraElencoMrn::analizza() {
    if (inCorso_) return;
    annullato_ = false;
    inCorso_ = true;
    abilita(false);
    pulsanteAnalizza_->setEnabled(false);
    pulsanteAnnulla_->setEnabled(true);
    pulsanteAnnulla_->setFocus();

    const int scelta = destinazioneScelta();
    const RichiestaElenco richiesta{percorsoElenco(), campoSeparatore_->text(),
                                    static_cast<Destinazione>(scelta > 2 ? 0 : scelta), fileEsiti_,
                                    LeggiConnessioni(contesto_.shell.FileIni)};
    CallbackElenco callback;
    callback.inizio = [this](qint64 totale) {
        testoAvanzamento_->setText(TestoElaborazione(totale));
        testoAvanzamento_->setEnabled(true);
        barra_->setRange(0, int(std::min<qint64>(totale, INT_MAX)));
        barra_->setValue(0);
        barra_->show();
    };
    callback.avanzamento = [this](const AvanzamentoElenco& a) {
        setWindowTitle(TestoAvanzamento(a));
        barra_->setValue(int(std::min<qint64>(a.numero, barra_->maximum())));
    };
    callback.avviso = [this](const QString& testo) { testoAvanzamento_->setText(testo); };
    callback.annullato = [this] {
        QCoreApplication::processEvents(); // ANNULLA, repaints
        return annullato_;
    };

    StatoDatabase& database = archivio_.database;
    // A run into the archive never overlaps an unattended one on the same file.
    BloccoArchivio blocco;
    const bool occupato = richiesta.destinazione == Destinazione::Database && database.DatabaseAperto &&
                          !blocco.prendi(database.FileDataBase);
    RisultatoElenco r;
    if (occupato) {
        contesto_.messaggi.mostra(kArchivioOccupato, NomeProgramma, Icona::Esclamazione);
    } else {
        std::optional<LavoroWkMrn> lavoro;
        if (database.DatabaseAperto) lavoro.emplace(archivio_.archivio, database, contesto_.messaggi);
        FileAperti& files = contesto_.fileAperti ? *contesto_.fileAperti : fileLocali_;
        if (database.InizioAttesa) database.InizioAttesa();
        r = ElaboraElenco(richiesta, archivio_.web, archivio_.ambienteWeb, lavoro ? &*lavoro : nullptr, files,
                          contesto_.messaggi, callback);
        if (database.FineAttesa) database.FineAttesa();
    }

    barra_->hide();
    setWindowTitle(kTitolo);
    testoAvanzamento_->setEnabled(false);
    pulsanteAnnulla_->setEnabled(false);
    pulsanteAnalizza_->setEnabled(true);
    abilita(true);
    annullato_ = false;
    inCorso_ = false;
    pulsanteAnalizza_->setFocus();
    if (occupato) return;

    // What the user would not see otherwise: items skipped, rows lost, an
    // archive not updated, a list that could not be run, a lost connection.
    const bool perDatabase = richiesta.destinazione == Destinazione::Database;
    if (r.scartati > 0 || r.nonMemorizzati > 0 || (perDatabase && r.totale > 0 && !r.unito) ||
        (r.fine != FineElenco::Completato && r.fine != FineElenco::Annullato))
        contesto_.messaggi.mostra(TestoFineElenco(r, richiesta, EtichetteFine::Finestra), NomeProgramma,
                                  Icona::Esclamazione);

    if (r.numero < 1) return;
    if (plElenco_.isEmpty() && !perDatabase) {
        RunFile(contesto_.avviatore, contesto_.messaggi, fileEsiti_, QString(), QString(), 1);
        return;
    }
    // The rows are in the archive; without a browser the window stays.
    if (!contesto_.disponibile(IdFinestra::EleMRNok)) return;
    archivio_.archivio.MostraRisultati = true;
    browserRichiesto_ = true;
    accept();
}

void FinestraElencoMrn::annulla() {
    if (inCorso_)
        annullato_ = true; // the enquiries in flight complete and are handed on; no other starts
    else
        close();
}

bool FinestraElencoMrn::eventFilter(QObject* oggetto, QEvent* evento) {
    if (oggetto == etichettaElenco_ && evento->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(evento)->button() == Qt::LeftButton) {
        modificaElenco();
        return true;
    }
    return QDialog::eventFilter(oggetto, evento);
}

void FinestraElencoMrn::done(int esito) {
    if (inCorso_) return; // a run ends by ANNULLA
    if (plElenco_.isEmpty()) {
        const QString& ini = contesto_.shell.FileIni;
        ScriviIni(ini, kSezione, QStringLiteral("PATH"), etichettaElenco_->text());
        ScriviIni(ini, kSezione, QStringLiteral("COME"), double(destinazioneScelta()));
        ScriviIni(ini, kSezione, QStringLiteral("COSA"), campoSeparatore_->text());
    }
    QDialog::done(esito);
}

void FinestraElencoMrn::closeEvent(QCloseEvent* evento) {
    if (inCorso_)
        evento->ignore();
    else
        QDialog::closeEvent(evento);
}

void ApriElencoMrn(ContestoFinestre& contesto, ContestoArchivio& archivio, QWidget* sopra,
                   const QString& elenco) {
    bool browser = false;
    {
        contesto.FinestraRiferimento = sopra;
        FinestraElencoMrn finestra(contesto, archivio, elenco, sopra);
        finestra.exec();
        browser = finestra.browserRichiesto();
    }
    if (!browser) return;
    contesto.FinestraRiferimento = sopra;
    contesto.apri(IdFinestra::EleMRNok, sopra);
}

} // namespace qv
