#include "database/dao/connessione.h"

#include "database/dao/errore.h"

#include <QAtomicInt>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QUrl>
#include <QtEndian>

namespace qv::dao {

namespace {

QAtomicInt contatore;

const QString kTabellaProprieta = QStringLiteral("MSysProprieta");

// A null QString binds as SQL NULL; the property keys are never null.
QString testo(const QString& s) { return s.isNull() ? QStringLiteral("") : s; }

quint32 be32(const QByteArray& h, int pos) {
    return qFromBigEndian<quint32>(reinterpret_cast<const uchar*>(h.constData()) + pos);
}

} // namespace

// Backquotes rather than double quotes: SQLite reads a double-quoted name
// it does not know as a text, which would turn a misspelt field into a
// silent comparison with a constant. Names never hold a backquote.
QString quota(const QString& identificatore) {
    return QLatin1Char('`') + QString(identificatore).replace(QLatin1Char('`'), QStringLiteral("``")) +
           QLatin1Char('`');
}

QString letterale(const QString& testo) {
    return QLatin1Char('\'') + QString(testo).replace(QLatin1Char('\''), QStringLiteral("''")) +
           QLatin1Char('\'');
}

void verificaFileDatabase(const QString& percorso) {
    const QFileInfo fi(percorso);
    if (percorso.trimmed().isEmpty() || !fi.exists() || fi.isDir())
        solleva(errori::FileNonTrovato, percorso);
    QFile f(percorso);
    if (!f.open(QIODevice::ReadOnly))
        solleva(errori::AccessoNegato, percorso);
    const QByteArray h = f.read(100);
    f.close();
    // An empty file would be taken by SQLite as a new database and written
    // into; here it is no database at all, like a text or an Access file.
    static const QByteArray firma("SQLite format 3\0", 16);
    if (!h.startsWith(firma))
        solleva(errori::FormatoNonRiconosciuto, percorso);
    if (h.size() < 100)
        solleva(errori::DatabaseDanneggiato, percorso);
    qint64 pagina = (static_cast<uchar>(h[16]) << 8) | static_cast<uchar>(h[17]);
    if (pagina == 1)
        pagina = 65536;
    if (pagina < 512 || (pagina & (pagina - 1)) != 0)
        solleva(errori::DatabaseDanneggiato, percorso);
    const qint64 pagine = be32(h, 28);
    const bool dimensioneValida = be32(h, 24) == be32(h, 92);
    if (fi.size() % pagina != 0 || (dimensioneValida && pagine > 0 && fi.size() < pagine * pagina))
        solleva(errori::DatabaseDanneggiato, percorso);
    if (!fi.isWritable())
        solleva(errori::AccessoNegato, percorso);
}

std::shared_ptr<Connessione> Connessione::apri(const QString& percorso, int attesaBloccoMs, bool condivisa) {
    verificaFileDatabase(percorso);
    std::shared_ptr<Connessione> c(new Connessione);
    c->percorso_ = QFileInfo(percorso).absoluteFilePath();
    if (condivisa && c->blocco_.prendiCondiviso(c->percorso_) == BloccoFile::Esito::Occupato)
        solleva(errori::ApertoInEsclusiva, percorso);

    c->nome_ = QStringLiteral("qv-dao-%1").arg(contatore.fetchAndAddRelaxed(1));
    QSqlError errore;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), c->nome_);
        // mode=rw: a file that vanished since the check is not created anew.
        db.setDatabaseName(QUrl::fromLocalFile(c->percorso_).toString(QUrl::FullyEncoded) +
                           QStringLiteral("?mode=rw"));
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1;QSQLITE_OPEN_URI").arg(attesaBloccoMs));
        if (!db.open())
            errore = db.lastError();
    }
    if (errore.isValid()) {
        QSqlDatabase::removeDatabase(c->nome_);
        c->nome_.clear();
        throw erroreDaSqlite(errore, percorso, true);
    }
    c->db_ = QSqlDatabase::database(c->nome_, false);
    c->aperta_ = true;
    try {
        // Reading the catalogue proves the file is a database nobody holds
        // exclusively.
        {
            QSqlQuery q(c->db_);
            if (!q.exec(QStringLiteral("SELECT count(*) FROM sqlite_master")) || !q.next())
                throw erroreDaSqlite(q.lastError(), percorso, true);
        }
        // Renaming a table leaves saved queries as text, the way the engine
        // keeps them; without this SQLite would rewrite or reject them.
        c->esegui(QStringLiteral("PRAGMA legacy_alter_table = ON"));
        c->esegui(QStringLiteral("PRAGMA cache_size = -16384"));
    } catch (const ErroreDao& e) {
        c->chiudi();
        if (e.numero() == errori::InUsoDaAltri)
            solleva(errori::ApertoInEsclusiva, percorso);
        throw;
    } catch (...) {
        c->chiudi();
        throw;
    }
    return c;
}

