// Schema reading and writing: types and sizes, field properties, indexes,
// rename, saved queries, system tables, and each operation's errors.

#include "aiuto_database.h"
#include "database/dao/database.h"
#include "database/dao/workspace.h"

using namespace qv;
using namespace qv::dao;
using namespace qv::prova;

class TestDaoSchema : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    Workspace ws{200};
    Database db;
    int contatore = 0;

private slots:
    void init() { db = ws.CreateDatabase(dir.filePath(QStringLiteral("s%1.mdb").arg(++contatore))); }
    void cleanup() { db.Close(); }

    void typeCodesAndSizesReadBack_data() {
        QTest::addColumn<int>("tipo");
        QTest::addColumn<int>("dimensione");
        QTest::addColumn<int>("letta");
        QTest::newRow("Intero") << dbInteger << 0 << 2;
        QTest::newRow("Tipo 9, 16 bytes") << dbBinary << 16 << 16;
        QTest::newRow("Testo without size") << dbText << 0 << 255;
        QTest::newRow("Testo 256 refused") << dbText << 256 << -1;
        QTest::newRow("type 13 refused") << 13 << 0 << -1;
    }
    void typeCodesAndSizesReadBack() {
        QFETCH(int, tipo);
        QFETCH(int, dimensione);
        QFETCH(int, letta);
        const int n = numeroErrore([&] { db.AppendTableDef(tabella("T", {campo("F", tipo, dimensione)})); });
        QCOMPARE(n, letta < 0 ? errori::TipoNonValido : 0);
        const auto t = db.tabella("t");
        QCOMPARE(bool(t), letta >= 0);
        if (t) QCOMPARE(QList<int>({int(t->Fields.size()), t->Fields[0].Type, t->Fields[0].Size}), QList<int>({1, tipo, letta}));
    }

    void fieldPropertiesReadBack() {
        Field a = campo("Testo", dbText, 20);
        a.AllowZeroLength = true;
        a.Required = true;
        a.DefaultValue = "\"n/d \"\"x\"\"\"";
        a.ValidationRule = "Like \"A*\"";
        a.ValidationText = "deve iniziare con A";
        Field b = campo("Numero", dbLong);
        b.DefaultValue = "-7";
        b.OrdinalPosition = 0; // asked first: it becomes the first field
        a.OrdinalPosition = 1;
        db.AppendTableDef(tabella("T", {a, b}));
        const TableDef t = *db.tabella("T");
        QCOMPARE(t.Fields[0].Name + t.Fields[0].DefaultValue, QString("Numero-7"));
        QVERIFY(!t.Fields[0].AllowZeroLength && !t.Fields[0].Required);
        const Field* f = t.campo("TESTO");
        QVERIFY(f && f->AllowZeroLength && f->Required);
        QCOMPARE(f->OrdinalPosition, 1);
        QCOMPARE(QStringList({f->DefaultValue, f->ValidationRule, f->ValidationText}),
                 QStringList({a.DefaultValue, a.ValidationRule, a.ValidationText}));
    }

    void defaultsAndRulesApplyToRows() {
        Field codice = campo("Codice", dbText, 5);
        Field vuoto = campo("Vuoto", dbText, 5);
        vuoto.AllowZeroLength = true;
        Field stato = campo("Stato", dbInteger);
        stato.DefaultValue = "3";
        Field obbligo = campo("Obbligo", dbText, 5);
        obbligo.Required = true;
        obbligo.DefaultValue = "\"x\"";
        db.AppendTableDef(tabella("T", {codice, vuoto, stato, obbligo}));
        db.Execute("INSERT INTO T (Codice, Vuoto) VALUES ('A', '')", dbFailOnError);
        Recordset rs = db.OpenRecordset("SELECT * FROM T", dbOpenSnapshot);
        QCOMPARE(QStringList({rs.Value("Stato").toString(), rs.Value("Obbligo").toString(), rs.Value("Vuoto").toString()}),
                 QStringList({"3", "x", ""}));
        // A zero-length text where it is not allowed, a text too long, a
        // missing required value, a number that is text: each its own error.
        const QList<std::pair<QString, int>> rifiutate = {{"(Codice) VALUES ('')", errori::LunghezzaZero},
                                                          {"(Codice) VALUES ('ABCDEF')", errori::CampoTroppoPiccolo},
                                                          {"(Codice, Obbligo) VALUES ('B', Null)", errori::CampoRichiesto},
                                                          {"(Codice, Stato) VALUES ('B', 'due')", errori::ConversioneTipo}};
        for (const auto& [valori, errore] : rifiutate)
            QCOMPARE(numeroErrore([&] { db.Execute("INSERT INTO T " + valori, dbFailOnError); }), errore);
    }

    void indexesReadBack() {
        db.AppendTableDef(tabella("MRN", {campo("Codice", dbText, 18), campo("Stato", dbInteger)},
                                  {primaria("Codice"), indice("stato", false, false, {"Stato", "-Codice"})}));
        // The same index name on a second table: names are per table.
        db.AppendTableDef(tabella("WkMRN", {campo("Codice", dbText, 18)}, {primaria("Codice")}));
        const TableDef t = *db.tabella("mrn");
        QCOMPARE(t.Indexes.size(), 2);
        const Index* p = t.indice("PRIMARIA");
        QVERIFY(p && p->Primary && p->Unique && p->Fields[0].Name == "Codice");
        const Index* s = t.indice("stato");
        QVERIFY(!s->Primary && !s->Unique && s->Fields.size() == 2);
        QVERIFY(s->Fields[1].Name == "Codice" && s->Fields[1].Descending);
        QVERIFY(db.tabella("WkMRN")->indice("primaria")->Primary);
    }

    void indexErrors() {
        db.AppendTableDef(tabella("T", {campo("Codice", dbText, 5), campo("Altro", dbText, 5)}, {primaria("Codice")}));
        QCOMPARE(numeroErrore([&] { db.AppendIndex("T", primaria("Codice")); }), errori::IndiceEsistente);
        QCOMPARE(numeroErrore([&] { db.AppendIndex("T", indice("seconda", true, false, {"Altro"})); }),
                 errori::ChiavePrimariaEsistente);
        QCOMPARE(numeroErrore([&] { db.AppendIndex("T", indice("x", false, false, {"Manca"})); }),
                 errori::ElementoNonTrovato);
        QCOMPARE(numeroErrore([&] { db.DeleteIndex("T", "nessuno"); }), errori::ElementoNonTrovato);
        QCOMPARE(numeroErrore([&] { db.DeleteField("T", "Codice"); }), errori::CampoInIndice);
        // A unique index over duplicated values cannot be made.
        db.Execute("INSERT INTO T (Codice, Altro) VALUES ('a', 'z')", dbFailOnError);
        db.Execute("INSERT INTO T (Codice, Altro) VALUES ('b', 'z')", dbFailOnError);
        QCOMPARE(numeroErrore([&] { db.AppendIndex("T", indice("unico", false, true, {"Altro"})); }),
                 errori::ValoriDuplicati);
        db.DeleteIndex("T", "PRIMARIA");
        QVERIFY(db.tabella("T")->Indexes.isEmpty());
        db.DeleteField("T", "codice");
        QCOMPARE(db.tabella("T")->Fields.size(), 1);
    }

    void fieldsAddedAndDeletedKeepRows() {
        db.AppendTableDef(tabella("T", {campo("Codice", dbText, 5), campo("Vecchio", dbLong)}, {primaria("Codice")}));
        db.CreateQueryDef("QMancante", "SELECT * FROM Sparita"); // a query on a table long gone
        for (int i = 0; i < 50; ++i)
            db.Execute(QString("INSERT INTO T (Codice, Vecchio) VALUES ('C%1', %1)").arg(i), dbFailOnError);
        Field nuovo = campo("Nuovo", dbText, 10);
        nuovo.DefaultValue = "\"-\"";
        db.AppendField("T", nuovo);
        QCOMPARE(numeroErrore([&] { db.AppendField("T", nuovo); }), errori::CampoDuplicato);
        db.DeleteField("T", "VECCHIO");
        const TableDef t = *db.tabella("T");
        QVERIFY(t.Fields.size() == 2 && t.Fields[1].Name == "Nuovo" && t.indice("primaria"));
        Recordset rs = db.OpenRecordset("T");
        QCOMPARE(rs.RecordCount(), 50);
        rs.setIndex("primaria");
        rs.Seek("=", "C7");
        QVERIFY(!rs.NoMatch());
        QCOMPARE(rs.Value("Nuovo").toString(), QString("-"));
    }

    void tableRename() {
        db.AppendTableDef(tabella("T1", {campo("A", dbText, 5)}));
        db.AppendTableDef(tabella("Altra", {campo("A", dbText, 5)}));
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
        db.AppendTableDef(tabella("MRN", {campo("Codice", dbText, 18), campo("OKStato", dbInteger)}));
        db.Execute("INSERT INTO MRN (Codice, OKStato) VALUES ('A', 2)", dbFailOnError);
        db.Execute("INSERT INTO MRN (Codice, OKStato) VALUES ('B', 0)", dbFailOnError);
        const QString testo = "SELECT * FROM [MRN] WHERE OKStato = 2";
        db.CreateQueryDef("XErrati", testo);
        const QList<QueryDef> q = db.QueryDefs();
        QCOMPARE(q.size(), 1);
        QCOMPARE(q[0].Name + ":" + q[0].SQL, "XErrati:" + testo);
        QCOMPARE(db.OpenRecordset("SELECT count(*) AS N FROM XErrati", dbOpenSnapshot).Value("N").toInt(), 1);
        QCOMPARE(numeroErrore([&] { db.CreateQueryDef("xerrati", testo); }), errori::OggettoEsistente);
        QCOMPARE(numeroErrore([&] { db.CreateQueryDef("Azione", "DELETE * FROM MRN"); }),
                 errori::OperazioneNonSupportata);
        db.DeleteQueryDef("XERRATI");
        QVERIFY(db.QueryDefs().isEmpty());
        QCOMPARE(numeroErrore([&] { db.DeleteQueryDef("XErrati"); }), errori::ElementoNonTrovato);
    }

    void systemTablesAreMarked() {
        Field f = campo("A", dbText, 5);
        f.AllowZeroLength = true; // stored in the engine's own table
        db.AppendTableDef(tabella("Dati", {f}));
        QStringList tabelle;
        for (const TableDef& t : db.TableDefs())
            tabelle << t.Name + (t.isSystem() ? "/sistema" : "") + (t.isAttached() ? "/collegata" : "");
        QVERIFY2(tabelle.contains("MSysProprieta/sistema") && tabelle.contains("Dati"), qPrintable(tabelle.join(' ')));
    }

    void tableErrors() {
        QCOMPARE(numeroErrore([&] { db.AppendTableDef(tabella("Vuota", {})); }), errori::NessunCampo);
        QCOMPARE(numeroErrore([&] { db.AppendTableDef(tabella("T", {campo("A", dbLong), campo("a", dbLong)})); }),
                 errori::CampoDuplicato);
        QCOMPARE(numeroErrore([&] { db.AppendTableDef(tabella("[T]", {campo("A", dbLong)})); }),
                 errori::NomeNonValido);
        db.AppendTableDef(tabella("T", {campo("A", dbLong)}));
        QCOMPARE(numeroErrore([&] { db.AppendTableDef(tabella("t", {campo("A", dbLong)})); }),
                 errori::TabellaEsistente);
        QCOMPARE(numeroErrore([&] { db.DeleteTableDef("Nessuna"); }), errori::ElementoNonTrovato);
        db.DeleteTableDef("T");
        QVERIFY(db.TableDefs().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestDaoSchema)
#include "test_dao_schema.moc"
