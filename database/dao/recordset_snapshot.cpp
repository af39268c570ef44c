// Snapshot recordsets: the rows of a selection, read-only. Rows stream from
// SQLite one at a time; a jump backwards runs the selection again from the
// row wanted, so a million-row result never sits in memory.

#include "database/dao/catalogo.h"
#include "database/dao/recordset.h"
#include "database/dao/recordset_impl.h"

#include <QSqlRecord>

namespace qv::dao {

namespace {

class RecordsetSnapshot : public RecordsetImpl {
public:
    RecordsetSnapshot(std::shared_ptr<Connessione> c, QString sqlJet, QString sqlite, const QStringList& tabelle);
    ~RecordsetSnapshot() override { q_.finish(); }

    int tipo() const override { return dbOpenSnapshot; }
    QString nome() const override { return sqlJet_; }
    void chiudi() override {
        q_ = QSqlQuery();
        RecordsetImpl::chiudi();
    }

    void primo() override { vai(0); }
    void ultimo() override;
    void successivo() override;
    void precedente() override;
    bool eof() const override { return fine_; }
    bool bof() const override { return pos_ < 0; }
    qint64 conteggio() override { return totale_ >= 0 ? totale_ : raggiunte_; }
    QVariant valore(int posizione) const override;

private:
    void vai(qint64 riga);
    bool avanza();
    qint64 conta();

    QString sqlJet_;
    QString sqlite_;
    QSqlQuery q_;
    qint64 pos_ = -1;    // current row, from 0; -1 before the first
    qint64 posQ_ = -1;   // row the running query stands on
    bool fine_ = false;
    qint64 raggiunte_ = 0;
    qint64 totale_ = -1;
    QVariantList riga_;
};

RecordsetSnapshot::RecordsetSnapshot(std::shared_ptr<Connessione> c, QString sqlJet, QString sqlite,
                                     const QStringList& tabelle)
    : RecordsetImpl(std::move(c)), sqlJet_(std::move(sqlJet)), sqlite_(std::move(sqlite)) {
    q_ = this->c().interroga(sqlite_);
    posQ_ = -1;
    // Field types from the tables the selection reads, by name; what they do
    // not name (expressions) takes its type from the value.
    QList<TableDef> definizioni;
    for (const QString& t : tabelle)
        if (auto d = catalogo::leggiTabella(this->c(), t))
            definizioni.append(*d);
    const QSqlRecord r = q_.record();
    for (int i = 0; i < r.count(); ++i) {
        Field f;
        f.Name = r.fieldName(i);
        f.OrdinalPosition = i;
        f.Type = 0;
        for (const TableDef& d : definizioni)
            if (const Field* x = d.campo(f.Name); x && f.Type == 0) {
                f.Type = x->Type;
                f.Size = x->Size;
            }
        campi_.append(f);
    }
    const bool righe = avanza();
    pos_ = righe ? 0 : -1;
    fine_ = !righe;
    raggiunte_ = righe ? 1 : 0;
    for (int i = 0; i < campi_.size() && righe; ++i) {
        if (campi_[i].Type != 0)
            continue;
        const QVariant v = riga_[i];
        const int t = v.typeId();
        campi_[i].Type = t == QMetaType::LongLong || t == QMetaType::Int ? dbLong
                         : t == QMetaType::Double                        ? dbDouble
                         : t == QMetaType::QByteArray                    ? dbLongBinary
                                                                         : dbText;
        campi_[i].Size = campi_[i].Type == dbText ? 255 : dimensioneFissa(campi_[i].Type);
    }
}

bool RecordsetSnapshot::avanza() {
    if (!q_.next()) {
        q_.finish();
        return false;
    }
    ++posQ_;
    riga_.clear();
    for (int i = 0; i < campi_.size(); ++i)
        riga_ << q_.value(i);
    return true;
}

void RecordsetSnapshot::vai(qint64 riga) {
    c();
    if (riga == 0) {
        q_ = c().interroga(sqlite_);
    } else {
        q_ = c().interroga(QStringLiteral("SELECT * FROM (%1) LIMIT -1 OFFSET %2").arg(sqlite_, QString::number(riga)));
    }
    posQ_ = riga - 1;
    if (avanza()) {
        pos_ = riga;
        fine_ = false;
        raggiunte_ = std::max(raggiunte_, riga + 1);
    } else {
        pos_ = riga == 0 ? -1 : riga;
        fine_ = true;
    }
}

qint64 RecordsetSnapshot::conta() {
    if (totale_ < 0) {
        QSqlQuery q = c().interroga(QStringLiteral("SELECT count(*) FROM (%1)").arg(sqlite_));
        totale_ = q.next() ? q.value(0).toLongLong() : 0;
    }
    return totale_;
}

void RecordsetSnapshot::ultimo() {
    c();
    // Most selections end within some thousands of rows of where the reading
    // stands: stepping there is one pass. Longer ones are counted and
    // entered at their last row.
    if (totale_ < 0 && !fine_ && posQ_ == pos_ && pos_ >= 0) {
        for (int passi = 0; passi < 200000; ++passi) {
            if (!avanza()) { // the last row read stays in riga_
                totale_ = pos_ + 1;
                raggiunte_ = totale_;
                posQ_ = -2; // the query is spent: a move from here runs it again
                return;
            }
            ++pos_;
            raggiunte_ = std::max(raggiunte_, pos_ + 1);
        }
    }
    const qint64 n = conta();
    if (n == 0) {
        pos_ = -1;
        fine_ = true;
        return;
    }
    vai(n - 1);
}

void RecordsetSnapshot::successivo() {
    c();
    if (fine_)
        solleva(errori::NessunRecordCorrente);
    if (posQ_ != pos_) {
        vai(pos_ + 1);
        return;
    }
    if (avanza()) {
        ++pos_;
        raggiunte_ = std::max(raggiunte_, pos_ + 1);
    } else {
        ++pos_;
        fine_ = true;
        totale_ = pos_;
    }
}

void RecordsetSnapshot::precedente() {
    c();
    if (pos_ < 0)
        solleva(errori::NessunRecordCorrente);
    if (pos_ == 0) {
        pos_ = -1;
        q_.finish();
        posQ_ = -2;
        return;
    }
    vai(pos_ - 1);
}

QVariant RecordsetSnapshot::valore(int posizione) const {
    c();
    verificaCampo(posizione);
    if (pos_ < 0 || fine_)
        solleva(errori::NessunRecordCorrente);
    return valoreLetto(riga_[posizione], campi_[posizione].Type);
}

} // namespace

std::unique_ptr<RecordsetImpl> apriSnapshot(std::shared_ptr<Connessione> c, const QString& sqlJet,
                                            const QString& sqlite, const QStringList& tabelle) {
    return std::make_unique<RecordsetSnapshot>(std::move(c), sqlJet, sqlite, tabelle);
}

} // namespace qv::dao