Connessione::~Connessione() { chiudi(); }

void Connessione::chiudi() {
    if (nome_.isEmpty())
        return;
    if (aperta_ && livello_ > 0) {
        QSqlQuery q(db_);
        q.exec(QStringLiteral("ROLLBACK")); // an unfinished transaction does not survive its database
    }
    aperta_ = false;
    livello_ = 0;
    preparate_.clear();
    db_.close();
    db_ = QSqlDatabase();
    QSqlDatabase::removeDatabase(nome_);
    nome_.clear();
    blocco_.rilascia();
}

void Connessione::verificaAperta() const {
    if (!aperta_)
        solleva(errori::OggettoNonValido);
}

void Connessione::esegui(const QString& sql, const QVariantList& valori, const QString& oggetto) {
    verificaAperta();
    QSqlQuery q(db_);
    bool ok = false;
    if (valori.isEmpty()) {
        ok = q.exec(sql);
    } else {
        ok = q.prepare(sql);
        for (const QVariant& v : valori)
            q.addBindValue(v);
        ok = ok && q.exec();
    }
    if (!ok)
        throw erroreDaSqlite(q.lastError(), oggetto.isEmpty() ? percorso_ : oggetto);
}

QSqlQuery& Connessione::preparata(const QString& sql) {
    verificaAperta();
    auto i = preparate_.find(sql);
    if (i != preparate_.end())
        return *i;
    if (preparate_.size() >= 200)
        preparate_.clear();
    QSqlQuery q(db_);
    q.setForwardOnly(true);
    if (!q.prepare(sql))
        throw erroreDaSqlite(q.lastError(), percorso_);
    return *preparate_.insert(sql, q);
}

void Connessione::esegui(QSqlQuery& q, const QVariantList& valori, const QString& oggetto) {
    verificaAperta();
    for (int i = 0; i < valori.size(); ++i)
        q.bindValue(i, valori[i]);
    if (!q.exec()) {
        const QSqlError e = q.lastError();
        q.finish();
        throw erroreDaSqlite(e, oggetto.isEmpty() ? percorso_ : oggetto);
    }
}

QSqlQuery Connessione::interroga(const QString& sql, const QVariantList& valori, bool soloAvanti) {
    verificaAperta();
    QSqlQuery q(db_);
    q.setForwardOnly(soloAvanti);
    if (!q.prepare(sql))
        throw erroreDaSqlite(q.lastError(), percorso_);
    for (const QVariant& v : valori)
        q.addBindValue(v);
    if (!q.exec())
        throw erroreDaSqlite(q.lastError(), percorso_);
    return q;
}

void Connessione::iniziaTransazione() {
    verificaAperta();
    if (livello_ == 0)
        esegui(QStringLiteral("BEGIN"));
    else
        esegui(QStringLiteral("SAVEPOINT ") + quota(QStringLiteral("qv_trans_%1").arg(livello_)));
    ++livello_;
}

void Connessione::confermaTransazione() {
    verificaAperta();
    if (livello_ == 0)
        solleva(errori::TransazioneAssente);
    if (livello_ == 1)
        esegui(QStringLiteral("COMMIT")); // a lock held elsewhere leaves the transaction open
    else
        esegui(QStringLiteral("RELEASE ") + quota(QStringLiteral("qv_trans_%1").arg(livello_ - 1)));
    --livello_;
}

