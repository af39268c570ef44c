// Compaction, repair, backup, restore and the upgrade on a copy of the working
// database: each rule once, on real files, another process holding the file where it matters.

#include "aiuto_database.h"
#include "database/aggiorna_su_copia.h"
#include "database/compatta_db.h"
#include "database/file_database.h"
#include "database/ripara_db.h"
#include "database/salva_ark.h"
#include "file_prova.h"

#include <QSqlDatabase>
#include <QSqlQuery>

#include <optional>

using namespace qv;
using qv::prova::AltroProcesso;
using qv::prova::Impronta;

namespace {

// Records what "&FLOPPY" asks of the platform; `riesce` decides the answer.
struct AvviatoreRegistrato : Avviatore {
    bool riesce = true;
    QStringList avviati;
    qint64 avviaProgramma(const QString& p, const QString& a, int) override {
        avviati << p + QLatin1Char('|') + a;
        return riesce ? 42 : 0;
    }
    bool apriIndirizzo(const QString&) override { return false; }
    EsitoShell apriDocumento(const QString&, const QString&, const QString&, int) override { return {}; }
};

// The first column of a query, read straight through SQLite.
QStringList righe(const QString& file, const QString& sql) {
    QStringList c;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("righe"));
        db.setDatabaseName(file);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        QSqlQuery q(db);
        for (bool ok = db.open() && q.exec(sql); ok && q.next();)
            c << q.value(0).toString();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("righe"));
    return c;
}

QStringList codici(const QString& file) { return righe(file, QStringLiteral("SELECT Codice FROM MRN ORDER BY Codice")); }

QString codice(int i) { return QStringLiteral("24IT%1E1").arg(i, 12, 10, QLatin1Char('0')); }

} // namespace

class TestManutenzione : public QObject {
    Q_OBJECT

    QTemporaryDir cartella;
    StatoDatabase s;
    MessaggiRegistrati m;
    QStringList log;
    UscitaAggiornamento u;

    QString lavoro() const { return cartella.filePath(QStringLiteral("Quorvan.mdb")); }
    QString ultimoMessaggio() const { return m.mostrati().isEmpty() ? QString() : m.mostrati().last().testo; }

    // A working database made from the reference with `righe` MRN rows, open.
    void prepara(int righe) {
        s.DbLavoro.Close();
        for (const QString& f : QDir(cartella.path()).entryList(QDir::Files))
            QFile::remove(cartella.filePath(f));
        QVERIFY(QFile::copy(cartellaProgrammi().filePath(QStringLiteral("Quorvan0.mdb")), lavoro()));
        QFile(lavoro()).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
        ImpostaFileDataBase(s, cartella.path());
        QVERIFY(ApriDataBase(s));
        s.WsLavoro.BeginTrans();
        for (int i = 0; i < righe; ++i)
            s.DbLavoro.Execute(QStringLiteral("INSERT INTO MRN (Codice, Nazione, TrRuolo1) VALUES ('%1', 'IT', '%2')")
                                   .arg(codice(i), QString(90, QLatin1Char('a' + i % 26))));
        s.WsLavoro.CommitTrans();
        s.DatabaseAperto = true;
        m.svuota();
        log.clear();
    }

private slots:
    void initTestCase() {
        QVERIFY(cartella.isValid());
        u.riga = [this](const QString& r) { log << r; };
    }

    // Compaction keeps the rows and analyses; a healthy file's repair changes nothing.
    void compattaERiparaUnFileSano() {
        prepara(300);
        s.DbLavoro.Execute(QStringLiteral("DELETE FROM MRN WHERE Codice > '%1'").arg(codice(99)));
        const qint64 prima = QFileInfo(lavoro()).size();
        QCOMPARE(CompattaDataBase(s, m, lavoro(), u), 0);
        QCOMPARE(log, QStringList({"------------- Compattamento  :   " + lavoro(), "Compattamento in corso ...",
                                   "Compattatamento effettuato."}));
        QVERIFY(s.DatabaseAperto && s.DbLavoro.isOpen());
        QVERIFY(QFileInfo(lavoro()).size() < prima);
        QCOMPARE(codici(lavoro()).size(), 100);
        QVERIFY(!QFileInfo::exists(FileCompattamento(lavoro())));
        QVERIFY(righe(lavoro(), QStringLiteral("SELECT tbl FROM sqlite_stat1")).contains("MRN"));
        log.clear();
        QCOMPARE(RiparaDataBase(s, m, lavoro(), u), 0);
        QCOMPARE(log, QStringList({"Recupero di " + lavoro() + " in corso...", lavoro() + " recuperato"}));
        QCOMPARE(codici(lavoro()).size(), 100);
        QVERIFY(s.DatabaseAperto && !QFileInfo::exists(FileDanneggiato(lavoro())));
    }

