// Table-type recordsets over SQLite. The position is the current row's
// index key and rowid, so each move, Seek or write is one indexed statement
// that reads at most one row: tables of any size cost the same.

#include "database/dao/catalogo.h"
#include "database/dao/recordset.h"
#include "database/dao/recordset_impl.h"

#include <QSqlError>
#include <QSqlQuery>

namespace qv::dao {

namespace {

class RecordsetTabella : public RecordsetImpl {
public:
    RecordsetTabella(std::shared_ptr<Connessione> c, TableDef def);

    int tipo() const override { return dbOpenTable; }
    QString nome() const override { return def_.Name; }

    QString indice() const override { return nomeIndice_; }
    void impostaIndice(const QString& nome) override;
    void seek(const QString& confronto, const QVariantList& chiavi) override;
    bool noMatch() const override { return noMatch_; }

    void addNew() override;
    void edit() override;
    void update() override;
    void cancelUpdate() override;
    void elimina() override;
    int editMode() const override { return modo_; }

    void primo() override;
    void ultimo() override;
    void successivo() override;
    void precedente() override;
    void passo(bool avanti);
    bool eof() const override { return pos_ == Pos::Dopo || pos_ == Pos::Vuota || pos_ == Pos::Nessuna; }
    bool bof() const override { return pos_ == Pos::Prima || pos_ == Pos::Vuota; }
    qint64 conteggio() override;

    QVariant valore(int posizione) const override;
    void imposta(int posizione, const QVariant& valore) override;

private:
    // Prima/Dopo: before the first or after the last row; Vuota: no rows at
    // all; Nessuna: a Seek found nothing; Eliminata: the current row was
    // deleted (its key still tells where the next one is).
    enum class Pos { Prima, Dopo, Vuota, Nessuna, Riga, Eliminata };

    QString ordine(bool inverso) const;
    QString condizione(const QVariantList& chiavi, int quante, const QString& confronto, QVariantList& valori,
                       bool* inverso) const;
    QString oltre(bool avanti, QVariantList& valori) const;
    bool leggi(const QString& dove, const QVariantList& valori, bool inverso);
    void annullaModifica() { modo_ = dbEditNone; }
    void richiediRiga() const;

    TableDef def_;
    QString selezione_; // SELECT rowid, <fields> FROM <table>
    QString nomeIndice_;
    QList<int> colonneIndice_;
    QList<bool> decrescenti_;

