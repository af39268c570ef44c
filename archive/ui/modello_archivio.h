#pragma once
// The archive browser's grid model: the rows of the current extraction read
// a page at a time around what the grid shows (PagineEstrazione), with a
// bounded cache of pages (the least recently used page is dropped), so an
// archive of any size opens and scrolls without being loaded whole. Cells
// show what the grid shows: a 0 date is blank, the state is its letter, and
// each row has its state's colour.

#include "archive/pagine_estrazione.h"

#include <QAbstractTableModel>
#include <QHash>
#include <QList>
#include <QString>
#include <QVariant>

namespace qv {

struct StatoDatabase;

class ModelloArchivio : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int kRighePagina = 200;
    static constexpr int kPagineMassime = 16;

    explicit ModelloArchivio(StatoDatabase& database, QObject* parent = nullptr);

    // Shows the rows of `selezione` (an extraction of EstraiMrnSql) in the
    // order given. Statements the engine refuses show no rows.
    void imposta(const QString& selezione, const OrdineArchivio& ordine);
    qint64 totale() const { return pagineEstrazione_.totale(); }
    int pagineInMemoria() const { return int(pagine_.size()); }
    // The colours changed: every row is painted again.
    void ridisegna();

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& indice, int ruolo = Qt::DisplayRole) const override;
    QVariant headerData(int sezione, Qt::Orientation orientamento, int ruolo = Qt::DisplayRole) const override;

private:
    struct Pagina {
        QList<QVariantList> righe; // values in grid column order
        quint64 uso = 0;
    };
    const Pagina& pagina(int numero) const;
    QVariant valore(int riga, int colonna) const;

    StatoDatabase& database_;
    PagineEstrazione pagineEstrazione_;
    mutable QHash<int, Pagina> pagine_;
    mutable quint64 orologio_ = 0;
};

} // namespace qv
