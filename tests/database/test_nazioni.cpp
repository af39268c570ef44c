// The nations maintenance window's rules on the table.

#include "aiuto_database.h"
#include "database/file_database.h"
#include "database/nazioni.h"
#include "database/schema_riferimento.h"

using namespace qv;

class TestNazioni : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    StatoDatabase s;
    MessaggiRegistrati m;

    QString riga(const QString& codice) {
        dao::Recordset rs = s.DbLavoro.OpenRecordset("SELECT * FROM Nazioni WHERE Codice = '" + codice + "'",
                                                     dao::dbOpenSnapshot);
        return rs.Eof() ? QString()
                        : rs.Value("Descrizione").toString() + "|" + rs.Value("Bandiera").toString();
    }

private slots:
    void initTestCase() {
        CreaDatabaseRiferimento(s.WsLavoro, PercorsoDataBase(dir.path()));
        ImpostaFileDataBase(s, dir.path());
        s.DatabaseAperto = ApriDataBase(s);
        ApriNazioni(s, m);
        QVERIFY(s.NazioniAperta);
    }

    void lookUp_data() {
        QTest::addColumn<QString>("digitato");
        QTest::addColumn<QString>("trovato");
        QTest::newRow("first of a prefix") << QString("I") << QString("IE");
        QTest::newRow("lower case, blanks") << QString(" it ") << QString("IT");
        QTest::newRow("next starts differently") << QString("IX") << QString();
        QTest::newRow("after the last") << QString("Z") << QString();
    }
    void lookUp() {
        QFETCH(QString, digitato);
        QFETCH(QString, trovato);
        const std::optional<Nazione> n = CercaNazione(s, digitato);
        QCOMPARE(n ? n->codice : QString(), trovato);
    }

    void confirm() {
        // By hand: no flag; a blank description is one blank; a change keeps the flag.
        QVERIFY(!ConfermaNazione(s, "HR", "  "));
        QCOMPARE(riga("HR"), QString(" |"));
        QVERIFY(!ConfermaNazione(s, "IT", "ITALIA 2"));
        QCOMPARE(riga("IT"), "ITALIA 2|" + BandieraDi("IT"));
        // Refused by the engine: its error, nothing written, the table still usable.
        const std::optional<dao::ErroreDao> e = ConfermaNazione(s, "IT", QString(60, 'X'));
        QCOMPARE(e ? e->numero() : 0, dao::errori::CampoTroppoPiccolo);
        QCOMPARE(riga("IT"), "ITALIA 2|" + BandieraDi("IT"));
        QVERIFY(!EliminaNazione(s, "HR") && !EliminaNazione(s, "HR") &&
                riga("HR").isEmpty()); // twice: no error
    }
};

QTEST_GUILESS_MAIN(TestNazioni)
#include "test_nazioni.moc"
