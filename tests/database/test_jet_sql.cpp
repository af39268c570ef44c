// The Jet SQL the program writes: translated, run with the same meaning on
// real files, and what cannot be translated refused with a clear error.

#include "file_prova.h"
#include "aiuto_database.h"
#include "database/dao/database.h"
#include "database/dao/jet_sql.h"
#include "database/dao/workspace.h"

using namespace qv;
using namespace qv::dao;
using namespace qv::prova;

namespace {

// Field lists the translator sees for INSERT ... SELECT.
std::optional<QStringList> colonneProva(const QString& tabella, const QString&) {
    if (tabella.compare("MRN", Qt::CaseInsensitive) == 0 || tabella.compare("WkMRN", Qt::CaseInsensitive) == 0)
        return QStringList{"Codice", "Nazione", "OKStato"};
    return std::nullopt;
}

QStringList righe(Database& db, const QString& sql, const QString& campo = "Codice") {
    QStringList r;
    Recordset rs = db.OpenRecordset(sql, dbOpenSnapshot);
    while (!rs.Eof()) {
        r << rs.Value(campo).toString();
        rs.MoveNext();
    }
    return r;
}

} // namespace

class TestJetSql : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    Workspace ws{200};
    Database db;
    int contatore = 0;

    void creaMrn(const QString& nome) {
        db.AppendTableDef(tabella(nome, {campo("Codice", dbText, 18), campo("Nazione", dbText, 2),
                                         campo("OKStato", dbInteger), campo("DataElab", dbDate)},
                                  {primaria("Codice")}));
    }
    void riga(const QString& tabella, const QString& codice, int stato, const QDate& data) {
        db.Execute(QString("INSERT INTO %1 (Codice, Nazione, OKStato, DataElab) VALUES ('%2', '%3', %4, #%5#)")
                       .arg(tabella, codice, codice.mid(2, 2)).arg(stato).arg(data.toString("MM/dd/yyyy")),
                   dbFailOnError);
    }

