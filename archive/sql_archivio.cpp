#include "archive/sql_archivio.h"

#include "archive/colonne_griglia.h"
#include "archive/controllo_data.h"
#include "platform/day_number.h"

namespace qv {

namespace {

// Every extraction starts so; the statements derived from it below swap
// this select list for their own and keep the table and the filters.
const QString kSelezioneTutto = QStringLiteral("Select * FROM ");

} // namespace

QString ElencoSql(const QString& selezione, const QString& elenco) {
    if (!selezione.startsWith(kSelezioneTutto))
        return {};
    return QStringLiteral("Select ") + elenco + QStringLiteral(" FROM ") + selezione.mid(kSelezioneTutto.size());
}

QString RaddoppiaApici(const QString& testo) {
    QString s = testo;
    return s.replace(QLatin1Char('\''), QStringLiteral("''"));
}

QString EstraiMrnSql(const QString& tabella, const FiltriArchivio& filtri, const QDate& oggi) {
    QString sql = kSelezioneTutto + tabella;
    QString giunzione = QStringLiteral(" WHERE ");
    const auto aggiungi = [&](const QString& condizione) {
        sql += giunzione + condizione;
        giunzione = QStringLiteral(" AND ");
    };

    if (filtri.stato >= 0 && filtri.stato < kStatoTutti)
        aggiungi(QStringLiteral("OKStato = ") + QString::number(filtri.stato));
    if (!filtri.nazione.trimmed().isEmpty())
        aggiungi(QStringLiteral("Nazione = '") + RaddoppiaApici(filtri.nazione.left(2)) + QLatin1Char('\''));
    if (!filtri.anno.trimmed().isEmpty())
        aggiungi(QStringLiteral("left([") + tabella + QStringLiteral("].[Codice],2) = '") +
                 RaddoppiaApici(filtri.anno) + QLatin1Char('\''));
    if (!filtri.tipo.trimmed().isEmpty())
        aggiungi(QStringLiteral("mid([") + tabella + QStringLiteral("].[Codice],17,1) = '") +
                 RaddoppiaApici(filtri.tipo) + QLatin1Char('\''));

    const qint64 giornoOggi = static_cast<qint64>(platform::dayNumber(oggi));
    const qint64 primo = static_cast<qint64>(GiornoDaParti(filtri.dal[0], filtri.dal[1], filtri.dal[2]).value_or(0));
    const qint64 ultimo =
        static_cast<qint64>(GiornoDaParti(filtri.al[0], filtri.al[1], filtri.al[2]).value_or(giornoOggi));
    if (primo > 0 || ultimo < giornoOggi)
        aggiungi(QStringLiteral(" DataElab BETWEEN ") + QString::number(primo) + QStringLiteral(" AND ") +
                 QString::number(ultimo));

    const QString frammento = filtri.frammento.trimmed();
    if (!frammento.isEmpty())
        aggiungi(QStringLiteral("Codice LIKE '*") + RaddoppiaApici(frammento) + QStringLiteral("*'"));
    return sql;
}

QString ImpostaOrdineSql(const QString& selezione, const OrdineArchivio& ordine) {
    QString sql = selezione + QStringLiteral(" ORDER BY ") + CampoColonna(ordine.colonna) +
                  (ordine.verso == 2 ? QStringLiteral(" DESC") : QStringLiteral(" ASC"));
    if (ordine.colonna > 1)
        sql += QStringLiteral(", Codice");
    return sql;
}

QString SenzaFiltriSql(const QString& selezione) { return selezione.section(QStringLiteral(" WHERE "), 0, 0); }

QString PiuFiltroSql(const QString& sql, const QString& condizione) {
    return sql + (sql.contains(QStringLiteral(" WHERE ")) ? QStringLiteral(" AND ") : QStringLiteral(" WHERE ")) +
           condizione;
}

QString RigheNumerateSql(const QString& selezione, const QList<qint64>& numeri) {
    const QString sql = ElencoSql(selezione, QStringLiteral("*, rowid"));
    if (sql.isEmpty() || numeri.isEmpty())
        return {};
    QString elenco;
    for (qsizetype i = 0; i < numeri.size(); ++i)
        elenco += (i ? QStringLiteral(", ") : QString()) + QString::number(numeri.at(i));
    return PiuFiltroSql(sql, QStringLiteral("rowid IN (") + elenco + QLatin1Char(')'));
}

QString EliminaMrnSql(const QString& codice) {
    return QStringLiteral("DELETE * FROM MRN WHERE Codice = '") + RaddoppiaApici(codice) + QLatin1Char('\'');
}

} // namespace qv
