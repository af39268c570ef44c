// Schema reading and writing: type codes and sizes read back as declared,
// the six field properties, indexes, table rename, saved queries, system
// tables, and the errors of each operation.

#include "aiuto_database.h"
#include "database/dao/database.h"
#include "database/dao/workspace.h"

using namespace qv;
using namespace qv::dao;
using qv::prova::numeroErrore;

class TestDaoSchema : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    Workspace ws{200};
    Database db;
    int contatore = 0;

    TableDef tabellaDi(const QString& nome, const QList<Field>& campi, const QList<Index>& indici = {}) {
        TableDef t = db.CreateTableDef(nome);
        t.Fields = campi;
        t.Indexes = indici;
        return t;
    }

private slots:
    void init() { db = ws.CreateDatabase(dir.filePath(QStringLiteral("s%1.mdb").arg(++contatore))); }
    void cleanup() { db.Close(); }

    void typeCodesAndSizesReadBack_data() {
        QTest::addColumn<int>("tipo");
        QTest::addColumn<int>("dimensione");
        QTest::addColumn<int>("letta");
        QTest::newRow("Booleano") << dbBoolean << 0 << 1;
        QTest::newRow("Byte") << dbByte << 0 << 1;
        QTest::newRow("Intero") << dbInteger << 0 << 2;
        QTest::newRow("Int. Lungo") << dbLong << 0 << 4;
        QTest::newRow("Currency") << dbCurrency << 0 << 8;
        QTest::newRow("Pr. singola") << dbSingle << 0 << 4;
        QTest::newRow("Pr. doppia") << dbDouble << 0 << 8;
        QTest::newRow("Data/Ora") << dbDate << 0 << 8;
        QTest::newRow("Tipo 9, 16 bytes") << dbBinary << 16 << 16;
        QTest::newRow("Testo 18") << dbText << 18 << 18;
        QTest::newRow("Testo 255") << dbText << 255 << 255;
        QTest::newRow("Testo without size") << dbText << 0 << 255;
        QTest::newRow("LongBinary") << dbLongBinary << 0 << 0;
        QTest::newRow("Memo") << dbMemo << 0 << 0;
    }
    void typeCodesAndSizesReadBack() {
        QFETCH(int, tipo);
        QFETCH(int, dimensione);
        QFETCH(int, letta);
        db.AppendTableDef(tabellaDi("T", {TableDef::CreateField("F", tipo, dimensione)}));
        const auto t = db.tabella("t");
        QVERIFY(t);
        QCOMPARE(t->Name, QString("T"));
        QCOMPARE(t->Fields.size(), 1);
        QCOMPARE(t->Fields[0].Type, tipo);
        QCOMPARE(t->Fields[0].Size, letta);
    }

    void textSizeOutsideRangeIsRefused() {
        QCOMPARE(numeroErrore([&] { db.AppendTableDef(tabellaDi("T", {TableDef::CreateField("F", dbText, 256)})); }),
                 errori::TipoNonValido);
        QCOMPARE(numeroErrore([&] { db.AppendTableDef(tabellaDi("T", {TableDef::CreateField("F", 13)})); }),
                 errori::TipoNonValido);
        QVERIFY(!db.tabella("T"));
    }

    void fieldPropertiesReadBack() {
        Field a = TableDef::CreateField("Testo", dbText, 20);
        a.AllowZeroLength = true;
        a.Required = true;
        a.DefaultValue = "\"n/d \"\"x\"\"\"";
        a.ValidationRule = "Like \"A*\"";
        a.ValidationText = "deve iniziare con A";
        Field b = TableDef::CreateField("Numero", dbLong);
        b.DefaultValue = "-7";
        b.OrdinalPosition = 0; // asked first: it becomes the first field
        a.OrdinalPosition = 1;
        db.AppendTableDef(tabellaDi("T", {a, b}));
        const TableDef t = *db.tabella("T");
        QCOMPARE(t.Fields[0].Name, QString("Numero"));
        QCOMPARE(t.Fields[0].DefaultValue, QString("-7"));
        QCOMPARE(t.Fields[0].AllowZeroLength, false);
        QCOMPARE(t.Fields[0].Required, false);
        const Field* f = t.campo("TESTO");
        QVERIFY(f);
        QCOMPARE(f->OrdinalPosition, 1);
        QCOMPARE(f->AllowZeroLength, true);
        QCOMPARE(f->Required, true);
        QCOMPARE(f->DefaultValue, QString("\"n/d \"\"x\"\"\""));
        QCOMPARE(f->ValidationRule, QString("Like \"A*\""));
        QCOMPARE(f->ValidationText, QString("deve iniziare con A"));
    }

    void defaultsAndRulesApplyToRows() {
        Field codice = TableDef::CreateField("Codice", dbText, 5);
        Field vuoto = TableDef::CreateField("Vuoto", dbText, 5);
        vuoto.AllowZeroLength = true;
        Field stato = TableDef::CreateField("Stato", dbInteger);
        stato.DefaultValue = "3";
        Field obbligo = TableDef::CreateField("Obbligo", dbText, 5);
        obbligo.Required = true;
        obbligo.DefaultValue = "\"x\"";
        db.AppendTableDef(tabellaDi("T", {codice, vuoto, stato, obbligo}));
        db.Execute("INSERT INTO T (Codice, Vuoto) VALUES ('A', '')", dbFailOnError);
        Recordset rs = db.OpenRecordset("SELECT * FROM T", dbOpenSnapshot);
        QCOMPARE(rs.Value("Stato").toInt(), 3);
        QCOMPARE(rs.Value("Obbligo").toString(), QString("x"));
        QCOMPARE(rs.Value("Vuoto").toString(), QString(""));
        // A zero-length text where it is not allowed, a text too long, a
        // missing required value, a number that is text: each its own error.
        QCOMPARE(numeroErrore([&] { db.Execute("INSERT INTO T (Codice) VALUES ('')", dbFailOnError); }),
                 errori::LunghezzaZero);
        QCOMPARE(numeroErrore([&] { db.Execute("INSERT INTO T (Codice) VALUES ('ABCDEF')", dbFailOnError); }),
                 errori::CampoTroppoPiccolo);
        QCOMPARE(numeroErrore([&] { db.Execute("INSERT INTO T (Codice, Obbligo) VALUES ('B', Null)", dbFailOnError); }),
                 errori::CampoRichiesto);
        QCOMPARE(numeroErrore([&] { db.Execute("INSERT INTO T (Codice, Stato) VALUES ('B', 'due')", dbFailOnError); }),
                 errori::ConversioneTipo);
        QCOMPARE(numeroErrore([&] { db.Execute("INSERT INTO T (Codice, Stato) VALUES ('B', 40000)", dbFailOnError); }),
                 errori::ConversioneTipo);
    }

    void indexesReadBack() {
        Index primaria{"primaria", true, true, {}};
        primaria.CreateField("Codice");
        Index doppio{"stato", false, false, {}};
        doppio.CreateField("Stato").CreateField("Codice", true);
        db.AppendTableDef(tabellaDi("MRN", {TableDef::CreateField("Codice", dbText, 18),
                                            TableDef::CreateField("Stato", dbInteger)},
                                    {primaria, doppio}));
        // The same index name on a second table: names are per table.
        db.AppendTableDef(tabellaDi("WkMRN", {TableDef::CreateField("Codice", dbText, 18)}, {primaria}));
        const TableDef t = *db.tabella("mrn");
        QCOMPARE(t.Indexes.size(), 2);
        const Index* p = t.indice("PRIMARIA");
        QVERIFY(p);
        QVERIFY(p->Primary);
        QVERIFY(p->Unique);
        QCOMPARE(p->Fields.size(), 1);
        QCOMPARE(p->Fields[0].Name, QString("Codice"));
        const Index* s = t.indice("stato");
        QVERIFY(!s->Primary);
        QVERIFY(!s->Unique);
        QCOMPARE(s->Fields.size(), 2);
        QCOMPARE(s->Fields[1].Name, QString("Codice"));
        QVERIFY(s->Fields[1].Descending);
        QVERIFY(db.tabella("WkMRN")->indice("primaria")->Primary);
    }

    void indexErrors() {
        Index primaria{"primaria", true, true, {}};
        primaria.CreateField("Codice");
        db.AppendTableDef(tabellaDi("T", {TableDef::CreateField("Codice", dbText, 5),
                                          TableDef::CreateField("Altro", dbText, 5)},
                                    {primaria}));
        QCOMPARE(numeroErrore([&] { db.AppendIndex("T", primaria); }), errori::IndiceEsistente);
        Index seconda{"seconda", true, false, {}};
        seconda.CreateField("Altro");
        QCOMPARE(numeroErrore([&] { db.AppendIndex("T", seconda); }), errori::ChiavePrimariaEsistente);
        Index senzaCampo{"x", false, false, {}};
        senzaCampo.CreateField("Manca");
        QCOMPARE(numeroErrore([&] { db.AppendIndex("T", senzaCampo); }), errori::ElementoNonTrovato);
        QCOMPARE(numeroErrore([&] { db.DeleteIndex("T", "nessuno"); }), errori::ElementoNonTrovato);
        QCOMPARE(numeroErrore([&] { db.DeleteField("T", "Codice"); }), errori::CampoInIndice);
        // A unique index over duplicated values cannot be made.
        db.Execute("INSERT INTO T (Codice, Altro) VALUES ('a', 'z')", dbFailOnError);
        db.Execute("INSERT INTO T (Codice, Altro) VALUES ('b', 'z')", dbFailOnError);
        Index unico{"unico", false, true, {}};
        unico.CreateField("Altro");
        QCOMPARE(numeroErrore([&] { db.AppendIndex("T", unico); }), errori::ValoriDuplicati);
        db.DeleteIndex("T", "PRIMARIA");
        QVERIFY(db.tabella("T")->Indexes.isEmpty());
        db.DeleteField("T", "codice");
        QCOMPARE(db.tabella("T")->Fields.size(), 1);
    }

    void fieldsAddedAndDeletedKeepRows() {
        Index primaria{"primaria", true, true, {}};
        primaria.CreateField("Codice");
        db.AppendTableDef(tabellaDi("T", {TableDef::CreateField("Codice", dbText, 5),
                                          TableDef::CreateField("Vecchio", dbLong)},
                                    {primaria}));
        db.CreateQueryDef("QMancante", "SELECT * FROM Sparita"); // a query on a table long gone
        for (int i = 0; i < 50; ++i)
            db.Execute(QString("INSERT INTO T (Codice, Vecchio) VALUES ('C%1', %1)").arg(i), dbFailOnError);
        Field nuovo = TableDef::CreateField("Nuovo", dbText, 10);
        nuovo.DefaultValue = "\"-\"";
        db.AppendField("T", nuovo);
        QCOMPARE(numeroErrore([&] { db.AppendField("T", nuovo); }), errori::CampoDuplicato);
        db.DeleteField("T", "VECCHIO");
        const TableDef t = *db.tabella("T");
        QCOMPARE(t.Fields.size(), 2);
        QCOMPARE(t.Fields[1].Name, QString("Nuovo"));
        QVERIFY(t.indice("primaria"));
        Recordset rs = db.OpenRecordset("T");
        QCOMPARE(rs.RecordCount(), 50);
        rs.setIndex("primaria");
        rs.Seek("=", "C7");
        QVERIFY(!rs.NoMatch());
        QCOMPARE(rs.Value("Nuovo").toString(), QString("-"));
    }

    void tableRename() {
        db.AppendTableDef(tabellaDi("T1", {TableDef::CreateField("A", dbText, 5)}));
        db.AppendTableDef(tabellaDi("Altra", {TableDef::CreateField("A", dbText, 5)}));
        db.Execute("INSERT INTO T1 (A) VALUES ('x')", dbFailOnError);
        db.CreateQueryDef("QT", "SELECT * FROM T"); // names T before it exists
        QCOMPARE(numeroErrore([&] { db.RenameTableDef("T1", "altra"); }), errori::OggettoEsistente);
        QCOMPARE(numeroErrore([&] { db.RenameTableDef("T1", "T.1"); }), errori::NomeNonValido);
        db.RenameTableDef("t1", "T");
        QVERIFY(!db.tabella("T1"));
        db.RenameTableDef("T", "t"); // a change of case only
        QCOMPARE(db.tabella("T")->Name, QString("t"));
        Recordset q = db.OpenRecordset("SELECT * FROM QT", dbOpenSnapshot);
        QCOMPARE(q.Value("A").toString(), QString("x"));
    }

    void queryDefsAreViews() {
        db.AppendTableDef(tabellaDi("MRN", {TableDef::CreateField("Codice", dbText, 18),
                                            TableDef::CreateField("OKStato", dbInteger)}));
        db.Execute("INSERT INTO MRN (Codice, OKStato) VALUES ('A', 2)", dbFailOnError);
        db.Execute("INSERT INTO MRN (Codice, OKStato) VALUES ('B', 0)", dbFailOnError);
        const QString testo = "SELECT * FROM [MRN] WHERE OKStato = 2";
        db.CreateQueryDef("XErrati", testo);
        const QList<QueryDef> q = db.QueryDefs();
        QCOMPARE(q.size(), 1);
        QCOMPARE(q[0].Name, QString("XErrati"));
        QCOMPARE(q[0].SQL, testo);
        Recordset rs = db.OpenRecordset("SELECT * FROM XErrati", dbOpenSnapshot);
        rs.MoveLast();
        QCOMPARE(rs.RecordCount(), 1);
        rs.Close();
        QCOMPARE(numeroErrore([&] { db.CreateQueryDef("xerrati", testo); }), errori::OggettoEsistente);
        QCOMPARE(numeroErrore([&] { db.CreateQueryDef("Azione", "DELETE * FROM MRN"); }),
                 errori::OperazioneNonSupportata);
        db.DeleteQueryDef("XERRATI");
        QVERIFY(db.QueryDefs().isEmpty());
        QCOMPARE(numeroErrore([&] { db.DeleteQueryDef("XErrati"); }), errori::ElementoNonTrovato);
    }

    void systemTablesAreMarked() {
        Field f = TableDef::CreateField("A", dbText, 5);
        f.AllowZeroLength = true; // stored in the engine's own table
        db.AppendTableDef(tabellaDi("Dati", {f}));
        bool sistema = false, dati = false;
        for (const TableDef& t : db.TableDefs()) {
            if (t.Name == "MSysProprieta")
                sistema = t.isSystem();
            if (t.Name == "Dati")
                dati = !t.isSystem() && !t.isAttached();
        }
        QVERIFY(sistema);
        QVERIFY(dati);
    }

    void tableErrors() {
        QCOMPARE(numeroErrore([&] { db.AppendTableDef(tabellaDi("Vuota", {})); }), errori::NessunCampo);
        QCOMPARE(numeroErrore([&] {
                     db.AppendTableDef(tabellaDi("T", {TableDef::CreateField("A", dbLong), TableDef::CreateField("a", dbLong)}));
                 }),
                 errori::CampoDuplicato);
        QCOMPARE(numeroErrore([&] { db.AppendTableDef(tabellaDi("[T]", {TableDef::CreateField("A", dbLong)})); }),
                 errori::NomeNonValido);
        db.AppendTableDef(tabellaDi("T", {TableDef::CreateField("A", dbLong)}));
        QCOMPARE(numeroErrore([&] { db.AppendTableDef(tabellaDi("t", {TableDef::CreateField("A", dbLong)})); }),
                 errori::TabellaEsistente);
        QCOMPARE(numeroErrore([&] { db.DeleteTableDef("Nessuna"); }), errori::ElementoNonTrovato);
        db.DeleteTableDef("T");
        QVERIFY(db.TableDefs().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestDaoSchema)
#include "test_dao_schema.moc"
