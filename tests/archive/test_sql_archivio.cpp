// The SQL text of the archive browser's filters and sorts, and the checks of
// its date fields.

#include "archive/controllo_data.h"
#include "archive/sql_archivio.h"
#include "platform/day_number.h"

#include <QTest>

#include <algorithm>

using namespace qv;

namespace {
const QDate kOggi(2024, 5, 15);
QString giorno(const QDate& d) { return QString::number(static_cast<qint64>(platform::dayNumber(d))); }

// The browser's filters: state index, nation, year and kind entries, the two
// dates as day/month/year lists, the code fragment.
FiltriArchivio filtri(int stato, const QString& nazione, const QString& anno, const QString& tipo, const QStringList& dal,
                      const QStringList& al, const QString& frammento) {
    FiltriArchivio f{stato, nazione, anno, tipo, {}, {}, frammento};
    for (int i = 0; i < 3; ++i) {
        f.dal[i] = dal.value(i);
        f.al[i] = al.value(i);
    }
    return f;
}
} // namespace
Q_DECLARE_METATYPE(qv::FiltriArchivio)

class TestSqlArchivio : public QObject {
    Q_OBJECT

private slots:
    void estrazione_data() {
        QTest::addColumn<QString>("tabella");
        QTest::addColumn<FiltriArchivio>("filtri");
        QTest::addColumn<QString>("attesa");

        const QStringList vuote{"", "", ""};
        const QStringList oggi{"15", "05", "2024"};
        QTest::newRow("no filter") << "MRN" << filtri(4, "", "", "", vuote, oggi, "") << "Select * FROM MRN";
        QTest::newRow("the browser's example")
            << "MRN" << filtri(2, "IT - ITALIA", "", "E", vuote, oggi, "")
            << "Select * FROM MRN WHERE OKStato = 2 AND Nazione = 'IT' AND mid([MRN].[Codice],17,1) = 'E'";
        QTest::newRow("year of the work table") << "WkMRN" << filtri(4, "", "24", "", vuote, oggi, "")
                                                << "Select * FROM WkMRN WHERE left([WkMRN].[Codice],2) = '24'";
        QTest::newRow("first date") << "MRN" << filtri(4, "", "", "", {"01", "05", "2024"}, oggi, "")
                                    << "Select * FROM MRN WHERE  DataElab BETWEEN " + giorno(QDate(2024, 5, 1)) + " AND " +
                                           giorno(kOggi);
        QTest::newRow("only the last date, before today")
            << "MRN" << filtri(4, "", "", "", vuote, {"10", "05", "2024"}, "")
            << "Select * FROM MRN WHERE  DataElab BETWEEN 0 AND " + giorno(QDate(2024, 5, 10));
        QTest::newRow("last date blank means today") << "MRN" << filtri(4, "", "", "", vuote, vuote, "") << "Select * FROM MRN";
        QTest::newRow("invalid first date is ignored")
            << "MRN" << filtri(4, "", "", "", {"31", "02", "2024"}, oggi, "") << "Select * FROM MRN";
        QTest::newRow("fragment after the state") << "MRN" << filtri(1, "", "", "", vuote, oggi, " 0001 ")
                                                  << "Select * FROM MRN WHERE OKStato = 1 AND Codice LIKE '*0001*'";
        QTest::newRow("apostrophe in the fragment") << "MRN" << filtri(4, "", "", "", vuote, oggi, "X' OR 'A'='A")
                                                    << "Select * FROM MRN WHERE Codice LIKE '*X'' OR ''A''=''A*'";
    }

    void estrazione() {
        QFETCH(QString, tabella);
        QFETCH(FiltriArchivio, filtri);
        QTEST(EstraiMrnSql(tabella, filtri, kOggi), "attesa");
    }

