#include "archive/ordine_righe.h"

#include "archive/colonne_griglia.h"
#include "archive/estrazione_archivio.h"
#include "database/dao/database.h"
#include "database/dao/errore.h"
#include "database/dao/lettura_righe.h"

#include <QByteArray>
#include <QHash>
#include <QSqlQuery>

#include <algorithm>
#include <cstring>
#include <exception>
#include <system_error>
#include <thread>
#include <variant>

namespace qv {

namespace {

using dao::LetturaRighe;

// Rows are held by slot (row number - the lowest). Past this many slots a
// row the table is too scattered for that, and SQLite sorts.
constexpr qint64 kSlotPerRiga = 4;

// A column: by slot, each row's rank among the column's distinct values.
// Most columns have few distinct values; two bytes a row do for them.
struct Colonna {
    std::variant<std::vector<quint16>, std::vector<quint32>> rango;
    quint64 uso = 0;
};

struct Tabella {
    QString base; // the selection of the whole table
    bool sparsa = false; // too scattered to be held: SQLite sorts until the rows change
    qint64 primo = 0;
    std::vector<quint32> postoCodice; // by slot: place in code order + 1; 0 for no row
    std::vector<qint64> rigaDelPosto; // by place in code order: the row number
    QHash<QString, Colonna> colonne;

    std::optional<size_t> slot(qint64 riga) const {
        const qint64 s = riga - primo;
        if (s < 0 || s >= qint64(postoCodice.size()) || postoCodice[size_t(s)] == 0)
            return std::nullopt;
        return size_t(s);
    }
};

int confronta(const QByteArray& a, const QByteArray& b) {
    const int r = std::memcmp(a.constData(), b.constData(), size_t(std::min(a.size(), b.size())));
    return r ? r : (a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0);
}

// The distinct values of one type and their ranks.
template <typename T> struct Gruppo {
    QHash<T, quint32> id;
    std::vector<T> valori;
    quint32 ultimo = ~0u; // the value of the row before, which often repeats

    quint32 aggiungi(const T& v) {
        if (ultimo != ~0u && valori[ultimo] == v)
            return ultimo;
        auto i = id.constFind(v);
        if (i == id.cend()) {
            i = id.insert(v, quint32(valori.size()));
            valori.push_back(v);
        }
        return ultimo = *i;
    }
    // By id, the rank from `primo` on (equal values, equal rank); returns the next free rank.
    template <typename Prima> quint32 ranghi(quint32 primo, std::vector<quint32>& rango, Prima prima) const {
        std::vector<quint32> ordine(valori.size());
        for (quint32 i = 0; i < ordine.size(); ++i)
            ordine[i] = i;
        std::sort(ordine.begin(), ordine.end(), [&](quint32 a, quint32 b) { return prima(valori[a], valori[b]); });
        rango.resize(valori.size());
        for (size_t i = 0; i < ordine.size(); ++i) {
            if (i && prima(valori[ordine[i - 1]], valori[ordine[i]]))
                ++primo;
            rango[ordine[i]] = primo;
        }
        return ordine.empty() ? primo : primo + 1;
    }
};

// A column read holds, by slot, 0 for NULL or the value's group (integers,
// reals, text, data) in the top three bits and its id in that group below.
enum : int { kInteri, kReali, kTesti, kDati };
quint32 codifica(int gruppo, quint32 id) { return quint32(gruppo + 1) << 29 | id; }
int gruppoDi(quint32 v) { return int(v >> 29) - 1; } // -1 for NULL
quint32 idDi(quint32 v) { return v & 0x1fffffffu; }

class LetturaColonna {
public:
    explicit LetturaColonna(size_t slot) : valore_(slot, 0) {}

