// Opening database files: each kind of bad file refused with its own error and
// left as it was; files held by another process; whole-file operations.

#include "aiuto_database.h"
#include "database/dao/blocco_file.h"
#include "database/dao/database.h"
#include "database/dao/workspace.h"
#include "file_prova.h"

using namespace qv;
using namespace qv::dao;
using namespace qv::prova;

class TestDaoApertura : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    Workspace ws{300};

    // A database of several pages with rows.
    QString databaseConDati(const QString& nome, int righe = 3000) {
        const QString p = dir.filePath(nome);
        QFile::remove(p);
        Database db = ws.CreateDatabase(p);
        db.AppendTableDef(tabella("Dati", {campo("Codice", dbText, 18), campo("Testo", dbText, 200)}, {primaria("Codice")}));
        db.BeginTrans();
        Recordset rs = db.OpenRecordset("Dati");
        for (int k = 0; k < righe; ++k) {
            rs.AddNew();
            rs.setValue("Codice", QString("C%1").arg(k, 6, 10, QChar('0')));
            rs.setValue("Testo", QString(150, QChar('a' + k % 26)));
            rs.Update();
        }
        db.CommitTrans();
        db.Close();
        return p;
    }

private slots:
    void badFilesAreRefusedAndUntouched_data() {
        QTest::addColumn<QByteArray>("contenuto"); // null: no file at all
        QTest::addColumn<int>("errore");
        QTest::newRow("missing") << QByteArray() << errori::FileNonTrovato;
        QTest::newRow("zero bytes") << QByteArray("") << errori::FormatoNonRiconosciuto;
        QTest::newRow("short SQLite header") << QByteArray("SQLite format 3\0\x10\x00", 18)
                                             << errori::DatabaseDanneggiato;
    }
    void badFilesAreRefusedAndUntouched() {
        QFETCH(QByteArray, contenuto);
        QFETCH(int, errore);
        const QString p = dir.filePath("Quorvan.mdb");
        QFile::remove(p);
        if (!contenuto.isNull()) scriviFile(p, contenuto);
        const Impronta prima = Impronta::di(p);
        try {
            ws.OpenDatabase(p);
            QFAIL("opened");
        } catch (const ErroreDao& e) {
            QCOMPARE(e.numero(), errore);
            QVERIFY(e.descrizione().contains(p)); // the message names the file
        }
        QVERIFY(Impronta::di(p) == prima);
        QCOMPARE(QFile::exists(p), !contenuto.isNull()); // a missing file is not created
        QVERIFY(!QFile::exists(fileBloccoDi(p)));
    }

    void truncatedDatabase() {
        // Cut in the middle of a page, and at a page boundary where only the header tells.
        const QString p = databaseConDati("tronco.mdb");
        for (const qint64 dimensione : {QFileInfo(p).size() / 2 + 100, qint64(4096 * 3)}) {
            QVERIFY(QFile::resize(p, dimensione));
            const Impronta prima = Impronta::di(p);
            QCOMPARE(numeroErrore([&] { ws.OpenDatabase(p); }), errori::DatabaseDanneggiato);
            QVERIFY(Impronta::di(p) == prima);
        }
        QVERIFY(!QFile::exists(fileBloccoDi(p)));
    }

    void folderAndReadOnlyFile() {
        QCOMPARE(numeroErrore([&] { ws.OpenDatabase(dir.path()); }), errori::FileNonTrovato);
        const QString p = databaseConDati("solalettura.mdb", 10);
        QFile::setPermissions(p, QFileDevice::ReadOwner);
        if (QFileInfo(p).isWritable()) { // an administrator writes anyway
            QFile::setPermissions(p, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
            QSKIP("read-only files stay writable for this user");
        }
        QCOMPARE(numeroErrore([&] { ws.OpenDatabase(p); }), errori::AccessoNegato);
        QFile::setPermissions(p, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    }

    void heldExclusivelyByAnotherProcess() {
        const QString p = databaseConDati("bloccato.mdb", 50);
        const Impronta prima = Impronta::di(p);
        Database mio = ws.OpenDatabase(p);
        {
            AltroProcesso altro(p, "esclusivo");
            QVERIFY(altro.pronto());
            QCOMPARE(numeroErrore([&] { ws.OpenDatabase(p); }), errori::ApertoInEsclusiva);
            QCOMPARE(numeroErrore([&] { mio.Execute("DELETE * FROM Dati", dbFailOnError); }), errori::InUsoDaAltri);
            QVERIFY(Impronta::di(p) == prima);
        }
        mio.Execute("DELETE * FROM Dati WHERE Codice = 'C000001'", dbFailOnError);
        QCOMPARE(mio.RecordsAffected(), 1);
    }

    void sharedOpenAndWholeFileOperations() {
        const QString p = databaseConDati("condiviso.mdb", 500);
        const QString compatto = dir.filePath("condiviso~.mdb");
        QFile::remove(compatto);
        {
            AltroProcesso altro(p, "aperto");
            QVERIFY(altro.pronto());
            Database db = ws.OpenDatabase(p); // shared: both have it open
            QCOMPARE(db.OpenRecordset("Dati").RecordCount(), 500);
            db.Close();
            QCOMPARE(numeroErrore([&] { DBEngine::CompactDatabase(p, compatto); }), errori::InUsoDaAltri);
            QCOMPARE(numeroErrore([&] { DBEngine::RepairDatabase(p); }), errori::InUsoDaAltri);
            QVERIFY(!QFile::exists(compatto));
        }
        {
            Database mio = ws.OpenDatabase(p); // held by this process too
            QCOMPARE(numeroErrore([&] { DBEngine::CompactDatabase(p, compatto); }), errori::InUsoDaAltri);
        }
        DBEngine::CompactDatabase(p, compatto);
        QCOMPARE(ws.OpenDatabase(compatto).OpenRecordset("Dati").RecordCount(), 500);
        QCOMPARE(numeroErrore([&] { DBEngine::CompactDatabase(p, compatto); }), errori::DatabaseEsistente);
        QVERIFY(!QFile::exists(fileBloccoDi(p)));
    }

    void repairOfAHealthyAndOfADamagedFile() {
        const QString sano = databaseConDati("sano.mdb", 200);
        const Impronta prima = Impronta::di(sano);
        DBEngine::RepairDatabase(sano);
        QVERIFY(Impronta::di(sano) == prima);
        const QString p = databaseConDati("danneggiato.mdb", 3000);
        {
            // Scribble over a page in the middle of the table's data.
            QFile f(p);
            QVERIFY(f.open(QIODevice::ReadWrite));
            f.seek(f.size() / 2 / 4096 * 4096);
            f.write(QByteArray(4096, '\xA5'));
        }
        DBEngine::RepairDatabase(p);
        Database db = ws.OpenDatabase(p);
        const qint64 rimaste = db.OpenRecordset("Dati").RecordCount();
        QVERIFY2(rimaste > 2500 && rimaste < 3000, qPrintable(QString::number(rimaste)));
        Recordset rs = db.OpenRecordset("Dati");
        rs.setIndex("primaria"); // the index is rebuilt too
        rs.Seek("=", "C000000");
        QVERIFY(!rs.NoMatch());
        QCOMPARE(numeroErrore([&] { DBEngine::RepairDatabase(dir.filePath("manca.mdb")); }), errori::FileNonTrovato);
    }
};

QTEST_GUILESS_MAIN(TestDaoApertura)
#include "test_dao_apertura.moc"
