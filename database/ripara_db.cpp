#include "database/ripara_db.h"

#include "database/compatta_db.h"
#include "database/copia_database.h"
#include "database/dao/connessione.h"
#include "database/dao/errore.h"
#include "database/dao/workspace.h"
#include "database/file_database.h"
#include "shell/nome_programma.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStandardPaths>

namespace qv {

namespace {

// ".recover" of the sqlite3 program piped into a new file. False when the
// program is not installed.
bool recuperaConSqlite3(const QString& danneggiato, const QString& nuovo) {
    const QString programma = QStandardPaths::findExecutable(QStringLiteral("sqlite3"));
    if (programma.isEmpty())
        return false;
    QProcess leggi;
    QProcess scrivi;
    leggi.setStandardOutputProcess(&scrivi);
    scrivi.setStandardOutputFile(QProcess::nullDevice());
    leggi.start(programma, {danneggiato, QStringLiteral(".recover")});
    scrivi.start(programma, {nuovo});
    // Statements the damage made impossible fail one by one in the writer;
    // the rest is checked below, so their exit statuses tell nothing more.
    leggi.waitForFinished(-1);
    scrivi.waitForFinished(-1);
    // A build of the program without the page reader it needs (Debian's
    // 3.40) answers ".recover" with "sql error": the library reads instead.
    if (leggi.exitStatus() != QProcess::NormalExit || leggi.exitCode() != 0 ||
        leggi.readAllStandardError().contains("error") || scrivi.exitStatus() != QProcess::NormalExit) {
        QFile::remove(nuovo);
        return false;
    }
    return true;
}

// The schema, then each table's rows in slices of its rowids; a slice that
// meets the damage is read again row by row, so a damaged page costs only
// the rows on it (read by "rowid =": a range would step into the damaged
// page after its row).
void leggiRigaPerRiga(const QString& danneggiato, const QString& nuovo) {
    const QString nome = QStringLiteral("qv-recupero");
    bool riuscito = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), nome);
        db.setDatabaseName(nuovo);
        QSqlQuery q(db);
        if (db.open() && q.exec(QStringLiteral("ATTACH DATABASE %1 AS vecchio").arg(dao::letterale(danneggiato))) &&
            q.exec(QStringLiteral("SELECT type, name, sql FROM vecchio.sqlite_master WHERE sql IS NOT NULL ORDER BY "
                                  "type <> 'table', rowid"))) {
            QList<std::pair<QString, QString>> oggetti; // name (tables only), statement
            while (q.next())
                oggetti.append({q.value(0).toString() == QLatin1String("table") ? q.value(1).toString() : QString(),
                                q.value(2).toString()});
            riuscito = !oggetti.isEmpty();
            // Each statement on its own (a statement meeting the damage may
            // take a transaction down with it), cheaply: the file is synced
            // as a whole before it is put in place.
            q.exec(QStringLiteral("PRAGMA main.synchronous = OFF"));
            for (const auto& [tabella, sql] : oggetti)
                q.exec(sql); // an object the damage made impossible is left out
            for (const auto& [tabella, sql] : oggetti) {
                if (tabella.isEmpty() || !q.exec(QStringLiteral("SELECT max(rowid) FROM vecchio.") + dao::quota(tabella)) ||
                    !q.next())
                    continue;
                const qint64 massimo = q.value(0).toLongLong();
                const QString copia = QStringLiteral("INSERT OR IGNORE INTO main.%1 SELECT * FROM vecchio.%1 WHERE "
                                                     "rowid BETWEEN %2 AND %3");
                for (qint64 da = 0; da <= massimo; da += 500) {
                    if (q.exec(copia.arg(dao::quota(tabella)).arg(da).arg(da + 499)))
                        continue;
                    for (qint64 r = da; r < da + 500; ++r)
                        q.exec(QStringLiteral("INSERT OR IGNORE INTO main.%1 SELECT * FROM vecchio.%1 WHERE rowid = %2")
                                   .arg(dao::quota(tabella))
                                   .arg(r));
                }
            }
            q.finish();
            q.exec(QStringLiteral("DETACH DATABASE vecchio"));
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(nome);
    if (!riuscito)
        dao::solleva(dao::errori::DatabaseDanneggiato, danneggiato);
}

void recupera(const QString& danneggiato, const QString& nuovo, Recupero via) {
    if (via != Recupero::Libreria && recuperaConSqlite3(danneggiato, nuovo)) {
        PresaEsclusiva p(nuovo);
        // Rows ".recover" could not place in a table: kept when there are
        // any (the damaged original stays beside the file anyway).
        if (p.valore(QStringLiteral("SELECT count(*) FROM sqlite_master WHERE name = 'lost_and_found'")) ==
                QLatin1String("1") &&
            p.valore(QStringLiteral("SELECT count(*) FROM lost_and_found")) == QLatin1String("0"))
            p.esegui(QStringLiteral("DROP TABLE lost_and_found"));
    } else {
        leggiRigaPerRiga(danneggiato, nuovo);
    }
    PresaEsclusiva p(nuovo);
    if (p.valore(QStringLiteral("PRAGMA integrity_check")) != QLatin1String("ok"))
        dao::solleva(dao::errori::DatabaseDanneggiato, danneggiato);
}

} // namespace

