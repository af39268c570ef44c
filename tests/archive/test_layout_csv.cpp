// The "LayOUT" visibility string and the way the CSV export writes values.

#include "archive/colonne_griglia.h"
#include "archive/formato_csv.h"
#include "platform/day_number.h"

#include <QTemporaryDir>
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
        const QString esteso = EstendiLayOut(valore);
        QList<int> trovate;
        for (int i = 0; i < kNumeroColonne; ++i)
            if (ColonnaVisibile(esteso, i))
                trovate.append(i);
        QTEST(trovate, "visibili");
    }

    // Stored and read back through the configuration file, leading blanks included.
    void visibilitaNelFile() {
        QTemporaryDir dir;
        const QString ini = dir.filePath(QStringLiteral("Quorvan.ini"));
        for (const QString& valore : {QStringLiteral("  S"), QStringLiteral("S  S")}) {
            ScriviVisibilita(ini, valore);
            QCOMPARE(LeggiVisibilita(ini), EstendiLayOut(valore));
        }
    }

    void pannelloLayOut() {
        QStringList voci = VociLayOut(EstendiLayOut(QStringLiteral("S S")));
        QCOMPARE(voci.size(), kNumeroColonne - 1);
        QCOMPARE(voci.at(1), QStringLiteral("  | UFF.EXP."));
        voci[1] = InvertiVoceLayOut(voci.at(1));
        voci[2] = InvertiVoceLayOut(voci.at(2));
        QCOMPARE(voci.at(1), QStringLiteral("S | UFF.EXP."));
        QCOMPARE(ComponiLayOut(voci), QStringLiteral("SS") + QString(21, QLatin1Char(' ')));
    }

    void campoCsv_data() {
        QTest::addColumn<QVariant>("valore");
        QTest::addColumn<int>("tipo");
        QTest::addColumn<QString>("atteso");
        QTest::addColumn<QLocale>("locale");
        const auto t = static_cast<int>(TipoCampo::Testo), d = static_cast<int>(TipoCampo::Data), n = static_cast<int>(TipoCampo::Numero);
        const QLocale it(QLocale::Italian, QLocale::Italy);
        const QVariant marzo = platform::dayNumber(QDate(2025, 3, 11));
        QTest::newRow("text trimmed") << QVariant("  MILANO ") << t << "MILANO" << it;
        QTest::newRow("embedded line ends") << QVariant("RIGA\r\nDUE\nTRE") << t << "RIGADUETRE" << it;
        QTest::newRow("semicolon kept") << QVariant("A;B") << t << "A;B" << it;
        QTest::newRow("date null is blank") << QVariant() << d << "" << it;
        QTest::newRow("date below day 1 (0 included)") << QVariant(0.75) << d << "" << it;
        QTest::newRow("date with time: the day alone") << QVariant(marzo.toDouble() + 0.5) << d << "11/03/2025" << it;
        QTest::newRow("en_US: month/day/four-digit year") << marzo << d << "3/11/2025" << QLocale(QLocale::English, QLocale::UnitedStates);
        QTest::newRow("C locale: no month names") << marzo << d << "11/03/2025" << QLocale::c();
        QTest::newRow("state 2") << QVariant(2) << n << "2" << it;
        QTest::newRow("number not numeric") << QVariant("abc") << n << "0" << it;
        QTest::newRow("fraction in the locale's form") << QVariant(1.5) << n << "1,5" << it;
    }
    void campoCsv() {
        QFETCH(QVariant, valore);
        QFETCH(int, tipo);
        QFETCH(QLocale, locale);
        QTEST(FormattaCampoCsv(valore, static_cast<TipoCampo>(tipo), locale), "atteso");
    }

    void righeCsv() {
        QCOMPARE(RigaIntestazioneCsv({"MRN", "NA\r\nZ", "St"}), QStringLiteral("MRN;NAZ;St;\r\n"));
        QCOMPARE(RigaCsv({"A", "", "2"}), QStringLiteral("A;;2;\r\n"));
    }
};

QTEST_GUILESS_MAIN(TestLayoutCsv)
#include "test_layout_csv.moc"
