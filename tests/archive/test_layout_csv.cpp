// The "LayOUT" visibility string and the way the CSV export writes values.

#include "archive/colonne_griglia.h"
#include "archive/formato_csv.h"
#include "platform/day_number.h"

#include <QTest>

using namespace qv;

class TestLayoutCsv : public QObject {
    Q_OBJECT

private slots:
    void visibilita_data() {
        QTest::addColumn<QString>("valore");
        QTest::addColumn<QList<int>>("visibili");

        QList<int> tutte;
        for (int i = 0; i < kNumeroColonne; ++i)
            tutte.append(i);
        QTest::newRow("S blank S") << "S S" << QList<int>{0, 1, 3};
        QTest::newRow("absent") << "" << tutte;
        QTest::newRow("lower-case s hides") << "sS" << QList<int>{0, 2};
        QTest::newRow("23 flags") << QString(22, QLatin1Char('S')) + QLatin1Char('N') << tutte.mid(0, 23);
    }

    void visibilita() {
        QFETCH(QString, valore);
        QFETCH(QList<int>, visibili);
        const QString esteso = EstendiLayOut(valore);
        QList<int> trovate;
        for (int i = 0; i < kNumeroColonne; ++i)
            if (ColonnaVisibile(esteso, i))
                trovate.append(i);
        QCOMPARE(trovate, visibili);
    }

    void pannelloLayOut() {
        QStringList voci = VociLayOut(EstendiLayOut(QStringLiteral("S S")));
        QCOMPARE(voci.size(), kNumeroColonne - 1);
        QCOMPARE(voci.at(1), QStringLiteral("  | UFF.EXP."));
        voci[1] = InvertiVoceLayOut(voci.at(1));
        voci[2] = InvertiVoceLayOut(voci.at(2));
        QCOMPARE(voci.at(1), QStringLiteral("S | UFF.EXP."));
        const QString salvato = ComponiLayOut(voci);
        QCOMPARE(salvato.size(), 23);
        QCOMPARE(salvato, QStringLiteral("SS") + QString(21, QLatin1Char(' ')));
    }

    void campoCsv_data() {
        QTest::addColumn<QVariant>("valore");
        QTest::addColumn<int>("tipo");
        QTest::addColumn<QString>("atteso");

        const auto t = static_cast<int>(TipoCampo::Testo);
        const auto d = static_cast<int>(TipoCampo::Data);
        const auto n = static_cast<int>(TipoCampo::Numero);
        const double marzo = platform::dayNumber(QDate(2024, 3, 12));
        QTest::newRow("text trimmed") << QVariant("  MILANO ") << t << "MILANO";
        QTest::newRow("embedded line ends") << QVariant("RIGA\r\nDUE\nTRE") << t << "RIGADUETRE";
        QTest::newRow("semicolon kept") << QVariant("A;B") << t << "A;B";
        QTest::newRow("date null is blank") << QVariant() << d << "";
        QTest::newRow("date below day 1 (0 included)") << QVariant(0.75) << d << "";
        QTest::newRow("date with time: the day alone") << QVariant(marzo + 0.5) << d << "12/03/2024";
        QTest::newRow("state 2") << QVariant(2) << n << "2";
        QTest::newRow("number not numeric") << QVariant("abc") << n << "0";
        QTest::newRow("fraction in the locale's form") << QVariant(1.5) << n << "1,5";
    }

    void campoCsv() {
        QFETCH(QVariant, valore);
        QFETCH(int, tipo);
        QFETCH(QString, atteso);
        QCOMPARE(FormattaCampoCsv(valore, static_cast<TipoCampo>(tipo), QLocale(QLocale::Italian, QLocale::Italy)),
                 atteso);
    }

    void dataPerLocale_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QDate>("data");
        QTest::addColumn<QString>("atteso");
        const QLocale it(QLocale::Italian, QLocale::Italy);
        const QLocale us(QLocale::English, QLocale::UnitedStates);
        QTest::newRow("it_IT: day/month/four-digit year") << it << QDate(2025, 3, 11) << "11/03/2025";
        QTest::newRow("en_US: month/day/four-digit year") << us << QDate(2025, 3, 11) << "3/11/2025";
        QTest::newRow("C locale: no month names") << QLocale::c() << QDate(2025, 3, 11) << "11/03/2025";
    }

    void dataPerLocale() {
        QFETCH(QLocale, locale);
        QFETCH(QDate, data);
        QFETCH(QString, atteso);
        QCOMPARE(FormattaCampoCsv(platform::dayNumber(data), TipoCampo::Data, locale), atteso);
    }

    void righeCsv() {
        QCOMPARE(RigaIntestazioneCsv({"MRN", "NA\r\nZ", "St"}), QStringLiteral("MRN;NAZ;St;\r\n"));
        QCOMPARE(RigaCsv({"A", "", "2"}), QStringLiteral("A;;2;\r\n"));
    }
};

QTEST_GUILESS_MAIN(TestLayoutCsv)
#include "test_layout_csv.moc"
