#include "database/dao/workspace.h"

#include "database/dao/blocco_file.h"
#include "database/dao/connessione.h"
#include "database/dao/errore.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>

namespace qv::dao {

Database Workspace::OpenDatabase(const QString& percorso) {
    auto c = Connessione::apri(percorso, attesaBloccoMs_);
    databases_.append(c);
    return Database(c);
}

Database Workspace::CreateDatabase(const QString& percorso) {
    if (QFileInfo::exists(percorso))
        solleva(errori::DatabaseEsistente, percorso);
    const QString nome = QStringLiteral("qv-crea-database");
    QSqlError errore;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), nome);
        db.setDatabaseName(percorso);
        if (!db.open()) {
            errore = db.lastError();
        } else {
            // SQLite writes the file's header with the first change.
            QSqlQuery q(db);
            if (!q.exec(QStringLiteral("PRAGMA user_version = 1")))
                errore = q.lastError();
            q.finish();
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(nome);
    if (errore.isValid()) {
        QFile::remove(percorso);
        throw erroreDaSqlite(errore, percorso);
    }
    return OpenDatabase(percorso);
}

QList<std::shared_ptr<Connessione>> Workspace::aperti() {
    QList<std::shared_ptr<Connessione>> r;
    QList<std::weak_ptr<Connessione>> ancora;
    for (const auto& w : databases_) {
        if (auto c = w.lock(); c && c->aperta()) {
            r.append(c);
            ancora.append(w);
        }
    }
    databases_ = ancora;
    return r;
}

void Workspace::BeginTrans() {
    QList<std::shared_ptr<Connessione>> iniziate;
    try {
        for (const auto& c : aperti()) {
            c->iniziaTransazione();
            iniziate.append(c);
        }
    } catch (...) {
        for (const auto& c : iniziate)
            c->annullaTransazione();
        throw;
    }
}

QList<std::shared_ptr<Connessione>> Workspace::inTransazione() {
    QList<std::shared_ptr<Connessione>> r;
    for (const auto& c : aperti())
        if (c->livelloTransazione() > 0)
            r.append(c);
    if (r.isEmpty())
        solleva(errori::TransazioneAssente);
    return r;
}

void Workspace::CommitTrans() {
    for (const auto& c : inTransazione())
        c->confermaTransazione();
}

void Workspace::Rollback() {
    for (const auto& c : inTransazione())
        c->annullaTransazione();
}

namespace DBEngine {

namespace {

// The file to itself: fails with 3196 while anyone has it open.
void prendiPerIntero(BloccoFile& blocco, const QString& percorso) {
    if (blocco.prendiEsclusivo(percorso) == BloccoFile::Esito::Occupato)
        solleva(errori::InUsoDaAltri, percorso);
}

} // namespace

void CompactDatabase(const QString& origine, const QString& destinazione) {
    verificaFileDatabase(origine);
    if (QFileInfo::exists(destinazione))
        solleva(errori::DatabaseEsistente, destinazione);
    BloccoFile blocco;
    prendiPerIntero(blocco, origine);
    bool scritto = false;
    try {
        auto c = Connessione::apri(origine, 0, false);
        scritto = true;
        c->esegui(QStringLiteral("VACUUM INTO ") + letterale(QFileInfo(destinazione).absoluteFilePath()), {},
                  origine);
        c->chiudi();
    } catch (...) {
        if (scritto)
            QFile::remove(destinazione); // a half-written copy is worth nothing
        throw;
    }
}

void RepairDatabase(const QString& percorso) {
    // A damaged file may fail the size check that guards every open; the
    // repair is where it is read anyway.
    try {
        verificaFileDatabase(percorso);
    } catch (const ErroreDao& e) {
        if (e.numero() != errori::DatabaseDanneggiato)
            throw;
    }
    BloccoFile blocco;
    prendiPerIntero(blocco, percorso);

    QString esito;
    QStringList oggetti; // CREATE statements: tables first, then indexes and views
    QStringList tabelle;
    {
        QSqlDatabase vecchio = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("qv-ripara-vecchio"));
        vecchio.setDatabaseName(percorso);
        vecchio.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=0"));
        if (vecchio.open()) {
            QSqlQuery q(vecchio);
            if (q.exec(QStringLiteral("PRAGMA integrity_check")) && q.next())
                esito = q.value(0).toString();
            if (esito != QLatin1String("ok") &&
                q.exec(QStringLiteral("SELECT type, name, sql FROM sqlite_master WHERE sql IS NOT NULL AND name "
                                      "NOT LIKE 'sqlite\\_%' ESCAPE '\\' ORDER BY CASE type WHEN 'table' THEN 0 "
                                      "WHEN 'index' THEN 1 ELSE 2 END, rowid"))) {
                while (q.next()) {
                    oggetti << q.value(2).toString();
                    if (q.value(0).toString() == QLatin1String("table"))
                        tabelle << q.value(1).toString();
                }
            }
            q.finish();
            vecchio.close();
        }
    }
    QSqlDatabase::removeDatabase(QStringLiteral("qv-ripara-vecchio"));
    if (esito == QLatin1String("ok"))
        return;
    if (oggetti.isEmpty())
        solleva(errori::DatabaseDanneggiato, percorso);

    // Rebuilt beside the file from what can still be read: the schema, then
    // each table's rows in slices, so that a damaged page costs only the
    // rows on it.
    const QString nuovo = percorso + QStringLiteral(".ripara");
    QFile::remove(nuovo);
    bool riuscito = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("qv-ripara-nuovo"));
        db.setDatabaseName(nuovo);
        if (db.open()) {
            QSqlQuery q(db);
            q.exec(QStringLiteral("PRAGMA legacy_alter_table = ON"));
            riuscito = q.exec(QStringLiteral("ATTACH DATABASE %1 AS vecchio").arg(letterale(percorso)));
            for (const QString& s : oggetti)
                q.exec(s); // an index that the damage made impossible is left out
            for (const QString& t : tabelle) {
                qint64 massimo = 0;
                if (q.exec(QStringLiteral("SELECT max(rowid) FROM vecchio.%1").arg(quota(t))) && q.next())
                    massimo = q.value(0).toLongLong();
                const QString copia = QStringLiteral("INSERT OR IGNORE INTO main.%1 SELECT * FROM vecchio.%1 "
                                                     "WHERE rowid BETWEEN %2 AND %3");
                for (qint64 da = 0; da <= massimo; da += 500) {
                    if (q.exec(copia.arg(quota(t), QString::number(da), QString::number(da + 499))))
                        continue;
                    for (qint64 r = da; r < da + 500; ++r) // the slice met the damage: row by row
                        q.exec(copia.arg(quota(t), QString::number(r), QString::number(r)));
                }
            }
            q.finish();
            q.exec(QStringLiteral("DETACH DATABASE vecchio"));
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(QStringLiteral("qv-ripara-nuovo"));
    if (!riuscito) {
        QFile::remove(nuovo);
        solleva(errori::DatabaseDanneggiato, percorso);
    }
    const QString vecchioFile = percorso + QStringLiteral(".danneggiato");
    QFile::remove(vecchioFile);
    if (!QFile::rename(percorso, vecchioFile) || !QFile::rename(nuovo, percorso)) {
        QFile::rename(vecchioFile, percorso);
        QFile::remove(nuovo);
        solleva(errori::AccessoNegato, percorso);
    }
    QFile::remove(vecchioFile);
}

} // namespace DBEngine
} // namespace qv::dao
