// The access layer's shared patterns: table open with Retry/Cancel, upsert by
// key, the dated copy, the nations refreshed at start-up, the colours.

#include "file_prova.h"
#include "aiuto_database.h"
#include "database/colori.h"
#include "database/file_database.h"
#include "database/nazioni.h"
#include "database/schema_riferimento.h"
#include "shell/file_ini.h"

using namespace qv;
using namespace qv::dao;
using qv::prova::numeroErrore;

class TestTabelle : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    StatoDatabase s;
    MessaggiRegistrati m;
    int contatore = 0;
    QString cartella;

    QString ini() const { return QDir(cartella).filePath("Quorvan.ini"); }

    // A program folder with a working database made from the reference schema.
    void apri() {
        CreaDatabaseRiferimento(s.WsLavoro, PercorsoDataBase(cartella));
        ImpostaFileDataBase(s, cartella);
        s.DatabaseAperto = ApriDataBase(s);
        QVERIFY(s.DatabaseAperto);
    }
    QStringList nazioni() {
        QStringList r;
        Recordset rs = s.DbLavoro.OpenRecordset("SELECT * FROM Nazioni ORDER BY Codice", dbOpenSnapshot);
        while (!rs.Eof()) {
            r << rs.Value("Codice").toString() + "=" + rs.Value("Descrizione").toString() + "=" +
                     rs.Value("Bandiera").toString();
            rs.MoveNext();
        }
        return r;
    }

