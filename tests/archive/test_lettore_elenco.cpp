// List files read with the batch's item rules, and bad list files that must
// neither crash nor cost memory.

#include "archive/lettore_elenco.h"

#include <QBuffer>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

using namespace qv;

namespace {

// Peak resident memory of this process in kB (Linux); -1 where the platform does not tell.
qint64 piccoMemoriaKb() {
    QFile f(QStringLiteral("/proc/self/status"));
    for (const QByteArray& riga : f.open(QIODevice::ReadOnly) ? f.readAll().split('\n') : QList<QByteArray>())
        if (riga.startsWith("VmHWM:"))
            return riga.mid(6).trimmed().split(' ').first().toLongLong();
    return -1;
}

QStringList leggiTutto(QIODevice& d, qint64* scartati = nullptr) {
    LettoreElenco lettore(d);
    QStringList voci;
    while (auto v = lettore.prossimo())
        voci.append(*v);
    if (scartati)
        *scartati = lettore.scartati();
    return voci;
}

// A device whose reads fail after the first few bytes.
class DeviceGuasto : public QIODevice {
public:
    explicit DeviceGuasto(QByteArray inizio) : inizio_(std::move(inizio)) { open(QIODevice::ReadOnly); }

protected:
    qint64 readData(char* data, qint64 max) override {
        if (dato_)
            return -1;
        dato_ = true;
        const qint64 n = std::min<qint64>(max, inizio_.size());
        memcpy(data, inizio_.constData(), static_cast<size_t>(n));
        return n;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    QByteArray inizio_;
    bool dato_ = false;
};

// A list whose middle line is one gigabyte of "A", made as it is read, so
// the test needs neither the disk space nor the time to write it.
class RigaEnorme : public QIODevice {
public:
    RigaEnorme() { open(QIODevice::ReadOnly); }
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char* data, qint64 max) override {
        qint64 n = 0;
        while (n < max && pos_ < totale()) {
            const qint64 p = pos_ - qint64(kInizio.size());
            if (p < 0) {
                data[n++] = kInizio[pos_++];
            } else if (p < kMezzo) {
                const qint64 k = std::min(max - n, kMezzo - p);
                memset(data + n, 'A', static_cast<size_t>(k));
                n += k;
                pos_ += k;
            } else {
                data[n++] = kFine[p - kMezzo];
                ++pos_;
            }
        }
        return n == 0 && max > 0 ? -1 : n;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    static constexpr qint64 kMezzo = qint64(1) << 30;
    inline static const QByteArray kInizio = "24IT000000000001E1\r\n";
    inline static const QByteArray kFine = "\r\n24IT000000000002E1\r\n";
    static qint64 totale() { return kInizio.size() + kMezzo + kFine.size(); }
    qint64 pos_ = 0;
};

} // namespace

class TestLettoreElenco : public QObject {
    Q_OBJECT

private slots:
    void elementi_data() {
        QTest::addColumn<QByteArray>("contenuto");
        QTest::addColumn<QStringList>("attesi");
        QTest::addColumn<qint64>("scartati");

        const QString mrn1 = QStringLiteral("24IT000000000001E1");
        const QString mrn2 = QStringLiteral("24DE000000000002T5");
        QTest::newRow("one per line, CR LF") << QByteArray("24it000000000001e1\r\n24de000000000002t5\r\n")
                                             << QStringList{mrn1, mrn2} << qint64(0);
        QTest::newRow("two codes on one line") << QByteArray("24IT000000000001E1,24DE000000000002T5\r\n")
                                               << QStringList{mrn1, mrn2} << qint64(0);
        QTest::newRow("CR, LF, no final line end") << QByteArray("a1\rb2\nc3") << QStringList{"A1", "B2", "C3"} << qint64(0);
        QTest::newRow("blank items skipped, inner blanks kept") << QByteArray("  a 1  \r\n\r\n   \r\n,,\t, b2 ,\r\n")
                                                                << QStringList{"A 1", "B2"} << qint64(0);
        QTest::newRow("quoted item keeps its comma") << QByteArray("\"x1, y2\" dropped,z3\r\n")
                                                     << QStringList{"X1, Y2", "Z3"} << qint64(0);
        QTest::newRow("quote left open ends at the line end") << QByteArray("\"abc\ndef")
                                                              << QStringList{"ABC", "DEF"} << qint64(0);
        QTest::newRow("byte order mark ignored, Windows-1252 upper-cased")
            << QByteArray("\xEF\xBB\xBF" "caff\xE8\r\n") << QStringList{QStringLiteral("CAFFÈ")} << qint64(0);
        QTest::newRow("control characters make an item unusable")
            << QByteArray("ab\x01" "cd\r\nok\r\nx\0y\r\nc\td\r\n\tok2\t\r\n", 28) << QStringList{"OK", "OK2"}
            << qint64(3);
        QTest::newRow("longest item accepted") << QByteArray(kLunghezzaMassimaElemento, 'a') + "\n"
                                               << QStringList{QString(kLunghezzaMassimaElemento, QLatin1Char('A'))}
                                               << qint64(0);
        QTest::newRow("longer item skipped") << QByteArray(kLunghezzaMassimaElemento + 1, 'a') + ",ok\n"
                                             << QStringList{"OK"} << qint64(1);
        QTest::newRow("empty file") << QByteArray() << QStringList{} << qint64(0);
    }

