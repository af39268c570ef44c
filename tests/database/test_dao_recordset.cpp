// Table-type and snapshot recordsets on real files: Seek, moves in index
// order, updates, conversions, transactions and the errors the program meets.

#include "aiuto_database.h"
#include "database/dao/database.h"
#include "database/dao/workspace.h"

using namespace qv;
using namespace qv::dao;
using namespace qv::prova;

class TestDaoRecordset : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    Workspace ws{200};
    Database db;
    int contatore = 0;

    // Nations in no particular order, with the key index "primaria".
    void creaNazioni() {
        db.AppendTableDef(tabella("Nazioni", {campo("Codice", dbText, 2), campo("Descrizione", dbText, 30)},
                                  {primaria("Codice")}));
        for (const char* c : {"IT", "AT", "NL", "DE", "IE", "BE"})
            db.Execute(QString("INSERT INTO Nazioni (Codice, Descrizione) VALUES ('%1', 'Nazione %1')").arg(c),
                       dbFailOnError);
    }

    // The values of `campi` (joined) row by row, from the first or from the last.
    static QStringList codici(Recordset& rs, const QStringList& campi, bool indietro = false) {
        QStringList r;
        for (indietro ? rs.MoveLast() : rs.MoveFirst(); !(indietro ? rs.Bof() : rs.Eof());
             indietro ? rs.MovePrevious() : rs.MoveNext()) {
            QString v;
            for (const QString& c : campi)
                v += rs.Value(c).toString();
            r << v;
        }
        return r;
    }