private slots:
    void init() {
        cartella = dir.filePath(QString::number(++contatore));
        QDir().mkpath(cartella);
        s = StatoDatabase();
        s.WsLavoro.setAttesaBloccoMs(200);
        m.svuota();
    }
    void cleanup() { ChiudiDataBase(s); }

    void pathsOpenAndClose() {
        ImpostaFileDataBase(s, cartella);
        QCOMPARE(s.FileDataBase, QDir(cartella).filePath("Quorvan.mdb"));
        QCOMPARE(s.CartellaTemp, QDir(cartella).filePath("TempFile") + "/");
        QVERIFY(QFileInfo(s.CartellaTemp).isDir());
        QVERIFY(!ApriDataBase(s)); // missing: no message either
        scriviFile(s.CartellaTemp + "tmp_html.htm", {}); // kept when the folder is set again
        // A database copied from Windows with its name in capitals is found.
        CreaDatabaseRiferimento(s.WsLavoro, QDir(cartella).filePath("QUORVAN.MDB"));
        ImpostaFileDataBase(s, cartella);
        QVERIFY(QFile::exists(s.CartellaTemp + "tmp_html.htm"));
        QCOMPARE(QFileInfo(s.FileDataBase).fileName(), QString("QUORVAN.MDB"));
        QVERIFY(ApriDataBase(s));
        Recordset rs = s.DbLavoro.OpenRecordset("Nazioni");
        ChiudiDataBase(s);
        QVERIFY(!rs.isOpen());
        QVERIFY(m.mostrati().isEmpty());
    }

    void tableOpenRetriesOrGivesUp() {
        apri();
        Recordset rs;
        // Not there: the message with Retry and Cancel; Retry tries again.
        m.accoda(Risposta::Riprova);
        m.accoda(Risposta::Annulla);
        QVERIFY(!ApriTabella(s, m, {"Manca", "ERRORE IN APERTURA TABELLA Manca", false, {}}, rs));
        QCOMPARE(m.mostrati().size(), 2);
        QCOMPARE(m.mostrati()[0].testo, testoErrore(errori::OggettoNonTrovato, "Manca"));
        QCOMPARE(s.Risposta, Risposta::Annulla);
        // There: opened on its index.
        QVERIFY(ApriTabella(s, m, {"WKMRN", "x", false, {}}, rs));
        QCOMPARE(rs.Index(), QString("primaria"));
        // No database: nothing tried, nothing shown.
        m.svuota();
        s.DatabaseAperto = false;
        QVERIFY(!ApriTabella(s, m, {"WkMRN", "x", false, {}}, rs));
        QVERIFY(m.mostrati().isEmpty());
    }

    void upsertByKey() {
        apri();
        Recordset rs;
        QVERIFY(ApriTabella(s, m, {"LayOutCol", "x", false, {}}, rs));
        ScriviPerChiave(rs, "Finestra", "EleMRNok", [](Recordset& r) { r.setValue(1, 1500); });
        ScriviPerChiave(rs, "Finestra", "elemrnok", [](Recordset& r) { r.setValue(2, 900); }); // same key
        QCOMPARE(rs.RecordCount(), 1);
        rs.Seek("=", "EleMRNok");
        QCOMPARE(QList<int>({rs.Value(1).toInt(), rs.Value(2).toInt(), rs.Value(3).toInt()}), QList<int>({1500, 900, 0}));
    }

    void datedCopy() {
        apri();
        const QDateTime quando(QDate(2007, 12, 31), QTime(14, 59));
        QCOMPARE(NomeCopiaDatata(quando), QString("QUORVAN200712311459.MDB"));
        int inizio = 0, fine = 0;
        s.InizioAttesa = [&] { ++inizio; };
        s.FineAttesa = [&] { ++fine; };
        SalvaCopiaDataBase(s, m, cartella, NomeProgramma, quando);
        SalvaCopiaDataBase(s, m, cartella, NomeProgramma, quando); // the same minute: replaced
        const QString copia = QDir(cartella).filePath("QUORVAN200712311459.MDB");
        QVERIFY(qv::prova::Impronta::di(copia).hash == qv::prova::Impronta::di(s.FileDataBase).hash);
        QCOMPARE(inizio, 2);
        QCOMPARE(fine, 2);
        QVERIFY(m.mostrati().isEmpty());
        // Nothing to copy: the message, and start-up goes on.
        ChiudiDataBase(s);
        QFile::remove(s.FileDataBase);
        SalvaCopiaDataBase(s, m, cartella, NomeProgramma, quando);
        QCOMPARE(m.mostrati().size(), 1);
        QCOMPARE(m.mostrati()[0].testo,
                 QString("ERRORE DURANTE IL SALVATAGGIO DEL DB 'QUORVAN.MDB'\n53: Impossibile trovare il file"));
    }

    void nationsRefreshedAtStartUp() {
        apri();
        s.DbLavoro.Execute("DELETE * FROM Nazioni WHERE Codice IN ('IT', 'EL')", dbFailOnError);
        s.DbLavoro.Execute("UPDATE Nazioni SET Descrizione = 'AUSTRIA FELIX', Bandiera = '' WHERE Codice = 'AT'",
                           dbFailOnError);
        s.DbLavoro.Execute("INSERT INTO Nazioni (Codice, Descrizione) VALUES ('XX', 'NAZIONE MIA')", dbFailOnError);
        CaricaNazioniCee(s, m);
        QVERIFY(!s.NazioniAperta);
        const QStringList n = nazioni();
        QCOMPARE(n.size(), 28);
        QVERIFY(n.contains("IT=ITALIA=Images\\flag_IT.gif"));
        QVERIFY(n.contains("AT=AUSTRIA=Images\\flag_AT.gif"));
        QVERIFY(n.contains("XX=NAZIONE MIA=")); // entered by hand: untouched, no flag
        QVERIFY(m.mostrati().isEmpty());
        ApriNazioni(s, m);
        ScriviNazione(s, "HR", "  CROAZIA ");
        ChiudiNazioni(s);
        QVERIFY(nazioni().contains("HR=CROAZIA=Images\\flag_HR.gif"));
    }

    void nationsTableMissing() {
        apri();
        s.DbLavoro.DeleteTableDef("Nazioni");
        m.accoda(Risposta::Annulla);
        CaricaNazioniCee(s, m);
        QCOMPARE(m.mostrati().size(), 1);
        QCOMPARE(m.mostrati()[0].titolo, QString("ERRORE IN APERTURA TABELLA NAZIONI"));
        QVERIFY(!s.NazioniAperta);
    }

    void gridColours_data() {
        QTest::addColumn<QString>("chiave");
        QTest::addColumn<QString>("valore"); // null: not written
        QTest::addColumn<qint32>("colore");
        QTest::newRow("missing: pale red") << "COLORE0" << QString() << 13684991;
        QTest::newRow("a colour") << "COLORE1" << "255" << 255;
        QTest::newRow("too large for 32 bits") << "COLORE0" << "99999999999" << 13684991;
    }
    void gridColours() {
        QFETCH(QString, chiave);
        QFETCH(QString, valore);
        QFETCH(qint32, colore);
        if (!valore.isNull())
            ScriviIni(ini(), "COLORIGRID", chiave, valore);
        const auto c = CaricaColoriGriglia(ini());
        QCOMPARE(c[chiave.right(1).toInt()], colore);
        QCOMPARE(LeggiIni(ini(), "COLORIGRID", chiave), valore.isNull() ? QString() : valore); // nothing written back
        ScriviColoreGriglia(ini(), 3, 123);
        QCOMPARE(LeggiIni(ini(), "COLORIGRID", "COLORE3"), QString("123"));
    }

    // The 64 custom colours are kept in the archive between choices; without
    // an archive the dialog still works on an empty block, after the message.
    void customColoursKeptBetweenChoices() {
        std::array<quint8, 64> visti{};
        auto scegli = [&](int posizione, quint8 valore, std::optional<quint32> esito) {
            return ScegliColore(s, m, [&](std::array<quint8, 64>& b) {
                visti = b;
                b[posizione] = valore;
                return esito;
            });
        };
        m.accoda(Risposta::Annulla);
        QCOMPARE(scegli(5, 1, 42), QString("42"));
        QVERIFY(visti == (std::array<quint8, 64>{}));
        QCOMPARE(m.mostrati().size(), 1);
        QVERIFY(m.mostrati()[0].testo.startsWith(
            QString("ERRORE IN APERTURA TABELLA 'COLORI'\n%1: ").arg(errori::OggettoNonValido)));
        m.svuota();
        apri();
        QCOMPARE(scegli(63, 7, 0xD0D0FF), QString("13684991"));
        QVERIFY(visti == (std::array<quint8, 64>{}));
        QVERIFY(!s.ColoriAperta);
        QCOMPARE(s.DbLavoro.OpenRecordset("Colori").RecordCount(), 64);
        scegli(1, 9, std::nullopt); // cancelled: this change is not kept
        QCOMPARE(visti[63], quint8(7));
        QCOMPARE(scegli(0, 0, 0), QString("0"));
        QCOMPARE(visti[1], quint8(0));
        QVERIFY(m.mostrati().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestTabelle)
#include "test_tabelle.moc"
