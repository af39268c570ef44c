// The archive browser's work without its window, on a real database file:
// filters run through the engine with their count, the two exports, the
// column widths, and correcting or deleting an erroneous MRN.

#include "archive/colonne_griglia.h"
#include "archive/esportazioni.h"
#include "archive/estrazione_archivio.h"
#include "archive/formato_csv.h"
#include "archive/layout_colonne.h"
#include "archive/manutenzione_mrn.h"
#include "archivio_prova.h"
#include "database/stato_database.h"
#include "platform/ansi_text.h"
#include "platform/day_number.h"
#include "shell/messaggi.h"
#include "tests/shell/avviatore_registrato.h"

#include "file_prova.h"

#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

using namespace qv;

namespace {

struct RigaProva {
    QString codice;
    int stato;
    QDate elaborato;
    QString descrizione = QStringLiteral("MILANO");
    double uscita = 0;
};

const QList<RigaProva>& righeProva() {
    static const QList<RigaProva> righe{
        {QStringLiteral("23IT000000000002T2"), 2, QDate(2023, 7, 1)},
        {QStringLiteral("24IT000000000003E3"), 2, QDate(2024, 5, 1)},
        {QStringLiteral("24IT000000000004E4"), 3, QDate(2024, 5, 10), QStringLiteral("RIGA\nDUE"), 45000},
        {QStringLiteral("24FR000000000005T5"), 0, QDate(2024, 5, 15)},
    };
    return righe;
}

} // namespace

class TestArchivioDatabase : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    StatoDatabase s_;
    MessaggiRegistrati messaggi_;
    int attese_ = 0;

    QStringList codici() { return prova::Codici(s_.DbLavoro, QStringLiteral("MRN")); }

