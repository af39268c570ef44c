// The schema upgrade from a reference database on real files: the log lines,
// rebuilds that keep every row, the base data, the error end and its outcome.

#include "aiuto_database.h"
#include "database/aggiorna_db.h"
#include "database/file_database.h"
#include "database/schema_riferimento.h"

#include <QSqlQuery>

using namespace qv;
using namespace qv::dao;
using namespace qv::prova;

class TestAggiornaDb : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    StatoDatabase s;
    MessaggiRegistrati m;
    QStringList log;
    QList<quint32> sfondi;
    UscitaAggiornamento u;
    QString rif, lav;
    int contatore = 0;

    QStringList intestazione() const { return {QString(), "------------- Aggiornamento   :   " + lav}; }

    Database crea(const QString& percorso, const QList<TableDef>& tabelle) {
        Database db = s.WsLavoro.CreateDatabase(percorso);
        for (const TableDef& t : tabelle)
            db.AppendTableDef(t);
        return db;
    }
    void esegui() { EseguiAggiornamento(s, m, rif, lav, true, u); }

private slots:
    void init() {
        ++contatore;
        rif = dir.filePath(QString("rif%1.mdb").arg(contatore));
        lav = dir.filePath(QString("lav%1.mdb").arg(contatore));
        s = StatoDatabase();
        s.WsLavoro.setAttesaBloccoMs(200);
        m.svuota();
        log.clear();
        sfondi.clear();
        u = UscitaAggiornamento();
        u.riga = [this](const QString& r) { log << r; };
        u.sfondo = [this](quint32 c) { sfondi << c; };
    }

    void identicalDatabasesLogOnlyTheHeader() {
        CreaDatabaseRiferimento(s.WsLavoro, rif);
        CreaDatabaseRiferimento(s.WsLavoro, lav);
        const Impronta prima = Impronta::di(lav);
        int attese = 0;
        s.InizioAttesa = [&] { ++attese; };
        s.FineAttesa = [&] { --attese; };
        esegui();
        QCOMPARE(s.StatoChiamata, 0);
        QCOMPARE(log, intestazione());
        QCOMPARE(sfondi, QList<quint32>({kSfondoInCorso, kSfondoRiuscito}));
        QVERIFY(m.mostrati().isEmpty()); // nations not empty: no base-data question
        QCOMPARE(attese, 0);
        QVERIFY(Impronta::di(lav).hash == prima.hash);
    }

    void changedSchemaLeavesStatistics() {
        crea(rif, {tabella("T", {campo("A", dbText, 5)}, {primaria("A")})});
        Database w = crea(lav, {tabella("T", {campo("A", dbText, 5)})});
        w.Execute("INSERT INTO T (A) VALUES ('x')");
        esegui();
        QSqlQuery q(w.connessioneSql());
        QVERIFY(q.exec("SELECT stat FROM sqlite_stat1 WHERE idx = 'T.primaria'") && q.next());
    }

    // A field's type changes and a field is new: the table is rebuilt with every
    // row (a field's size change is failedRebuildLeavesTableAndTheNextRunRepeats's).
    void rebuildKeepsEveryRow() {
        crea(rif, {tabella("U", {campo("Codice", dbText, 10), campo("N", dbLong), campo("Nuovo", dbText, 5)},
                           {primaria("Codice")})});
        {
            Database w = crea(lav, {tabella("U", {campo("Codice", dbText, 10), campo("N", dbInteger)}, {primaria("Codice")})});
            w.BeginTrans();
            for (int i = 0; i < 500; ++i)
                w.Execute(QString("INSERT INTO U (Codice, N) VALUES ('C%1', %2)").arg(i).arg(i - 32768), dbFailOnError);
            w.CommitTrans();
        }
        esegui();
        QCOMPARE(s.StatoChiamata, 0);
        Database w = s.WsLavoro.OpenDatabase(lav);
        QVERIFY(w.tabella("U")->campo("Nuovo") && !w.tabella("U1"));
        w.Execute("UPDATE U SET N = N * 3 WHERE Codice = 'C0'", dbFailOnError); // a long now: no overflow
        Recordset rs = w.OpenRecordset("U");
        QCOMPARE(rs.RecordCount(), 500);
        rs.setIndex("primaria");
        rs.Seek("=", "C0");
        QCOMPARE(rs.Value("N").toInt(), -98304);
    }

    void fieldsIndexesQueriesAndTablesComeAndGo() {
        {
            Database r = crea(rif, {tabella("T", {campo("A", dbText, 5), campo("B", dbLong), campo("C", dbDate)},
                                            {indice("doppio", false, false, {"A", "B"}), primaria("A")})});
            r.CreateQueryDef("QNuova", "SELECT * FROM T");
            r.CreateQueryDef("QComune", "SELECT * FROM T");
            Database w = crea(lav, {tabella("T", {campo("A", dbText, 5), campo("B", dbLong), campo("Via", dbText, 5)},
                                            {indice("doppio", false, false, {"B", "A"}),
                                             indice("vecchio", false, false, {"Via"})}),
                                    tabella("T1", {campo("A", dbText, 5)}), tabella("Vecchia", {campo("X", dbLong)})});
            w.CreateQueryDef("XMia", "SELECT * FROM T WHERE A LIKE 'X*'");
            w.CreateQueryDef("xMinuscola", "SELECT * FROM T");
            w.CreateQueryDef("QVecchia", "SELECT * FROM Vecchia");
            w.CreateQueryDef("QComune", "SELECT A FROM T"); // different text: left alone
        }
        esegui();
        QCOMPARE(s.StatoChiamata, 0);
        QCOMPARE(log, (intestazione() + QStringList{"Eliminata Query -> QVecchia", "Nuova query -> QNuova",
                                                   "Eliminata Tabella -> T1", "Eliminata Tabella -> Vecchia",
                                                   "Tabella  T : Eliminato Indice -> vecchio",
                                                   "Tabella  T : Eliminato  Campo -> Via",
                                                   "Tabella  T :     Nuovo  Campo -> C",
                                                   "Tabella  T :     Nuovo Indice -> doppio",
                                                   "Tabella  T :     Nuovo Indice -> primaria"}));
        Database w = s.WsLavoro.OpenDatabase(lav);
        QCOMPARE(w.tabella("T")->indice("doppio")->Fields[0].Name, QString("A"));
        QStringList query;
        for (const QueryDef& q : w.QueryDefs())
            query << q.Name + ":" + q.SQL;
        QCOMPARE(query, QStringList({"QComune:SELECT A FROM T", "QNuova:SELECT * FROM T",
                                     "XMia:SELECT * FROM T WHERE A LIKE 'X*'", "xMinuscola:SELECT * FROM T"}));
    }

    void newTableAndItsBaseData() {
        CreaDatabaseRiferimento(s.WsLavoro, rif);
        {
            Database w = s.WsLavoro.CreateDatabase(lav);
            for (const TableDef& t : SchemaRiferimento())
                if (t.Name != "Nazioni")
                    w.AppendTableDef(t);
        }
        m.accoda(Risposta::Si);
        esegui();
        QCOMPARE(s.StatoChiamata, 0);
        QCOMPARE(log, (intestazione() + QStringList{"Nuova tabella Nazioni"}));
        QCOMPARE(m.mostrati().size(), 1);
        QCOMPARE(m.mostrati()[0].testo, QString("Tabella NAZIONI vuota\nInserisco dei dati base?"));
        QCOMPARE(s.WsLavoro.OpenDatabase(lav).OpenRecordset("Nazioni").RecordCount(), 27);
    }

    void baseDataRefusedOrFailing() {
        CreaDatabaseRiferimento(s.WsLavoro, rif);
        CreaDatabaseRiferimento(s.WsLavoro, lav);
        Database w = s.WsLavoro.OpenDatabase(lav);
        w.Execute("DELETE * FROM Nazioni", dbFailOnError);
        m.accoda(Risposta::No);
        CaricaDatiBase(s, m, rif, lav);
        QCOMPARE(w.OpenRecordset("Nazioni").RecordCount(), 0);
        // A reference whose Nazioni cannot go into the working table.
        w.DeleteField("Nazioni", "Bandiera");
        w.Close();
        m.svuota();
        {
            Database r = s.WsLavoro.OpenDatabase(rif);
            r.DeleteTableDef("Nazioni");
            r.AppendTableDef(tabella("Nazioni", {campo("Codice", dbText, 2), campo("Colore", dbLong)}));
            r.Execute("INSERT INTO Nazioni (Codice, Colore) VALUES ('IT', 1)", dbFailOnError);
        }
        m.accoda(Risposta::Si);
        CaricaDatiBase(s, m, rif, lav);
        QCOMPARE(m.mostrati().size(), 2);
        QCOMPARE(m.mostrati()[1].testo, QString("Tabella NAZIONI non corretta\nnessun dato inserito"));
        m.svuota();
        CaricaDatiBase(s, m, rif, dir.filePath("manca.mdb"));
        QCOMPARE(m.mostrati().size(), 1);
        QCOMPARE(m.mostrati()[0].testo, QString("Errore nell'apertura del DataBase di lavoro"));
    }

    void failedRebuildLeavesTableAndTheNextRunRepeats() {
        crea(rif, {tabella("T", {campo("Codice", dbText, 10), campo("Testo", dbText, 5)}, {primaria("Codice")})});
        {
            Database w = crea(lav, {tabella("T", {campo("Codice", dbText, 10), campo("Testo", dbText, 20)},
                                            {primaria("Codice")})});
            w.Execute("INSERT INTO T (Codice, Testo) VALUES ('A', 'corto')", dbFailOnError);
            w.Execute("INSERT INTO T (Codice, Testo) VALUES ('B', 'troppo lungo')", dbFailOnError);
        }
        esegui();
        QCOMPARE(s.StatoChiamata, errori::CampoTroppoPiccolo);
        QCOMPARE(sfondi, QList<quint32>({kSfondoInCorso}));
        QCOMPARE(m.mostrati().size(), 1);
        QCOMPARE(m.mostrati()[0].testo, "ERRORE in aggiornamento DB: tabella T\n" +
                                            testoErrore(errori::CampoTroppoPiccolo, "Testo") +
                                            "\n\nRILANCIARE la fase di aggiornamento del DataBase (bottone 'ESEGUI'). ");
        {
            Database w = s.WsLavoro.OpenDatabase(lav);
            QVERIFY(w.tabella("T1")); // left beside T
            QCOMPARE(w.OpenRecordset("T").RecordCount(), 2);
            w.Execute("UPDATE T SET Testo = 'ok' WHERE Codice = 'B'", dbFailOnError);
        }
        m.svuota();
        esegui();
        QCOMPARE(s.StatoChiamata, 0);
        Database w = s.WsLavoro.OpenDatabase(lav);
        QVERIFY(!w.tabella("T1"));
        QCOMPARE(w.tabella("T")->campo("Testo")->Size, 5);
        QCOMPARE(w.OpenRecordset("T").RecordCount(), 2);
    }

    void missingWorkingDatabase() {
        CreaDatabaseRiferimento(s.WsLavoro, rif);
        esegui();
        QCOMPARE(s.StatoChiamata, errori::FileNonTrovato);
        QCOMPARE(m.mostrati().size(), 1);
        QVERIFY(m.mostrati()[0].testo.startsWith("ERRORE in aggiornamento DB: tabella \n"));
        QVERIFY(!QFile::exists(lav));
    }

    void manualModeAsksFirstAndOffersCompaction() {
        CreaDatabaseRiferimento(s.WsLavoro, rif);
        crea(lav, {});
        QStringList compattati;
        u.compatta = [&](const QString& p) { compattati << p; };
        m.accoda(Risposta::No);
        s.StatoChiamata = 77;
        EseguiAggiornamento(s, m, rif, " " + lav + " ", false, u);
        QCOMPARE(m.mostrati()[0].testo, "Vuoi aggiornare il DataBase locale\n\n" + lav);
        QVERIFY(log.isEmpty());
        QCOMPARE(s.StatoChiamata, 77); // nothing ran

        m.svuota();
        m.accoda(Risposta::Si); // the question
        m.accoda(Risposta::No); // no base data
        m.accoda(Risposta::Si); // compaction
        EseguiAggiornamento(s, m, rif, lav, false, u);
        QCOMPARE(s.StatoChiamata, 0);
        QCOMPARE(m.mostrati().size(), 3);
        const Messaggio& c = m.mostrati()[2];
        QCOMPARE(c.testo, QString("Aggiornamento eseguito.\nATTENZIONE: è consigliato eseguire un compattamento del "
                                  "DataBase\n\nESEGUO IL COMPATTAMENTO DEL DATABASE"));
        QCOMPARE(c.predefinito, 1); // No is the default
        QCOMPARE(compattati, QStringList{lav});
        QVERIFY(log.contains("Nuova tabella MRN"));
    }

    void pathValidation_data() {
        QTest::addColumn<QString>("r");
        QTest::addColumn<QString>("l");
        QTest::addColumn<bool>("valido");
        QTest::addColumn<int>("campo");
        QTest::addColumn<QString>("messaggio");
        QTest::newRow("both") << "rif" << "lav" << true << 0 << "";
        QTest::newRow("reference missing") << "manca" << "lav" << false << 1 << "DataBase aggiornato inesistente";
        QTest::newRow("working empty") << "rif" << "" << true << 0 << "";
        QTest::newRow("working missing") << "rif" << "manca" << false << 2 << "DataBase locale da aggiornare inesistente";
        QTest::newRow("the same file, written otherwise") << "rif" << "./rif" << false << 1
                                       << "DataBase aggiornato uguale al DataBase locale da aggiornare";
    }
    void pathValidation() {
        QFETCH(QString, r);
        QFETCH(QString, l);
        QFETCH(bool, valido);
        QFETCH(int, campo);
        QFETCH(QString, messaggio);
        CreaDatabaseRiferimento(s.WsLavoro, rif);
        CreaDatabaseRiferimento(s.WsLavoro, lav);
        auto percorso = [&](const QString& x) {
            return x == "rif" ? rif : x == "./rif" ? QFileInfo(rif).path() + "/./" + QFileInfo(rif).fileName()
                                    : x == "lav" ? lav : x == "manca" ? dir.filePath("manca.mdb") : x;
        };
        int inErrore = -1;
        QCOMPARE(ValidaPercorsi(m, percorso(r), percorso(l), &inErrore), valido);
        QCOMPARE(inErrore, campo);
        QCOMPARE(m.mostrati().isEmpty() ? QString() : m.mostrati()[0].testo, messaggio);
    }
};

QTEST_GUILESS_MAIN(TestAggiornaDb)
#include "test_aggiorna_db.moc"
