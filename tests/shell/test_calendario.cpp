// The month grid of the date picker: Monday first, month lengths, navigation
// across year ends.

#include "shell/calendario.h"

#include <QtTest>

using namespace qv;

class TestCalendario : public QObject {
    Q_OBJECT

private slots:
    void months_data() {
        QTest::addColumn<int>("mese");
        QTest::addColumn<int>("anno");
        QTest::addColumn<int>("giorni");
        QTest::addColumn<int>("colonna");
        QTest::newRow("February of a leap year, Thursday") << 2 << 2024 << 29 << 3;
        QTest::newRow("February 1900 is not leap") << 2 << 1900 << 28 << 3;
        QTest::newRow("February 2000 is leap") << 2 << 2000 << 29 << 1;
        QTest::newRow("first day Monday") << 1 << 2024 << 31 << 0;
        QTest::newRow("first day Sunday") << 9 << 2024 << 30 << 6;
    }
    void months() {
        QFETCH(int, mese);
        QFETCH(int, anno);
        QFETCH(int, giorni);
        QFETCH(int, colonna);
        QCOMPARE(GiorniDelMese(mese, anno), giorni);
        QCOMPARE(ColonnaPrimoGiorno(mese, anno), colonna);
    }

    void sundayStartingLongMonthFillsAll37Cells() {
        QList<int> attese(6, 0); // March 2026 starts on a Sunday and has 31 days
        for (int g = 1; g <= 31; ++g)
            attese << g;
        QCOMPARE(CelleDelMese(3, 2026), attese);
    }

    void navigation_data() {
        QTest::addColumn<int>("mese");
        QTest::addColumn<int>("anno");
        QTest::addColumn<QList<int>>("atteso"); // previous month, year; next month, year
        const int primo = kPrimoAnnoCalendario, ultimo = kUltimoAnnoCalendario;
        QTest::newRow("January") << 1 << 2024 << QList<int>{12, 2023, 2, 2024};
        QTest::newRow("December") << 12 << 2024 << QList<int>{11, 2024, 1, 2025};
        QTest::newRow("first year stops") << 1 << primo << QList<int>{1, primo, 2, primo};
        QTest::newRow("last year stops") << 12 << ultimo << QList<int>{11, ultimo, 12, ultimo};
    }
    void navigation() {
        QFETCH(int, mese);
        QFETCH(int, anno);
        QFETCH(QList<int>, atteso);
        const MeseAnno p = MesePrecedente({mese, anno});
        const MeseAnno s = MeseSuccessivo({mese, anno});
        QCOMPARE((QList<int>{p.mese, p.anno, s.mese, s.anno}), atteso);
    }

    void caption() { QCOMPARE(TitoloCalendario(QDate(2024, 3, 5)), QString("  05 marzo 2024 (mar)")); }
};

QTEST_GUILESS_MAIN(TestCalendario)
#include "test_calendario.moc"