private slots:
    void init() { db = ws.CreateDatabase(dir.filePath(QStringLiteral("r%1.mdb").arg(++contatore))); }
    void cleanup() { db.Close(); }

    void seek_data() {
        QTest::addColumn<QString>("confronto");
        QTest::addColumn<QString>("chiave");
        QTest::addColumn<QString>("trovato"); // empty: NoMatch
        QTest::newRow("= without regard to case") << "=" << "it" << "IT";
        QTest::newRow("= missing") << "=" << "XX" << "";
        QTest::newRow(">= prefix: I finds IE") << ">=" << "I" << "IE";
        QTest::newRow("> next") << ">" << "IT" << "NL";
        QTest::newRow("< previous") << "<" << "IT" << "IE";
        QTest::newRow("<= before all") << "<=" << "A" << "";
    }
    void seek() {
        QFETCH(QString, confronto);
        QFETCH(QString, chiave);
        QFETCH(QString, trovato);
        creaNazioni();
        Recordset rs = db.OpenRecordset("NAZIONI", dbOpenTable);
        rs.setIndex("primaria");
        rs.Seek(confronto, chiave);
        QCOMPARE(rs.NoMatch(), trovato.isEmpty());
        if (trovato.isEmpty()) {
            QVERIFY(rs.Eof());
            QCOMPARE(numeroErrore([&] { rs.Value("Codice"); }), errori::NessunRecordCorrente);
        } else {
            QCOMPARE(rs.Value(1).toString(), "Nazione " + trovato);
        }
    }

    void movesFollowTheIndex() {
        creaNazioni();
        Recordset rs = db.OpenRecordset("Nazioni");
        QCOMPARE(rs.Type(), dbOpenTable);
        // Without an index: the order the rows were written in.
        QCOMPARE(codici(rs, {"Codice"}), QStringList({"IT", "AT", "NL", "DE", "IE", "BE"}));
        rs.setIndex("PRIMARIA");
        QCOMPARE(rs.Value("Codice").toString(), QString("AT")); // setting the index moves to the first row
        QCOMPARE(codici(rs, {"Codice"}), QStringList({"AT", "BE", "DE", "IE", "IT", "NL"}));
        // Past either end: EOF/BOF, and one more step is an error.
        rs.MoveLast();
        rs.MoveNext();
        QCOMPARE(numeroErrore([&] { rs.MoveNext(); }), errori::NessunRecordCorrente);
        rs.MovePrevious();
        QCOMPARE(rs.Value("Codice").toString(), QString("NL"));
        rs.MoveFirst();
        rs.MovePrevious();
        QVERIFY(rs.Bof());
        QCOMPARE(numeroErrore([&] { rs.MovePrevious(); }), errori::NessunRecordCorrente);
    }

    void tiesNullsAndDescendingFields() {
        db.AppendTableDef(tabella("Righe", {campo("Gruppo", dbLong), campo("Nome", dbText, 10)},
                                  {indice("gruppo", false, false, {"Gruppo"}),
                                   indice("inverso", false, false, {"-Gruppo", "-Nome"})}));
        const QList<std::pair<QVariant, QString>> righe = {
            {2, "b"}, {QVariant(), "n1"}, {1, "a"}, {2, "a"}, {QVariant(), "n2"}, {1, "c"}, {2, "c"}};
        Recordset rs = db.OpenRecordset("Righe");
        for (const auto& [g, n] : righe) {
            rs.AddNew();
            rs.setValue("Gruppo", g);
            rs.setValue("Nome", n);
            rs.Update();
        }
        rs.setIndex("gruppo");
        // Nulls first; equal keys in the order they were written.
        const QStringList avanti = {"n1", "n2", "a", "c", "b", "a", "c"};
        QCOMPARE(codici(rs, {"Nome"}), avanti);
        QCOMPARE(codici(rs, {"Nome"}, true), QStringList({"c", "a", "b", "c", "a", "n2", "n1"}));
        rs.Seek("=", 2);
        QCOMPARE(rs.Value("Nome").toString(), QString("b")); // the first of the equal keys
        rs.Seek("<", 2);
        QCOMPARE(rs.Value("Nome").toString(), QString("c")); // the last row before the key
        rs.Seek("=", QVariant());
        QCOMPARE(rs.Value("Nome").toString(), QString("n1"));

        rs.setIndex("inverso"); // Gruppo DESC, Nome DESC: nulls last
        QCOMPARE(codici(rs, {"Gruppo", "Nome"}), QStringList({"2c", "2b", "2a", "1c", "1a", "n2", "n1"}));
        rs.Seek("=", QVariantList{1, "A"});
        QCOMPARE(rs.Value("Nome").toString(), QString("a"));
        rs.Seek(">", QVariantList{2}); // after every 2 in index order
        QCOMPARE(rs.Value("Nome").toString(), QString("c"));
    }

    void upsertByKey() {
        creaNazioni();
        Recordset rs = db.OpenRecordset("Nazioni");
        rs.setIndex("primaria");
        rs.Seek("=", "DE");
        rs.AddNew();
        rs.setValue("Codice", "SE");
        rs.Update();
        QCOMPARE(rs.Value("Codice").toString(), QString("DE")); // the row current before AddNew stays
        rs.Edit();
        rs.setValue("Codice", "AA"); // a new key: the row moves in index order
        rs.Update();
        rs.MoveNext();
        QCOMPARE(rs.Value("Codice").toString(), QString("AT"));
        rs.Delete();
        QCOMPARE(numeroErrore([&] { rs.Value("Codice"); }), errori::RecordEliminato);
        rs.Seek("=", "IT");
        rs.Edit();
        rs.setValue("Descrizione", "NO");
        rs.CancelUpdate();
        QCOMPARE(rs.Value("Descrizione").toString(), QString("Nazione IT"));
    }

    void valuesByType_data() {
        QTest::addColumn<int>("tipo");
        QTest::addColumn<int>("dimensione");
        QTest::addColumn<QVariant>("assegnato");
        QTest::addColumn<QVariant>("letto");
        QTest::addColumn<int>("errore");
        QTest::newRow("text too long") << dbText << 5 << QVariant("abcdef") << QVariant() << errori::CampoTroppoPiccolo;
        QTest::newRow("memo keeps digits as text") << dbMemo << 0 << QVariant("007") << QVariant("007") << 0;
        QTest::newRow("boolean") << dbBoolean << 0 << QVariant(5) << QVariant(true) << 0;
        QTest::newRow("integer rounds half to even") << dbInteger << 0 << QVariant(2.5) << QVariant(2) << 0;
        QTest::newRow("integer overflow") << dbInteger << 0 << QVariant(40000) << QVariant() << errori::Overflow;
        QTest::newRow("date from text") << dbDate << 0 << QVariant("31/12/2007") << QVariant(39447.0) << 0;
        QTest::newRow("date from words") << dbDate << 0 << QVariant("ieri") << QVariant() << errori::ConversioneTipo;
    }
    void valuesByType() {
        QFETCH(int, tipo);
        QFETCH(int, dimensione);
        QFETCH(QVariant, assegnato);
        QFETCH(QVariant, letto);
        QFETCH(int, errore);
        Field f = campo("F", tipo, dimensione);
        f.AllowZeroLength = true;
        db.AppendTableDef(tabella("V", {campo("Chiave", dbLong), f}));
        Recordset rs = db.OpenRecordset("V");
        rs.AddNew();
        rs.setValue("Chiave", 1);
        QCOMPARE(numeroErrore([&] { rs.setValue("F", assegnato); }), errore);
        if (errore != 0) return;
        rs.Update();
        rs.MoveFirst();
        QCOMPARE(rs.Value("F"), letto);
    }

    void errors() {
        db.AppendTableDef(tabella("Vuota", {campo("A", dbLong)}));
        Recordset vuota = db.OpenRecordset("Vuota");
        QVERIFY(vuota.Eof() && vuota.Bof());
        QCOMPARE(numeroErrore([&] { vuota.Edit(); }), errori::NessunRecordCorrente);
        creaNazioni();
        Recordset rs = db.OpenRecordset("Nazioni");
        QCOMPARE(rs.FieldIndex("descrizione"), 1);
        QCOMPARE(rs.Value(0), rs.Value("CODICE"));
        QCOMPARE(numeroErrore([&] { rs.Value("Bandiera"); }), errori::ElementoNonTrovato);
        QCOMPARE(numeroErrore([&] { rs.Value(2); }), errori::ElementoNonTrovato);
        QCOMPARE(numeroErrore([&] { rs.Seek("=", "IT"); }), errori::IndiceNonImpostato);
        QCOMPARE(numeroErrore([&] { rs.setIndex("nessuno"); }), errori::IndiceNonValido);
        rs.setIndex("primaria");
        QCOMPARE(numeroErrore([&] { rs.Seek("<>", "IT"); }), errori::ArgomentoNonValido);
        QCOMPARE(numeroErrore([&] { rs.Update(); }), errori::UpdateSenzaEdit);
        QCOMPARE(numeroErrore([&] { rs.setValue("Codice", "XX"); }), errori::UpdateSenzaEdit);
        rs.AddNew();
        rs.setValue("Codice", "it");
        QCOMPARE(numeroErrore([&] { rs.Update(); }), errori::ValoriDuplicati); // keys compare without case
        QCOMPARE(rs.EditMode(), dbEditAdd); // the edit survives a failed Update
        QCOMPARE(numeroErrore([&] { db.OpenRecordset("Manca"); }), errori::OggettoNonTrovato);
        QCOMPARE(numeroErrore([&] { db.OpenRecordset("Nazioni", dbOpenDynaset); }), errori::OperazioneNonSupportata);
    }

    void closedDatabaseInvalidatesRecordsets() {
        creaNazioni();
        Recordset rs = db.OpenRecordset("Nazioni");
        Database copia = db;
        copia.Close();
        QVERIFY(!db.isOpen());
        QVERIFY(!rs.isOpen());
        QCOMPARE(numeroErrore([&] { rs.MoveNext(); }), errori::OggettoNonValido);
        QCOMPARE(numeroErrore([&] { db.Execute("DELETE * FROM Nazioni"); }), errori::OggettoNonValido);
        Recordset chiuso;
        QCOMPARE(numeroErrore([&] { chiuso.MoveFirst(); }), errori::OggettoNonValido);
    }

    void snapshot() {
        creaNazioni();
        Recordset rs = db.OpenRecordset("SELECT * FROM Nazioni WHERE Codice <> 'AT' ORDER BY Codice DESC", dbOpenSnapshot);
        QCOMPARE(rs.FieldInfo(0).Size, 2);
        QCOMPARE(rs.RecordCount(), 1); // rows reached so far
        rs.MoveLast();
        QCOMPARE(rs.RecordCount(), 5);
        QCOMPARE(rs.Value("Codice").toString(), QString("BE"));
        QCOMPARE(numeroErrore([&] { rs.AddNew(); }), errori::SolaLettura);
        QCOMPARE(numeroErrore([&] { rs.Seek("=", "IT"); }), errori::OperazioneNonSupportata);

        Recordset vuoto = db.OpenRecordset("SELECT * FROM Nazioni WHERE Codice = 'XX'", dbOpenSnapshot);
        QVERIFY(vuoto.Eof() && vuoto.Bof());
        // A LIKE pattern becomes "%1%" in SQLite: moving back must not take it
        // for a placeholder of the statement that jumps to a row.
        Recordset simile = db.OpenRecordset(
            "SELECT * FROM Nazioni WHERE Codice LIKE '*' OR Codice LIKE '*1*' ORDER BY Codice", dbOpenSnapshot);
        simile.MoveLast();
        QCOMPARE(simile.RecordCount(), 6);
        simile.MovePrevious();
        QCOMPARE(simile.Value("Codice").toString(), QString("IT"));
    }

    void longSnapshotReachesItsLastRow() {
        db.AppendTableDef(tabella("Lunga", {campo("N", dbLong)}));
        db.Execute("INSERT INTO Lunga (N) VALUES (1)", dbFailOnError);
        for (int i = 0; i < 18; ++i) // doubling: 262144 rows, numbered 1..262144
            db.Execute(QString("INSERT INTO Lunga (N) SELECT N + %1 FROM Lunga").arg(1 << i), dbFailOnError);
        // Beyond the rows a MoveLast steps through (200000) it counts and jumps.
        for (const qint64 fino : {200002, 199999}) {
            Recordset rs = db.OpenRecordset(QString("SELECT * FROM Lunga WHERE N <= %1 ORDER BY N").arg(fino),
                                            dbOpenSnapshot);
            rs.MoveNext();
            rs.MoveLast();
            QCOMPARE(rs.RecordCount(), fino);
            QCOMPARE(rs.Value("N").toLongLong(), fino);
            rs.MovePrevious();
            QCOMPARE(rs.Value("N").toLongLong(), fino - 1);
            rs.MoveNext();
            rs.MoveNext();
            QVERIFY(rs.Eof());
        }
    }

    void transactions() {
        creaNazioni();
        ws.BeginTrans();
        db.Execute("DELETE * FROM Nazioni WHERE Codice = 'IT'", dbFailOnError);
        ws.BeginTrans(); // nested
        db.Execute("DELETE * FROM Nazioni WHERE Codice = 'AT'", dbFailOnError);
        ws.Rollback(); // only the inner one
        ws.CommitTrans();
        Recordset rs = db.OpenRecordset("Nazioni");
        QCOMPARE(rs.RecordCount(), 5); // IT gone, AT back
        rs.setIndex("primaria");
        ws.BeginTrans();
        rs.Seek("=", "AT");
        rs.Edit();
        rs.setValue("Descrizione", "DENTRO");
        rs.Update();
        ws.Rollback();
        rs.Seek("=", "AT");
        QCOMPARE(rs.Value("Descrizione").toString(), QString("Nazione AT"));
        QCOMPARE(numeroErrore([&] { ws.CommitTrans(); }), errori::TransazioneAssente);
        QCOMPARE(numeroErrore([&] { db.Rollback(); }), errori::TransazioneAssente);
    }
};

QTEST_GUILESS_MAIN(TestDaoRecordset)
#include "test_dao_recordset.moc"