    void leggi(const LetturaRighe& l, int c, size_t slot) {
        switch (l.tipo(c)) {
        case LetturaRighe::Tipo::Nullo:
            valore_[slot] = 0;
            break;
        case LetturaRighe::Tipo::Intero:
            valore_[slot] = codifica(kInteri, interi_.aggiungi(l.intero(c)));
            break;
        case LetturaRighe::Tipo::Reale: {
            const double d = l.reale(c);
            valore_[slot] = codifica(kReali, reali_.aggiungi(d == 0 ? 0.0 : d)); // -0 is 0
            break;
        }
        case LetturaRighe::Tipo::Testo: {
            const QByteArrayView t = l.testo(c);
            buffer_.resize(t.size());
            char* p = buffer_.data();
            for (char x : t) // NOCASE folds ASCII letters only
                *p++ = x >= 'A' && x <= 'Z' ? char(x - 'A' + 'a') : x;
            valore_[slot] = codifica(kTesti, testi_.aggiungi(buffer_));
            break;
        }
        case LetturaRighe::Tipo::Dati:
            valore_[slot] = codifica(kDati, dati_.aggiungi(l.dati(c).toByteArray()));
            break;
        }
    }

    // The rows of slots da..a - 1 as `altra` read them.
    void unisci(const LetturaColonna& altra, size_t da, size_t a) {
        const auto mappa = [](auto& gruppo, const auto& suo) {
            std::vector<quint32> m(suo.valori.size());
            for (size_t i = 0; i < m.size(); ++i)
                m[i] = gruppo.aggiungi(suo.valori[i]);
            return m;
        };
        const std::vector<quint32> m[4] = {mappa(interi_, altra.interi_), mappa(reali_, altra.reali_),
                                           mappa(testi_, altra.testi_), mappa(dati_, altra.dati_)};
        for (size_t s = da; s < a; ++s) {
            const quint32 v = altra.valore_[s];
            const int g = gruppoDi(v);
            valore_[s] = g < 0 ? 0 : codifica(g, m[g][idDi(v)]);
        }
    }

    Colonna colonna() const {
        const auto minore = [](const QByteArray& a, const QByteArray& b) { return confronta(a, b) < 0; };
        std::vector<quint32> rango[4]; // by group; NULL is rank 0
        quint32 prossimo = ranghiNumeri(rango[kInteri], rango[kReali]);
        prossimo = testi_.ranghi(prossimo, rango[kTesti], minore);
        prossimo = dati_.ranghi(prossimo, rango[kDati], minore);
        const auto riempi = [&](auto r) {
            r.resize(valore_.size());
            for (size_t s = 0; s < valore_.size(); ++s) {
                const int g = gruppoDi(valore_[s]);
                r[s] = typename decltype(r)::value_type(g < 0 ? 0 : rango[g][idDi(valore_[s])]);
            }
            return Colonna{std::move(r), 0};
        };
        return prossimo <= 0x10000 ? riempi(std::vector<quint16>()) : riempi(std::vector<quint32>());
    }

private:
    // Integers and reals ranked together from 1, as numbers: a long double
    // holds every 64-bit integer and every double exactly, so they compare
    // as SQLite compares them. Returns the next free rank.
    quint32 ranghiNumeri(std::vector<quint32>& interi, std::vector<quint32>& reali) const {
        struct Numero {
            long double valore;
            bool reale;
            quint32 id;
        };
        std::vector<Numero> n;
        n.reserve(interi_.valori.size() + reali_.valori.size());
        for (quint32 i = 0; i < interi_.valori.size(); ++i)
            n.push_back({static_cast<long double>(interi_.valori[i]), false, i});
        for (quint32 i = 0; i < reali_.valori.size(); ++i)
            n.push_back({reali_.valori[i], true, i});
        std::sort(n.begin(), n.end(), [](const Numero& a, const Numero& b) { return a.valore < b.valore; });
        interi.resize(interi_.valori.size());
        reali.resize(reali_.valori.size());
        quint32 rango = 1;
        for (size_t i = 0; i < n.size(); ++i) {
            if (i && n[i - 1].valore < n[i].valore)
                ++rango;
            (n[i].reale ? reali : interi)[n[i].id] = rango;
        }
        return n.empty() ? rango : rango + 1;
    }

