// The lines the batch writes into "EsitiDaEle.txt" for the FILE and Stampa
// destinations.

#include "archive/righe_esiti.h"

#include <QTest>

#include <array>

using namespace qv;

namespace {

using Esito = std::array<QString, 20>;
using Titolo = std::array<QString, 8>;

Esito esitoExport() {
    Esito e;
    e[17] = QStringLiteral("IT277100");
    e[18] = QStringLiteral("IT018100 - MILANO MALPENSA");
    e[19] = QStringLiteral("12/03/2024");
    return e;
}

} // namespace

class TestRigheEsiti : public QObject {
    Q_OBJECT

private slots:
    void rigaFile_data() {
        QTest::addColumn<QString>("separatore");
        QTest::addColumn<QString>("messaggio");
        QTest::addColumn<bool>("conDati");
        QTest::addColumn<QString>("attesa");

        const QString mrn = QStringLiteral("24IT000000000001E1");
        QTest::newRow("page message only, semicolon")
            << ";" << "*** MRN NON TROVATO ***" << false << mrn + QStringLiteral(";*") + QString(19, QLatin1Char(';'));
        QTest::newRow("pending message keeps value 1 blank")
            << "|" << "=== IN ATTESA DI USCITA ===" << false << mrn + QString(20, QLatin1Char('|'));
        QTest::newRow("export data") << "|" << "" << true
                                     << mrn + QStringLiteral("|") + QString(16, QLatin1Char('|')) +
                                            QStringLiteral("IT277100|IT018100 - MILANO MALPENSA|12/03/2024|");
        QTest::newRow("error message hides value 1 of the data")
            << ";" << "*** ERRORE ***" << true
            << mrn + QStringLiteral(";*;") + QString(15, QLatin1Char(';')) +
                   QStringLiteral("IT277100;IT018100 - MILANO MALPENSA;12/03/2024;");
    }

    void rigaFile() {
        QFETCH(QString, separatore);
        QFETCH(QString, messaggio);
        QFETCH(bool, conDati);
        QFETCH(QString, attesa);

        Esito e = conDati ? esitoExport() : Esito{};
        if (conDati && messaggio.startsWith(QLatin1String("***")))
            e[1] = QStringLiteral("overwritten");
        Titolo t;
        t[2] = messaggio;
        QCOMPARE(RigaEsitiFile(QStringLiteral("24IT000000000001E1"), separatore, e, t),
                 attesa + QStringLiteral("\r\n"));
    }

    void bloccoStampa_data() {
        QTest::addColumn<int>("numero");
        QTest::addColumn<QStringList>("celle"); // "T1=label", "E1=value"
        QTest::addColumn<QStringList>("righe");
        const QString trattini(80, QLatin1Char('-'));
        QTest::newRow("numbered in the locale's form") << 1234 << QStringList{} << QStringList{"1.234) Risultato MRN numero: M", trattini, ""};
        QTest::newRow("transit") << 2
            << QStringList{"T1=Ufficio:  ", "T2=Ruolo:  ", "T3=Data:  ", "T4=Data svincolo:  ", "T7=Uscita conclusa in data:",
                           "E1=IT1", "E2=PARTENZA", "E3=01/02/2024", "E5=DE2", "E8=05/02/2024", "E19=06/02/2024"}
            << QStringList{"2) Risultato MRN numero: M", "Ufficio:   IT1", "Ruolo:   PARTENZA", "Data:   01/02/2024",
                           "Ufficio:   DE2", "Data svincolo:   05/02/2024", "Uscita conclusa in data: 06/02/2024", trattini, ""};
        // The message moves into values 1 and 2; value 1 keeps label 1, label 2 is cleared.
        QTest::newRow("message") << 3 << QStringList{"T1=Ufficio:  ", "T2=*** Per l'MRN: X ***", "T3=*** non trovato ***"}
            << QStringList{"3) Risultato MRN numero: M", "Ufficio:   *** Per l'MRN: X ***", " *** non trovato ***", trattini, ""};
    }
    void bloccoStampa() {
        QFETCH(int, numero);
        QFETCH(QStringList, celle);
        Esito e;
        Titolo t;
        for (const QString& c : celle)
            (c[0] == 'T' ? t[c.mid(1, c.indexOf('=') - 1).toInt()] : e[c.mid(1, c.indexOf('=') - 1).toInt()]) = c.section('=', 1);
        const QLocale it(QLocale::Italian, QLocale::Italy);
        QTEST(BloccoStampa(numero, QStringLiteral("M"), e, t, it).split("\r\n"), "righe");
    }
};

QTEST_GUILESS_MAIN(TestRigheEsiti)
#include "test_righe_esiti.moc"
