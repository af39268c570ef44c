#include "database/dao/lettura_righe.h"

#include "database/dao/database.h"
#include "database/dao/errore.h"

#include <QSqlDriver>
#include <QSqlError>

#include <sqlite3.h>

namespace qv::dao {

namespace {

// Enough for any archive; SQLite maps no more than the file holds.
constexpr const char* kMappa = "PRAGMA mmap_size = 4294967296";
constexpr const char* kSenzaMappa = "PRAGMA mmap_size = 0";

} // namespace

LetturaRighe::LetturaRighe(const Database& db, const QString& sqlite, Mappa mappa, Connessione connessione)
    : connessione_(db.connessioneSql()) {
    // The QtSql driver of this build runs on the system's SQLite library,
    // the one linked here, so its handle can be used directly.
    const QVariant h = connessione_.driver() ? connessione_.driver()->handle() : QVariant();
    if (!h.isValid() || qstrcmp(h.typeName(), "sqlite3*") != 0 || !(db_ = *static_cast<sqlite3* const*>(h.constData())))
        solleva(errori::Riservato, QStringLiteral("connessione SQLite non disponibile"));
    const char* file = nullptr;
    if (connessione == Connessione::Propria) {
        file = sqlite3_db_filename(db_, "main");
        if (!file || !*file)
            solleva(errori::Riservato, QStringLiteral("database senza file"));
        propria_ = true;
    }
    try {
        if (propria_ && sqlite3_open_v2(file, &db_, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr) != SQLITE_OK)
            guasto();
        if (sqlite3_prepare_v2(db_, sqlite.toUtf8().constData(), -1, &st_, nullptr) != SQLITE_OK)
            guasto();
    } catch (...) {
        if (propria_)
            sqlite3_close(db_); // a connection of its own is closed even when it failed to open
        throw;
    }
    if (mappa == Mappa::Si)
        mappata_ = sqlite3_exec(db_, kMappa, nullptr, nullptr, nullptr) == SQLITE_OK;
}

LetturaRighe::~LetturaRighe() {
    if (st_)
        sqlite3_finalize(st_);
    if (mappata_)
        sqlite3_exec(db_, kSenzaMappa, nullptr, nullptr, nullptr);
    if (propria_)
        sqlite3_close(db_);
}

void LetturaRighe::guasto() const {
    const int codice = sqlite3_extended_errcode(db_);
    const QString testo = QString::fromUtf8(sqlite3_errmsg(db_));
    throw erroreDaSqlite(QSqlError(testo, testo, QSqlError::StatementError, QString::number(codice)));
}

bool LetturaRighe::prossima() {
    const int rc = sqlite3_step(st_);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    guasto();
}

int LetturaRighe::colonne() const { return sqlite3_column_count(st_); }

LetturaRighe::Tipo LetturaRighe::tipo(int colonna) const {
    switch (sqlite3_column_type(st_, colonna)) {
    case SQLITE_INTEGER:
        return Tipo::Intero;
    case SQLITE_FLOAT:
        return Tipo::Reale;
    case SQLITE_TEXT:
        return Tipo::Testo;
    case SQLITE_BLOB:
        return Tipo::Dati;
    default:
        return Tipo::Nullo;
    }
}

qint64 LetturaRighe::intero(int colonna) const { return sqlite3_column_int64(st_, colonna); }

double LetturaRighe::reale(int colonna) const { return sqlite3_column_double(st_, colonna); }

QByteArrayView LetturaRighe::testo(int colonna) const {
    const auto* t = reinterpret_cast<const char*>(sqlite3_column_text(st_, colonna));
    return QByteArrayView(t, sqlite3_column_bytes(st_, colonna));
}

QByteArrayView LetturaRighe::dati(int colonna) const {
    const auto* d = static_cast<const char*>(sqlite3_column_blob(st_, colonna));
    return QByteArrayView(d, sqlite3_column_bytes(st_, colonna));
}

QVariant LetturaRighe::valore(int colonna) const {
    switch (tipo(colonna)) {
    case Tipo::Intero:
        return intero(colonna);
    case Tipo::Reale:
        return reale(colonna);
    case Tipo::Testo:
        return QString::fromUtf8(testo(colonna));
    case Tipo::Dati:
        return dati(colonna).toByteArray();
    case Tipo::Nullo:
        break;
    }
    return {};
}

} // namespace qv::dao