    void ordine_data() {
        QTest::addColumn<int>("colonna");
        QTest::addColumn<int>("verso");
        QTest::addColumn<QString>("coda");

        QTest::newRow("MRN ascending") << 0 << 1 << " ORDER BY Codice ASC";
        QTest::newRow("NAZ adds no second key") << 1 << 1 << " ORDER BY Nazione ASC";
        QTest::newRow("DATA adds the code") << 5 << 1 << " ORDER BY ExDataUscita ASC, Codice";
        QTest::newRow("descending") << 22 << 2 << " ORDER BY DataElab DESC, Codice";
        QTest::newRow("transit office 4 discharge") << 21 << 1 << " ORDER BY TrDataDel4 ASC, Codice";
    }

    void ordine() {
        QFETCH(int, colonna);
        QFETCH(int, verso);
        QFETCH(QString, coda);
        const QString selezione = EstraiMrnSql(QStringLiteral("MRN"), filtri(2, "", "", "", {}, {}, ""), kOggi);
        QCOMPARE(ImpostaOrdineSql(selezione, {colonna, verso}), selezione + coda);
    }

    void eliminazione_data() {
        QTest::addColumn<QString>("codice");
        QTest::addColumn<QString>("attesa");
        QTest::newRow("plain") << "24IT000000000001E1" << "DELETE * FROM MRN WHERE Codice = '24IT000000000001E1'";
        QTest::newRow("apostrophe cannot widen the statement")
            << "X' OR '1'='1" << "DELETE * FROM MRN WHERE Codice = 'X'' OR ''1''=''1'";
    }

    void eliminazione() {
        QFETCH(QString, codice);
        QTEST(EliminaMrnSql(codice), "attesa");
    }

    void controllaData_data() {
        QTest::addColumn<int>("campo");
        QTest::addColumn<QStringList>("parti");
        QTest::addColumn<QString>("messaggio");
        QTest::addColumn<int>("focus");

        QTest::newRow("day 32") << 1 << QStringList{"32", "", "", "", "", ""} << "GIORNO INIZIALE ERRATO" << 1;
        QTest::newRow("day 31 alone is fine") << 1 << QStringList{"31", "", "", "", "", ""} << "" << 0;
        QTest::newRow("month 13") << 2 << QStringList{"1", "13", "", "", "", ""} << "MESE INIZIALE ERRATO" << 2;
        QTest::newRow("30 February") << 3 << QStringList{"30", "02", "2024", "", "", ""} << "DATA INIZIALE ERRATA" << 1;
        QTest::newRow("first date blank") << 3 << QStringList{"", "", "", "15", "05", "2024"} << "" << 0;
        QTest::newRow("first date partly blank") << 3 << QStringList{"1", "", "2024", "", "", ""}
                                                 << "DATA INIZIALE ERRATA" << 1;
        QTest::newRow("final day") << 4 << QStringList{"", "", "", "40", "", ""} << "GIORNO FINALE ERRATO" << 4;
        QTest::newRow("final month") << 5 << QStringList{"", "", "", "1", "99", ""} << "MESE FINALE ERRATO" << 5;
        QTest::newRow("final date") << 6 << QStringList{"", "", "", "31", "04", "2024"} << "DATA FINALE ERRATA" << 4;
        QTest::newRow("two-digit year") << 6 << QStringList{"", "", "", "29", "02", "24"} << "" << 0;
        QTest::newRow("not digits") << 1 << QStringList{"1a", "", "", "", "", ""} << "GIORNO INIZIALE ERRATO" << 1;
    }

    void controllaData() {
        QFETCH(int, campo);
        QFETCH(QStringList, parti);
        QFETCH(QString, messaggio);
        QString p[6];
        std::copy(parti.cbegin(), parti.cend(), p);
        const auto errore = ControllaData(campo, p, QStringLiteral("Quorvan"));
        QCOMPARE(bool(errore), !messaggio.isEmpty());
        if (!errore)
            return;
        QCOMPARE(errore->messaggio, messaggio);
        QCOMPARE(errore->titolo, QStringLiteral("QUORVAN -ERRORE N. ") + QString::number(campo));
        QCOMPARE(errore->campo, campo);
        QTEST(errore->campoFocus, "focus");
    }
};

QTEST_GUILESS_MAIN(TestSqlArchivio)
#include "test_sql_archivio.moc"
