#include "database/dao/database.h"

#include "database/dao/catalogo.h"
#include "database/dao/connessione.h"
#include "database/dao/errore.h"
#include "database/dao/jet_sql.h"
#include "database/dao/recordset_impl.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>

namespace qv::dao {

bool Database::isOpen() const { return c_ && c_->aperta(); }

QString Database::Name() const { return connessione().percorso(); }

void Database::Close() {
    if (c_)
        c_->chiudi();
    c_.reset();
}

Connessione& Database::connessione() const {
    if (!c_)
        solleva(errori::OggettoNonValido);
    c_->verificaAperta();
    return *c_;
}

SqlTradotto Database::traduciPer(const QString& sqlJet, bool ignoraErrori) const {
    Connessione& c = connessione();
    // Field names for "INSERT INTO T SELECT U.*": from this database, or
    // from the other file the selection reads.
    const ColonneDi colonne = [&c](const QString& tabella, const QString& percorso) -> std::optional<QStringList> {
        if (percorso.isEmpty())
            return catalogo::colonne(c, tabella);
        auto esterna = Connessione::apri(percorso, 0);
        return catalogo::colonne(*esterna, tabella);
    };
    return traduciJetSql(sqlJet, colonne, ignoraErrori);
}

QString Database::traduci(const QString& sqlJet) const {
    const SqlTradotto t = traduciPer(sqlJet, false);
    if (t.tipo != SqlTradotto::Tipo::Selezione || !t.esterne.isEmpty())
        solleva(errori::ErroreSintassi, QStringLiteral("non è una selezione di questo database: '%1'").arg(sqlJet));
    return t.sql;
}

QSqlDatabase Database::connessioneSql() const { return connessione().db(); }

Recordset Database::OpenRecordset(const QString& origine, int tipo) {
    connessione();
    if (tipo == dbOpenTable)
        return Recordset(apriTabella(c_, origine.trimmed()));
    if (tipo != dbOpenSnapshot)
        solleva(errori::OperazioneNonSupportata, origine);
    const QString sql = origine.trimmed().startsWith(QLatin1String("SELECT"), Qt::CaseInsensitive)
                            ? origine
                            : QStringLiteral("SELECT * FROM [%1]").arg(origine.trimmed());
    const SqlTradotto t = traduciPer(sql, false);
    if (t.tipo != SqlTradotto::Tipo::Selezione)
        solleva(errori::OperazioneNonSupportata, origine);
    if (!t.esterne.isEmpty())
        solleva(errori::ErroreSintassi, QStringLiteral("selezione da un altro file: '%1'").arg(origine));
    return Recordset(apriSnapshot(c_, sql, t.sql, t.tabelle));
}

void Database::Execute(const QString& sql, int opzioni) {
    Connessione& c = connessione();
    const SqlTradotto t = traduciPer(sql, (opzioni & dbFailOnError) == 0);
    if (t.tipo == SqlTradotto::Tipo::Selezione)
        solleva(errori::QuerySelezione, sql);
    QStringList allegati;
    auto stacca = [&] {
        for (const QString& a : allegati) {
            QSqlQuery q(c.db());
            q.exec(QStringLiteral("DETACH DATABASE ") + quota(a));
        }
    };
    try {
        if (!t.esterne.isEmpty() && c.livelloTransazione() > 0)
            solleva(errori::ErroreSintassi,
                    QStringLiteral("lettura da un altro file durante una transazione: '%1'").arg(sql));
        for (const TabellaEsterna& e : t.esterne) {
            verificaFileDatabase(e.percorso);
            // Read-only: the other file is never changed, nor created.
            c.esegui(QStringLiteral("ATTACH DATABASE ? AS ") + quota(e.alias),
                     {QUrl::fromLocalFile(e.percorso).toString(QUrl::FullyEncoded) + QStringLiteral("?mode=ro")},
                     e.percorso);
            allegati << e.alias;
        }
        QSqlQuery q(c.db());
        if (!q.exec(t.sql))
            throw erroreDaSqlite(q.lastError(), t.tabelle.value(0));
        righe_ = q.numRowsAffected();
    } catch (...) {
        stacca();
        throw;
    }
    stacca();
}

qint64 Database::RecordsAffected() const { return righe_; }

QList<TableDef> Database::TableDefs() const { return catalogo::leggiTabelle(connessione()); }

std::optional<TableDef> Database::tabella(const QString& nome) const {
    return catalogo::leggiTabella(connessione(), nome);
}

void Database::AppendTableDef(const TableDef& definizione) { catalogo::creaTabella(connessione(), definizione); }
void Database::DeleteTableDef(const QString& nome) { catalogo::eliminaTabella(connessione(), nome); }
void Database::RenameTableDef(const QString& nome, const QString& nuovoNome) {
    catalogo::rinominaTabella(connessione(), nome, nuovoNome);
}
void Database::AppendField(const QString& tabella, const Field& campo) {
    catalogo::aggiungiCampo(connessione(), tabella, campo);
}
void Database::DeleteField(const QString& tabella, const QString& campo) {
    catalogo::eliminaCampo(connessione(), tabella, campo);
}
void Database::AppendIndex(const QString& tabella, const Index& indice) {
    catalogo::creaIndice(connessione(), tabella, indice);
}
void Database::DeleteIndex(const QString& tabella, const QString& indice) {
    catalogo::eliminaIndice(connessione(), tabella, indice);
}

QList<QueryDef> Database::QueryDefs() const { return catalogo::leggiQuery(connessione()); }

void Database::CreateQueryDef(const QString& nome, const QString& sql) {
    const SqlTradotto t = traduciPer(sql, false);
    if (t.tipo != SqlTradotto::Tipo::Selezione || !t.esterne.isEmpty())
        solleva(errori::OperazioneNonSupportata, QStringLiteral("query %1: solo selezioni di questo database").arg(nome));
    catalogo::creaQuery(connessione(), nome, sql, t.sql);
}

void Database::DeleteQueryDef(const QString& nome) { catalogo::eliminaQuery(connessione(), nome); }

void Database::BeginTrans() { connessione().iniziaTransazione(); }
void Database::CommitTrans() { connessione().confermaTransazione(); }
void Database::Rollback() { connessione().annullaTransazione(); }

} // namespace qv::dao