    Pos pos_ = Pos::Vuota;
    qint64 rowid_ = 0;
    QVariantList riga_; // stored values of the current row
    int modo_ = dbEditNone;
    QVariantList buffer_;
    QList<bool> cambiati_;
    bool noMatch_ = false;
};

RecordsetTabella::RecordsetTabella(std::shared_ptr<Connessione> c, TableDef def)
    : RecordsetImpl(std::move(c)), def_(std::move(def)) {
    campi_ = def_.Fields;
    QStringList nomi{QStringLiteral("rowid")};
    for (const Field& f : campi_)
        nomi << quota(f.Name);
    selezione_ = QStringLiteral("SELECT %1 FROM %2").arg(nomi.join(QStringLiteral(", ")), quota(def_.Name));
    primo();
}

QString RecordsetTabella::ordine(bool inverso) const {
    QStringList o;
    for (int i = 0; i < colonneIndice_.size(); ++i)
        o << quota(campi_[colonneIndice_[i]].Name) + (decrescenti_[i] != inverso ? QStringLiteral(" DESC") : QString());
    o << (inverso ? QStringLiteral("rowid DESC") : QStringLiteral("rowid"));
    return o.join(QStringLiteral(", "));
}

// Rows whose first `quante` index fields compare with `chiavi` as asked
// ("=", ">=", ">", "<", "<=" in index order). With `quante` equal to every
// index field plus the rowid as last key, this also gives "the rows after
// (or before) the current one".
QString RecordsetTabella::condizione(const QVariantList& chiavi, int quante, const QString& confronto,
                                     QVariantList& valori, bool* inverso) const {
    *inverso = confronto.startsWith(QLatin1Char('<'));
    QStringList colonne;
    QList<bool> decrescenti;
    for (int i = 0; i < quante; ++i) {
        if (i < colonneIndice_.size()) {
            colonne << quota(campi_[colonneIndice_[i]].Name);
            decrescenti << decrescenti_[i];
        } else {
            colonne << QStringLiteral("rowid");
            decrescenti << false;
        }
    }
    // Row values serve when no null can hide where the comparison is
    // decided: forwards a null key sorts before any value and is rightly
    // left out, backwards it would wrongly be left out unless the fields
    // cannot be null.
    bool semplice = true;
    for (int i = 0; i < quante; ++i) {
        const bool richiesto = i >= colonneIndice_.size() || campi_[colonneIndice_[i]].Required;
        semplice = semplice && !decrescenti[i] && !chiavi[i].isNull() && (!*inverso || richiesto);
    }

    // The first `n` fields equal to their keys.
    auto uguali = [&](int n) {
        QStringList e;
        for (int j = 0; j < n; ++j) {
            if (chiavi[j].isNull()) {
                e << colonne[j] + QStringLiteral(" IS NULL");
            } else {
                e << colonne[j] + QStringLiteral(" = ?");
                valori << chiavi[j];
            }
        }
        return e;
    };
    if (confronto == QLatin1String("="))
        return uguali(quante).join(QStringLiteral(" AND "));
    if (semplice) {
        // Row values: SQLite walks the index from the key.
        QStringList segnaposto;
        for (int i = 0; i < quante; ++i) {
            segnaposto << QStringLiteral("?");
            valori << chiavi[i];
        }
        if (quante == 1)
            return colonne[0] + QLatin1Char(' ') + confronto + QStringLiteral(" ?");
        return QStringLiteral("(%1) %2 (%3)")
            .arg(colonne.join(QStringLiteral(", ")), confronto, segnaposto.join(QStringLiteral(", ")));
    }
    // Descending fields or null keys: spelled out field by field. NULL comes
    // first in ascending order and last in descending order.
    const bool avanti = !*inverso;
    QStringList alternative;
    for (int i = 0; i < quante; ++i) {
        QStringList e = uguali(i);
        const bool maggiore = avanti != decrescenti[i];
        if (chiavi[i].isNull()) {
            e << (maggiore ? colonne[i] + QStringLiteral(" IS NOT NULL") : QStringLiteral("0"));
        } else {
            e << (maggiore ? colonne[i] + QStringLiteral(" > ?")
                           : QStringLiteral("(%1 < ? OR %1 IS NULL)").arg(colonne[i]));
            valori << chiavi[i];
        }
        alternative << QLatin1Char('(') + e.join(QStringLiteral(" AND ")) + QLatin1Char(')');
    }
    if (confronto.endsWith(QLatin1Char('=')))
        alternative << QLatin1Char('(') + uguali(quante).join(QStringLiteral(" AND ")) + QLatin1Char(')');
    return alternative.join(QStringLiteral(" OR "));
}

QString RecordsetTabella::oltre(bool avanti, QVariantList& valori) const {
    QVariantList chiavi;
    for (int c : colonneIndice_)
        chiavi << riga_[c];
    chiavi << rowid_;
    bool inverso = false;
    return condizione(chiavi, int(chiavi.size()), avanti ? QStringLiteral(">") : QStringLiteral("<"), valori,
                      &inverso);
}

bool RecordsetTabella::leggi(const QString& dove, const QVariantList& valori, bool inverso) {
    QString sql = selezione_;
    if (!dove.isEmpty())
        sql += QStringLiteral(" WHERE ") + dove;
    sql += QStringLiteral(" ORDER BY ") + ordine(inverso) + QStringLiteral(" LIMIT 1");
    QSqlQuery& q = c().preparata(sql);
    c().esegui(q, valori, def_.Name);
    if (!q.next()) {
        q.finish();
        return false;
    }
    rowid_ = q.value(0).toLongLong();
    riga_.clear();
    for (int i = 0; i < campi_.size(); ++i)
        riga_ << q.value(i + 1);
    q.finish(); // no statement left pending: it would hold a lock on the file
    pos_ = Pos::Riga;
    return true;
}

void RecordsetTabella::impostaIndice(const QString& nome) {
    c();
    colonneIndice_.clear();
    decrescenti_.clear();
    nomeIndice_.clear();
    if (!nome.trimmed().isEmpty()) {
        const Index* i = def_.indice(nome);
        if (!i)
            solleva(errori::IndiceNonValido, nome);
        for (const IndexField& f : i->Fields) {
            colonneIndice_ << posizioneCampo(f.Name);
            decrescenti_ << f.Descending;
        }
        nomeIndice_ = i->Name;
    }
    primo();
}

void RecordsetTabella::seek(const QString& confronto, const QVariantList& chiavi) {
    c();
    if (colonneIndice_.isEmpty())
        solleva(errori::IndiceNonImpostato);
    const QString op = confronto.trimmed();
    if (op != QLatin1String("=") && op != QLatin1String(">=") && op != QLatin1String(">") &&
        op != QLatin1String("<") && op != QLatin1String("<="))
        solleva(errori::ArgomentoNonValido, confronto);
    if (chiavi.isEmpty() || chiavi.size() > colonneIndice_.size())
        solleva(errori::ArgomentoNonValido, QStringLiteral("Seek"));
    annullaModifica();
    QVariantList convertite;
    for (int i = 0; i < chiavi.size(); ++i) {
        const Field& f = campi_[colonneIndice_[i]];
        convertite << (tipoTesto(f.Type) ? (chiavi[i].isNull() ? QVariant() : QVariant(chiavi[i].toString()))
                                          : valoreDaAssegnare(chiavi[i], f.Type, 255, f.Name));
    }
    QVariantList valori;
    bool inverso = false;
    const QString dove = condizione(convertite, int(convertite.size()), op, valori, &inverso);
    noMatch_ = !leggi(dove, valori, inverso);
    if (noMatch_)
        pos_ = Pos::Nessuna;
}

void RecordsetTabella::primo() {
    annullaModifica();
    if (!leggi(QString(), {}, false))
        pos_ = Pos::Vuota;
}

void RecordsetTabella::ultimo() {
    annullaModifica();
    if (!leggi(QString(), {}, true))
        pos_ = Pos::Vuota;
}

void RecordsetTabella::successivo() { passo(true); }
void RecordsetTabella::precedente() { passo(false); }

void RecordsetTabella::passo(bool avanti) {
    c();
    // From past one end the next step in the other direction is the row at that end.
    if (pos_ == (avanti ? Pos::Prima : Pos::Dopo))
        return avanti ? primo() : ultimo();
    if (pos_ != Pos::Riga && pos_ != Pos::Eliminata)
        solleva(errori::NessunRecordCorrente);
    annullaModifica();
    QVariantList valori;
    const QString dove = oltre(avanti, valori);
    if (!leggi(dove, valori, !avanti))
        pos_ = avanti ? Pos::Dopo : Pos::Prima;
}

qint64 RecordsetTabella::conteggio() {
    QSqlQuery& q = c().preparata(QStringLiteral("SELECT count(*) FROM ") + quota(def_.Name));
    c().esegui(q, {}, def_.Name);
    const qint64 n = q.next() ? q.value(0).toLongLong() : 0;
    q.finish();
    return n;
}

void RecordsetTabella::richiediRiga() const {
    if (pos_ == Pos::Eliminata)
        solleva(errori::RecordEliminato);
    if (pos_ != Pos::Riga)
        solleva(errori::NessunRecordCorrente);
}

QVariant RecordsetTabella::valore(int posizione) const {
    c();
    verificaCampo(posizione);
    if (modo_ != dbEditNone)
        return valoreLetto(buffer_[posizione], campi_[posizione].Type);
    richiediRiga();
    return valoreLetto(riga_[posizione], campi_[posizione].Type);
}

void RecordsetTabella::imposta(int posizione, const QVariant& valore) {
    c();
    verificaCampo(posizione);
    if (modo_ == dbEditNone)
        solleva(errori::UpdateSenzaEdit);
    const Field& f = campi_[posizione];
    buffer_[posizione] = valoreDaAssegnare(valore, f.Type, f.Size, f.Name);
    cambiati_[posizione] = true;
}

void RecordsetTabella::addNew() {
    c();
    buffer_.clear();
    cambiati_.clear();
    for (const Field& f : campi_) {
        buffer_ << catalogo::valorePredefinito(f.DefaultValue);
        cambiati_ << false;
    }
    modo_ = dbEditAdd;
}

void RecordsetTabella::edit() {
    c();
    richiediRiga();
    buffer_ = riga_;
    cambiati_ = QList<bool>(campi_.size(), false);
    modo_ = dbEditInProgress;
}

void RecordsetTabella::cancelUpdate() {
    if (modo_ == dbEditNone)
        solleva(errori::UpdateSenzaEdit);
    annullaModifica();
}

void RecordsetTabella::update() {
    Connessione& conn = c();
    if (modo_ == dbEditNone)
        solleva(errori::UpdateSenzaEdit);
    QStringList colonne;
    QVariantList valori;
    for (int i = 0; i < campi_.size(); ++i) {
        if (cambiati_[i]) {
            colonne << quota(campi_[i].Name);
            valori << buffer_[i];
        }
    }
    if (modo_ == dbEditAdd) {
        // Fields left alone take their default from SQLite itself.
        const QString sql = colonne.isEmpty()
                                ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(quota(def_.Name))
                                : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                      .arg(quota(def_.Name), colonne.join(QStringLiteral(", ")),
                                           QStringList(colonne.size(), QStringLiteral("?")).join(QStringLiteral(", ")));
        conn.esegui(conn.preparata(sql), valori, def_.Name);
        annullaModifica();
        return;
    }
    if (!colonne.isEmpty()) {
        QStringList assegnazioni;
        for (const QString& col : colonne)
            assegnazioni << col + QStringLiteral(" = ?");
        valori << rowid_;
        conn.esegui(conn.preparata(QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?")
                                       .arg(quota(def_.Name), assegnazioni.join(QStringLiteral(", ")))),
                    valori, def_.Name);
    }
    annullaModifica();
    // The row stays current; its key may have changed.
    if (!leggi(QStringLiteral("rowid = ?"), {rowid_}, false))
        pos_ = Pos::Eliminata;
}

void RecordsetTabella::elimina() {
    Connessione& conn = c();
    annullaModifica();
    richiediRiga();
    conn.esegui(conn.preparata(QStringLiteral("DELETE FROM %1 WHERE rowid = ?").arg(quota(def_.Name))), {rowid_},
                def_.Name);
    pos_ = Pos::Eliminata;
}

} // namespace

std::unique_ptr<RecordsetImpl> apriTabella(std::shared_ptr<Connessione> c, const QString& tabella) {
    auto def = catalogo::leggiTabella(*c, tabella);
    if (!def)
        solleva(errori::OggettoNonTrovato, tabella);
    return std::make_unique<RecordsetTabella>(std::move(c), std::move(*def));
}

} // namespace qv::dao