bool ValidaDataBaseDaRiparare(Messaggi& m, const QString& percorso) {
    const QString p = percorso.trimmed();
    if (p.isEmpty() || QFileInfo(p).isFile())
        return true;
    m.mostra(QStringLiteral("DataBase da recuperare inesistente"), NomeProgramma);
    return false;
}

QString FileDanneggiato(const QString& percorso) { return percorso + QStringLiteral(".danneggiato"); }

int RiparaDataBase(StatoDatabase& s, Messaggi& m, const QString& percorsoScritto, const UscitaAggiornamento& u,
                   Recupero via) {
    if (u.sfondo)
        u.sfondo(kSfondoInCorso);
    const QString percorso = percorsoScritto.trimmed();
    const QString nuovo = percorso + QStringLiteral(".ripara~");
    try {
        InizioAttesa(s);
        ChiudiDataBase(s);
        RigaManutenzione(u, QStringLiteral("Recupero di ") + percorso + QStringLiteral(" in corso..."));
        if (percorso.isEmpty())
            dao::solleva(dao::errori::FileNonTrovato, percorso);
        PresaEsclusiva presa(percorso);
        QString esito;
        try {
            esito = presa.valore(QStringLiteral("PRAGMA integrity_check"));
        } catch (const dao::ErroreDao& e) {
            if (e.numero() != dao::errori::DatabaseDanneggiato)
                throw;
        }
        QFile::remove(nuovo); // left by a repair that was cut short; never in use
        try {
            if (esito == QLatin1String("ok")) {
                presa.esegui(QStringLiteral("VACUUM INTO ") + dao::letterale(nuovo));
                PuntoInterruzione("copia");
                SostituisciFile(nuovo, percorso);
            } else {
                recupera(percorso, nuovo, via);
                PuntoInterruzione("copia");
                SostituisciFile(nuovo, percorso, FileDanneggiato(percorso));
                RigaManutenzione(u, QStringLiteral("Originale danneggiato conservato in ") + FileDanneggiato(percorso));
            }
        } catch (...) {
            QFile::remove(nuovo);
            throw;
        }
    } catch (const dao::ErroreDao& e) {
        return ErroreManutenzione(s, m, e.numero(), e.descrizione(),
                                  QStringLiteral("ERRORE IN FASE DI RECUPERO DEL DATABASE "), percorso);
    }
    s.DatabaseAperto = ApriDataBase(s);
    RigaManutenzione(u, percorso + QStringLiteral(" recuperato"));
    if (u.sfondo)
        u.sfondo(kSfondoRiuscito);
    FineAttesa(s);
    return 0;
}

} // namespace qv
