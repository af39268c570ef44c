#include "archive/pagine_estrazione.h"

#include "archive/colonne_griglia.h"
#include "archive/estrazione_archivio.h"
#include "database/dao/database.h"
#include "database/dao/errore.h"

#include <QHash>
#include <QSqlQuery>
#include <QSqlRecord>

namespace qv {

void PagineEstrazione::svuota() {
    selezione_.clear();
    tradotto_.clear();
    totale_ = 0;
    ordinataQui_ = false;
    numeri_ = {};
}

bool PagineEstrazione::imposta(const QString& selezione, const OrdineArchivio& ordine) {
    svuota();
    try {
        tradotto_ = db_.traduci(ImpostaOrdineSql(selezione, ordine));
    } catch (const dao::ErroreDao&) {
        return false;
    }
    selezione_ = selezione;
    // SQLite sorts with a temporary b-tree (for all of the ORDER BY or part
    // of it) when no index gives the order, and a filter no index serves
    // (the kind, a code fragment) is a scan of the whole key index for every
    // page and again for the count: then the program sorts, reading the
    // selection once.
    const bool filtrata = selezione.contains(QStringLiteral(" WHERE "));
    if (PianoContiene(db_, tradotto_, QStringLiteral("TEMP B-TREE")) ||
        (filtrata && PianoContiene(db_, tradotto_, QStringLiteral("SCAN")))) {
        try {
            if (std::optional<std::vector<qint64>> numeri = ordinatore_.ordina(db_, selezione, ordine)) {
                numeri_ = std::move(*numeri);
                ordinataQui_ = true;
                totale_ = qint64(numeri_.size());
                return true;
            }
        } catch (const std::exception&) {
            // A statement refused, or no memory for the sort: left to SQLite, page by page.
        }
    }
    totale_ = ContaEstrazione(db_, selezione);
    if (totale_ < 0) {
        svuota();
        return false;
    }
    return true;
}

// A page the engine cannot read comes back empty: the grid shows blank rows.
QList<QVariantList> PagineEstrazione::leggi(const QString& sqlite) const {
    QList<QVariantList> righe;
    QSqlQuery q(db_.connessioneSql());
    q.setForwardOnly(true);
    if (!q.exec(sqlite))
        return righe;
    QList<int> posizioni;
    const QSqlRecord r = q.record();
    for (const ColonnaGriglia& c : ColonneGriglia())
        posizioni << r.indexOf(c.campo);
    const int numero = r.indexOf(QStringLiteral("rowid"));
    while (q.next()) {
        QVariantList riga;
        riga.reserve(posizioni.size() + 1);
        for (int pos : posizioni)
            riga << (pos >= 0 ? q.value(pos) : QVariant());
        if (numero >= 0)
            riga << q.value(numero);
        righe << riga;
    }
    return righe;
}

QList<QVariantList> PagineEstrazione::righe(qint64 primo, int quante) const {
    if (tradotto_.isEmpty() || primo < 0 || quante <= 0 || primo >= totale_)
        return {};
    if (!ordinataQui_)
        return leggi(tradotto_ + QStringLiteral(" LIMIT ") + QString::number(quante) + QStringLiteral(" OFFSET ") +
                     QString::number(primo));
    const qint64 fine = std::min<qint64>(totale_, primo + quante);
    const QList<qint64> numeri(numeri_.begin() + primo, numeri_.begin() + fine);
    QString sqlite;
    try {
        sqlite = db_.traduci(RigheNumerateSql(selezione_, numeri));
    } catch (const dao::ErroreDao&) {
        return {};
    }
    QHash<qint64, QVariantList> perNumero;
    for (QVariantList& riga : leggi(sqlite)) {
        const qint64 n = riga.takeLast().toLongLong();
        perNumero.insert(n, riga);
    }
    QList<QVariantList> righe;
    righe.reserve(numeri.size());
    for (qint64 n : numeri)
        righe << perNumero.value(n);
    return righe;
}

} // namespace qv
