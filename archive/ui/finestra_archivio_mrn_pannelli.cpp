// The browser's panels over the grid: column visibility ("&LayOut"), the
// extraction option ("&Parametri") and the correction of an erroneous MRN.

#include "archive/colonne_griglia.h"
#include "archive/manutenzione_mrn.h"
#include "archive/ui/contesto_archivio.h"
#include "archive/ui/finestra_archivio_mrn.h"
#include "archive/ui/modello_archivio.h"
#include "shell/file_ini.h"
#include "shell/ui/contesto_finestre.h"
#include "shell/ui/tasti_comuni.h"

#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QVBoxLayout>

#include <functional>

namespace qv {

namespace {

QFrame* pannello(QWidget* finestra, const char* nome) {
    auto* p = new QFrame(finestra);
    p->setObjectName(QLatin1String(nome));
    p->setFrameShape(QFrame::Panel);
    p->setFrameShadow(QFrame::Raised);
    p->setAutoFillBackground(true);
    p->hide();
    return p;
}

QLabel* titolo(QFrame* p, const QString& testo, const char* nome) {
    auto* l = new QLabel(testo, p);
    l->setObjectName(QLatin1String(nome));
    l->setAlignment(Qt::AlignCenter);
    l->setStyleSheet(QStringLiteral("background: navy; color: white; font-weight: bold; padding: 2px;"));
    l->setCursor(Qt::SizeAllCursor);
    return l;
}

QPushButton* pulsante(QWidget* p, const QString& testo, const QString& nome) {
    auto* b = new QPushButton(testo, p);
    b->setObjectName(nome);
    b->setAutoDefault(false);
    return b;
}

// "&CONFERMA" (nome_1) and "&USCITA" (nome_0) at the foot of a panel.
void pulsantiPannello(QFrame* p, QVBoxLayout* v, const char* nome, const std::function<void(bool)>& chiudi) {
    auto* h = new QHBoxLayout;
    auto* conferma = pulsante(p, QStringLiteral("&CONFERMA"), QLatin1String(nome) + QStringLiteral("_1"));
    auto* uscita = pulsante(p, QStringLiteral("&USCITA"), QLatin1String(nome) + QStringLiteral("_0"));
    h->addWidget(conferma);
    h->addWidget(uscita);
    v->addLayout(h);
    QObject::connect(conferma, &QPushButton::clicked, p, [chiudi] { chiudi(true); });
    QObject::connect(uscita, &QPushButton::clicked, p, [chiudi] { chiudi(false); });
}

void alCentro(QWidget* p, QWidget* finestra) {
    p->adjustSize();
    p->move(std::max(0, (finestra->width() - p->width()) / 2), std::max(0, (finestra->height() - p->height()) / 3));
    p->show();
    p->raise();
}

} // namespace

void FinestraArchivioMrn::costruisciPannelli() {
    costruisciPannelloLayOut();
    costruisciPannelloParametri();
    costruisciPannelloModifica();
}

void FinestraArchivioMrn::costruisciPannelloLayOut() {
    pannelloLayOut_ = pannello(this, "pctLayOut");
    auto* v = new QVBoxLayout(pannelloLayOut_);
    titoloLayOut_ = titolo(pannelloLayOut_, QStringLiteral("COLONNE VISIBILI"), "lbLayOut");
    titoloLayOut_->installEventFilter(this);
    v->addWidget(titoloLayOut_);
    elencoLayOut_ = new QListWidget(pannelloLayOut_);
    elencoLayOut_->setObjectName(QStringLiteral("lstLayOut"));
    QFont fisso(QStringLiteral("Courier New"));
    fisso.setStyleHint(QFont::TypeWriter);
    elencoLayOut_->setFont(fisso);
    elencoLayOut_->installEventFilter(this);
    v->addWidget(elencoLayOut_);
    pulsantiPannello(pannelloLayOut_, v, "cmgLayOut", [this](bool conferma) { chiudiLayOut(conferma); });
    suggerimentoLayOut_ = new QLabel(
        QStringLiteral(" 'X' o Doppio click Espone/Nasconde \n") + QStringLiteral("  la colonna selezionata"), this);
    suggerimentoLayOut_->setObjectName(QStringLiteral("lbHintLayOut"));
    suggerimentoLayOut_->setFrameShape(QFrame::Box);
    suggerimentoLayOut_->setAutoFillBackground(true);
    suggerimentoLayOut_->hide();
    connect(elencoLayOut_, &QListWidget::itemDoubleClicked, this, &FinestraArchivioMrn::invertiVoce);
}

void FinestraArchivioMrn::costruisciPannelloParametri() {
    pannelloParametri_ = pannello(this, "pctParam");
    auto* v = new QVBoxLayout(pannelloParametri_);
    titoloParametri_ = titolo(pannelloParametri_, QStringLiteral("PARAMETRI"), "lbParam");
    titoloParametri_->installEventFilter(this);
    v->addWidget(titoloParametri_);
    auto* gruppo = new QGroupBox(QStringLiteral("Estrazione degli MRN"), pannelloParametri_);
    gruppo->setObjectName(QStringLiteral("Frame1"));
    auto* g = new QVBoxLayout(gruppo);
    const QString nomi[2] = {QStringLiteral("Immediata"), QStringLiteral("Su richiesta")};
    for (int i = 0; i < 2; ++i) {
        opzioniEstrazione_[std::size_t(i)] = new QRadioButton(nomi[i], gruppo);
        opzioniEstrazione_[std::size_t(i)]->setObjectName(QStringLiteral("optEstrai_%1").arg(i));
        g->addWidget(opzioniEstrazione_[std::size_t(i)]);
    }
    v->addWidget(gruppo);
    pulsantiPannello(pannelloParametri_, v, "cmdParam", [this](bool conferma) { chiudiParametri(conferma); });
}

void FinestraArchivioMrn::costruisciPannelloModifica() {
    pannelloModifica_ = pannello(this, "pctModMrn");
    auto* v = new QVBoxLayout(pannelloModifica_);
    auto* riga = new QHBoxLayout;
    auto* etichetta = new QLabel(QStringLiteral("  MRN errato:"), pannelloModifica_);
    etichetta->setObjectName(QStringLiteral("Label3"));
    titoloModifica_ = new QLabel(pannelloModifica_);
    titoloModifica_->setObjectName(QStringLiteral("lbTitModMrn"));
    riga->addWidget(etichetta);
    riga->addWidget(titoloModifica_, 1);
    v->addLayout(riga);
    riga = new QHBoxLayout;
    etichetta = new QLabel(QStringLiteral("MRN corretto"), pannelloModifica_);
    etichetta->setObjectName(QStringLiteral("Label6"));
    campi_[7]->setParent(pannelloModifica_);
    campi_[7]->setMinimumWidth(campi_[7]->fontMetrics().horizontalAdvance(QString(20, QLatin1Char('M'))));
    riga->addWidget(etichetta);
    riga->addWidget(campi_[7], 1);
    v->addLayout(riga);
    riga = new QHBoxLayout;
    confermaModifica_ = pulsante(pannelloModifica_, QStringLiteral("&CONFERMA"), QStringLiteral("cmdModMrn_1"));
    eliminaModifica_ = pulsante(pannelloModifica_, QStringLiteral("&ELIMINA"), QStringLiteral("cmdModMrn_2"));
    auto* uscita = pulsante(pannelloModifica_, QStringLiteral("&USCITA"), QStringLiteral("cmdModMrn_0"));
    for (QPushButton* b : {confermaModifica_, eliminaModifica_, uscita})
        riga->addWidget(b);
    v->addLayout(riga);
    connect(campi_[7], &QLineEdit::textEdited, this, [this] {
        confermaModifica_->setEnabled(true);
        eliminaModifica_->setEnabled(false);
    });
    connect(confermaModifica_, &QPushButton::clicked, this, &FinestraArchivioMrn::confermaModifica);
    connect(eliminaModifica_, &QPushButton::clicked, this, &FinestraArchivioMrn::eliminaModifica);
    connect(uscita, &QPushButton::clicked, this, &FinestraArchivioMrn::chiudiModifica);
}

QString FinestraArchivioMrn::layOutEsteso() const {
    return LeggiVisibilita(contesto_.shell.FileIni);
}

void FinestraArchivioMrn::abilitaLavoro(bool si) {
    pannelloFiltri_->setEnabled(si);
    griglia_->setEnabled(si);
    menuUtility_->menuAction()->setEnabled(si);
    // F2 closes an open panel as its "&USCITA" would.
    UsaTastiComuni(this, si ? QStringLiteral("%F") : QStringLiteral("%U"), true);
}

void FinestraArchivioMrn::apriLayOut() {
    if (elencoLayOut_->count() == 0)
        elencoLayOut_->addItems(VociLayOut(layOutEsteso()));
    abilitaLavoro(false);
    alCentro(pannelloLayOut_, this);
    suggerimentoLayOut_->adjustSize();
    const QRect r = pannelloLayOut_->geometry();
    const int x = r.right() + 8 + suggerimentoLayOut_->width() <= width() ? r.right() + 8
                                                                           : r.left() - 8 - suggerimentoLayOut_->width();
    suggerimentoLayOut_->move(std::max(0, x), r.top());
    suggerimentoLayOut_->show();
    suggerimentoLayOut_->raise();
    elencoLayOut_->setCurrentRow(0);
    elencoLayOut_->setFocus();
}

void FinestraArchivioMrn::invertiVoce(QListWidgetItem* voce) {
    if (voce)
        voce->setText(InvertiVoceLayOut(voce->text()));
}

void FinestraArchivioMrn::chiudiLayOut(bool conferma) {
    if (conferma) {
        QStringList voci;
        for (int i = 0; i < elencoLayOut_->count(); ++i)
            voci << elencoLayOut_->item(i)->text();
        const QString valore = ComponiLayOut(voci);
        for (int i = 1; i < kNumeroColonne; ++i)
            griglia_->setColumnHidden(i, !ColonnaVisibile(valore, i));
        ScriviVisibilita(contesto_.shell.FileIni, valore);
    }
    pannelloLayOut_->hide();
    suggerimentoLayOut_->hide();
    abilitaLavoro(true);
}

void FinestraArchivioMrn::apriParametri() {
    opzioniEstrazione_[immediata_ ? 0 : 1]->setChecked(true);
    abilitaLavoro(false);
    alCentro(pannelloParametri_, this);
    opzioniEstrazione_[immediata_ ? 0 : 1]->setFocus();
}

void FinestraArchivioMrn::chiudiParametri(bool conferma) {
    if (conferma) {
        immediata_ = opzioniEstrazione_[0]->isChecked();
        ScriviIni(contesto_.shell.FileIni, QString::fromLatin1(kSezioneBrowser), QStringLiteral("ESTRAIIMM"),
                  immediata_ ? QStringLiteral("0") : QStringLiteral("1"));
    }
    pannelloParametri_->hide();
    abilitaLavoro(true);
}

void FinestraArchivioMrn::trascina(QWidget* p, QObject*, QEvent* evento) {
    if (evento->type() == QEvent::MouseButtonPress) {
        presaPannello_ = static_cast<QMouseEvent*>(evento)->globalPosition().toPoint() - p->pos();
    } else if (evento->type() == QEvent::MouseMove &&
               (static_cast<QMouseEvent*>(evento)->buttons() & Qt::LeftButton)) {
        p->move(static_cast<QMouseEvent*>(evento)->globalPosition().toPoint() - presaPannello_);
    }
}

void FinestraArchivioMrn::azioneRiga(int riga) {
    if (!modo_.archivio || riga < 0)
        return;
    const QModelIndex stato = modello_->index(riga, kNumeroColonne - 1);
    if (stato.data().toString() != LetteraStato(kStatoErrato)) {
        chiudiModifica();
        return;
    }
    codiceErrato_ = modello_->index(riga, 0).data().toString().trimmed();
    titoloModifica_->setText(codiceErrato_ + QLatin1Char(' '));
    campi_[7]->setText(codiceErrato_);
    confermaModifica_->setEnabled(false);
    eliminaModifica_->setEnabled(true);
    pannelloModifica_->adjustSize();
    const QRect r = griglia_->visualRect(stato);
    const QPoint sotto = griglia_->viewport()->mapTo(this, QPoint(0, r.bottom() + 1));
    pannelloModifica_->move(std::min(sotto.x() + 20, std::max(0, width() - pannelloModifica_->width())),
                            std::min(sotto.y(), std::max(0, height() - pannelloModifica_->height())));
    pannelloModifica_->show();
    pannelloModifica_->raise();
    pannelloFiltri_->setEnabled(false);
    campi_[7]->setFocus();
}

void FinestraArchivioMrn::chiudiModifica() {
    pannelloModifica_->hide();
    pannelloFiltri_->setEnabled(true);
    griglia_->viewport()->update();
}

void FinestraArchivioMrn::confermaModifica() {
    const EsitoModifica esito = ModificaMrn(archivio_.database, contesto_.messaggi, codiceErrato_, campi_[7]->text());
    chiudiModifica();
    if (esito == EsitoModifica::Spostato)
        EstraiMrn();
}

void FinestraArchivioMrn::eliminaModifica() {
    const bool eliminato = EliminaMrn(archivio_.database, contesto_.messaggi, campi_[7]->text());
    chiudiModifica();
    if (eliminato)
        EstraiMrn();
}

} // namespace qv
