#include "archive/ordine_righe.h"

#include "database/dao/lettura_righe.h"

#include <QByteArray>
#include <QtEndian>
#include <QHash>

#include <algorithm>
#include <bit>
#include <cstring>
#include <thread>

namespace qv {

namespace {

using dao::LetturaRighe;

constexpr int kParoleCodice = 3; // a code's first 24 bytes kept in its entry

// One row to sort. Its field is reduced to a number that orders as the field
// does (a text or data value becomes its rank among the distinct values), so
// comparing two rows is comparing a few integers; most fields repeat over
// many rows, so most comparisons go on to the code.
struct Voce {
    enum Classe : quint8 { Nullo, Numero, Testo, Dati }; // SQLite's order of the types
    quint64 chiave = 0;
    quint64 codice[kParoleCodice] = {}; // the folded code, big-endian
    qint64 riga = 0;
    quint32 codiceLungo = 0; // codes longer than the words above: their place in the arena
    quint16 lunghezzaCodice = 0;
    Classe classe = Nullo;
    bool reale = false; // a number whose chiave holds a double until it is encoded
};

// The text as NOCASE compares it (ASCII letters folded, nothing else), in
// a buffer reused from row to row.
const QByteArray& piegata(QByteArrayView testo, QByteArray& buffer) {
    buffer.resize(testo.size());
    char* p = buffer.data();
    for (char c : testo)
        *p++ = c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
    return buffer;
}

int confronta(const char* a, qsizetype na, const char* b, qsizetype nb) {
    const int r = std::memcmp(a, b, size_t(std::min(na, nb)));
    return r ? r : (na < nb ? -1 : na > nb ? 1 : 0);
}

// Equal bytes, equal rank: the values of one type, each given its rank in
// NOCASE order once the scan is over.
class Valori {
public:
    quint32 id(QByteArrayView b) {
        if (ultimo_ < valori_.size() && valori_[ultimo_].size() == b.size() &&
            std::memcmp(valori_[ultimo_].constData(), b.data(), size_t(b.size())) == 0)
            return quint32(ultimo_); // the same as the row before, as is common
        const QByteArray v = b.toByteArray();
        auto i = ids_.constFind(v);
        if (i == ids_.cend()) {
            i = ids_.insert(v, quint32(valori_.size()));
            valori_.push_back(v);
        }
        ultimo_ = *i;
        return *i;
    }
    std::vector<quint32> ranghi() const {
        std::vector<quint32> ordine(valori_.size());
        for (quint32 i = 0; i < ordine.size(); ++i)
            ordine[i] = i;
        std::sort(ordine.begin(), ordine.end(), [this](quint32 a, quint32 b) {
            return confronta(valori_[a].constData(), valori_[a].size(), valori_[b].constData(), valori_[b].size()) < 0;
        });
        std::vector<quint32> rango(valori_.size());
        for (quint32 r = 0; r < ordine.size(); ++r)
            rango[ordine[r]] = r;
        return rango;
    }

private:
    QHash<QByteArray, quint32> ids_;
    std::vector<QByteArray> valori_;
    size_t ultimo_ = 0;
};

// A double as an unsigned number that orders as the double does; -0 is 0.
quint64 chiaveReale(double d) {
    const quint64 b = std::bit_cast<quint64>(d == 0 ? 0.0 : d);
    return (b >> 63) ? ~b : b | (quint64(1) << 63);
}

// Sorts on two threads when there is enough to sort: each half apart, then one merge.
template <typename Prima> void ordinaVoci(std::vector<Voce>& voci, size_t dueThread, Prima prima) {
    if (voci.size() < std::max<size_t>(dueThread, 2)) {
        std::sort(voci.begin(), voci.end(), prima);
        return;
    }
    const auto meta = voci.begin() + std::ptrdiff_t(voci.size() / 2);
    std::thread altro([&] { std::sort(voci.begin(), meta, prima); });
    std::sort(meta, voci.end(), prima);
    altro.join();
    std::inplace_merge(voci.begin(), meta, voci.end(), prima);
}

} // namespace

struct OrdinatoreRighe::Voci {
    std::vector<Voce> voci;
};

OrdinatoreRighe::OrdinatoreRighe(size_t dueThread) : voci_(std::make_unique<Voci>()), dueThread_(dueThread) {}
OrdinatoreRighe::~OrdinatoreRighe() = default;

std::vector<qint64> OrdinatoreRighe::ordina(const dao::Database& db, const QString& chiaviSqlite, bool discendente) {
    std::vector<Voce>& voci = voci_->voci;
    voci.clear(); // its memory kept: the next sort writes over pages already there
    QByteArray codiciLunghi;
    Valori testi, dati;
    bool reali = false;
    {
        LetturaRighe l(db, chiaviSqlite, LetturaRighe::Mappa::No);
        QByteArray piegato;
        while (l.prossima()) {
            Voce v;
            v.riga = l.intero(0);
            switch (l.tipo(1)) {
            case LetturaRighe::Tipo::Nullo:
                break;
            case LetturaRighe::Tipo::Intero:
                v.classe = Voce::Numero;
                v.chiave = quint64(l.intero(1));
                break;
            case LetturaRighe::Tipo::Reale:
                v.classe = Voce::Numero;
                v.reale = reali = true;
                v.chiave = std::bit_cast<quint64>(l.reale(1));
                break;
            case LetturaRighe::Tipo::Testo:
                v.classe = Voce::Testo;
                v.chiave = testi.id(piegata(l.testo(1), piegato));
                break;
            case LetturaRighe::Tipo::Dati:
                v.classe = Voce::Dati;
                v.chiave = dati.id(l.dati(1));
                break;
            }
            piegata(l.testo(2), piegato);
            v.lunghezzaCodice = quint16(std::min<qsizetype>(piegato.size(), 0xffff));
            char parole[kParoleCodice * 8] = {};
            std::memcpy(parole, piegato.constData(), std::min<size_t>(sizeof parole, v.lunghezzaCodice));
            for (int i = 0; i < kParoleCodice; ++i)
                v.codice[i] = qFromBigEndian<quint64>(parole + 8 * i);
            if (v.lunghezzaCodice > kParoleCodice * 8) {
                v.codiceLungo = quint32(codiciLunghi.size());
                codiciLunghi.append(piegato.constData(), v.lunghezzaCodice);
            }
            voci.push_back(v);
        }
    }

    // Each field made the number it sorts by. Integers beside reals compare
    // as numbers, as SQLite compares them (exactly up to 2^53).
    const std::vector<quint32> rangoTesti = testi.ranghi(), rangoDati = dati.ranghi();
    for (Voce& v : voci) {
        if (v.classe == Voce::Testo)
            v.chiave = rangoTesti[v.chiave];
        else if (v.classe == Voce::Dati)
            v.chiave = rangoDati[v.chiave];
        else if (v.classe == Voce::Numero)
            v.chiave = v.reale ? chiaveReale(std::bit_cast<double>(v.chiave))
                       : reali ? chiaveReale(double(qint64(v.chiave)))
                               : v.chiave ^ (quint64(1) << 63);
    }

    const char* lunghi = codiciLunghi.constData();
    ordinaVoci(voci, dueThread_, [&](const Voce& a, const Voce& b) {
        if (a.classe != b.classe)
            return discendente ? a.classe > b.classe : a.classe < b.classe;
        if (a.chiave != b.chiave)
            return discendente ? a.chiave > b.chiave : a.chiave < b.chiave;
        for (int i = 0; i < kParoleCodice; ++i)
            if (a.codice[i] != b.codice[i])
                return a.codice[i] < b.codice[i];
        if (a.lunghezzaCodice > kParoleCodice * 8 && b.lunghezzaCodice > kParoleCodice * 8)
            return confronta(lunghi + a.codiceLungo, a.lunghezzaCodice, lunghi + b.codiceLungo, b.lunghezzaCodice) < 0;
        return a.lunghezzaCodice < b.lunghezzaCodice;
    });
    std::vector<qint64> righe;
    righe.reserve(voci.size());
    for (const Voce& v : voci)
        righe.push_back(v.riga);
    return righe;
}

} // namespace qv
