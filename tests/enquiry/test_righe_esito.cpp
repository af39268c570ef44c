// The result lines of the single enquiry window, built from the outcome and
// the shared arrays, and the way a terminal prints them.

#include "celle_attese.h"
#include "enquiry/righe_esito.h"

#include <QtTest>

using namespace qv;

namespace {
const QString uguali(90, QLatin1Char('='));
} // namespace

class TestRigheEsito : public QObject {
    Q_OBJECT

private slots:
    void righe_data() {
        QTest::addColumn<int>("esito");
        QTest::addColumn<QStringList>("celle");
        QTest::addColumn<QStringList>("righe"); // lines 1.. up to the last non-empty one
        QTest::addColumn<bool>("centrata");

        QTest::newRow("rejected or no connection: framed, centred") << 9 << QStringList{"T2=*** Codice VAT non indicato "}
                                  << QStringList{uguali, "*** Codice VAT non indicato", uguali} << true;
        QTest::newRow("pending message") << 0 << QStringList{"T2==== In attesa ===", "E17=ignored"}
                                         << QStringList{"=== In attesa ==="} << false;
        QTest::newRow("transit rows carry their column's label")
            << 0
            << QStringList{"T1=U:", "T2=R:", "T3=D:", "T4=A:", "E1=a", "E2=b", "E3=c", "E4=d", "E5=e", "E6=f",
                           "E8=h", "E17=x"}
            << QStringList{"U: a", "R: b", "D: c", "A: d", "U: e", "R: f", "A: h", " x"} << false;
        QTest::newRow("blank values skipped") << 0 << QStringList{"T5=A", "E17=   ", "T6=B", "E18=2"}
                                              << QStringList{"B 2"} << false;
        // Sixteen transit values and three export values fill all nineteen lines.
        QStringList tutte{"T1=a", "T2=b", "T3=c", "T4=d", "T5=e", "T6=f", "T7=g"}, tutteRighe;
        for (int i = 1; i <= 19; ++i) {
            tutte << QStringLiteral("E%1=%1").arg(i);
            tutteRighe << QStringLiteral("%1 %2").arg(QLatin1Char("abcdabcdabcdabcdefg"[i - 1])).arg(i);
        }
        QTest::newRow("sixteen plus three") << 0 << tutte << tutteRighe << false;
        QTest::newRow("plain transit error shows nothing") << 0 << QStringList{"T2=Servizio sospeso"}
                                                           << QStringList{} << false;
    }
    void righe() {
        QFETCH(int, esito);
        QFETCH(QStringList, celle);
        QFETCH(QStringList, righe);
        QFETCH(bool, centrata);
        const RigheEsito r = RigheRisultato(esito, statoDaCelle(celle));
        QCOMPARE(r.secondaCentrata, centrata);
        QVERIFY(r.righe[0].isEmpty());
        for (int i = 1; i <= 19; ++i)
            QCOMPARE(r.righe[i], righe.value(i - 1));
    }

    void stampa_data() {
        QTest::addColumn<int>("esito");
        QTest::addColumn<QStringList>("celle");
        QTest::addColumn<QStringList>("stampate");
        QTest::newRow("message centred") << 1 << QStringList{"T2=" + QString(10, QLatin1Char('m'))}
                                         << QStringList{uguali, QString(40, QLatin1Char(' ')) + QString(10, QLatin1Char('m')), uguali};
        QTest::newRow("long message as it is") << 1 << QStringList{"T2=" + QString(95, QLatin1Char('m'))}
                                               << QStringList{uguali, QString(95, QLatin1Char('m')), uguali};
        QTest::newRow("second message not centred") << 0 << QStringList{"T2=*** x ***", "T3=*** y ***"}
                                                     << QStringList{"*** x ***", "*** y ***"};
    }
    void stampa() {
        QFETCH(int, esito);
        QFETCH(QStringList, celle);
        QFETCH(QStringList, stampate);
        QCOMPARE(RigheDaStampare(RigheRisultato(esito, statoDaCelle(celle))), stampate);
    }
};

QTEST_GUILESS_MAIN(TestRigheEsito)
#include "test_righe_esito.moc"
