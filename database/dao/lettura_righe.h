#pragma once
// A forward-only read of a selection straight from SQLite, for the reads
// that walk a whole table: values come as SQLite holds them, with no QVariant
// per value. For an export the file can be mapped into memory for the length
// of the read (rows taken in key order are scattered over the file; mapped, a
// page costs neither a read call nor a copy, once it is faulted in: a read
// that touches each page once is faster without). Failures throw ErroreDao.

#include <QByteArrayView>
#include <QSqlDatabase>
#include <QString>
#include <QVariant>

struct sqlite3;
struct sqlite3_stmt;

namespace qv::dao {

class Database;

class LetturaRighe {
public:
    enum class Tipo { Nullo, Intero, Reale, Testo, Dati };

    enum class Mappa { No, Si };
    // Propria: a read-only connection of its own to the database's file, so
    // that a read can go on in another thread beside the program's.
    enum class Connessione { Programma, Propria };

    // `sqlite` is a selection in SQLite's text (Database::traduci).
    LetturaRighe(const Database& db, const QString& sqlite, Mappa mappa,
                 Connessione connessione = Connessione::Programma);
    ~LetturaRighe();
    LetturaRighe(const LetturaRighe&) = delete;
    LetturaRighe& operator=(const LetturaRighe&) = delete;

    bool prossima(); // the next row; false after the last
    int colonne() const;

    Tipo tipo(int colonna) const;
    qint64 intero(int colonna) const;
    double reale(int colonna) const;
    QByteArrayView testo(int colonna) const; // UTF-8, valid until the next row
    QByteArrayView dati(int colonna) const;  // the bytes, valid until the next row
    QVariant valore(int colonna) const;       // as QtSql would give it

private:
    [[noreturn]] void guasto() const;

    QSqlDatabase connessione_;
    sqlite3* db_ = nullptr;
    sqlite3_stmt* st_ = nullptr;
    bool mappata_ = false;
    bool propria_ = false;
};

} // namespace qv::dao