private slots:
    void init() {
        s_.FileDataBase = dir_.filePath(QStringLiteral("Quorvan.mdb"));
        QFile::remove(s_.FileDataBase);
        s_.DbLavoro = prova::CreaArchivioProva(s_.WsLavoro, s_.FileDataBase);
        s_.DatabaseAperto = true;
        s_.CartellaTemp = dir_.path() + QStringLiteral("/TempFile/");
        QDir().mkpath(s_.CartellaTemp);
        s_.InizioAttesa = [this] { ++attese_; };
        s_.FineAttesa = [this] { --attese_; };
        messaggi_.svuota();

        dao::Recordset rs = s_.DbLavoro.OpenRecordset(QStringLiteral("MRN"));
        for (const RigaProva& r : righeProva()) {
            rs.AddNew();
            rs.setValue(QStringLiteral("Codice"), r.codice);
            rs.setValue(QStringLiteral("Nazione"), r.codice.mid(2, 2));
            rs.setValue(QStringLiteral("ExUffExport"), QStringLiteral(" "));
            rs.setValue(QStringLiteral("ExUffUscitaDes"), r.descrizione);
            rs.setValue(QStringLiteral("ExDataUscita"), r.uscita);
            rs.setValue(QStringLiteral("OKStato"), r.stato);
            rs.setValue(QStringLiteral("DataElab"), platform::dayNumber(r.elaborato));
            rs.Update();
        }
    }

    void cleanup() {
        s_.DbLavoro.Close();
        QCOMPARE(attese_, 0);
    }

    // Which filter gives which SQL is archive_sql_archivio's, how the engine
    // reads it database_jet_sql's; here the count and the caption it gives.
    void conteggio() {
        QCOMPARE(ContaEstrazione(s_.DbLavoro, QStringLiteral("Select * FROM MRN WHERE OKStato = 2 ORDER BY Codice ASC")),
                 qint64(2));
        QCOMPARE(ContaEstrazione(s_.DbLavoro, QStringLiteral("Select * FROM NONCE")), qint64(-1));
        QCOMPARE(DidascaliaEstrazione(QStringLiteral("T"), 0), QStringLiteral("T"));
        QCOMPARE(DidascaliaEstrazione(QStringLiteral("T"), 6), QStringLiteral("T         Totale MRN = 6"));
    }

    void esportaLista() {
        const QString percorso = s_.CartellaTemp + QStringLiteral("ListaVAT.txt");
        scriviFile(percorso, "old content that must go\r\n");
        const QString sql = QStringLiteral("Select * FROM MRN WHERE OKStato = 2 ORDER BY Codice ASC");
        EsportaLista(s_, messaggi_, sql, percorso, true); // its result is in the message below
        QCOMPARE(leggiFile(percorso), QByteArray("23IT000000000002T2\r\n24IT000000000003E3\r\n"));
        QCOMPARE(EsportaLista(s_, messaggi_, sql, percorso, false).righe, qint64(2)); // no message this time
        const QString vuota = s_.CartellaTemp + QStringLiteral("vuota.txt");
        QCOMPARE(EsportaLista(s_, messaggi_, "Select * FROM MRN WHERE OKStato = 3 AND OKStato = 2", vuota, true).esito,
                 EsitoEsportazione::NessunDato);
        QVERIFY(!QFile::exists(vuota));
        QCOMPARE(prova::TestiMostrati(messaggi_), (QStringList{"Creato il file  '" + percorso + "'\ncon la lista di 2 elementi",
                                                         "NESSUN DATO DA ESPORTARE"}));
    }

    void esportaCsv() {
        const QString sql = QStringLiteral("Select * FROM MRN WHERE OKStato = 2 OR OKStato = 3 ORDER BY Codice ASC");
        const RisultatoEsportazione r = EsportaCsv(s_, messaggi_, sql, QStringLiteral("MRN"),
                                                   ColonneDaEsportare(true, QString()),
                                                   QLocale(QLocale::Italian, QLocale::Italy));
        QCOMPARE(r.esito, EsitoEsportazione::Fatto);
        QCOMPARE(r.percorso, s_.CartellaTemp + QStringLiteral("EXPMRN.csv"));
        QCOMPARE(r.righe, qint64(3));
        QVERIFY(messaggi_.mostrati().isEmpty());
        const QList<QByteArray> righe = leggiFile(r.percorso).split('\n');
        QCOMPARE(righe.size(), 5); // three rows, the heading, and nothing after the last CR LF
        // How each value is written is archive_layout_csv's; here the fields reach their columns.
        QCOMPARE(righe.at(3), QByteArray("24IT000000000004E4;IT;;;RIGADUE;15/03/2023;;;;;;;;;;;;;;;;;10/05/2024;3;\r"));

        // The export reads SQLite's values itself: each comes out as FormattaCampoCsv writes it.
        QSqlQuery q(s_.DbLavoro.connessioneSql());
        q.prepare(QStringLiteral("UPDATE MRN SET ExUffExport = ?, ExUffUscitaDes = ?, TrRuolo1 = ?, ExDataUscita = ?, "
                                 "TrData1 = ?, OKStato = NULL WHERE Codice = '24IT000000000003E3'"));
        for (const QVariant& v : {QVariant(" \tcaffè "), QVariant("x\ry"), QVariant("  a b "), QVariant(45000.75), QVariant(-3)})
            q.addBindValue(v);
        QVERIFY(q.exec());
        const QString una = QStringLiteral("Select * FROM MRN WHERE Codice = '24IT000000000003E3'");
        dao::Recordset rs = s_.DbLavoro.OpenRecordset(una, dao::dbOpenSnapshot);
        QStringList attesi;
        for (const ColonnaGriglia& c : ColonneGriglia())
            attesi << FormattaCampoCsv(rs.Value(c.campo), c.tipo, QLocale(QLocale::German, QLocale::Germany));
        rs.Close();
        EsportaCsv(s_, messaggi_, una, QStringLiteral("MRN"), ColonneDaEsportare(true, QString()),
                   QLocale(QLocale::German, QLocale::Germany));
        QCOMPARE(leggiFile(r.percorso).split('\n').at(1), platform::toAnsi(RigaCsv(attesi)).chopped(1));

        // Only the visible columns when not all are asked for.
        EsportaCsv(s_, messaggi_, QStringLiteral("Select * FROM MRN WHERE Codice LIKE '*5T5*'"), QStringLiteral("MRN"),
                   ColonneDaEsportare(false, EstendiLayOut(QStringLiteral("S S"))));
        QCOMPARE(leggiFile(r.percorso), QByteArray("MRN;NAZ;SEZIONE;\r\n24FR000000000005T5;FR;;\r\n"));
    }

    // A CSV that cannot be written (a folder stands in its place); Excel not found; no Excel: the document opened.
    void csvGiaApertoEdExcel() {
        const QString percorso = PercorsoCsv(s_.CartellaTemp, QStringLiteral("MRN"));
        QFile::remove(percorso); // left by the export before
        QVERIFY(QDir().mkpath(percorso));
        QCOMPARE(EsportaCsv(s_, messaggi_, QStringLiteral("Select * FROM MRN"), QStringLiteral("MRN"),
                            ColonneDaEsportare(true, QString())).esito, EsitoEsportazione::FileAperto);
        QVERIFY(QDir(percorso).isEmpty() && QDir(percorso).removeRecursively());
        QVERIFY(QDir(s_.CartellaTemp).entryList({QStringLiteral("*.csv*")}, QDir::Files).isEmpty()); // nothing beside it
        prova::AvviatoreRegistrato avviatore;
        avviatore.esitoAvvio = 0;
        QVERIFY(!ApriCsv(avviatore, messaggi_, QStringLiteral("EXCEL.EXE"), QStringLiteral("x.csv")));
        QVERIFY(ApriCsv(avviatore, messaggi_, QString(), QStringLiteral("y.csv")));
        QCOMPARE(avviatore.documenti, QStringList{"y.csv"});
        QCOMPARE(prova::TestiMostrati(messaggi_), (QStringList{"Il file è già aperto", "\"EXCEL.EXE\" \"x.csv\"  NON TROVATO"}));
    }

    void larghezzeColonne() {
        QVERIFY(LeggiLayOut(s_, QStringLiteral("EleMRNok"), kNumeroColonne).isEmpty());
        QList<int> larghezze;
        for (int i = 0; i < kNumeroColonne; ++i)
            larghezze << (i % 5 == 0 ? 0 : 300 + i);
        QVERIFY(SalvaLayOut(s_, QStringLiteral("EleMRNok"), larghezze));
        QCOMPARE(LeggiLayOut(s_, QStringLiteral("EleMRNok"), kNumeroColonne), larghezze);
        larghezze[1] = 999;
        QVERIFY(SalvaLayOut(s_, QStringLiteral("EleMRNok"), larghezze));
        QCOMPARE(LeggiLayOut(s_, QStringLiteral("EleMRNok"), kNumeroColonne).at(1), 999);
        QCOMPARE(s_.DbLavoro.OpenRecordset(QStringLiteral("LayOutCol")).RecordCount(), qint64(1));
        // Another window keeps its own row; more columns than fields are not stored.
        const int campi = static_cast<int>(s_.DbLavoro.tabella(QStringLiteral("LayOutCol"))->Fields.size());
        QVERIFY(SalvaLayOut(s_, QStringLiteral("EleNaz"), QList<int>(campi + 5, 77)));
        QCOMPARE(LeggiLayOut(s_, QStringLiteral("EleNaz"), campi + 1).mid(campi - 3), (QList<int>{77, 77, 0, 0}));
        // Without the table, or the database, nothing is stored or read, and nothing is shown.
        s_.DbLavoro.DeleteTableDef(QStringLiteral("LayOutCol"));
        QVERIFY(!SalvaLayOut(s_, QStringLiteral("EleMRNok"), larghezze));
        QVERIFY(LeggiLayOut(s_, QStringLiteral("EleMRNok"), kNumeroColonne).isEmpty());
        s_.DatabaseAperto = false;
        QVERIFY(LeggiLayOut(s_, QStringLiteral("EleMRNok"), kNumeroColonne).isEmpty());
        QVERIFY(messaggi_.mostrati().isEmpty());
    }

    // Which codes pass is MrnCorrettoValido's rule (archive_riga_mrn); here what each answer does to the row.
    void modificaMrn_data() {
        QTest::addColumn<QString>("nuovo");
        QTest::addColumn<int>("esito");
        QTest::addColumn<QString>("messaggio");
        QTest::addColumn<QString>("dove"); // the row's code afterwards
        const QString errato = QStringLiteral("24IT000000000003E3");
        QTest::newRow("the same, with blanks") << errato + "  " << int(EsitoModifica::NessunCambio) << "" << errato;
        QTest::newRow("moved") << " 24AT000000000033E3" << int(EsitoModifica::Spostato) << "" << "24AT000000000033E3";
        QTest::newRow("already there") << "24IT000000000004E4" << int(EsitoModifica::GiaPresente)
                                       << "Il numero di MRN '24IT000000000004E4' è già presente" << errato;
        QTest::newRow("not valid") << "24IT000000000033X3" << int(EsitoModifica::NonValido) << "Numero MRN non valido"
                                   << errato;
    }
    void modificaMrn() {
        QFETCH(QString, nuovo);
        QFETCH(QString, messaggio);
        QFETCH(QString, dove);
        const QString errato = QStringLiteral("24IT000000000003E3");
        QTEST(int(ModificaMrn(s_, messaggi_, errato, nuovo)), "esito");
        QCOMPARE(prova::TestiMostrati(messaggi_), messaggio.isEmpty() ? QStringList() : QStringList{messaggio});
        QCOMPARE(codici().contains(errato), dove == errato);
        QCOMPARE(codici().size(), righeProva().size());
        // Everything else moves with the code: still erroneous, same processing date.
        const QVariantMap r = prova::Riga(s_.DbLavoro, QStringLiteral("MRN"), dove);
        QCOMPARE(r.value("Nazione").toString(), dove == errato ? "IT" : "AT");
        QCOMPARE(r.value("OKStato").toInt(), 2);
        QCOMPARE(r.value("DataElab").toDouble(), platform::dayNumber(QDate(2024, 5, 1)));
    }

    void eliminaMrn_data() {
        QTest::addColumn<QString>("codice");
        QTest::addColumn<int>("risposta");
        QTest::addColumn<int>("rimaste");
        const int tutte = static_cast<int>(righeProva().size());
        QTest::newRow("yes") << " 24IT000000000003E3 " << static_cast<int>(Risposta::Si) << tutte - 1;
        QTest::newRow("no") << "24IT000000000003E3" << static_cast<int>(Risposta::No) << tutte;
    }

    void eliminaMrn() {
        QFETCH(QString, codice);
        QFETCH(int, risposta);
        messaggi_.accoda(static_cast<Risposta>(risposta));
        EliminaMrn(s_, messaggi_, codice);
        QCOMPARE(prova::TestiMostrati(messaggi_), QStringList{"Confermi la cancellazione di  " + codice.trimmed()});
        QCOMPARE(messaggi_.mostrati().first().pulsanti, Pulsanti::SiNo);
        QTEST(int(codici().size()), "rimaste");
    }
};

QTEST_GUILESS_MAIN(TestArchivioDatabase)
#include "test_archivio_database.moc"
