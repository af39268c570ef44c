#include "database/ui/finestra_ripara_db.h"

#include "database/file_database.h"
#include "database/ripara_db.h"
#include "database/ui/campi_nazione.h"
#include "shell/ui/collocazione.h"
#include "shell/ui/contesto_finestre.h"
#include "shell/ui/tasti_comuni.h"

#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

namespace qv {

FinestraRiparaDb::FinestraRiparaDb(ContestoFinestre& contesto, StatoDatabase& database, QWidget* parent)
    : QDialog(parent), contesto_(contesto), database_(database) {
    setObjectName(QStringLiteral("riparadb"));
    setWindowTitle(QStringLiteral("Recupero database"));
    auto* griglia = new QGridLayout(this);
    percorso_ = new QLineEdit(this);
    percorso_->setObjectName(QStringLiteral("Text1"));
    registro_ = CreaRegistro(this);
    auto* etichetta = new QLabel(QStringLiteral("Database da riparare"), this);
    etichetta->setBuddy(percorso_);
    auto* risultati = new QLabel(QStringLiteral("Risultati"), this);
    risultati->setBuddy(registro_);
    griglia->addWidget(etichetta, 0, 0);
    griglia->addWidget(percorso_, 0, 1);
    griglia->addWidget(risultati, 1, 0, 1, 2);
    griglia->addWidget(registro_, 2, 0, 1, 2);
    pulsanteRecupera_ = new QPushButton(QStringLiteral("&RECUPERA"), this);
    pulsanteRecupera_->setObjectName(QStringLiteral("CmdEsegui"));
    pulsanteUscita_ = new QPushButton(QStringLiteral("&USCITA"), this);
    pulsanteUscita_->setObjectName(QStringLiteral("CmdEsci"));
    griglia->addLayout(RigaPulsanti({pulsanteRecupera_, pulsanteUscita_}), 3, 0, 1, 2);
    percorso_->installEventFilter(this);
    connect(pulsanteRecupera_, &QPushButton::clicked, this, &FinestraRiparaDb::recupera);
    connect(pulsanteUscita_, &QPushButton::clicked, this, &QDialog::close);

    UsaTastiComuni(this, QStringLiteral("%U"), true);
    adjustSize();
    RipristinaFinestra(this, contesto_, false);
    percorso_->setText(PercorsoDataBase(contesto_.shell.cartellaProgramma));
}

void FinestraRiparaDb::done(int esito) {
    SalvaFinestra(this, contesto_, false);
    QDialog::done(esito);
}

bool FinestraRiparaDb::eventFilter(QObject* oggetto, QEvent* evento) {
    if (SceltaConF4(oggetto, evento, this, sceltaFile, QStringLiteral("DataBase da recuperare"))) return true;
    // Leaving the path for "&USCITA" checks nothing.
    if (oggetto == percorso_ && LasciaPerAltroCampo(this, evento, {pulsanteUscita_}))
        QTimer::singleShot(0, this, &FinestraRiparaDb::valida);
    return QDialog::eventFilter(oggetto, evento);
}

void FinestraRiparaDb::valida() {
    if (!ValidaDataBaseDaRiparare(contesto_.messaggi, percorso_->text().trimmed())) percorso_->setFocus();
}

void FinestraRiparaDb::recupera() {
    RiparaDataBase(database_, contesto_.messaggi, percorso_->text().trimmed(), UscitaSuRegistro(registro_));
}

} // namespace qv
