#include "archive/ui/modello_archivio.h"

#include "archive/colonne_griglia.h"
#include "archive/formato_csv.h"
#include "database/stato_database.h"

#include <QColor>
#include <QLocale>

#include <limits>

namespace qv {

namespace {

// A Windows RGB value: red in the low byte.
QColor coloreWindows(qint32 rgb) {
    return QColor(rgb & 0xff, (rgb >> 8) & 0xff, (rgb >> 16) & 0xff);
}

constexpr int kColonnaStato = kNumeroColonne - 1;

} // namespace

ModelloArchivio::ModelloArchivio(StatoDatabase& database, QObject* parent)
    : QAbstractTableModel(parent), database_(database), pagineEstrazione_(database.DbLavoro) {}

void ModelloArchivio::imposta(const QString& selezione, const OrdineArchivio& ordine) {
    beginResetModel();
    pagine_.clear();
    // A statement the engine refuses shows no rows, as the grid would.
    if (database_.DatabaseAperto)
        pagineEstrazione_.imposta(selezione, ordine);
    else
        pagineEstrazione_.svuota();
    endResetModel();
}

void ModelloArchivio::ridisegna() {
    if (rowCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, kNumeroColonne - 1), {Qt::BackgroundRole});
}

int ModelloArchivio::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(std::min<qint64>(totale(), std::numeric_limits<int>::max()));
}

int ModelloArchivio::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kNumeroColonne; }

const ModelloArchivio::Pagina& ModelloArchivio::pagina(int numero) const {
    auto trovata = pagine_.find(numero);
    if (trovata != pagine_.end()) {
        trovata->uso = ++orologio_;
        return *trovata;
    }
    if (pagine_.size() >= kPagineMassime) {
        auto vecchia = pagine_.begin();
        for (auto i = pagine_.begin(); i != pagine_.end(); ++i)
            if (i->uso < vecchia->uso)
                vecchia = i;
        pagine_.erase(vecchia);
    }
    Pagina p;
    p.uso = ++orologio_;
    if (database_.DatabaseAperto)
        p.righe = pagineEstrazione_.righe(qint64(numero) * kRighePagina, kRighePagina);
    return *pagine_.insert(numero, p);
}

QVariant ModelloArchivio::valore(int riga, int colonna) const {
    const Pagina& p = pagina(riga / kRighePagina);
    const int i = riga % kRighePagina;
    return i < p.righe.size() ? p.righe.at(i).value(colonna) : QVariant();
}

QVariant ModelloArchivio::data(const QModelIndex& indice, int ruolo) const {
    if (!indice.isValid() || indice.row() >= rowCount())
        return {};
    if (ruolo == Qt::BackgroundRole) {
        const QVariant stato = valore(indice.row(), kColonnaStato);
        const int voce = ColoreDaLettera(stato.isNull() ? QString() : LetteraStato(stato.toInt()));
        return coloreWindows(database_.ColoriGriglia[std::size_t(voce)]);
    }
    if (ruolo != Qt::DisplayRole)
        return {};
    const QVariant v = valore(indice.row(), indice.column());
    if (indice.column() == kColonnaStato)
        return v.isNull() ? QString() : LetteraStato(v.toInt());
    const ColonnaGriglia& c = ColonneGriglia().at(indice.column());
    if (c.tipo == TipoCampo::Data)
        return FormattaCampoCsv(v, TipoCampo::Data, QLocale::system());
    return v.toString();
}

QVariant ModelloArchivio::headerData(int sezione, Qt::Orientation orientamento, int ruolo) const {
    if (orientamento == Qt::Horizontal && ruolo == Qt::DisplayRole && sezione >= 0 && sezione < kNumeroColonne)
        return ColonneGriglia().at(sezione).intestazione;
    return QAbstractTableModel::headerData(sezione, orientamento, ruolo);
}

} // namespace qv
