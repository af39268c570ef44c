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
        QTest::newRow("February of a common year") << 2 << 2023 << 28 << 2;
        QTest::newRow("February 1900 is not leap") << 2 << 1900 << 28 << 3;
        QTest::newRow("February 2000 is leap") << 2 << 2000 << 29 << 1;
        QTest::newRow("December") << 12 << 2024 << 31 << 6;
        QTest::newRow("first day Monday") << 1 << 2024 << 31 << 0;
        QTest::newRow("first day Sunday") << 9 << 2024 << 30 << 6;
        QTest::newRow("April 2029: Sunday and 30 days") << 4 << 2029 << 30 << 6;
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
        // March 2026 starts on a Sunday and has 31 days: cells 6..36.
        const QList<int> celle = CelleDelMese(3, 2026);
        QCOMPARE(celle.size(), 37);
        QCOMPARE(celle.mid(0, 6), QList<int>(6, 0));
        QCOMPARE(celle.at(6), 1);
        QCOMPARE(celle.at(36), 31);
    }

    void navigation_data() {
        QTest::addColumn<int>("mese");
        QTest::addColumn<int>("anno");
        QTest::addColumn<int>("precMese");
        QTest::addColumn<int>("precAnno");
        QTest::addColumn<int>("succMese");
        QTest::addColumn<int>("succAnno");
        QTest::newRow("mid year") << 6 << 2024 << 5 << 2024 << 7 << 2024;
        QTest::newRow("January") << 1 << 2024 << 12 << 2023 << 2 << 2024;
        QTest::newRow("December") << 12 << 2024 << 11 << 2024 << 1 << 2025;
        QTest::newRow("first year stops")
            << 1 << kPrimoAnnoCalendario << 1 << kPrimoAnnoCalendario << 2 << kPrimoAnnoCalendario;
        QTest::newRow("last year stops")
            << 12 << kUltimoAnnoCalendario << 11 << kUltimoAnnoCalendario << 12 << kUltimoAnnoCalendario;
    }
    void navigation() {
        QFETCH(int, mese);
        QFETCH(int, anno);
        QFETCH(int, precMese);
        QFETCH(int, precAnno);
        QFETCH(int, succMese);
        QFETCH(int, succAnno);
        const MeseAnno p = MesePrecedente({mese, anno});
        const MeseAnno s = MeseSuccessivo({mese, anno});
        QCOMPARE(p.mese, precMese);
        QCOMPARE(p.anno, precAnno);
        QCOMPARE(s.mese, succMese);
        QCOMPARE(s.anno, succAnno);
    }

    void names() {
        const QStringList nomi = NomiMesi();
        QCOMPARE(nomi.size(), 12);
        QCOMPARE(nomi.first(), QString("Gennaio"));
        QCOMPARE(nomi.last(), QString("Dicembre"));
        QCOMPARE(TitoloCalendario(QDate(2024, 3, 5)), QString("  05 marzo 2024 (mar)"));
    }
};

QTEST_GUILESS_MAIN(TestCalendario)
#include "test_calendario.moc"
