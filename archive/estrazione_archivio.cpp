#include "archive/estrazione_archivio.h"

#include "archive/colonne_griglia.h"
#include "database/dao/database.h"
#include "database/dao/errore.h"

#include <QSqlQuery>

namespace qv {

QString ModoBrowser::tabella() const { return archivio ? QStringLiteral("MRN") : QStringLiteral("WkMRN"); }

QString ModoBrowser::titolo() const {
    const QString base = QStringLiteral("ITINERARIO DI TRANSITO - NOTIFICA DI ESPORTAZIONE");
    return archivio ? base : base + QStringLiteral("  (RISULTATO ANALISI)");
}

int ModoBrowser::statoIniziale() const { return archivio ? kStatoSospeso : kStatoTutti; }

QString SqlEstrazione(const ModoBrowser& modo, const FiltriArchivio& filtri, const OrdineArchivio& ordine,
                      const QDate& oggi) {
    return ImpostaOrdineSql(EstraiMrnSql(modo.tabella(), filtri, oggi), ordine);
}

qint64 ContaEstrazione(dao::Database& db, const QString& selezione) {
    // One count over the translated selection: the same total as moving to
    // the last row, without walking the rows to get there.
    try {
        QSqlQuery q(db.connessioneSql());
        q.setForwardOnly(true);
        if (!q.exec(QStringLiteral("SELECT count(*) FROM (") + db.traduci(selezione) + QLatin1Char(')')) || !q.next())
            return -1;
        return q.value(0).toLongLong();
    } catch (const dao::ErroreDao&) {
        return -1;
    }
}

bool PianoContiene(const dao::Database& db, const QString& sqlite, const QString& testo) {
    QSqlQuery q(db.connessioneSql());
    q.setForwardOnly(true);
    if (!q.exec(QStringLiteral("EXPLAIN QUERY PLAN ") + sqlite))
        return false;
    while (q.next())
        if (q.value(3).toString().contains(testo))
            return true;
    return false;
}

QString DidascaliaEstrazione(const QString& titolo, qint64 righe) {
    if (righe <= 0)
        return titolo;
    return titolo + QStringLiteral("         Totale MRN = ") + QString::number(righe);
}

} // namespace qv
