// List files read with the batch's item rules, and a read that fails midway.

#include "archive/lettore_elenco.h"

#include <QBuffer>
#include <QTest>

#include <utility>

using namespace qv;

namespace {

QStringList leggiTutto(QIODevice& d, qint64* scartati) {
    LettoreElenco lettore(d);
    QStringList voci;
    while (auto v = lettore.prossimo())
        voci.append(*v);
    *scartati = lettore.scartati();
    return voci;
}

// A device whose reads fail once its first bytes are given.
class DeviceGuasto : public QBuffer {
public:
    explicit DeviceGuasto(const QByteArray& inizio) { setData(inizio); open(QIODevice::ReadOnly); }

protected:
    qint64 readData(char* data, qint64 max) override { return std::exchange(dato_, true) ? -1 : QBuffer::readData(data, max); }

private:
    bool dato_ = false;
};

// A device that hands over one byte per read, as a pipe may.
class DeviceLento : public QBuffer {
public:
    explicit DeviceLento(const QByteArray& dati) { setData(dati); open(QIODevice::ReadOnly); }

protected:
    qint64 readData(char* data, qint64 max) override { return QBuffer::readData(data, qMin<qint64>(max, 1)); }
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
        QTest::newRow("byte order mark alone") << QByteArray("\xEF\xBB\xBF") << QStringList{} << qint64(0);
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

        // Nor does the way the bytes arrive (the mark split over reads was found by fuzz_elenco).
        DeviceLento lento(contenuto);
        QCOMPARE(leggiTutto(lento, &s), attesi);
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
