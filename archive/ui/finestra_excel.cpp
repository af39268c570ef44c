#include "archive/ui/finestra_excel.h"

#include "archive/elabora_elenco.h"
#include "archive/esportazioni.h"
#include "archive/excel/aggiorna_excel.h"
#include "archive/excel/cartella_aperta.h"
#include "archive/excel/cartella_excel.h"
#include "archive/ui/contesto_archivio.h"
#include "database/stato_database.h"
#include "enquiry/stato_web.h"
#include "shell/applicativi.h"
#include "shell/nome_programma.h"
#include "shell/ui/collocazione.h"
#include "shell/ui/contesto_finestre.h"
#include "shell/ui/tasti_comuni.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QEventLoop>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <climits>

namespace qv {

namespace {

const QString kTitolo = QStringLiteral(" AGGIORNAMENTO AUTOMATICO FILE EXCEL");

QString dialogoCartella(QWidget* sopra, const QString& cartella) {
    QFileDialog dialogo(sopra, QStringLiteral("FILE EXCEL DA AGGIORNARE"), cartella,
                        QStringLiteral("File Excel (*.xls *.xlsx *.xlsm *.ods)"));
    dialogo.setFileMode(QFileDialog::ExistingFile);
    return dialogo.exec() == QDialog::Accepted ? dialogo.selectedFiles().value(0) : QString();
}

} // namespace

FinestraExcel::FinestraExcel(ContestoFinestre& contesto, ContestoArchivio& archivio, QWidget* parent)
    : QDialog(parent), sceltaFile(dialogoCartella), finestreEsterne(FinestreDelSistema()),
      contesto_(contesto), archivio_(archivio) {
    setObjectName(QStringLiteral("GesExcel"));
    setWindowTitle(kTitolo);
    auto* layout = new QVBoxLayout(this);

    auto* riquadro = new QGroupBox(QStringLiteral("File Excel da aggiornare"), this);
    riquadro->setObjectName(QStringLiteral("Frame1"));
    auto* rigaFile = new QHBoxLayout(riquadro);
    etichettaFile_ = new QLabel(riquadro);
    etichettaFile_->setObjectName(QStringLiteral("LbFile"));
    etichettaFile_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    etichettaFile_->setMinimumWidth(QFontMetrics(font()).horizontalAdvance(QString(60, QLatin1Char('x'))));
    etichettaFile_->setCursor(Qt::PointingHandCursor);
    etichettaFile_->installEventFilter(this);
    pulsanteApri_ = new QPushButton(QStringLiteral("&Apri"), riquadro);
    pulsanteApri_->setObjectName(QStringLiteral("Command1"));
    rigaFile->addWidget(etichettaFile_, 1);
    rigaFile->addWidget(pulsanteApri_);
    layout->addWidget(riquadro);

    auto* griglia = new QGridLayout;
    const std::array<QString, 4> etichette{QString(), QStringLiteral("Foglio"),
                                           QStringLiteral("Colonne: MRN"), QStringLiteral("Status")};
    for (int i = CampoFoglio; i <= CampoColonnaStato; ++i) {
        auto* etichetta = new QLabel(etichette[size_t(i)], this);
        etichetta->setObjectName(QStringLiteral("Label%1").arg(i));
        campi_[size_t(i)] = new QLineEdit(this);
        campi_[size_t(i)]->setObjectName(QStringLiteral("Txt_%1").arg(i));
        campi_[size_t(i)]->installEventFilter(this);
        SelezionaTesto(campi_[size_t(i)]);
        etichetta->setBuddy(campi_[size_t(i)]);
        griglia->addWidget(etichetta, 0, 2 * (i - 1));
        griglia->addWidget(campi_[size_t(i)], 0, 2 * (i - 1) + 1);
    }
    for (int i : {CampoColonnaMrn, CampoColonnaStato}) {
        CampoNumerico(campi_[size_t(i)]);
        campi_[size_t(i)]->setMaxLength(5);
        campi_[size_t(i)]->setFixedWidth(QFontMetrics(font()).horizontalAdvance(QStringLiteral("MMMMMM")));
    }
    griglia->setColumnStretch(1, 1);
    layout->addLayout(griglia);

    pannelloAvanzamento_ = new QWidget(this);
    pannelloAvanzamento_->setObjectName(QStringLiteral("pctChk"));
    auto* avanzamento = new QVBoxLayout(pannelloAvanzamento_);
    avanzamento->setContentsMargins(0, 0, 0, 0);
    testoAvanzamento_ = new QLineEdit(pannelloAvanzamento_);
    testoAvanzamento_->setObjectName(QStringLiteral("Text1"));
    testoAvanzamento_->setReadOnly(true);
    testoAvanzamento_->setFocusPolicy(Qt::NoFocus);
    barra_ = new QProgressBar(pannelloAvanzamento_);
    barra_->setObjectName(QStringLiteral("Picture1"));
    barra_->setTextVisible(false);
    pulsanteAnnulla_ = new QPushButton(QStringLiteral("&ANNULLA"), pannelloAvanzamento_);
    pulsanteAnnulla_->setObjectName(QStringLiteral("cmdAnnulla"));
    avanzamento->addWidget(testoAvanzamento_);
    avanzamento->addWidget(barra_);
    avanzamento->addWidget(pulsanteAnnulla_, 0, Qt::AlignHCenter);
    layout->addWidget(pannelloAvanzamento_);

    pannelloRisultato_ = new QLabel(this);
    pannelloRisultato_->setObjectName(QStringLiteral("pctResult"));
    QFont fisso = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    if (!QFontInfo(fisso).fixedPitch()) { // a platform without a fixed font of its own: the font set's
        fisso.setFamilies({QStringLiteral("Monospace"), QStringLiteral("DejaVu Sans Mono")});
        fisso.setStyleHint(QFont::TypeWriter);
        fisso.setFixedPitch(true);
    }
    pannelloRisultato_->setFont(fisso);
    pannelloRisultato_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    pannelloRisultato_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(pannelloRisultato_);

    auto* pulsanti = new QHBoxLayout;
    pulsanteAggiorna_ = new QPushButton(QStringLiteral("&AGGIORNA IL FILE EXCEL"), this);
    pulsanteAggiorna_->setObjectName(QStringLiteral("cmdM_1"));
    pulsanteUscita_ = new QPushButton(QStringLiteral("&USCITA"), this);
    pulsanteUscita_->setObjectName(QStringLiteral("cmdM_0"));
    pulsanti->addStretch();
    pulsanti->addWidget(pulsanteAggiorna_);
    pulsanti->addWidget(pulsanteUscita_);
    pulsanti->addStretch();
    layout->addLayout(pulsanti);
    for (QPushButton* b : {pulsanteApri_, pulsanteAnnulla_, pulsanteAggiorna_, pulsanteUscita_})
        b->setAutoDefault(false);
    setTabOrder(campi_[1], campi_[2]);
    setTabOrder(campi_[2], campi_[3]);
    setTabOrder(campi_[3], pulsanteAggiorna_);
    setTabOrder(pulsanteAggiorna_, pulsanteUscita_);
    setTabOrder(pulsanteUscita_, pulsanteApri_);

    connect(pulsanteApri_, &QPushButton::clicked, this, &FinestraExcel::apriCartella);
    connect(pulsanteAggiorna_, &QPushButton::clicked, this, &FinestraExcel::aggiorna);
    connect(pulsanteUscita_, &QPushButton::clicked, this, &QDialog::close);
    connect(pulsanteAnnulla_, &QPushButton::clicked, this, &FinestraExcel::annulla);
    connect(qApp, &QApplication::focusChanged, this, &FinestraExcel::fuocoCambiato);

    // Opening: placement, both panels hidden, the four keys into the fields.
    UsaTastiComuni(this, QStringLiteral("%U"), true);
    pannelloAvanzamento_->hide();
    pannelloRisultato_->hide();
    adjustSize();
    RipristinaFinestra(this, contesto_, false);
    const ParametriExcel p = LeggiParametriExcel(contesto_.shell.FileIni);
    etichettaFile_->setText(QDir::toNativeSeparators(p.file));
    campi_[CampoFoglio]->setText(p.foglio);
    campi_[CampoColonnaMrn]->setText(QString::number(p.colMrn));
    campi_[CampoColonnaStato]->setText(QString::number(p.colSts));
    campi_[CampoFoglio]->setFocus();
}

FinestraExcel::~FinestraExcel() {
    // The focus moves on as the window goes: no field is checked any more.
    disconnect(qApp, &QApplication::focusChanged, this, &FinestraExcel::fuocoCambiato);
}

ParametriExcel FinestraExcel::parametri() const {
    ParametriExcel p;
    p.file = QDir::fromNativeSeparators(etichettaFile_->text().trimmed());
    p.foglio = campi_[CampoFoglio]->text().trimmed();
    p.colMrn = campi_[CampoColonnaMrn]->text().trimmed().toInt();
    p.colSts = campi_[CampoColonnaStato]->text().trimmed().toInt();
    return p;
}

void FinestraExcel::abilita(bool si) {
    for (QWidget* w : {static_cast<QWidget*>(pulsanteApri_), static_cast<QWidget*>(pulsanteAggiorna_),
                       static_cast<QWidget*>(pulsanteUscita_), static_cast<QWidget*>(etichettaFile_)})
        w->setEnabled(si);
    for (int i = CampoFoglio; i <= CampoColonnaStato; ++i)
        campi_[size_t(i)]->setEnabled(si);
}

void FinestraExcel::scegliFile() {
    if (inCorso_ || !sceltaFile) return;
    const QString attuale = parametri().file;
    const QString cartella =
        attuale.isEmpty() ? contesto_.shell.cartellaProgramma : QFileInfo(attuale).absolutePath();
    const QString scelto = sceltaFile(this, cartella);
    if (!scelto.isEmpty()) etichettaFile_->setText(QDir::toNativeSeparators(scelto));
}

void FinestraExcel::apriCartella() {
    // The program that holds the workbook open comes to the front; else the
    // workbook is handed to the configured Excel program, or to the desktop's.
    const QString file = parametri().file;
    if (MostraFinestraCartella(file, *finestreEsterne)) return;
    if (file.isEmpty() || !QFileInfo(file).isFile()) return;
    const QString programma = contesto_.shell.applicativi.ProgrammaExcel;
    if (!programma.trimmed().isEmpty())
        ApriCsv(contesto_.avviatore, contesto_.messaggi, programma, file);
    else
        RunFile(contesto_.avviatore, contesto_.messaggi, file, QString(), QFileInfo(file).absolutePath(), 1);
}

bool FinestraExcel::chiudiAltroProgramma(const QString& file) {
    FinestreEsterne& finestre = *finestreEsterne;
    const bool finestra = !FinestreCartella(file, finestre).isEmpty();
    if (!finestra && FileBloccoCartella(file).isEmpty()) return true;
    Messaggi& messaggi = contesto_.messaggi;
    const QString altrove =
        QStringLiteral("Il file Excel e' aperto in un altro programma: chiuderlo e ripetere "
                       "l'aggiornamento");
    if (!finestra) { // a lock file, and no window to close (another desktop, Wayland, another computer)
        messaggi.mostra(altrove, NomeProgramma, Icona::Esclamazione);
        return false;
    }
    const QString domanda = QStringLiteral("File Excel gia' aperto\nLo chiudo e continuo l'elaborazione");
    if (messaggi.mostra(domanda, QStringLiteral("EXCEL APERTO"), Icona::Domanda, Pulsanti::SiNo) !=
        Risposta::Si)
        return false;
    inCorso_ = true; // the window stays until the other program has let the workbook go
    abilita(false);
    const ChiusuraCartella c = ChiudiCartellaAperta(file, finestre, [](int ms) {
        QEventLoop attesa;
        QTimer::singleShot(ms, &attesa, &QEventLoop::quit);
        attesa.exec();
    });
    abilita(true);
    inCorso_ = false;
    if (c == ChiusuraCartella::Chiusa) return true;
    messaggi.mostra(altrove, NomeProgramma, Icona::Esclamazione);
    return false;
}

bool FinestraExcel::controlla(int campo) {
    const ControlloExcel c = ControllaParametri(parametri(), campo);
    if (c) return true;
    controllando_ = true;
    contesto_.messaggi.mostra(c.messaggio, TitoloControlloExcel(NomeProgramma, c.campo), Icona::Critica);
    campi_[size_t(c.campo)]->setFocus();
    controllando_ = false;
    rifiutato_ = true; // the click that left the field, if any, is not carried out
    QTimer::singleShot(0, this, [this] { rifiutato_ = false; });
    return false;
}

void FinestraExcel::fuocoCambiato(QWidget* prima, QWidget* dopo) {
    // A field is checked when the focus moves on to another control of this
    // window; not on the way to USCITA, nor while a message or the run has it.
    if (controllando_ || inCorso_ || !dopo || dopo->window() != this || dopo == pulsanteUscita_) return;
    for (int i = CampoFoglio; i <= CampoColonnaStato; ++i)
        if (prima == campi_[size_t(i)] && dopo != prima) {
            controlla(i);
            return;
        }
}

void FinestraExcel::aggiorna() {
    if (inCorso_) return;
    if (rifiutato_) {
        rifiutato_ = false;
        return;
    }
    const ParametriExcel p = parametri();
    Messaggi& messaggi = contesto_.messaggi;
    if (!QFileInfo(p.file).isFile()) {
        messaggi.mostra(QStringLiteral("Non esiste il file EXCEL"), NomeProgramma, Icona::Esclamazione);
        scegliFile();
        return;
    }
    for (int i = CampoFoglio; i <= CampoColonnaStato; ++i)
        if (campi_[size_t(i)]->text().trimmed().isEmpty()) {
            messaggi.mostra(QStringLiteral("Valore necessario"), NomeProgramma, Icona::Esclamazione);
            campi_[size_t(i)]->setFocus();
            return;
        }
    if (!controlla(0)) return;
    ScriviParametriExcel(contesto_.shell.FileIni, p);
    if (!chiudiAltroProgramma(p.file)) return;

    inCorso_ = true;
    annullato_ = false;
    abilita(false);
    pannelloRisultato_->hide();
    testoAvanzamento_->clear();
    barra_->setRange(0, 1);
    barra_->setValue(0);
    pannelloAvanzamento_->show();
    pulsanteAnnulla_->setFocus();

    CallbackExcel callback;
    callback.fase = [this](const QString& testo) {
        testoAvanzamento_->setText(testo);
        barra_->setValue(0);
    };
    callback.avanzamento = [this](const AvanzamentoElenco& a) {
        testoAvanzamento_->setText(TestoAvanzamento(a));
        barra_->setRange(0, int(std::min<qint64>(a.totale, INT_MAX)));
        barra_->setValue(int(std::min<qint64>(a.numero, barra_->maximum())));
    };
    callback.avviso = [this](const QString& testo) { testoAvanzamento_->setText(testo); }; // asked to slow down
    callback.annullato = [this] {
        QCoreApplication::processEvents(); // ANNULLA, repaints
        return annullato_;
    };
    StatoDatabase& database = archivio_.database;
    FileAperti& files = contesto_.fileAperti ? *contesto_.fileAperti : fileLocali_;
    if (database.InizioAttesa) database.InizioAttesa();
    const RisultatoExcel r =
        AggiornaFileExcel(p, archivio_.web, archivio_.ambienteWeb, files, messaggi, callback);
    if (database.FineAttesa) database.FineAttesa();

    pannelloAvanzamento_->hide();
    abilita(true);
    inCorso_ = false;
    annullato_ = false;
    pulsanteAggiorna_->setFocus();
    // The summary once the MRNs were collected; an update that could not
    // start, or was stopped while collecting, has none.
    const bool raccolti =
        r.fine != FineExcel::ErroreLettura && (r.fine != FineExcel::Annullato || r.totale > 0);
    if (raccolti) {
        pannelloRisultato_->setText(RiepilogoExcel(r).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
        pannelloRisultato_->show();
    }
    if (r.fine == FineExcel::SenzaRete && !r.messaggio.isEmpty())
        messaggi.mostra(r.messaggio, NomeProgramma, Icona::Esclamazione);
    if (r.fine == FineExcel::ErroreAggiornamento && r.errore)
        messaggi.mostra(TestoErroreExcel(r.errore), NomeProgramma, Icona::Critica);
    const bool bene = r.fine == FineExcel::Completato || r.fine == FineExcel::SenzaRete;
    messaggi.mostra(MessaggioFineExcel(r), NomeProgramma, bene ? Icona::Informazione : Icona::Esclamazione);
}

void FinestraExcel::annulla() {
    if (inCorso_) annullato_ = true; // the enquiry in progress completes; the run stops before the next one
}

bool FinestraExcel::eventFilter(QObject* oggetto, QEvent* evento) {
    if (oggetto == etichettaFile_ && evento->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(evento)->button() == Qt::LeftButton) {
        scegliFile();
        return true;
    }
    if (evento->type() == QEvent::KeyPress) {
        const int tasto = static_cast<QKeyEvent*>(evento)->key();
        const bool campo = std::find(campi_.begin() + 1, campi_.end(), oggetto) != campi_.end();
        if (campo && (tasto == Qt::Key_Up || tasto == Qt::Key_Down)) {
            focusNextPrevChild(tasto == Qt::Key_Down);
            return true;
        }
    }
    return QDialog::eventFilter(oggetto, evento);
}

void FinestraExcel::done(int esito) {
    if (inCorso_) return; // a run ends by ANNULLA
    QDialog::done(esito);
}

void FinestraExcel::closeEvent(QCloseEvent* evento) {
    if (inCorso_)
        evento->ignore();
    else
        QDialog::closeEvent(evento);
}

} // namespace qv
