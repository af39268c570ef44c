#include "enquiry/ui/finestra_pagine_web.h"

#include "enquiry/parametri_web.h"
#include "enquiry/stato_web.h"
#include "shell/ui/collocazione.h"
#include "shell/ui/contesto_finestre.h"
#include "shell/ui/finestra_destinazione_stampa.h"
#include "shell/ui/tasti_comuni.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace qv {

namespace {

QLabel* etichettaCliccabile(QWidget* sopra, const char* nome, QObject* filtro) {
    auto* e = new QLabel(sopra);
    e->setObjectName(QLatin1String(nome));
    e->setFrameShape(QFrame::Panel);
    e->setFrameShadow(QFrame::Sunken);
    e->setMinimumWidth(QFontMetrics(e->font()).horizontalAdvance(QString(40, QLatin1Char('x'))));
    e->setCursor(Qt::PointingHandCursor);
    e->installEventFilter(filtro);
    return e;
}

} // namespace

FinestraPagineWeb::FinestraPagineWeb(ContestoFinestre& contesto, StatoWeb& web, QWidget* parent)
    : QDialog(parent), contesto_(contesto), web_(web) {
    setObjectName(QStringLiteral("GWebPar"));
    setWindowTitle(QStringLiteral("GESTIONE PAGINE WEB"));
    auto* layout = new QVBoxLayout(this);
    auto* titolo = new QLabel(this);
    titolo->setObjectName(QStringLiteral("Label1"));
    titolo->setAlignment(Qt::AlignHCenter);
    layout->addWidget(titolo);

    const char* testi[3] = {"Visualizza le pagine", "Stampa le pagine", "Salva le pagine HTML"};
    for (int i = 0; i < 3; ++i) {
        caselle_[i] = new QCheckBox(QString::fromLatin1(testi[i]), this);
        caselle_[i]->setObjectName(QStringLiteral("Check1_%1").arg(i));
        connect(caselle_[i], &QCheckBox::clicked, this, [this, i] { casellaCliccata(i); });
    }
    cornicePagine_ = new QGroupBox(QStringLiteral("Schede di Internet Explorer"), this);
    cornicePagine_->setObjectName(QStringLiteral("frmIEskede"));
    auto* pagine = new QHBoxLayout(cornicePagine_);
    schede_[1] = new QRadioButton(QStringLiteral("Singola"), cornicePagine_);
    schede_[0] = new QRadioButton(QStringLiteral("Multiple"), cornicePagine_);
    for (int i : {1, 0}) {
        schede_[i]->setObjectName(QStringLiteral("optSkede_%1").arg(i));
        pagine->addWidget(schede_[i]);
    }
    corniceStampa_ = new QGroupBox(QStringLiteral("Stampante"), this);
    corniceStampa_->setObjectName(QStringLiteral("frmPrint"));
    auto* stampa = new QHBoxLayout(corniceStampa_);
    stampante_ = etichettaCliccabile(corniceStampa_, "lbPrinter", this);
    chiedi_ = new QCheckBox(QStringLiteral("Con richiesta"), corniceStampa_);
    chiedi_->setObjectName(QStringLiteral("chkChiedi"));
    stampa->addWidget(stampante_, 1);
    stampa->addWidget(chiedi_);
    corniceCartella_ = new QGroupBox(QStringLiteral("Cartella"), this);
    corniceCartella_->setObjectName(QStringLiteral("frmPath"));
    cartella_ = etichettaCliccabile(corniceCartella_, "lbPath", this);
    (new QHBoxLayout(corniceCartella_))->addWidget(cartella_);
    QWidget* sotto[3] = {cornicePagine_, corniceStampa_, corniceCartella_};
    for (int i = 0; i < 3; ++i) {
        layout->addWidget(caselle_[i]);
        layout->addWidget(sotto[i]);
    }

    auto* pulsanti = new QHBoxLayout;
    auto* annulla = new QPushButton(QStringLiteral("&ANNULLA"), this);
    auto* conferma = new QPushButton(QStringLiteral("&CONFERMA"), this);
    annulla->setObjectName(QStringLiteral("Command1_0"));
    conferma->setObjectName(QStringLiteral("Command1_1"));
    for (QPushButton* b : {annulla, conferma})
        b->setAutoDefault(false);
    pulsanti->addStretch();
    pulsanti->addWidget(conferma);
    pulsanti->addWidget(annulla);
    layout->addLayout(pulsanti);
    connect(annulla, &QPushButton::clicked, this, &QDialog::reject);
    connect(conferma, &QPushButton::clicked, this, &FinestraPagineWeb::conferma);
    sceltaCartella = [](QWidget* sopra, const QString& titolo, const QString& cartella) {
        return QFileDialog::getExistingDirectory(sopra, titolo, cartella, QFileDialog::ShowDirsOnly);
    };

    // Opening, for the current context.
    UsaTastiComuni(this, QStringLiteral("%A"), true);
    adjustSize();
    RipristinaFinestra(this, contesto_, false);
    contesto_web_ = web_.ContestoWeb >= 0 && web_.ContestoWeb < NumeroContesti ? web_.ContestoWeb : 0;
    const OpzioniPagina& o = web_.Opzioni[contesto_web_];
    titolo->setText(DidascaliaContesto(contesto_web_));
    schede_[web_.IESkede == 1 ? 1 : 0]->setChecked(true);
    caselle_[0]->setChecked(o.View != 0);
    caselle_[1]->setChecked(o.Print != 0);
    caselle_[2]->setChecked(o.Save != 0);
    chiedi_->setChecked(o.ChPrt != 0);
    stampante_->setText(o.Stampante);
    cornicePagine_->setEnabled(caselle_[0]->isChecked());
    corniceStampa_->setEnabled(caselle_[1]->isChecked());
    corniceCartella_->setEnabled(caselle_[2]->isChecked());
    cartella_->setText(CartellaPagineContesto(web_, contesto_web_));
}

