#include "archive/ui/finestra_archivio_mrn.h"

#include "archive/colonne_griglia.h"
#include "archive/esportazioni.h"
#include "archive/layout_colonne.h"
#include "archive/ui/contesto_archivio.h"
#include "archive/ui/modello_archivio.h"
#include "database/stato_database.h"
#include "enquiry/stato_web.h"
#include "shell/file_ini.h"
#include "shell/ui/collocazione.h"
#include "shell/ui/contesto_finestre.h"
#include "shell/ui/tasti_comuni.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFrame>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

namespace qv {

namespace {

const QString kChiaveEstrazione = QStringLiteral("ESTRAIIMM");

QString testoSuggerimento() {
    return QStringLiteral(" Ordinamento: Click SINISTRO =  crescente\n") +
           QStringLiteral("              Click  DESTRO  = decrescente ");
}

} // namespace

FinestraArchivioMrn::FinestraArchivioMrn(ContestoFinestre& contesto, ContestoArchivio& archivio, QWidget* parent)
    : QDialog(parent), contesto_(contesto), archivio_(archivio) {
    setObjectName(QString::fromLatin1(kSezioneBrowser));
    auto* layout = new QVBoxLayout(this);
    menu_ = new QMenuBar(this);
    voceFine_ = menu_->addAction(QStringLiteral("&FINE"));
    voceFine_->setObjectName(QStringLiteral("Mu_end"));
    menuUtility_ = menu_->addMenu(QStringLiteral("&Utility"));
    menuUtility_->setObjectName(QStringLiteral("Mu_utility"));
    voceLayOut_ = menuUtility_->addAction(QStringLiteral("&LayOut"));
    voceLayOut_->setObjectName(QStringLiteral("Mu_layout"));
    voceParametri_ = menuUtility_->addAction(QStringLiteral("&Parametri"));
    voceParametri_->setObjectName(QStringLiteral("Mu_param"));
    vocePagineWeb_ = menuUtility_->addAction(QStringLiteral("Pagine &WEB"));
    vocePagineWeb_->setObjectName(QStringLiteral("Mu_web"));
    voceColori_ = menuUtility_->addAction(QStringLiteral("&Colori"));
    voceColori_->setObjectName(QStringLiteral("Mu_colori"));
    voceStoricizza_ = menu_->addAction(QStringLiteral("&Storicizza"));
    voceStoricizza_->setObjectName(QStringLiteral("Mu_storicizza"));
    layout->setMenuBar(menu_);
    layout->addWidget(costruisciFiltri());

    modello_ = new ModelloArchivio(archivio_.database, this);
    griglia_ = new QTableView(this);
    griglia_->setObjectName(QStringLiteral("TDBGrid1"));
    griglia_->setModel(modello_);
    griglia_->setSelectionBehavior(QAbstractItemView::SelectRows);
    griglia_->setSelectionMode(QAbstractItemView::SingleSelection);
    griglia_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    griglia_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    griglia_->verticalHeader()->setDefaultSectionSize(griglia_->fontMetrics().height() + 4);
    griglia_->verticalHeader()->hide();
    griglia_->setWordWrap(false);
    griglia_->installEventFilter(this);
    griglia_->viewport()->installEventFilter(this);
    griglia_->horizontalHeader()->viewport()->installEventFilter(this);
    griglia_->horizontalHeader()->viewport()->setMouseTracking(true);
    InvioProprio(griglia_);
    layout->addWidget(griglia_, 1);

    suggerimento_ = new QLabel(testoSuggerimento(), this);
    suggerimento_->setObjectName(QStringLiteral("lbHint"));
    suggerimento_->setFrameShape(QFrame::Box);
    suggerimento_->setAutoFillBackground(true);
    suggerimento_->setStyleSheet(QStringLiteral("background: rgb(255,255,225);"));
    suggerimento_->adjustSize();
    suggerimento_->hide();
    costruisciPannelli();

    connect(voceFine_, &QAction::triggered, this, &QDialog::close);
    connect(voceLayOut_, &QAction::triggered, this, &FinestraArchivioMrn::apriLayOut);
    connect(voceParametri_, &QAction::triggered, this, &FinestraArchivioMrn::apriParametri);
    connect(vocePagineWeb_, &QAction::triggered, this, &FinestraArchivioMrn::apriPagineWeb);
    connect(voceColori_, &QAction::triggered, this, &FinestraArchivioMrn::apriColori);
    connect(griglia_->horizontalHeader(), &QHeaderView::sectionClicked, this,
            [this](int colonna) { intestazioneCliccata(colonna, 1); });
    connect(griglia_->horizontalHeader(), &QHeaderView::sectionResized, this,
            &FinestraArchivioMrn::larghezzaCambiata);
    connect(griglia_, &QTableView::doubleClicked, this, [this](const QModelIndex& i) { azioneRiga(i.row()); });

    UsaTastiComuni(this, QStringLiteral("%F"), true);
    apertura();
}

FinestraArchivioMrn::~FinestraArchivioMrn() = default;

void FinestraArchivioMrn::apertura() {
    const double tpp = twipsPerPixel();
    setMinimumSize(int(12000 / tpp), int(5300 / tpp));
    resize(int(17000 / tpp), int(9000 / tpp));
    RipristinaFinestra(this, contesto_, true);
    modo_ = ModoBrowser{!archivio_.archivio.MostraRisultati};
    archivio_.archivio.MostraRisultati = false;
    setWindowTitle(modo_.titolo());
    voceStoricizza_->setEnabled(modo_.archivio);
    QPalette colori = griglia_->palette();
    colori.setColor(QPalette::Base, modo_.archivio ? QColor(192, 192, 192) : QColor(216, 204, 156));
    griglia_->setPalette(colori);
    pannelloModifica_->hide();
    pannelloFiltri_->setEnabled(true);
    ordine_ = OrdineArchivio{};

    // Widths that fit each column's content, then the stored ones (twips), then visibility.
    const QFontMetrics misura = griglia_->fontMetrics();
    for (int i = 0; i < kNumeroColonne; ++i) {
        const ColonnaGriglia& c = ColonneGriglia().at(i);
        const int caratteri = i == 0 ? 19 : i == 1 ? 3 : c.tipo == TipoCampo::Data ? 10 : c.tipo == TipoCampo::Numero ? 2 : 14;
        griglia_->horizontalHeader()->resizeSection(
            i, std::max(misura.horizontalAdvance(QString(caratteri, QLatin1Char('0'))),
                        misura.horizontalAdvance(c.intestazione)) + 12);
    }
    larghezze_ = LeggiLayOut(archivio_.database, QString::fromLatin1(kSezioneBrowser), kNumeroColonne);
    for (int i = 0; i < larghezze_.size(); ++i)
        if (larghezze_.at(i) > 0)
            griglia_->horizontalHeader()->resizeSection(i, int(larghezze_.at(i) / tpp));
    larghezze_.clear();
    for (int i = 0; i < kNumeroColonne; ++i)
        larghezze_ << int(griglia_->horizontalHeader()->sectionSize(i) * tpp);
    const QDate oggi = QDate::currentDate();
    campi_[3]->setText(oggi.toString(QStringLiteral("dd")));
    campi_[4]->setText(oggi.toString(QStringLiteral("MM")));
    campi_[5]->setText(oggi.toString(QStringLiteral("yyyy")));
    const QString esteso = layOutEsteso();
    for (int i = 1; i < kNumeroColonne; ++i)
        griglia_->setColumnHidden(i, !ColonnaVisibile(esteso, i));
    const int opzione =
        int(ValoreNumerico(LeggiIni(contesto_.shell.FileIni, QString::fromLatin1(kSezioneBrowser), kChiaveEstrazione)));
    opzioniEstrazione_[opzione == 1 ? 1 : 0]->setChecked(true);
    immediata_ = opzione != 1;
    pannelloLayOut_->hide();
    pannelloParametri_->hide();
    vocePagineWeb_->setEnabled(contesto_.disponibile(IdFinestra::GWebPar));
    voceColori_->setEnabled(contesto_.disponibile(IdFinestra::ColorTdbg));
    caricamento_ = false;
    sceltaStato_->setCurrentIndex(modo_.statoIniziale());
    statoScelto();
}

double FinestraArchivioMrn::twipsPerPixel() const { return SchermoDi(this).twipsPerPixelX; }

FiltriArchivio FinestraArchivioMrn::filtri() const {
    FiltriArchivio f;
    f.stato = sceltaStato_->currentIndex();
    f.nazione = sceltaNazione_->currentText();
    f.anno = sceltaAnno_->currentText();
    f.tipo = sceltaTipo_->currentText();
    for (int i = 0; i < 3; ++i) {
        f.dal[i] = campi_[std::size_t(i)]->text();
        f.al[i] = campi_[std::size_t(i + 3)]->text();
    }
    f.frammento = campi_[6]->text();
    return f;
}

void FinestraArchivioMrn::EstraiMrn() {
    selezione_ = EstraiMrnSql(modo_.tabella(), filtri(), QDate::currentDate());
    ImpostaOrdine();
}

void FinestraArchivioMrn::ImpostaOrdine() {
    sql_ = ImpostaOrdineSql(selezione_, ordine_);
    if (archivio_.database.InizioAttesa)
        archivio_.database.InizioAttesa();
    modello_->imposta(selezione_, ordine_);
    if (archivio_.database.FineAttesa)
        archivio_.database.FineAttesa();
    dopoEstrazione();
}

void FinestraArchivioMrn::dopoEstrazione() {
    const qint64 righe = modello_->totale();
    setWindowTitle(DidascaliaEstrazione(modo_.titolo(), righe));
    const int stato = sceltaStato_->currentIndex();
    pulsanteInterroga_->setEnabled(modo_.archivio && righe > 0 && (stato == kStatoSospeso || stato == kStatoErrato) &&
                                   contesto_.disponibile(IdFinestra::EleMrn));
    pulsanteCsv_->setVisible(righe > 0 && !contesto_.shell.applicativi.ProgrammaExcel.trimmed().isEmpty());
}

void FinestraArchivioMrn::intestazioneCliccata(int colonna, int verso) {
    if (!griglia_->isEnabled())
        return;
    ordine_ = OrdineArchivio{colonna, verso};
    ImpostaOrdine();
}

void FinestraArchivioMrn::larghezzaCambiata(int colonna, int, int nuova) {
    // Hidden columns keep the width they had; the opening's own sizing is not a change.
    if (caricamento_ || nuova <= 0 || colonna < 0 || colonna >= larghezze_.size())
        return;
    larghezze_[colonna] = int(nuova * twipsPerPixel());
    SalvaLayOut(archivio_.database, QString::fromLatin1(kSezioneBrowser), larghezze_);
}

bool FinestraArchivioMrn::tastoGriglia(QKeyEvent* tasto) {
    if (tasto->matches(QKeySequence::Copy)) {
        QApplication::clipboard()->setText(griglia_->currentIndex().data().toString());
        return true;
    }
    if (tasto->key() == Qt::Key_Return || tasto->key() == Qt::Key_Enter) {
        if (griglia_->currentIndex().isValid())
            azioneRiga(griglia_->currentIndex().row());
        return true;
    }
    return false;
}

bool FinestraArchivioMrn::eventFilter(QObject* oggetto, QEvent* evento) {
    QHeaderView* intestazioni = griglia_ ? griglia_->horizontalHeader() : nullptr;
    if (intestazioni && oggetto == intestazioni->viewport()) {
        if (evento->type() == QEvent::MouseButtonPress) {
            auto* m = static_cast<QMouseEvent*>(evento);
            if (m->button() == Qt::RightButton) {
                const int colonna = intestazioni->logicalIndexAt(m->position().toPoint());
                if (colonna >= 0)
                    intestazioneCliccata(colonna, 2);
                return true;
            }
        } else if (evento->type() == QEvent::Enter || evento->type() == QEvent::MouseMove) {
            const QPoint qui = mapFromGlobal(QCursor::pos());
            suggerimento_->move(std::clamp(qui.x() + 16, 0, std::max(0, width() - suggerimento_->width())),
                                intestazioni->mapTo(this, QPoint(0, intestazioni->height())).y() + 4);
            suggerimento_->show();
            suggerimento_->raise();
        } else if (evento->type() == QEvent::Leave) {
            suggerimento_->hide();
        }
    } else if (griglia_ && oggetto == griglia_->viewport() && evento->type() == QEvent::MouseButtonPress) {
        auto* m = static_cast<QMouseEvent*>(evento);
        const QModelIndex i = griglia_->indexAt(m->position().toPoint());
        if (m->button() == Qt::RightButton && i.isValid()) {
            griglia_->setCurrentIndex(i);
            azioneRiga(i.row());
            return true;
        }
    } else if (oggetto == griglia_ && evento->type() == QEvent::KeyPress) {
        if (tastoGriglia(static_cast<QKeyEvent*>(evento)))
            return true;
    } else if (oggetto == titoloLayOut_ || oggetto == titoloParametri_) {
        trascina(oggetto == titoloLayOut_ ? static_cast<QWidget*>(pannelloLayOut_) : pannelloParametri_, oggetto,
                 evento);
    } else if (oggetto == elencoLayOut_ && evento->type() == QEvent::KeyPress) {
        const int tasto = static_cast<QKeyEvent*>(evento)->key();
        QListWidgetItem* voce = elencoLayOut_->currentItem();
        if (tasto >= Qt::Key_A && tasto <= Qt::Key_Z && tasto != Qt::Key_S) {
            if (voce && !voce->text().trimmed().isEmpty())
                invertiVoce(voce);
            return true;
        }
    } else {
        for (int k = 0; k < 8; ++k) {
            if (oggetto != campi_[std::size_t(k)])
                continue;
            if (evento->type() == QEvent::FocusIn) {
                testoEntrata_[std::size_t(k)] = campi_[std::size_t(k)]->text();
            } else if (evento->type() == QEvent::FocusOut && k < 6) {
                const Qt::FocusReason r = static_cast<QFocusEvent*>(evento)->reason();
                if (r == Qt::TabFocusReason || r == Qt::BacktabFocusReason || r == Qt::MouseFocusReason ||
                    r == Qt::OtherFocusReason)
                    lasciaData(k + 1);
            } else if (evento->type() == QEvent::KeyPress && tastoCampo(k + 1, static_cast<QKeyEvent*>(evento))) {
                return true;
            }
        }
    }
    return QDialog::eventFilter(oggetto, evento);
}

void FinestraArchivioMrn::resizeEvent(QResizeEvent* evento) {
    QDialog::resizeEvent(evento);
    if (elencoLayOut_) {
        const double tpp = twipsPerPixel();
        elencoLayOut_->setFixedHeight(int(std::clamp(height() * tpp - 680, 600.0, 5900.0) / tpp));
        pannelloLayOut_->adjustSize();
    }
}

void FinestraArchivioMrn::done(int esito) {
    SalvaFinestra(this, contesto_, true);
    QDialog::done(esito);
}

void FinestraArchivioMrn::interroga() {
    QString lista = archivio_.database.CartellaTemp;
    if (!lista.isEmpty() && !lista.endsWith(QLatin1Char('/')) && !lista.endsWith(QLatin1Char('\\')))
        lista += QLatin1Char('/');
    lista += QStringLiteral("ListaVAT.txt");
    if (EsportaLista(archivio_.database, contesto_.messaggi, sql_, lista, false).esito != EsitoEsportazione::Fatto)
        return;
    // The batch opens once this window has gone, over the window below it.
    ContestoFinestre* contesto = &contesto_;
    QPointer<QWidget> sotto = parentWidget();
    close();
    QTimer::singleShot(0, qApp, [contesto, sotto, lista] { contesto->apri(IdFinestra::EleMrn, sotto, lista); });
}

void FinestraArchivioMrn::esportaCsv() {
    griglia_->hide();
    const RisultatoEsportazione r = EsportaCsv(archivio_.database, contesto_.messaggi, sql_, modo_.tabella(),
                                               ColonneDaEsportare(true, QString()));
    if (r.esito == EsitoEsportazione::Fatto)
        ApriCsv(contesto_.avviatore, contesto_.messaggi, contesto_.shell.applicativi.ProgrammaExcel, r.percorso);
    griglia_->show();
}

void FinestraArchivioMrn::apriColori() {
    QString etichette;
    for (int i = 0; i < kStatoTutti; ++i)
        etichette += VociStato().at(i) + QLatin1Char(',');
    const double tpp = twipsPerPixel();
    const QPoint dove = mapToGlobal(QPoint(width() / 3, height() / 4));
    contesto_.FinestraRiferimento = this;
    contesto_.apri(IdFinestra::ColorTdbg, this, QString(),
                   {{QStringLiteral("plTitolo"), QStringLiteral(" Colori condizione degli MRN")},
                    {QStringLiteral("plPosX"), int(dove.x() * tpp)},
                    {QStringLiteral("plPosY"), int(dove.y() * tpp)},
                    {QStringLiteral("plTabLb"), etichette}});
    modello_->ridisegna();
    griglia_->viewport()->update();
}

void FinestraArchivioMrn::apriPagineWeb() {
    archivio_.web.ContestoWeb = ContestoElencoDatabase;
    contesto_.FinestraRiferimento = this;
    contesto_.apri(IdFinestra::GWebPar, this);
}

} // namespace qv