    // A leftover "~.mdb" and a file another process holds: nothing changed,
    // the database left closed; the generic text or the engine's own.
    void compattaNonRiesce_data() {
        QTest::addColumn<bool>("avanzo");
        QTest::addColumn<QString>("testo");
        QTest::newRow("leftover ~.mdb") << true << "ERRORE IN FASE DI COMPATTAMENTO DEL DATABASE ";
        QTest::newRow("held by another process") << false << "è già utilizzato da un altro utente o processo";
    }
    void compattaNonRiesce() {
        QFETCH(bool, avanzo);
        QFETCH(QString, testo);
        prepara(10);
        if (avanzo) scriviFile(FileCompattamento(lavoro()), "avanzo");
        std::optional<AltroProcesso> altro;
        if (!avanzo) QVERIFY(altro.emplace(lavoro(), QStringLiteral("aperto")).pronto());
        const Impronta prima = Impronta::di(lavoro());
        QCOMPARE(CompattaDataBase(s, m, lavoro(), u), avanzo ? int(dao::errori::DatabaseEsistente) : int(dao::errori::InUsoDaAltri));
        QVERIFY2(ultimoMessaggio().contains(testo), qPrintable(ultimoMessaggio()));
        QCOMPARE(avanzo, ultimoMessaggio().endsWith("\nCHIEDERE L'INTERVENTO DEL SISTEMISTA"));
        QCOMPARE(log.last(), lavoro() + " NON compattato");
        QVERIFY(!s.DatabaseAperto && !s.DbLavoro.isOpen());
        altro.reset();
        QVERIFY(Impronta::di(lavoro()) == prima);
        QVERIFY(ApriDataBase(s)); // the next open finds it as it was
    }

    // Pages of MRN overwritten: the rows on them are gone, every other row
    // comes back as it was, the damaged file stays beside it.
    void riparaUnFileDanneggiato_data() {
        QTest::addColumn<Recupero>("via");
        QTest::newRow("sqlite3 .recover") << Recupero::ProgrammaSqlite3;
        QTest::newRow("row by row through the library") << Recupero::Libreria;
    }
    void riparaUnFileDanneggiato() {
        QFETCH(Recupero, via);
        prepara(2000);
        const QStringList tutti = codici(lavoro());
        ChiudiDataBase(s);
        // The 21st leaf page of MRN: its number, its rows, its size.
        const QStringList foglia = righe(lavoro(), "SELECT pageno || ' ' || ncell || ' ' || pgsize FROM dbstat WHERE "
                                                   "name = 'MRN' AND pagetype = 'leaf' ORDER BY pageno LIMIT 1 OFFSET 20")
                                       .value(0)
                                       .split(' ');
        QCOMPARE(foglia.size(), 3);
        const int pagina = foglia[0].toInt(), perse = foglia[1].toInt(), dimensione = foglia[2].toInt();
        QFile f(lavoro());
        QVERIFY(f.open(QIODevice::ReadWrite) && f.seek(qint64(pagina - 1) * dimensione));
        f.write(QByteArray(dimensione, '\xA5'));
        f.close();
        const Impronta danneggiato = Impronta::di(lavoro());
        QStringList leggibili; // what SQLite still reads of each row on its own
        for (int r = 1; r <= tutti.size(); ++r)
            leggibili += righe(lavoro(), QStringLiteral("SELECT Codice FROM MRN WHERE rowid = %1").arg(r));
        QCOMPARE(leggibili.size(), tutti.size() - perse);

        QCOMPARE(RiparaDataBase(s, m, lavoro(), u, via), 0);
        QVERIFY(s.DatabaseAperto && log.contains("Originale danneggiato conservato in " + FileDanneggiato(lavoro())));
        QCOMPARE(Impronta::di(FileDanneggiato(lavoro())).hash, danneggiato.hash);
        const QStringList rimasti = codici(lavoro());
        leggibili.sort();
        QCOMPARE(rimasti, leggibili);
        QVERIFY(righe(lavoro(), "SELECT TrRuolo1 FROM MRN WHERE Codice = '" + rimasti.first() + "'").value(0).startsWith(
            QString(90, QLatin1Char('a'))));
    }