    void elementi() {
        QFETCH(QByteArray, contenuto);
        QFETCH(QStringList, attesi);
        QFETCH(qint64, scartati);

        QBuffer b(&contenuto);
        QVERIFY(b.open(QIODevice::ReadOnly));
        qint64 s = -1;
        QCOMPARE(leggiTutto(b, &s), attesi);
        QCOMPARE(s, scartati);

        // The count pass agrees with the reading pass.
        b.seek(0);
        const ConteggioElenco conto = ContaElementi(b);
        QCOMPARE(conto.elementi, qint64(attesi.size()));
        QCOMPARE(conto.scartati, scartati);
        QVERIFY(!conto.erroreLettura);
    }

    void spazzaturaBinaria() {
        QByteArray junk(1 << 20, '\0');
        QRandomGenerator rng(4242);
        for (char& c : junk)
            c = static_cast<char>(rng.bounded(256));
        QBuffer b(&junk);
        QVERIFY(b.open(QIODevice::ReadOnly));
        const QStringList voci = leggiTutto(b);
        for (const QString& v : voci) {
            QVERIFY(v.size() <= kLunghezzaMassimaElemento);
            for (QChar c : v)
                QVERIFY2(c.unicode() >= 0x20 && c.unicode() != 0x7F, qPrintable(v));
        }
        b.seek(0);
        QCOMPARE(ContaElementi(b).elementi, qint64(voci.size()));
    }

    void rigaDaUnGigabyte() {
        const qint64 prima = piccoMemoriaKb();
        RigaEnorme enorme;
        qint64 scartati = 0;
        const QStringList voci = leggiTutto(enorme, &scartati);
        QCOMPARE(voci, (QStringList{"24IT000000000001E1", "24IT000000000002E1"}));
        QCOMPARE(scartati, qint64(1));
        if (prima > 0)
            QVERIFY2(piccoMemoriaKb() - prima < 64 * 1024, "reading a huge line must not hold it in memory");
    }

    void erroreDiLettura() {
        DeviceGuasto d("a1\r\nb2");
        LettoreElenco lettore(d);
        QCOMPARE(lettore.prossimo(), std::optional<QString>(QStringLiteral("A1")));
        QCOMPARE(lettore.prossimo(), std::optional<QString>(QStringLiteral("B2")));
        QVERIFY(!lettore.prossimo());
        QVERIFY(lettore.erroreLettura());
    }
};

QTEST_GUILESS_MAIN(TestLettoreElenco)
#include "test_lettore_elenco.moc"
