#pragma once
// One open SQLite file: the QtSql connection (with its own unique name), the
// companion lock that tells whole-file operations the file is in use, the
// transaction depth, and the store of the schema properties SQLite has no
// place for. Shared by a Database and the recordsets opened from it; once
// closed every use raises "object no longer set".

#include "database/dao/blocco_file.h"

#include <QHash>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariantList>

#include <memory>

namespace qv::dao {

// An SQL identifier in backquotes, inner backquotes doubled.
QString quota(const QString& identificatore);
// An SQL text literal in single quotes, inner quotes doubled.
QString letterale(const QString& testo);

// Checks that a path names a database file this engine can open without
// changing it: present (3024), not empty and an SQLite file (3343), not cut
// short (3049), readable and writable (3051).
void verificaFileDatabase(const QString& percorso);

class Connessione {
public:
    // Opens the file shared and read-write. `attesaBloccoMs` is how long a
    // statement waits for another process's lock before failing. Without
    // `condivisa` the open is not recorded in the companion lock: for the
    // whole-file operations that hold it exclusively themselves.
    static std::shared_ptr<Connessione> apri(const QString& percorso, int attesaBloccoMs, bool condivisa = true);
    ~Connessione();
    Connessione(const Connessione&) = delete;
    Connessione& operator=(const Connessione&) = delete;

    void chiudi();
    bool aperta() const { return aperta_; }
    void verificaAperta() const; // 3420 once closed
    const QString& percorso() const { return percorso_; }
    QSqlDatabase& db() { return db_; }

    // Runs one statement; failures become the engine's errors.
    void esegui(const QString& sql, const QVariantList& valori = {}, const QString& oggetto = QString());
    // Runs a query and returns it positioned before its first row.
    QSqlQuery interroga(const QString& sql, const QVariantList& valori = {}, bool soloAvanti = true);
    // A statement prepared once and kept for the next time the same text
    // comes (moves, Seek and writes repeat a few texts many times). Bind,
    // run, read, then finish() it: an unfinished query holds a lock.
    QSqlQuery& preparata(const QString& sql);
    // Binds `valori` to a prepared statement and runs it.
    void esegui(QSqlQuery& q, const QVariantList& valori, const QString& oggetto = QString());

    // Transactions, nested through savepoints.
    void iniziaTransazione();
    void confermaTransazione();
    void annullaTransazione();
    int livelloTransazione() const { return livello_; }

    // Runs `passi` so that either all its changes stay or none does.
    template <typename F> void atomico(F&& passi);

    // Schema properties SQLite cannot hold (zero length, validation, primary
    // index, the text of saved queries), kept in the system table
    // "MSysProprieta". `elemento` is a field or index name, empty for the
    // object itself.
    QString proprieta(const QString& oggetto, const QString& elemento, const QString& nome);
    void impostaProprieta(const QString& oggetto, const QString& elemento, const QString& nome,
                          const QString& valore);
    // Every property of one object, keyed by elemento + "|" + nome in lower case.
    QHash<QString, QString> proprietaDi(const QString& oggetto);
    void eliminaProprieta(const QString& oggetto, const QString& elemento = QString());
    void rinominaOggettoProprieta(const QString& da, const QString& a);

    bool esisteTabella(const QString& nome);

private:
    Connessione() = default;
    bool tabellaProprieta();

    QString nome_;
    QString percorso_;
    QSqlDatabase db_;
    BloccoFile blocco_;
    int livello_ = 0;
    int savepoint_ = 0;
    bool aperta_ = false;
    int tabellaProprieta_ = -1; // -1 unknown, 0 absent, 1 present
    QHash<QString, QSqlQuery> preparate_;
};

template <typename F> void Connessione::atomico(F&& passi) {
    const QString nome = QStringLiteral("qv_passo_%1").arg(++savepoint_);
    preparate_.clear(); // the schema is about to change
    esegui(QStringLiteral("SAVEPOINT ") + quota(nome));
    try {
        passi();
    } catch (...) {
        try {
            esegui(QStringLiteral("ROLLBACK TO ") + quota(nome));
            esegui(QStringLiteral("RELEASE ") + quota(nome));
        } catch (...) {
        }
        tabellaProprieta_ = -1;
        throw;
    }
    esegui(QStringLiteral("RELEASE ") + quota(nome));
}

} // namespace qv::dao