void Connessione::annullaTransazione() {
    verificaAperta();
    if (livello_ == 0)
        solleva(errori::TransazioneAssente);
    tabellaProprieta_ = -1;
    if (livello_ == 1) {
        esegui(QStringLiteral("ROLLBACK"));
    } else {
        const QString nome = quota(QStringLiteral("qv_trans_%1").arg(livello_ - 1));
        esegui(QStringLiteral("ROLLBACK TO ") + nome);
        esegui(QStringLiteral("RELEASE ") + nome);
    }
    --livello_;
}

bool Connessione::esisteTabella(const QString& nome) {
    QSqlQuery q = interroga(
        QStringLiteral("SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = ? COLLATE NOCASE"), {nome});
    return q.next();
}

bool Connessione::tabellaProprieta() {
    if (tabellaProprieta_ < 0)
        tabellaProprieta_ = esisteTabella(kTabellaProprieta) ? 1 : 0;
    return tabellaProprieta_ == 1;
}

QString Connessione::proprieta(const QString& oggetto, const QString& elemento, const QString& nome) {
    if (!tabellaProprieta())
        return {};
    QSqlQuery q = interroga(QStringLiteral("SELECT Valore FROM %1 WHERE Oggetto = ? AND Elemento = ? AND "
                                           "Proprieta = ?")
                                .arg(quota(kTabellaProprieta)),
                            {testo(oggetto), testo(elemento), testo(nome)});
    return q.next() ? q.value(0).toString() : QString();
}

void Connessione::impostaProprieta(const QString& oggetto, const QString& elemento, const QString& nome,
                                   const QString& valore) {
    if (valore.isEmpty()) {
        if (tabellaProprieta())
            esegui(QStringLiteral("DELETE FROM %1 WHERE Oggetto = ? AND Elemento = ? AND Proprieta = ?")
                       .arg(quota(kTabellaProprieta)),
                   {testo(oggetto), testo(elemento), testo(nome)});
        return;
    }
    if (!tabellaProprieta()) {
        esegui(QStringLiteral("CREATE TABLE %1 (Oggetto TEXT(64) COLLATE NOCASE NOT NULL, "
                              "Elemento TEXT(64) COLLATE NOCASE NOT NULL, Proprieta TEXT(64) COLLATE NOCASE "
                              "NOT NULL, Valore LONGTEXT, PRIMARY KEY (Oggetto, Elemento, Proprieta))")
                   .arg(quota(kTabellaProprieta)));
        tabellaProprieta_ = 1;
    }
    esegui(QStringLiteral("INSERT OR REPLACE INTO %1 (Oggetto, Elemento, Proprieta, Valore) VALUES (?, ?, ?, ?)")
               .arg(quota(kTabellaProprieta)),
           {testo(oggetto), testo(elemento), testo(nome), valore});
}

QHash<QString, QString> Connessione::proprietaDi(const QString& oggetto) {
    QHash<QString, QString> r;
    if (!tabellaProprieta())
        return r;
    QSqlQuery q = interroga(
        QStringLiteral("SELECT Elemento, Proprieta, Valore FROM %1 WHERE Oggetto = ?").arg(quota(kTabellaProprieta)),
        {oggetto});
    while (q.next())
        r.insert((q.value(0).toString() + QLatin1Char('|') + q.value(1).toString()).toLower(), q.value(2).toString());
    return r;
}

void Connessione::eliminaProprieta(const QString& oggetto, const QString& elemento) {
    if (!tabellaProprieta())
        return;
    if (elemento.isEmpty())
        esegui(QStringLiteral("DELETE FROM %1 WHERE Oggetto = ?").arg(quota(kTabellaProprieta)), {oggetto});
    else
        esegui(QStringLiteral("DELETE FROM %1 WHERE Oggetto = ? AND Elemento = ?").arg(quota(kTabellaProprieta)),
               {testo(oggetto), testo(elemento)});
}

void Connessione::rinominaOggettoProprieta(const QString& da, const QString& a) {
    if (!tabellaProprieta())
        return;
    if (da.compare(a, Qt::CaseInsensitive) != 0)
        esegui(QStringLiteral("DELETE FROM %1 WHERE Oggetto = ?").arg(quota(kTabellaProprieta)), {a});
    esegui(QStringLiteral("UPDATE %1 SET Oggetto = ? WHERE Oggetto = ?").arg(quota(kTabellaProprieta)), {a, da});
}

} // namespace qv::dao
