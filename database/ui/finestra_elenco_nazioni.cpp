#include "database/ui/finestra_elenco_nazioni.h"

#include "database/file_database.h"
#include "database/nazioni.h"
#include "shell/ui/collocazione.h"
#include "shell/ui/contesto_finestre.h"
#include "shell/ui/tasti_comuni.h"

#include <QHeaderView>
#include <QMouseEvent>
#include <QPushButton>
#include <QSqlQuery>
#include <QSqlQueryModel>
#include <QTableView>
#include <QVBoxLayout>

namespace qv {

FinestraElencoNazioni::FinestraElencoNazioni(ContestoFinestre& contesto, StatoDatabase& database,
                                             QWidget* parent)
    : QDialog(parent), contesto_(contesto), database_(database) {
    setObjectName(QStringLiteral("EleNaz"));
    setWindowTitle(QStringLiteral("ELENCO NAZIONI"));
    auto* layout = new QVBoxLayout(this);
    griglia_ = new QTableView(this);
    griglia_->setObjectName(QStringLiteral("TDBGrid1"));
    griglia_->setSelectionBehavior(QAbstractItemView::SelectRows);
    griglia_->setSelectionMode(QAbstractItemView::SingleSelection);
    griglia_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    griglia_->verticalHeader()->hide();
    griglia_->horizontalHeader()->setSectionsClickable(false); // the window reads both buttons itself
    griglia_->horizontalHeader()->viewport()->installEventFilter(this);
    modello_ = new QSqlQueryModel(this);
    griglia_->setModel(modello_);
    pulsanteUscita_ = new QPushButton(QStringLiteral("&USCITA"), this);
    pulsanteUscita_->setObjectName(QStringLiteral("Command1"));
    pulsanteUscita_->setAutoDefault(false);
    layout->addWidget(griglia_);
    layout->addWidget(pulsanteUscita_, 0, Qt::AlignRight);
    connect(pulsanteUscita_, &QPushButton::clicked, this, &QDialog::close);
    connect(griglia_, &QTableView::activated, this, &FinestraElencoNazioni::scegli);

    UsaTastiComuni(this, QStringLiteral("%U"), false);
    InvioProprio(griglia_);
    ordina(0, 1);
    griglia_->setColumnWidth(1,
                             QFontMetrics(griglia_->font()).horizontalAdvance(QString(24, QLatin1Char('M'))));
    resize(griglia_->horizontalHeader()->length() + 60, 420);
    RipristinaFinestra(this, contesto_, true);
}

void FinestraElencoNazioni::done(int esito) {
    SalvaFinestra(this, contesto_, true);
    QDialog::done(esito);
}

bool FinestraElencoNazioni::eventFilter(QObject* oggetto, QEvent* evento) {
    if (oggetto == griglia_->horizontalHeader()->viewport() && evento->type() == QEvent::MouseButtonPress) {
        const auto* m = static_cast<QMouseEvent*>(evento);
        const int colonna = griglia_->horizontalHeader()->logicalIndexAt(m->position().toPoint());
        // Only the code and the name sort; left ascending, right descending.
        if ((colonna == 0 || colonna == 1) &&
            (m->button() == Qt::LeftButton || m->button() == Qt::RightButton))
            ordina(colonna, m->button() == Qt::LeftButton ? 1 : 2);
        return true;
    }
    return QDialog::eventFilter(oggetto, evento);
}

void FinestraElencoNazioni::ordina(int colonna, int direzione) {
    if (colonna == colonna_ && direzione == direzione_) return;
    colonna_ = colonna;
    direzione_ = direzione;
    if (!database_.DatabaseAperto) return;
    InizioAttesa(database_);
    try {
        modello_->setQuery(database_.DbLavoro.traduci(SqlElencoNazioni(colonna, direzione)),
                           database_.DbLavoro.connessioneSql());
        while (modello_->canFetchMore())
            modello_->fetchMore();
    } catch (const dao::ErroreDao& e) {
        modello_->clear();
        contesto_.messaggi.mostra(e.descrizione(), QStringLiteral("EleNaz"), Icona::Esclamazione);
    }
    int i = 0;
    for (const char* titolo : {"COD", "DESCRIZIONE", "Bandiera"})
        modello_->setHeaderData(i++, Qt::Horizontal, QString::fromLatin1(titolo));
    FineAttesa(database_);
}

void FinestraElencoNazioni::scegli(const QModelIndex& riga) {
    if (!riga.isValid()) return;
    database_.Messaggio = modello_->data(modello_->index(riga.row(), 0)).toString();
    close();
}

} // namespace qv
