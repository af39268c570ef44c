#include "database/copia_database.h"

#include "database/dao/errore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sqlite3.h>

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include <fcntl.h>
#include <unistd.h>

namespace qv {

namespace {

QString descrizioneFile(int numero) {
    switch (numero) {
    case erroriFile::FileNonTrovato:
        return QStringLiteral("Impossibile trovare il file");
    case erroriFile::AutorizzazioneNegata:
        return QStringLiteral("Autorizzazione negata");
    case erroriFile::PercorsoNonTrovato:
        return QStringLiteral("Impossibile trovare il percorso");
    default:
        return QStringLiteral("Errore di accesso al percorso/file");
    }
}

// The engine's error for an SQLite result code met on `percorso`.
[[noreturn]] void sollevaSqlite(int codice, const QString& percorso, sqlite3* db) {
    switch (codice & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        dao::solleva(dao::errori::InUsoDaAltri, percorso);
    case SQLITE_NOTADB:
        dao::solleva(dao::errori::FormatoNonRiconosciuto, percorso);
    case SQLITE_CORRUPT:
        dao::solleva(dao::errori::DatabaseDanneggiato, percorso);
    case SQLITE_FULL:
        dao::solleva(dao::errori::DiscoPieno, percorso);
    case SQLITE_CANTOPEN:
    case SQLITE_READONLY:
    case SQLITE_PERM:
        dao::solleva(dao::errori::AccessoNegato, percorso);
    default:
        dao::solleva(dao::errori::Riservato,
                     db ? QString::fromUtf8(sqlite3_errmsg(db)) : QString::fromUtf8(sqlite3_errstr(codice)));
    }
}

sqlite3* apri(const QString& percorso, int modo) {
    sqlite3* db = nullptr;
    const int rc = sqlite3_open_v2(QFile::encodeName(percorso).constData(), &db, modo, nullptr);
    if (rc != SQLITE_OK) {
        sqlite3_close(db);
        sollevaSqlite(rc, percorso, nullptr);
    }
    sqlite3_busy_timeout(db, 2000);
    return db;
}

void esegui(sqlite3* db, const QString& sql, const QString& percorso) {
    const int rc = sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK)
        sollevaSqlite(sqlite3_extended_errcode(db), percorso, db);
}

// The file's content on the disk before it is renamed into place.
bool sincronizza(const QString& percorso) {
    const int fd = ::open(QFile::encodeName(percorso).constData(), O_RDONLY);
    if (fd < 0)
        return false;
    const bool ok = ::fsync(fd) == 0;
    ::close(fd);
    return ok;
}

} // namespace

void sollevaErroreFile(int numero) { throw dao::ErroreDao(numero, descrizioneFile(numero)); }

bool erroreDiOccupazione(int numero) {
    return numero == dao::errori::ApertoInEsclusiva || numero == dao::errori::InUsoDaAltri;
}

