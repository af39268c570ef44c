// The archive row a batch computes from one enquiry's results, and the
// check a corrected MRN must pass.

#include "archive/colonne_griglia.h"
#include "archive/controllo_mrn.h"
#include "archive/riga_mrn.h"
#include "platform/day_number.h"

#include <QTest>

#include <array>

using namespace qv;

namespace {
using Esito = std::array<QString, 20>;
using Titolo = std::array<QString, 8>;
double giorno(int a, int m, int g) { return platform::dayNumber(QDate(a, m, g)); }
} // namespace

class TestRigaMrn : public QObject {
    Q_OBJECT

private slots:
    void stato_data() {
        QTest::addColumn<QString>("codice");
        QTest::addColumn<QString>("messaggio");
        QTest::addColumn<QString>("dataUscita");
        QTest::addColumn<QString>("dataTransito");
        QTest::addColumn<int>("stato"); // -1: not decided

        const QString ex = QStringLiteral("24IT000000000001E1");
        const QString tr = QStringLiteral("24IT000000000001T1");
        QTest::newRow("export with exit date") << ex << "" << "12/03/2024" << "" << kStatoConcluso;
        QTest::newRow("export without exit date") << ex << "" << "" << "" << kStatoSospeso;
        QTest::newRow("export with a non-date") << ex << "" << "in corso" << "" << kStatoSospeso;
        QTest::newRow("error message wins over a date") << ex << "*** MRN NON VALIDO ***" << "12/03/2024" << ""
                                                        << kStatoErrato;
        QTest::newRow("pending message") << ex << "=== IN ATTESA ===" << "12/03/2024" << "" << kStatoSospeso;
        QTest::newRow("transit with an office date") << tr << "" << "" << "01/02/2024" << kStatoConcluso;
        QTest::newRow("transit without dates") << tr << "" << "12/03/2024" << "" << kStatoSospeso;
        QTest::newRow("VAT number, no marker") << "IT01234567890" << "" << "" << "" << -1;
        QTest::newRow("kind neither E nor T") << "24IT000000000001X1" << "" << "12/03/2024" << "" << -1;
    }

    void stato() {
        QFETCH(QString, codice);
        QFETCH(QString, messaggio);
        QFETCH(QString, dataUscita);
        QFETCH(QString, dataTransito);
        Esito e;
        Titolo t;
        t[2] = messaggio;
        e[19] = dataUscita;
        e[7] = dataTransito;
        const ValoriRigaMrn r = CalcolaRigaMrn(codice, e, t);
        QTEST(r.OKStato.value_or(-1), "stato");
        QCOMPARE(r.Nazione, codice.mid(2, 2));
    }

    void uscita_data() {
        QTest::addColumn<QString>("valore17");
        QTest::addColumn<QString>("valore18");
        QTest::addColumn<QString>("valore19");
        QTest::addColumn<QString>("esportazione");
        QTest::addColumn<QString>("codice");
        QTest::addColumn<QString>("descrizione");
        QTest::addColumn<double>("data");

        QTest::newRow("complete") << "IT277100" << "IT018100 - MILANO MALPENSA" << "12/03/2024" << "IT277100"
                                  << "IT018100" << "MILANO MALPENSA" << giorno(2024, 3, 12);
        QTest::newRow("empty values") << "" << "" << "" << " " << "" << "" << 0.0;
        QTest::newRow("short value 18 is padded") << "X" << "IT01" << "" << "X" << "IT01    " << "" << 0.0;
        QTest::newRow("description cut at 70")
            << "X" << "IT018100 - " + QString(80, QLatin1Char('D')) << "" << "X" << "IT018100"
            << QString(59, QLatin1Char('D')) << 0.0;
        QTest::newRow("date with time") << "X" << "" << "12/03/2024 12:00" << "X" << "" << ""
                                        << giorno(2024, 3, 12) + 0.5;
    }

    void uscita() {
        QFETCH(QString, valore17);
        QFETCH(QString, valore18);
        QFETCH(QString, valore19);
        Esito e;
        e[17] = valore17;
        e[18] = valore18;
        e[19] = valore19;
        const ValoriRigaMrn r = CalcolaRigaMrn(QStringLiteral("24IT000000000001E1"), e, Titolo{});
        QTEST(r.ExUffExport, "esportazione");
        QTEST(r.ExUffUscitaCod, "codice");
        QTEST(r.ExUffUscitaDes, "descrizione");
        QTEST(r.ExDataUscita, "data");
    }

    // A missing office or role is a blank, a missing date 0; a discharge date sets the flag.
    void transito() {
        Esito e;
        e[1] = QStringLiteral("IT1");
        e[8] = QStringLiteral("05/02/2024");
        const ValoriRigaMrn r = CalcolaRigaMrn(QStringLiteral("24IT000000000001T1"), e, Titolo{});
        QCOMPARE(QStringList({r.TrUfficio[0], r.TrRuolo[0], r.TrUfficio[1]}), QStringList({"IT1", " ", " "}));
        QCOMPARE(QList<double>({r.TrData[0], r.TrDataDel[0], r.TrDataDel[1]}), QList<double>({0, 0, giorno(2024, 2, 5)}));
        QVERIFY(r.discarico);
        QVERIFY(!CalcolaRigaMrn(QStringLiteral("24IT000000000001T1"), Esito{}, Titolo{}).discarico);
    }

    void mrnCorretto_data() {
        QTest::addColumn<QString>("mrn");
        QTest::addColumn<bool>("valido");
        QTest::newRow("valid export") << "24IT000000000001E1" << true;
        QTest::newRow("longer than 18") << "24IT000000000001E123" << true;
        QTest::newRow("17 characters") << "24IT000000000001E" << false;
        QTest::newRow("digit at 3") << "241T000000000001E1" << false;
        QTest::newRow("X at 17") << "24IT000000000001X1" << false;
        QTest::newRow("year 06") << "06IT000000000001E1" << false;
        QTest::newRow("year 07") << "07IT000000000001E1" << true;
        QTest::newRow("letters as year") << "ABIT000000000001E1" << false;
        QTest::newRow("nation ZZ") << "24ZZ000000000001E1" << true;
        QTest::newRow("nation below AA") << "24A0000000000001E1" << false;
    }

    void mrnCorretto() {
        QFETCH(QString, mrn);
        QTEST(MrnCorrettoValido(mrn), "valido");
    }
};

QTEST_GUILESS_MAIN(TestRigaMrn)
#include "test_riga_mrn.moc"
