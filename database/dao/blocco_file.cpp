#include "database/dao/blocco_file.h"

#include <QAtomicInt>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>

namespace qv::dao {

namespace {
QAtomicInt contatore;
}

QString fileBloccoDi(const QString& percorsoDatabase) {
    const QFileInfo fi(percorsoDatabase);
    return fi.absolutePath() + QLatin1Char('/') + fi.completeBaseName() + QStringLiteral(".ldb");
}

BloccoFile::Esito BloccoFile::prendiCondiviso(const QString& percorsoDatabase) {
    return prendi(percorsoDatabase, false);
}

BloccoFile::Esito BloccoFile::prendiEsclusivo(const QString& percorsoDatabase) {
    return prendi(percorsoDatabase, true);
}

BloccoFile::Esito BloccoFile::prendi(const QString& percorsoDatabase, bool esclusivo) {
    rilascia();
    const QString file = fileBloccoDi(percorsoDatabase);
    const QString nome = QStringLiteral("qv-blocco-%1").arg(contatore.fetchAndAddRelaxed(1));
    Esito esito = Esito::Preso;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), nome);
        db.setDatabaseName(file);
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=0"));
        if (!db.open()) {
            esito = Esito::NonDisponibile;
        } else {
            QSqlQuery q(db);
            // A read inside an open transaction keeps SQLite's shared lock on
            // the companion file until the transaction ends.
            const bool ok = esclusivo ? q.exec(QStringLiteral("BEGIN EXCLUSIVE"))
                                      : q.exec(QStringLiteral("BEGIN")) &&
                                            q.exec(QStringLiteral("SELECT count(*) FROM sqlite_master")) &&
                                            q.next();
            if (!ok) {
                const bool occupato = (q.lastError().nativeErrorCode().toInt() & 0xff) == 5;
                esito = occupato ? Esito::Occupato : Esito::NonDisponibile;
            }
            q.finish();
            if (esito != Esito::Preso) {
                q.exec(QStringLiteral("ROLLBACK"));
                db.close();
            }
        }
    }
    if (esito != Esito::Preso) {
        QSqlDatabase::removeDatabase(nome);
        return esito;
    }
    nome_ = nome;
    file_ = file;
    return esito;
}

void BloccoFile::rilascia() {
    if (nome_.isEmpty())
        return;
    bool libero = false;
    {
        QSqlDatabase db = QSqlDatabase::database(nome_, false);
        QSqlQuery q(db);
        q.exec(QStringLiteral("ROLLBACK"));
        // Nobody else holds it: the companion file goes, as the lock file of
        // the Jet engine goes when its last user leaves.
        libero = q.exec(QStringLiteral("BEGIN EXCLUSIVE"));
        q.exec(QStringLiteral("ROLLBACK"));
        q.finish();
        db.close();
    }
    QSqlDatabase::removeDatabase(nome_);
    if (libero)
        QFile::remove(file_);
    nome_.clear();
    file_.clear();
}

} // namespace qv::dao