void CopiaConsistente(const QString& origine, const QString& destinazione) {
    const QFileInfo fo(origine);
    if (!fo.isFile())
        dao::solleva(dao::errori::FileNonTrovato, origine);
    if (fo.size() == 0)
        dao::solleva(dao::errori::FormatoNonRiconosciuto, origine);
    const QFileInfo fd(destinazione);
    if (!fd.absoluteDir().exists())
        sollevaErroreFile(erroriFile::PercorsoNonTrovato);
    if (fd.exists() && !QFile::remove(destinazione))
        sollevaErroreFile(erroriFile::AutorizzazioneNegata);

    // Read-write, so that a transaction a killed writer left is rolled back
    // before the pages are read.
    sqlite3* da = apri(origine, SQLITE_OPEN_READWRITE);
    sqlite3* a = nullptr;
    int rc = SQLITE_OK;
    try {
        esegui(da, QStringLiteral("SELECT count(*) FROM sqlite_master"), origine);
        a = apri(destinazione, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
    } catch (...) {
        sqlite3_close(da);
        sqlite3_close(a);
        if (a == nullptr && QFileInfo::exists(destinazione) && QFileInfo(destinazione).size() == 0)
            QFile::remove(destinazione);
        throw;
    }
    sqlite3_backup* b = sqlite3_backup_init(a, "main", da, "main");
    if (b == nullptr) {
        rc = sqlite3_extended_errcode(a);
    } else {
        bool primo = true;
        do {
            rc = sqlite3_backup_step(b, primo ? 8 : -1);
            if (primo && rc == SQLITE_OK)
                PuntoInterruzione("copia");
            primo = false;
        } while (rc == SQLITE_OK);
        const int fine = sqlite3_backup_finish(b);
        if (rc == SQLITE_DONE)
            rc = fine;
    }
    sqlite3_close(a);
    sqlite3_close(da);
    if (rc != SQLITE_OK && rc != SQLITE_DONE) {
        QFile::remove(destinazione); // a copy cut short is worth nothing
        if ((rc & 0xff) == SQLITE_CANTOPEN || (rc & 0xff) == SQLITE_READONLY || (rc & 0xff) == SQLITE_IOERR)
            sollevaErroreFile(erroriFile::ErroreAccesso);
        sollevaSqlite(rc, origine, nullptr);
    }
}

PresaEsclusiva::PresaEsclusiva(const QString& percorso) : percorso_(percorso) {
    if (!QFileInfo(percorso).isFile())
        dao::solleva(dao::errori::FileNonTrovato, percorso);
    if (blocco_.prendiEsclusivo(percorso) == dao::BloccoFile::Esito::Occupato)
        dao::solleva(dao::errori::InUsoDaAltri, percorso);
    try {
        db_ = apri(percorso, SQLITE_OPEN_READWRITE);
        sqlite3_busy_timeout(db_, 0);
        const int rc = sqlite3_exec(db_, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr);
        if ((rc & 0xff) == SQLITE_BUSY)
            dao::solleva(dao::errori::ApertoInEsclusiva, percorso);
        if (rc != SQLITE_OK)
            sollevaSqlite(sqlite3_extended_errcode(db_), percorso, db_);
        sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
        sqlite3_busy_timeout(db_, 2000);
    } catch (...) {
        rilascia();
        throw;
    }
}

PresaEsclusiva::~PresaEsclusiva() { rilascia(); }

void PresaEsclusiva::esegui(const QString& sql) { qv::esegui(db_, sql, percorso_); }

QString PresaEsclusiva::valore(const QString& sql) {
    sqlite3_stmt* st = nullptr;
    int rc = sqlite3_prepare_v2(db_, sql.toUtf8().constData(), -1, &st, nullptr);
    QString v;
    if (rc == SQLITE_OK) {
        rc = sqlite3_step(st);
        if (rc == SQLITE_ROW)
            v = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
    }
    sqlite3_finalize(st);
    if (rc != SQLITE_ROW && rc != SQLITE_DONE)
        sollevaSqlite(sqlite3_extended_errcode(db_), percorso_, db_);
    return v;
}

void PresaEsclusiva::rilascia() {
    if (db_ != nullptr)
        sqlite3_close(db_);
    db_ = nullptr;
    blocco_.rilascia();
}

void SostituisciFile(const QString& nuovo, const QString& percorso, const QString& conservato) {
    namespace fs = std::filesystem;
    if (!sincronizza(nuovo))
        sollevaErroreFile(erroriFile::ErroreAccesso);
    std::error_code ec;
    const fs::path da(QFile::encodeName(nuovo).toStdString());
    const fs::path a(QFile::encodeName(percorso).toStdString());
    if (!conservato.isEmpty() && QFileInfo::exists(percorso)) {
        const fs::path c(QFile::encodeName(conservato).toStdString());
        fs::remove(c, ec);
        fs::create_hard_link(a, c, ec);
        if (ec) {
            ec.clear();
            fs::copy_file(a, c, fs::copy_options::overwrite_existing, ec);
            if (ec || !sincronizza(conservato))
                sollevaErroreFile(erroriFile::ErroreAccesso);
        }
        PuntoInterruzione("conservato");
    }
    // One rename: the old file until it returns, the new one after.
    fs::rename(da, a, ec);
    if (ec)
        sollevaErroreFile(ec == std::errc::permission_denied ? erroriFile::AutorizzazioneNegata
                                                              : erroriFile::ErroreAccesso);
    const int cartella = ::open(QFile::encodeName(QFileInfo(percorso).absolutePath()).constData(), O_RDONLY);
    if (cartella >= 0) {
        ::fsync(cartella); // the rename itself on the disk; a failure here loses nothing already done
        ::close(cartella);
    }
    PuntoInterruzione("sostituito");
}

void PuntoInterruzione(const char* punto) {
    static const QByteArray scelto = qgetenv("QUORVAN_PROVA_INTERROMPI");
    if (!scelto.isEmpty() && scelto == punto) {
        std::fflush(nullptr);
        std::raise(SIGKILL);
    }
}

} // namespace qv
