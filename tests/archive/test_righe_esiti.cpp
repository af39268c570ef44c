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
        const QString riga = RigaEsitiFile(QStringLiteral("24IT000000000001E1"), separatore, e, t);
        QCOMPARE(riga, attesa + QStringLiteral("\r\n"));
        QCOMPARE(riga.count(separatore), 20);
    }

    void bloccoStampaNumerazione() {
        QCOMPARE(BloccoStampa(1234, QStringLiteral("MRN1"), Esito{}, Titolo{}, QLocale(QLocale::Italian, QLocale::Italy)),
                 QStringLiteral("1.234) Risultato MRN numero: MRN1\r\n") + QString(80, QLatin1Char('-')) + QStringLiteral("\r\n"));
    }

    void bloccoStampaTransito() {
        Esito e;
        Titolo t;
        t[1] = QStringLiteral("Ufficio:  ");
        t[2] = QStringLiteral("Ruolo:  ");
        t[3] = QStringLiteral("Data:  ");
        t[4] = QStringLiteral("Data svincolo:  ");
        t[7] = QStringLiteral("Uscita conclusa in data:");
        e[1] = QStringLiteral("IT1");
        e[2] = QStringLiteral("PARTENZA");
        e[3] = QStringLiteral("01/02/2024");
        e[5] = QStringLiteral("DE2");
        e[8] = QStringLiteral("05/02/2024");
        e[19] = QStringLiteral("06/02/2024");
        const QStringList righe = BloccoStampa(2, QStringLiteral("M"), e, t).split(QStringLiteral("\r\n"));
        QCOMPARE(righe, (QStringList{"2) Risultato MRN numero: M", "Ufficio:   IT1", "Ruolo:   PARTENZA",
                                     "Data:   01/02/2024", "Ufficio:   DE2", "Data svincolo:   05/02/2024",
                                     "Uscita conclusa in data: 06/02/2024", QString(80, QLatin1Char('-')), ""}));
    }

    void bloccoStampaMessaggio() {
        Esito e;
        Titolo t;
        t[1] = QStringLiteral("Ufficio:  ");
        t[2] = QStringLiteral("*** Per l'MRN: X ***");
        t[3] = QStringLiteral("*** non trovato ***");
        const QStringList righe = BloccoStampa(3, QStringLiteral("X"), e, t).split(QStringLiteral("\r\n"));
        // The message moves into values 1 and 2; value 1 keeps label 1, label 2 is cleared.
        QCOMPARE(righe, (QStringList{"3) Risultato MRN numero: X", "Ufficio:   *** Per l'MRN: X ***",
                                     " *** non trovato ***", QString(80, QLatin1Char('-')), ""}));
    }
};

QTEST_GUILESS_MAIN(TestRigheEsiti)
#include "test_righe_esiti.moc"
