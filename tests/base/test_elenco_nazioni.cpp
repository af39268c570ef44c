// The nation list of the configuration file: defaults written on first use,
// the trailing-comma rule, names by index, VAT lengths by code.

#include "shell/elenco_nazioni.h"
#include "shell/file_ini.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace qv;

class TestElencoNazioni : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    QString ini() const { return dir.filePath("Quorvan.ini"); }

private slots:
    void init() { QFile::remove(ini()); }

    void defaultsWrittenWhenEmpty() {
        const ElencoNazioni e = CaricaElencoNazioni(ini());
        QCOMPARE(LeggiIni(ini(), "NAZIONI", "CODICI"),
                 QString("AT,BE,BG,CY,DK,EE,FI,FR,DE,GB,EL,IE,IT,LV,LT,LU,MT,NL,PL,PT,CZ,RO,SK,SI,ES,SE,HU,"));
        QCOMPARE(LeggiIni(ini(), "NAZIONI", "EL"), QString("GRECIA"));
        QCOMPARE(e.CodiciNazioni.size(), 28);
        QCOMPARE(e.CodiciNazioni.last(), QString());
        QCOMPARE(e.NomiNazioni.size(), 28);
        QCOMPARE(e.NomiNazioni.first(), QString("AUSTRIA"));
        QCOMPARE(e.NomiNazioni.last(), QString());
        QCOMPARE(e.LunghezzeVat.size(), 28);
        QCOMPARE(int(e.LunghezzeVat[12][0].minimo), 11); // IT
    }

    void storedListIsKept() {
        ScriviIni(ini(), "NAZIONI", "CODICI", "IT,XX");
        ScriviIni(ini(), "NAZIONI", "IT", "ITALIA");
        const ElencoNazioni e = CaricaElencoNazioni(ini());
        QCOMPARE(e.CodiciNazioni, QStringList({"IT", "XX"}));
        // Without a trailing comma the last real code gets no name.
        QCOMPARE(e.NomiNazioni, QStringList({"ITALIA", ""}));
        QCOMPARE(int(e.LunghezzeVat[1][0].minimo), 0);
        QCOMPARE(LeggiIni(ini(), "NAZIONI", "AT"), QString());
    }

    void everyDefaultNationHasALength() {
        for (const auto& n : NazioniPredefinite())
            QVERIFY2(n.lunghezze[0].minimo > 0, n.codice);
        QCOMPARE(NazioniPredefinite().size(), 27);
    }
};

QTEST_GUILESS_MAIN(TestElencoNazioni)
#include "test_elenco_nazioni.moc"