    std::vector<quint32> valore_;
    Gruppo<qint64> interi_;
    Gruppo<double> reali_;
    Gruppo<QByteArray> testi_, dati_;
    QByteArray buffer_;
};

// The column's rows from `l` (row number, value) into `lettura`; false when
// a row is not among those in code order (the table changed meanwhile).
bool leggiColonna(LetturaRighe& l, const Tabella& t, LetturaColonna& lettura) {
    while (l.prossima()) {
        const std::optional<size_t> s = t.slot(l.intero(0));
        if (!s)
            return false;
        lettura.leggi(l, 1, *s);
    }
    return true;
}

// Two reads at once: `primo` on a read-only connection of its own in a
// second thread, `secondo` here on the program's; `primo` here too when no
// second connection or thread can be had, or its connection could not read
// (a lock, say). Each `leggi` takes its LetturaRighe and returns false when
// the rows are not what was expected; so does this, then.
template <typename Leggi>
bool leggiInDue(const dao::Database& db, const QString& primo, const QString& secondo, Leggi leggiPrimo,
                Leggi leggiSecondo) {
    std::optional<LetturaRighe> propria;
    try {
        propria.emplace(db, primo, LetturaRighe::Mappa::No, LetturaRighe::Connessione::Propria);
    } catch (const dao::ErroreDao&) {
    }
    bool primoLetto = false;
    std::exception_ptr errore;
    std::thread altro;
    if (propria) {
        try {
            altro = std::thread([&] {
                try {
                    primoLetto = leggiPrimo(*propria);
                } catch (...) {
                    errore = std::current_exception();
                }
            });
        } catch (const std::system_error&) {
        }
    }
    bool secondoLetto = false;
    try {
        LetturaRighe l(db, secondo, LetturaRighe::Mappa::No);
        secondoLetto = leggiSecondo(l);
    } catch (...) {
        if (altro.joinable())
            altro.join();
        throw;
    }
    bool primoQui = !altro.joinable();
    if (altro.joinable()) {
        altro.join();
        if (errore) {
            try {
                std::rethrow_exception(errore);
            } catch (const dao::ErroreDao&) {
                primoQui = true;
            }
        }
    }
    if (primoQui) {
        LetturaRighe l(db, primo, LetturaRighe::Mappa::No);
        primoLetto = leggiPrimo(l);
    }
    return primoLetto && secondoLetto;
}

// Something that changes whenever the database's rows may have: this
// connection's changes and the count of other connections' commits.
QString VersioneDati(const dao::Database& db) {
    QSqlQuery q(db.connessioneSql());
    QString v;
    for (const char* sql : {"SELECT total_changes()", "PRAGMA data_version"})
        if (q.exec(QLatin1String(sql)) && q.next())
            v += q.value(0).toString() + QLatin1Char('/');
    return v;
}

// The columns held stay within this; the least recently used go first.
constexpr size_t kMemoriaColonne = 48 * 1024 * 1024;

size_t Byte(const Colonna& c) {
    return std::visit([](const auto& v) { return v.size() * sizeof(v[0]); }, c.rango);
}

void liberaColonne(Tabella& t, const QString& tenuta) {
    size_t totale = 0;
    for (const Colonna& c : std::as_const(t.colonne))
        totale += Byte(c);
    while (totale > kMemoriaColonne && t.colonne.size() > 1) {
        auto vecchia = t.colonne.end();
        for (auto i = t.colonne.begin(); i != t.colonne.end(); ++i)
            if (i.key() != tenuta && (vecchia == t.colonne.end() || i->uso < vecchia->uso))
                vecchia = i;
        totale -= Byte(*vecchia);
        t.colonne.erase(vecchia);
    }
}

// Sorts on two threads when there is enough to sort: each half apart, then one merge.
void ordinaChiavi(std::vector<quint64>& chiavi, size_t dueThread) {
    if (chiavi.size() < std::max<size_t>(dueThread, 2)) {
        std::sort(chiavi.begin(), chiavi.end());
        return;
    }
    const auto meta = chiavi.begin() + std::ptrdiff_t(chiavi.size() / 2);
    std::thread altro;
    try {
        altro = std::thread([&] { std::sort(chiavi.begin(), meta); });
    } catch (const std::system_error&) {
        std::sort(chiavi.begin(), chiavi.end()); // no thread to be had: on this one
        return;
    }
    std::sort(meta, chiavi.end());
    altro.join();
    std::inplace_merge(chiavi.begin(), meta, chiavi.end());
}

} // namespace

struct OrdinatoreRighe::Dati {
    std::optional<Tabella> tabella;
    QString versione;
    quint64 orologio = 0;
};

OrdinatoreRighe::OrdinatoreRighe(size_t dueThread) : d_(std::make_unique<Dati>()), dueThread_(dueThread) {}
OrdinatoreRighe::~OrdinatoreRighe() = default;

std::optional<std::vector<qint64>> OrdinatoreRighe::ordina(dao::Database& db, const QString& selezione,
                                                             const OrdineArchivio& ordine) {
    const QString base = SenzaFiltriSql(selezione);
    const QString numeriSql = ElencoSql(selezione, QStringLiteral("rowid"));
    if (numeriSql.isEmpty())
        return std::nullopt;
    const QString versione = VersioneDati(db);
    if (versione != d_->versione || !d_->tabella || d_->tabella->base != base) {
        d_->tabella.reset();
        d_->versione = versione;
    }

    if (!d_->tabella) { // each row's place in code order, from the key index
        Tabella t;
        t.base = base;
        LetturaRighe l(db, db.traduci(ElencoSql(base, QStringLiteral("rowid")) + QStringLiteral(" ORDER BY Codice")),
                       LetturaRighe::Mappa::No);
        while (l.prossima())
            t.rigaDelPosto.push_back(l.intero(0));
        if (!t.rigaDelPosto.empty()) {
            const auto [minimo, massimo] = std::minmax_element(t.rigaDelPosto.begin(), t.rigaDelPosto.end());
            t.primo = *minimo;
            const qint64 slot = *massimo - *minimo + 1;
            if (slot > kSlotPerRiga * qint64(t.rigaDelPosto.size()) + 1024) {
                t.sparsa = true;
                t.rigaDelPosto = {};
            } else {
                t.postoCodice.assign(size_t(slot), 0);
                for (size_t p = 0; p < t.rigaDelPosto.size(); ++p)
                    t.postoCodice[size_t(t.rigaDelPosto[p] - t.primo)] = quint32(p + 1);
            }
        }
        d_->tabella = std::move(t);
    }
    Tabella& t = *d_->tabella;
    if (t.sparsa)
        return std::nullopt;
    const auto cambiata = [this] { // read while another program wrote: start again next time
        d_->tabella.reset();
        return std::nullopt;
    };

    // The code's own order is its place in code order; any other column is
    // read walking the table, once.
    const QString campo = CampoColonna(ordine.colonna);
    const bool perCodice = campo.compare(QLatin1String("Codice"), Qt::CaseInsensitive) == 0;
    auto c = t.colonne.find(campo);
    if (!perCodice && c == t.colonne.end()) {
        const size_t slot = t.postoCodice.size();
        LetturaColonna lettura(slot);
        const QString elenco = ElencoSql(base, QStringLiteral("rowid, ") + campo);
        if (slot < std::max<size_t>(dueThread_, 2)) {
            LetturaRighe l(db, db.traduci(elenco), LetturaRighe::Mappa::No);
            if (!leggiColonna(l, t, lettura))
                return cambiata();
        } else {
            // The two halves of the table at once.
            const size_t meta = slot / 2;
            const QString confine = QString::number(t.primo + qint64(meta));
            LetturaColonna altra(slot);
            // A half read again after a failed first try writes over its
            // slots; values it had added only take ranks no row uses.
            const auto leggi = [&t](LetturaColonna& in) {
                return [&t, in = &in](LetturaRighe& l) { return leggiColonna(l, t, *in); };
            };
            if (!leggiInDue(db, db.traduci(PiuFiltroSql(elenco, QStringLiteral("rowid < ") + confine)),
                            db.traduci(PiuFiltroSql(elenco, QStringLiteral("rowid >= ") + confine)), leggi(altra),
                            leggi(lettura)))
                return cambiata();
            lettura.unisci(altra, 0, meta);
        }
        c = t.colonne.insert(campo, lettura.colonna());
    }
    const Colonna soloCodice{std::vector<quint16>(), 0};
    const Colonna& colonna = perCodice ? soloCodice : *c;
    if (!perCodice)
        c->uso = ++d_->orologio;

    // The selection's rows: rank (inverted when descending) above place in code order.
    const bool discendente = ordine.verso == 2;
    const auto leggiChiavi = [&](std::vector<quint64>& chiavi) {
        return [&, in = &chiavi](LetturaRighe& l) {
            in->clear();
            return std::visit(
                [&](const auto& rango) {
                    while (l.prossima()) {
                        const std::optional<size_t> s = t.slot(l.intero(0));
                        if (!s)
                            return false;
                        const quint32 posto = t.postoCodice[*s] - 1;
                        const quint32 r = perCodice ? posto : quint32(rango[*s]);
                        in->push_back(quint64(discendente ? ~r : r) << 32 | posto);
                    }
                    return true;
                },
                colonna.rango);
        };
    };
    // Only a read that walks a whole table or index is worth splitting in two.
    std::vector<quint64> chiavi;
    const QString numeri = db.traduci(numeriSql);
    if (t.rigaDelPosto.size() < std::max<size_t>(dueThread_, 2) ||
        !PianoContiene(db, numeri, QStringLiteral("SCAN "))) {
        LetturaRighe l(db, numeri, LetturaRighe::Mappa::No);
        if (!leggiChiavi(chiavi)(l))
            return cambiata();
    } else {
        // The selection's two halves in code order at once, split at the
        // middle code (the filters' scans run along the code index).
        QString mezzo;
        {
            LetturaRighe l(db,
                           db.traduci(ElencoSql(base, QStringLiteral("Codice")) + QStringLiteral(" WHERE rowid = ") +
                                      QString::number(t.rigaDelPosto[t.rigaDelPosto.size() / 2])),
                           LetturaRighe::Mappa::No);
            if (!l.prossima())
                return cambiata();
            mezzo = QString::fromUtf8(l.testo(0));
        }
        const QString confine = QLatin1Char('\'') + RaddoppiaApici(mezzo) + QLatin1Char('\'');
        std::vector<quint64> seconde;
        if (!leggiInDue(db, db.traduci(PiuFiltroSql(numeriSql, QStringLiteral("Codice < ") + confine)),
                        db.traduci(PiuFiltroSql(numeriSql, QStringLiteral("Codice >= ") + confine)),
                        leggiChiavi(chiavi), leggiChiavi(seconde)))
            return cambiata();
        chiavi.insert(chiavi.end(), seconde.begin(), seconde.end());
    }
    if (!perCodice)
        liberaColonne(t, campo);
    ordinaChiavi(chiavi, dueThread_);
    std::vector<qint64> righe(chiavi.size());
    for (size_t i = 0; i < chiavi.size(); ++i)
        righe[i] = t.rigaDelPosto[chiavi[i] & 0xffffffffu];
    return righe;
}

} // namespace qv
