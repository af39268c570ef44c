// The MRN list file reader (LettoreElenco, ContaElementi) as the batch reads
// a list: any bytes as the file.
//
// Rules: every item is non-blank, trimmed, upper-case, free of line ends and
// control characters, and no longer than an item may be; the count pass
// agrees with the reading pass; and the items do not depend on how the
// device hands the bytes over: read whole or a few bytes at a time (as a
// pipe or a slow disk may give them), the same items and the same skips.

#include "verifica.h"

#include "archive/lettore_elenco.h"

#include <QBuffer>

#include <cstdint>

namespace {

// A device that gives at most `passo` bytes per read.
class DispositivoLento : public QIODevice {
public:
    DispositivoLento(const QByteArray& dati, qint64 passo) : dati_(dati), passo_(passo) {}
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char* data, qint64 maxlen) override {
        const qint64 n = qMin(qMin(maxlen, passo_), qint64(dati_.size()) - pos_);
        if (n <= 0) return n == 0 ? 0 : -1;
        memcpy(data, dati_.constData() + pos_, size_t(n));
        pos_ += n;
        return n;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    QByteArray dati_;
    qint64 passo_;
    qint64 pos_ = 0;
};

struct Lettura {
    QStringList voci;
    qint64 scartati = 0;
};

Lettura leggi(QIODevice& d) {
    qv::LettoreElenco lettore(d);
    Lettura l;
    while (auto voce = lettore.prossimo())
        l.voci << *voce;
    l.scartati = lettore.scartati();
    VERIFICA(!lettore.erroreLettura(), QStringLiteral("errore di lettura"));
    return l;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray dati(reinterpret_cast<const char*>(data), qsizetype(size));

    QBuffer intero;
    intero.setData(dati);
    intero.open(QIODevice::ReadOnly);
    const Lettura l = leggi(intero);

    for (const QString& v : l.voci) {
        VERIFICA(!v.isEmpty() && v == v.trimmed(), QStringLiteral("[") + v + QLatin1Char(']'));
        VERIFICA(v == v.toUpper(), v);
        // Upper case may widen a character ("ß" is "SS"), never more.
        VERIFICA(v.size() <= 2 * qv::kLunghezzaMassimaElemento, QString::number(v.size()));
        for (const QChar c : v)
            VERIFICA(c.unicode() >= 0x20 && c.unicode() != 0x7F, v);
    }

    intero.seek(0);
    const qv::ConteggioElenco conto = qv::ContaElementi(intero);
    VERIFICA(conto.elementi == l.voci.size() && conto.scartati == l.scartati,
             QStringLiteral("conteggio %1/%2, lettura %3/%4")
                 .arg(conto.elementi)
                 .arg(conto.scartati)
                 .arg(l.voci.size())
                 .arg(l.scartati));

    // The step size comes from the input's length, so the input stays the file.
    DispositivoLento lento(dati, 1 + qint64(size % 61));
    lento.open(QIODevice::ReadOnly);
    const Lettura a_pezzi = leggi(lento);
    VERIFICA(a_pezzi.voci == l.voci && a_pezzi.scartati == l.scartati,
             QStringLiteral("intero: [%1] %2 scartati; a pezzi di %3: [%4] %5 scartati")
                 .arg(l.voci.join(QLatin1Char('|')))
                 .arg(l.scartati)
                 .arg(1 + size % 61)
                 .arg(a_pezzi.voci.join(QLatin1Char('|')))
                 .arg(a_pezzi.scartati));
    return 0;
}