void FinestraPagineWeb::casellaCliccata(int i) {
    if (i == 0) {
        cornicePagine_->setEnabled(caselle_[0]->isChecked());
        return;
    }
    // Printing and saving exclude each other.
    if (caselle_[1]->isChecked() && caselle_[2]->isChecked()) caselle_[3 - i]->setChecked(false);
    corniceStampa_->setEnabled(caselle_[1]->isChecked());
    corniceCartella_->setEnabled(caselle_[2]->isChecked());
}

bool FinestraPagineWeb::eventFilter(QObject* oggetto, QEvent* evento) {
    if (evento->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(evento)->button() == Qt::LeftButton) {
        if (oggetto == cartella_) {
            scegliCartella();
            return true;
        }
        if (oggetto == stampante_) {
            scegliStampante();
            return true;
        }
    }
    return QDialog::eventFilter(oggetto, evento);
}

void FinestraPagineWeb::scegliCartella() {
    const QString scelta =
        sceltaCartella
            ? sceltaCartella(this, QStringLiteral("Cartella salvataggio pagine HTML"), cartella_->text())
            : QString();
    if (!scelta.trimmed().isEmpty()) cartella_->setText(scelta);
}

void FinestraPagineWeb::scegliStampante() {
    OpzioniPagina& o = web_.Opzioni[contesto_web_];
    o.Stampante = stampante_->text();
    const Rettangolo qui = RettangoloDi(this);
    FinestraDestinazioneStampa prt(contesto_, int(qui.top), int(qui.left + 6000), this);
    prt.setWindowTitle(DidascaliaContesto(contesto_web_));
    prt.exec();
    // The printer the program now prints on is the one this context shows.
    const QString corrente = contesto_.stampanteCorrente();
    if (!corrente.trimmed().isEmpty()) o.Stampante = corrente.trimmed();
    if (!o.Stampante.trimmed().isEmpty()) stampante_->setText(o.Stampante);
}

void FinestraPagineWeb::conferma() {
    web_.IESkede = schede_[1]->isChecked() ? 1 : 0;
    OpzioniPagina& o = web_.Opzioni[contesto_web_];
    o.View = caselle_[0]->isChecked() ? 1 : 0;
    o.Print = caselle_[1]->isChecked() ? 1 : 0;
    o.Save = caselle_[2]->isChecked() ? 1 : 0;
    o.ChPrt = chiedi_->isChecked() ? 1 : 0;
    o.DirSave = cartella_->text().trimmed();
    o.Stampante = stampante_->text().trimmed();
    ScriviOpzioniContesto(contesto_.shell.FileIni, web_, contesto_web_);
    accept();
}

} // namespace qv