    void riparaSenzaPercorsoOFileMancante() {
        prepara(1);
        QCOMPARE(RiparaDataBase(s, m, QStringLiteral("  "), u), int(dao::errori::FileNonTrovato));
        QCOMPARE(ultimoMessaggio(), QStringLiteral("ERRORE IN FASE DI RECUPERO DEL DATABASE \nCHIEDERE L'INTERVENTO DEL SISTEMISTA"));
        QVERIFY(!s.DatabaseAperto);
        QVERIFY(!ValidaDataBaseDaRiparare(m, cartella.filePath("manca.mdb")));
        QCOMPARE(ultimoMessaggio(), QStringLiteral("DataBase da recuperare inesistente"));
        QVERIFY(ValidaDataBaseDaRiparare(m, QString()));
    }

    void primoSalvataggioERipristino() {
        prepara(20);
        QVERIFY(PreparaCartellaSalvataggi(cartella.path()));
        const QString salvato = FileSalvataggio(cartella.path());
        QCOMPARE(salvato, cartella.filePath("Save/Quorvan.MDB"));
        QCOMPARE(SalvaArchivio(s, m, lavoro(), salvato), 0);
        QVERIFY(s.DatabaseAperto && m.mostrati().isEmpty());
        QCOMPARE(codici(salvato).size(), 20);

        s.DbLavoro.Execute(QStringLiteral("DELETE FROM MRN WHERE Codice > '%1'").arg(codice(4)));
        const Impronta sostituito = Impronta::di(lavoro());
        QCOMPARE(RipristinaArchivio(s, m, salvato, lavoro()), 0);
        QVERIFY(s.DatabaseAperto && m.mostrati().isEmpty());
        QCOMPARE(codici(lavoro()), codici(salvato));
        QCOMPARE(Impronta::di(FilePrimaDelRipristino(lavoro())).hash, sostituito.hash);
    }

    void salvataggioNonRiuscito() {
        prepara(1);
        QCOMPARE(SalvaArchivio(s, m, cartella.filePath("manca.mdb"), cartella.filePath("x.mdb")), 53);
        QCOMPARE(ultimoMessaggio(), QStringLiteral("Il file originario non esiste!"));
        QCOMPARE(SalvaArchivio(s, m, lavoro(), cartella.filePath("Nessuna/x.mdb")), 76);
        QCOMPARE(ultimoMessaggio(), "ERRORE DURANTE IL SALVATAGGIO DI \n" + lavoro() + "\n76: Impossibile trovare il percorso");
        QVERIFY(s.DatabaseAperto); // reopened whatever the copy did
    }

    // Not an archive of the program: refused before anything is touched.
    void ripristinoRifiutato_data() {
        QTest::addColumn<QByteArray>("contenuto");
        QTest::addColumn<QString>("motivo");
        QTest::newRow("text") << QByteArray("MRN;Codice\r\n") << "Formato di database non riconosciuto";
        QTest::newRow("SQLite without MRN") << QByteArray("sqlite") << "non contiene la tabella MRN";
    }
    void ripristinoRifiutato() {
        QFETCH(QByteArray, contenuto);
        QFETCH(QString, motivo);
        prepara(3);
        const QString origine = cartella.filePath("altro.mdb");
        if (contenuto == "sqlite")
            dao::Workspace().CreateDatabase(origine).Close();
        else
            scriviFile(origine, contenuto);
        const Impronta prima = Impronta::di(lavoro());
        QCOMPARE(RipristinaArchivio(s, m, origine, lavoro()), int(dao::errori::FormatoNonRiconosciuto));
        QVERIFY(ultimoMessaggio().startsWith("RIPRISTINO NON ESEGUITO: " + origine + "\n"));
        QVERIFY2(ultimoMessaggio().contains(motivo), qPrintable(ultimoMessaggio()));
        QVERIFY(Impronta::di(lavoro()) == prima && !QFileInfo::exists(FilePrimaDelRipristino(lavoro())) && s.DatabaseAperto);
    }

    void ripristinoSuUnFileTenutoDaAltri() {
        prepara(3);
        const QString salvato = cartella.filePath("copia.mdb");
        QCOMPARE(SalvaArchivio(s, m, lavoro(), salvato), 0);
        AltroProcesso altro(lavoro(), QStringLiteral("aperto"));
        QVERIFY(altro.pronto());
        const Impronta prima = Impronta::di(lavoro());
        QCOMPARE(RipristinaArchivio(s, m, salvato, lavoro()), int(dao::errori::InUsoDaAltri));
        QVERIFY(ultimoMessaggio().endsWith("3196: " + dao::testoErrore(dao::errori::InUsoDaAltri, lavoro())));
        QVERIFY(Impronta::di(lavoro()) == prima);
    }

