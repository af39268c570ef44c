// The Jet SQL translator (traduciJetSql) as the database engine calls it,
// with the field lists of the program's own schema (the reference
// database). Input: the statement as typed or built, in UTF-8; an input of
// odd length is translated as Execute without dbFailOnError does.
//
// Rules: the translator gives a translation or refuses with the engine's
// error (ErroreDao, number and description), nothing else; a translation is
// one statement, which SQLite's parser either accepts or refuses with its
// message (then the engine reports it). An accepted translation does what
// its kind says and no more: a selection writes nothing, an action writes
// one table of the program's database; it calls only the functions the
// translator writes, and never attaches, detaches, runs a pragma or changes
// the schema.

#include "verifica.h"

#include "database/dao/catalogo.h"
#include "database/dao/connessione.h"
#include "database/dao/errore.h"
#include "database/dao/jet_sql.h"
#include "database/dao/workspace.h"
#include "database/schema_riferimento.h"

#include <QCoreApplication>
#include <QFile>
#include <QSet>

#include <sqlite3.h>

#include <cstdint>
#include <memory>

namespace {

struct Azione {
    int codice;
    QString a, b, db;
};

int autorizza(void* dati, int codice, const char* a, const char* b, const char* db, const char*) {
    static_cast<QList<Azione>*>(dati)->append({codice, QString::fromUtf8(a ? a : ""),
                                               QString::fromUtf8(b ? b : ""),
                                               QString::fromUtf8(db ? db : "")});
    return SQLITE_OK;
}

struct Banco {
    QString percorso;
    std::shared_ptr<qv::dao::Connessione> connessione;
    sqlite3* sqlite = nullptr;
    QList<Azione> azioni;
};

Banco& banco() {
    static Banco* b = [] {
        static int argc = 1;
        static char nome[] = "fuzz_jet_sql";
        static char* argv[] = {nome, nullptr};
        new QCoreApplication(argc, argv);
        auto* nuovo = new Banco;
        nuovo->percorso = fuzz::cartellaLavoro() + QStringLiteral("Quorvan0.mdb");
        qv::dao::Workspace ws;
        qv::CreaDatabaseRiferimento(ws, nuovo->percorso);
        nuovo->connessione = qv::dao::Connessione::apri(nuovo->percorso, 0);
        VERIFICA(sqlite3_open_v2(QFile::encodeName(nuovo->percorso).constData(), &nuovo->sqlite,
                                 SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK,
                 nuovo->percorso);
        // The other files a statement reads "IN" are copies of the same schema.
        for (int i = 1; i <= 9; ++i) {
            const QByteArray sql = "ATTACH DATABASE '" + QFile::encodeName(nuovo->percorso) + "' AS esterno" +
                                   QByteArray::number(i);
            VERIFICA(sqlite3_exec(nuovo->sqlite, sql.constData(), nullptr, nullptr, nullptr) == SQLITE_OK,
                     sql);
        }
        sqlite3_set_authorizer(nuovo->sqlite, autorizza, &nuovo->azioni);
        return nuovo;
    }();
    return *b;
}

bool soloSpazi(const char* coda) {
    for (; coda && *coda; ++coda)
        if (!isspace(static_cast<unsigned char>(*coda))) return false;
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Banco& b = banco();
    const QString jet = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    const bool ignoraErrori = size % 2 == 1;

    // The engine's own field lists: of this database, and for "IN" another file of the same schema.
    const qv::dao::ColonneDi colonne = [&b](const QString& tabella, const QString&) {
        return qv::dao::catalogo::colonne(*b.connessione, tabella);
    };
    qv::dao::SqlTradotto t;
    try {
        t = qv::dao::traduciJetSql(jet, colonne, ignoraErrori);
    } catch (const qv::dao::ErroreDao& e) {
        VERIFICA(e.numero() > 0 && !e.descrizione().isEmpty(), jet);
        return 0; // a clean refusal
    }
    VERIFICA(!t.sql.isEmpty(), jet);

    const QByteArray sql = t.sql.toUtf8();
    b.azioni.clear();
    sqlite3_stmt* stmt = nullptr;
    const char* coda = nullptr;
    const int rc = sqlite3_prepare_v2(b.sqlite, sql.constData(), int(sql.size()), &stmt, &coda);
    const QString caso = jet + QStringLiteral("\n  tradotta: ") + t.sql;
    if (rc != SQLITE_OK) {
        VERIFICA(!QString::fromUtf8(sqlite3_errmsg(b.sqlite)).isEmpty(), caso);
        return 0; // refused by SQLite with its message, which the engine reports as its error
    }
    const bool selezione = t.tipo == qv::dao::SqlTradotto::Tipo::Selezione;
    const bool solaLettura = sqlite3_stmt_readonly(stmt) != 0;
    sqlite3_finalize(stmt);

    VERIFICA(soloSpazi(coda), caso + QStringLiteral("\n  resto: ") + QString::fromUtf8(coda));
    VERIFICA(solaLettura == selezione, caso);

    static const QSet<QString> funzioni = {
        "substr", "length", "upper", "lower", "trim", "ltrim",     "rtrim",    "instr", "coalesce", "abs",
        "count",  "sum",    "min",   "max",   "avg",  "julianday", "strftime", "like",  "glob",     "char"};
    QSet<QString> scritte;
    for (const Azione& a : b.azioni) {
        switch (a.codice) {
        case SQLITE_SELECT:
        case SQLITE_READ:
            break;
        case SQLITE_FUNCTION:
            VERIFICA(funzioni.contains(a.b.toLower()), QStringLiteral("funzione %1 in ").arg(a.b) + caso);
            break;
        case SQLITE_INSERT:
        case SQLITE_UPDATE:
        case SQLITE_DELETE:
            VERIFICA(!selezione && a.db == QLatin1String("main"),
                     QStringLiteral("scrittura di %1.%2 in ").arg(a.db, a.a) + caso);
            scritte.insert(a.a.toLower());
            break;
        default:
            fuzz::fallisci("azione non ammessa",
                           QStringLiteral("azione %1 (%2, %3) in ").arg(a.codice).arg(a.a, a.b) + caso,
                           __FILE__, __LINE__);
        }
    }
    VERIFICA(scritte.size() <= 1, caso);
    if (t.tipo == qv::dao::SqlTradotto::Tipo::Eliminazione ||
        t.tipo == qv::dao::SqlTradotto::Tipo::Aggiornamento)
        VERIFICA(scritte.size() == 1 && !t.tabelle.isEmpty() && scritte.contains(t.tabelle.first().toLower()),
                 caso);
    return 0;
}