private slots:
    void init() {
        db = ws.CreateDatabase(dir.filePath(QStringLiteral("j%1.mdb").arg(++contatore)));
        creaMrn("MRN");
        creaMrn("WkMRN");
        riga("MRN", "07IT123456789012E1", 2, QDate(2007, 3, 1));
        riga("MRN", "07IT123456789012T2", 0, QDate(2007, 3, 2));
        riga("MRN", "08DE000000000001E3", 3, QDate(2008, 1, 15));
        riga("MRN", "08IT999999999999E4", 2, QDate(2008, 2, 1));
        riga("MRN", "09FR555555555555T5", 3, QDate(2009, 5, 5));
    }
    void cleanup() { db.Close(); }

    void translation_data() {
        QTest::addColumn<QString>("jet");
        QTest::addColumn<QString>("sqlite");
        QTest::newRow("delete one code") << "DELETE * FROM MRN WHERE Codice = 'A''B'"
                                         << "DELETE FROM `MRN` WHERE `Codice` = 'A''B' COLLATE NOCASE";
        QTest::newRow("named selection into named fields")
            << "INSERT INTO MRN SELECT Codice, 'IT' AS Nazione FROM WkMRN"
            << "INSERT INTO `MRN` (`Codice`, `Nazione`) SELECT `Codice`, 'IT' COLLATE NOCASE AS "
               "`Nazione` FROM `WkMRN`";
        QTest::newRow("values") << "INSERT INTO MRN (Codice, OKStato) VALUES (\"X\", True)"
                                << "INSERT INTO `MRN` (`Codice`, `OKStato`) VALUES ('X' COLLATE NOCASE, -1)";
        QTest::newRow("update") << "UPDATE MRN SET OKStato = 0 WHERE Nazione = [Nazione] & ''"
                                << "UPDATE `MRN` SET `OKStato` = 0 WHERE `Nazione` = `Nazione` || '' COLLATE NOCASE";
        QTest::newRow("literal percent in LIKE") << "SELECT * FROM MRN WHERE Codice LIKE '5%*'"
                                                << "SELECT * FROM `MRN` WHERE `Codice` LIKE '5\\%%' ESCAPE '\\'";
        QTest::newRow("leading characters also as a range on the column")
            << "Select * FROM MRN WHERE left([MRN].[Codice],2) = '07' OR left(Codice,3) = 'x'"
            << "SELECT * FROM `MRN` WHERE (substr(`MRN`.`Codice`, 1, 2) = '07' COLLATE NOCASE AND `MRN`.`Codice` >= "
               "'07' COLLATE NOCASE AND `MRN`.`Codice` < ('07' || char(1114111)) COLLATE NOCASE) OR "
               "substr(`Codice`, 1, 3) = 'x' COLLATE NOCASE";
        QTest::newRow("functions")
            << "SELECT iif(Len(Codice) > 17, UCase(Right(Codice, 3)), Nz(Nazione, '?')) AS X FROM MRN;"
            << "SELECT (CASE WHEN length(`Codice`) > 17 THEN upper((CASE WHEN 3 > 0 THEN substr(`Codice`, "
               "-(3)) ELSE '' END)) ELSE coalesce(`Nazione`, '?' COLLATE NOCASE) END) AS `X` FROM `MRN`";
    }
    void translation() {
        QFETCH(QString, jet);
        QFETCH(QString, sqlite);
        QCOMPARE(traduciJetSql(jet, colonneProva).sql, sqlite);
    }

    void refused_data() {
        QTest::addColumn<QString>("jet");
        QTest::addColumn<int>("errore");
        QTest::newRow("TOP") << "SELECT TOP 5 * FROM MRN ORDER BY Codice" << errori::ErroreSintassi;
        QTest::newRow("unknown function") << "SELECT Format(DataElab, 'yyyy') FROM MRN" << errori::ErroreSintassi;
        QTest::newRow("delete through a join")
            << "DELETE MRN.* FROM MRN INNER JOIN WkMRN ON MRN.Codice = WkMRN.Codice" << errori::ErroreSintassi;
        QTest::newRow("data definition") << "CREATE TABLE X (A TEXT(10))" << errori::IstruzioneNonValida;
        QTest::newRow("two statements") << "DELETE * FROM MRN; DELETE * FROM WkMRN" << errori::ErroreSintassi;
        QTest::newRow("open quote") << "SELECT * FROM MRN WHERE Codice = 'A" << errori::ErroreSintassi;
        QTest::newRow("bad date") << "SELECT * FROM MRN WHERE DataElab = #31/31/2007#" << errori::ErroreSintassi;
        QTest::newRow("LIKE without a pattern") << "SELECT * FROM MRN WHERE Codice LIKE Nazione"
                                                << errori::ErroreSintassi;
        QTest::newRow("ANY") << "SELECT * FROM MRN WHERE OKStato > ANY (SELECT OKStato FROM WkMRN)"
                             << errori::ErroreSintassi;
        QTest::newRow("insert of an unnamed expression") << "INSERT INTO MRN SELECT Codice & 'X' FROM WkMRN"
                                                         << errori::CampoSconosciutoInsert;
        QTest::newRow("insert from a missing table") << "INSERT INTO MRN SELECT Manca.* FROM Manca"
                                                     << errori::TabellaNonTrovata;
        QTest::newRow("insert into another file") << "INSERT INTO MRN IN 'x.mdb' SELECT * FROM WkMRN"
                                                  << errori::ErroreSintassi;
        QTest::newRow("empty") << "  ;" << errori::IstruzioneNonValida;
        QTest::newRow("digit of another script (fuzz_jet_sql)") << QString::fromUtf8("SELECT \u06F2") << errori::ErroreSintassi;
    }
    void refused() {
        QFETCH(QString, jet);
        QFETCH(int, errore);
        QCOMPARE(numeroErrore([&] { traduciJetSql(jet, colonneProva); }), errore);
    }

    void selectionsKeepTheirMeaning_data() {
        QTest::addColumn<QString>("jet");
        QTest::addColumn<QStringList>("codici");
        QTest::newRow("state, nation, kind (lower case compares equal)")
            << "Select * FROM MRN WHERE OKStato = 2 AND Nazione = 'it' AND mid([MRN].[Codice],17,1) = 'e' ORDER BY "
               "Codice DESC" << QStringList{"08IT999999999999E4", "07IT123456789012E1"};
        QTest::newRow("days between, whole day numbers")
            << QString("Select * FROM MRN WHERE  DataElab BETWEEN %1 AND %2 ORDER BY Codice ASC").arg(39143).arg(39462)
            << QStringList{"07IT123456789012T2", "08DE000000000001E3"};
        QTest::newRow("# and class") << "Select * FROM MRN WHERE Codice LIKE '0[89]??#*e#' ORDER BY Codice"
                                     << QStringList{"08DE000000000001E3", "08IT999999999999E4"};
        QTest::newRow("date literal") << "SELECT * FROM MRN WHERE DataElab >= #1/15/2008# AND DataElab < #2/1/2008#"
                                      << QStringList{"08DE000000000001E3"};
        QTest::newRow("leading characters, lower case compares equal")
            << "Select * FROM MRN WHERE left([MRN].[Codice],4) = '08it' OR left(Codice,2) = '09' ORDER BY Codice"
            << QStringList{"08IT999999999999E4", "09FR555555555555T5"};
        QTest::newRow("year of a date") << "SELECT * FROM MRN WHERE Year(DataElab) = 2009" << QStringList{"09FR555555555555T5"};
    }
    void selectionsKeepTheirMeaning() {
        QFETCH(QString, jet);
        QFETCH(QStringList, codici);
        QCOMPARE(righe(db, jet), codici);
    }

    void insertCopiesByNameWhateverTheOrder() {
        db.AppendTableDef(tabella("T", {campo("A", dbText, 20), campo("B", dbLong)}));
        db.AppendTableDef(tabella("T1", {campo("B", dbLong), campo("C", dbText, 5), campo("A", dbText, 50)}));
        db.Execute("INSERT INTO T (A, B) VALUES ('testo', 42)", dbFailOnError);
        db.Execute("INSERT INTO T1 SELECT T.* FROM T", dbFailOnError);
        Recordset rs = db.OpenRecordset("T1");
        QCOMPARE(QVariantList({rs.Value("A"), rs.Value("B"), rs.Value("C")}), QVariantList({"testo", 42, QVariant()}));
    }

    void failOnErrorTakesAllOrNothing() {
        riga("WkMRN", "11IT000000000000E1", 0, QDate(2011, 1, 1));
        riga("WkMRN", "08DE000000000001E3", 0, QDate(2011, 1, 1)); // a duplicate in MRN
        QCOMPARE(numeroErrore([&] { db.Execute("INSERT INTO MRN SELECT * FROM WkMRN", dbFailOnError); }),
                 errori::ValoriDuplicati);
        QCOMPARE(righe(db, "SELECT * FROM MRN").size(), 5);
        // Without the option the failing row is skipped and the rest goes in.
        db.Execute("INSERT INTO MRN SELECT * FROM WkMRN");
        QCOMPARE(db.RecordsAffected(), 1);
        QCOMPARE(righe(db, "SELECT * FROM MRN").size(), 6);
    }

    void insertFromAnotherFile() {
        const QString altro = dir.filePath("riferimento.mdb");
        {
            Database rif = ws.CreateDatabase(altro);
            rif.AppendTableDef(tabella("Nazioni", {campo("Codice", dbText, 2), campo("Descrizione", dbText, 30)}));
            rif.Execute("INSERT INTO Nazioni (Codice, Descrizione) VALUES ('IT', 'ITALIA')", dbFailOnError);
            rif.Execute("INSERT INTO Nazioni (Codice, Descrizione) VALUES ('AT', 'AUSTRIA')", dbFailOnError);
        }
        const auto prima = Impronta::di(altro);
        db.AppendTableDef(tabella("Nazioni", {campo("Codice", dbText, 2), campo("Descrizione", dbText, 30),
                                              campo("Bandiera", dbText, 100)}));
        db.Execute(QString("INSERT INTO Nazioni SELECT Nazioni.* FROM Nazioni IN \"%1\"").arg(altro), dbFailOnError);
        QCOMPARE(righe(db, "SELECT * FROM Nazioni ORDER BY Codice"), QStringList({"AT", "IT"}));
        QVERIFY(Impronta::di(altro) == prima);

        const QString testo = dir.filePath("testo.mdb");
        scriviFile(testo, "non sono un database\n");
        const QString da = "INSERT INTO Nazioni SELECT %1 FROM Nazioni IN '%2'";
        QCOMPARE(numeroErrore([&] { db.Execute(da.arg("Nazioni.*", testo)); }), errori::FormatoNonRiconosciuto);
        QCOMPARE(numeroErrore([&] { db.Execute(da.arg("*", dir.filePath("no.mdb"))); }), errori::FileNonTrovato);
        QVERIFY(!QFile::exists(dir.filePath("no.mdb")));
        db.BeginTrans();
        QCOMPARE(numeroErrore([&] { db.Execute(da.arg("*", altro)); }), errori::ErroreSintassi);
        db.Rollback();
        // After every failure the other file is let go again.
        db.Execute(QString("DELETE * FROM Nazioni"), dbFailOnError);
        db.Execute(QString("INSERT INTO Nazioni SELECT Nazioni.* FROM Nazioni IN '%1'").arg(altro), dbFailOnError);
        QCOMPARE(db.RecordsAffected(), 2);
    }

    void executeErrors() {
        QCOMPARE(numeroErrore([&] { db.Execute("SELECT * FROM MRN", dbFailOnError); }), errori::QuerySelezione);
        QCOMPARE(numeroErrore([&] { db.Execute("DELETE * FROM Manca", dbFailOnError); }), errori::TabellaNonTrovata);
        QCOMPARE(numeroErrore([&] { db.Execute("DELETE * FROM MRN WHERE Colonna = 1", dbFailOnError); }),
                 errori::ParametriInsufficienti);
        QCOMPARE(numeroErrore([&] { db.OpenRecordset("SELECT * FROM Manca", dbOpenSnapshot); }),
                 errori::TabellaNonTrovata);
        QCOMPARE(righe(db, "SELECT * FROM MRN").size(), 5);
    }

    void modelsTakeSelectionsOnly() {
        QCOMPARE(numeroErrore([&] { db.traduci("DELETE * FROM MRN"); }), errori::ErroreSintassi);
    }
};

QTEST_GUILESS_MAIN(TestJetSql)
#include "test_jet_sql.moc"