    void dataDelFileSalvato() {
        const DataSalvataggio manca = DataFileSalvato(cartella.filePath("manca.mdb"));
        QVERIFY(!manca.esiste && manca.data.isEmpty());
        prepara(0);
        const QDateTime t(QDate(2024, 3, 9), QTime(17, 45));
        QFile f(lavoro());
        QVERIFY(f.open(QIODevice::ReadWrite) && f.setFileTime(t, QFileDevice::FileModificationTime));
        const DataSalvataggio d = DataFileSalvato(lavoro(), QLocale(QLocale::Italian, QLocale::Italy));
        QVERIFY(d.esiste);
        QCOMPARE(d.data + d.ora, QStringLiteral(" 09/03/24 17:45"));
        const DataSalvataggio c = DataFileSalvato(lavoro(), QLocale::c()); // a date with blanks in it
        QCOMPARE(c.ora, QStringLiteral(" 17:45:00"));
    }

    void programmaDiBackup_data() {
        QTest::addColumn<QString>("valore");
        QTest::addColumn<QString>("database");
        QTest::addColumn<bool>("riesce");
        QTest::addColumn<QString>("avviato");
        QTest::addColumn<QString>("messaggio");
        QTest::newRow("not set") << " " << "/d/Q.mdb" << true << "" << "NESSUN PROGRAMMA DI BACKUP IMPOSTATO";
        QTest::newRow("save window") << "/bin/bk -a" << "/d/Q.mdb" << true << "/bin/bk|-a /d/Q.mdb" << "";
        QTest::newRow("not found") << "/bin/bk -a" << "/d/Q.mdb" << false << "/bin/bk|-a /d/Q.mdb"
                                   << "/bin/bk -a /d/Q.mdb  NON TROVATO";
    }
    void programmaDiBackup() {
        QFETCH(QString, valore);
        QFETCH(QString, database);
        QFETCH(bool, riesce);
        QFETCH(QString, avviato);
        QFETCH(QString, messaggio);
        const QString ini = cartella.filePath("Quorvan.ini");
        ScriviIni(ini, "APPLICATIVI", "BACKUP", valore);
        AvviatoreRegistrato a;
        a.riesce = riesce;
        m.svuota();
        const QString corrente = QDir::currentPath();
        QDir::setCurrent(QDir::tempPath());
        QCOMPARE(AvviaProgrammaBackup(m, a, ini, cartella.path(), database), riesce && messaggio.isEmpty());
        QCOMPARE(QDir::currentPath(), messaggio.startsWith("NESSUN") ? QDir::tempPath() : QDir(cartella.path()).canonicalPath());
        QDir::setCurrent(corrente);
        QCOMPARE(a.avviati.join(';'), avviato);
        QCOMPARE(ultimoMessaggio(), messaggio);
    }

    // The upgrade on a copy: a rebuild keeps every row, the log names the
    // working file; a file held by another process is not touched.
    void aggiornamentoSuCopia() {
        prepara(40);
        s.DbLavoro.DeleteField(QStringLiteral("MRN"), QStringLiteral("TrRuolo4"));
        s.DbLavoro.AppendField(QStringLiteral("MRN"), prova::campo(QStringLiteral("TrRuolo4"), dao::dbText, 50));
        const QString riferimento = cartellaProgrammi().filePath(QStringLiteral("Quorvan0.mdb"));
        EseguiAggiornamentoSuCopia(s, m, riferimento, lavoro(), true, u);
        QCOMPARE(s.StatoChiamata, 0);
        QVERIFY(log.contains("------------- Aggiornamento   :   " + lavoro()));
        QVERIFY(log.contains("Tabella  MRN : Campo TrRuolo4 con dimensione diversa: da 50 a 100 - sostituisco ..."));
        QVERIFY(s.DatabaseAperto && !QFileInfo::exists(FileAggiornamento(lavoro())));
        QCOMPARE(codici(lavoro()).size(), 40);
        QCOMPARE(righe(lavoro(), "SELECT type FROM pragma_table_info('MRN') WHERE name = 'TrRuolo4'"),
                 QStringList{"TEXT(100)"});

        AltroProcesso altro(lavoro(), QStringLiteral("esclusivo"));
        QVERIFY(altro.pronto());
        const Impronta prima = Impronta::di(lavoro());
        EseguiAggiornamentoSuCopia(s, m, riferimento, lavoro(), true, u);
        QCOMPARE(s.StatoChiamata, int(dao::errori::ApertoInEsclusiva));
        QCOMPARE(ultimoMessaggio(), dao::testoErrore(dao::errori::ApertoInEsclusiva, lavoro()));
        QVERIFY(Impronta::di(lavoro()) == prima);
    }
};

QTEST_GUILESS_MAIN(TestManutenzione)
#include "test_manutenzione.moc"
