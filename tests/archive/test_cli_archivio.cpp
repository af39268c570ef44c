// quorvan-cli batch, export and requery as a script sees them: one run per
// command and exit status, the summary, the files written, and the archive
// they leave. One demo server, slow enough for Ctrl+C to land during a run.

#include "archive/elabora_elenco.h"
#include "shell/file_ini.h"
#include "file_prova.h"
#include "programmi_prova.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

class TestCliArchivio : public QObject {
    Q_OBJECT

    ServerAvviato server{{QStringLiteral("--latency"), QStringLiteral("100")}};
    QTemporaryDir home;

    QString percorso(const QString& nome) const { return home.filePath(nome); }

    Esecuzione esegui(const QStringList& argomenti) {
        return eseguiCli(QStringList{QStringLiteral("--home"), home.path()} + argomenti, home.path());
    }

private slots:
    void initTestCase() {
        QVERIFY(server.avviato());
        server.scriviIndirizzi(percorso(QStringLiteral("Quorvan.ini")));
        scriviFile(percorso(QStringLiteral("vuoto.txt")), " , \r\n");
    }

    // The archive grows with each run below; they run in this order. The
    // summary's lines are archive_elabora_elenco's, the files' formats the core suites'.
    void batchNelDatabase() {
        scriviFile(percorso(QStringLiteral("lista.txt")),
               "24IT000000000001E1\r\n24IT000000000005E5,24IT000000000007E7\r\n\r\n24IT000000000016T6\r\n");
        const Esecuzione e = esegui({"batch", "lista.txt", "--dest", "db"});
        QCOMPARE(e.stato, 0);
        QVERIFY2(e.out.contains("MRN: 4/4\n"), e.out.constData());
        QVERIFY(e.out.contains("states: IN SOSPESO 1, CANCELLATI 0, ERRATI 1, CONCLUSI 2\n"));
        QVERIFY(e.err.contains("Interrogo MRN numero 24IT000000000016T6     (4/4)"));
    }

    // Runs refused before anything is queried or written, each with its exit status.
    void rifiutati_data() {
        QTest::addColumn<QStringList>("argomenti");
        QTest::addColumn<int>("stato");
        QTest::addColumn<QByteArray>("out");
        QTest::addColumn<QByteArray>("err");
        const QByteArray uso = "usage: quorvan-cli";
        QTest::newRow("batch without destination") << QStringList{"batch", "lista.txt"} << 2 << QByteArray() << uso;
        QTest::newRow("export with a bad table")
            << QStringList{"export", "list", "--table", "Nazioni"} << 2 << QByteArray() << uso;
        QTest::newRow("requery of concluded MRNs")
            << QStringList{"requery", "--state", "3"} << 2 << QByteArray() << uso;
        QTest::newRow("list without MRNs") << QStringList{"batch", "vuoto.txt", "--dest", "file"} << 4
                                           << QByteArray("non contiene MRN") << QByteArray();
        // The archive holds MRNs of every other state by now.
        QTest::newRow("nothing to export") << QStringList{"export", "list", "--state", "D"} << 1 << QByteArray()
                                           << QByteArray("NESSUN DATO DA ESPORTARE");
    }
    void rifiutati() {
        QFETCH(QStringList, argomenti);
        QFETCH(QByteArray, out);
        QFETCH(QByteArray, err);
        const Esecuzione e = esegui(argomenti);
        QTEST(e.stato, "stato");
        QVERIFY2(e.out.contains(out) && e.err.contains(err), (e.out + e.err).constData());
    }

    // The CSV's export is archive_archivio_database's.
    void esportaElenco() {
        Esecuzione e = esegui({"export", "list", "--state", "C", "--kind", "T", "--nation", "it", "--out", "t.txt"});
        QCOMPARE(e.stato, 0);
        QCOMPARE(leggiFile(percorso(QStringLiteral("t.txt"))), QByteArray("24IT000000000016T6\r\n"));
    }

    void requeryDegliErrati() {
        const Esecuzione e = esegui({"requery", "--state", "2"});
        QCOMPARE(e.stato, 0);
        QVERIFY(e.out.contains("MRN: 1/1\n"));
        QCOMPARE(leggiFile(QDir(percorso(QStringLiteral("TempFile"))).filePath(QStringLiteral("ListaVAT.txt"))),
                 QByteArray("24IT000000000007E7\r\n"));
    }

    void senzaConnessione() {
        const QString ini = percorso(QStringLiteral("Quorvan.ini"));
        qv::ScriviIni(ini, "INDIRIZZIWEB", "EXPORT", QStringLiteral("http://127.0.0.1:1/export.htm?mrn="));
        const Esecuzione e = esegui({"batch", "lista.txt", "--dest", "db"});
        qv::ScriviIni(ini, "INDIRIZZIWEB", "EXPORT", server.urlExport());
        QCOMPARE(e.stato, 9); // where the run stops is archive_elabora_elenco's
    }

    void interrottoConCtrlC() {
        QByteArray dieci;
        for (int i = 0; i < 10; ++i)
            dieci += "24IT00000000020" + QByteArray::number(i) + "E1\r\n";
        scriviFile(percorso(QStringLiteral("dieci.txt")), dieci);

        QProcess p;
        p.setReadChannel(QProcess::StandardError); // the progress lines
        p.start(cartellaProgrammi().filePath(QStringLiteral("quorvan-cli")),
                {QStringLiteral("--home"), home.path(), QStringLiteral("batch"), percorso(QStringLiteral("dieci.txt")),
                 QStringLiteral("--dest"), QStringLiteral("db")});
        QVERIFY(p.waitForStarted());
        QByteArray err;
        while (!err.contains("(2/10)") && p.waitForReadyRead(10000))
            err += p.readAllStandardError();
        ::kill(static_cast<pid_t>(p.processId()), SIGINT);
        QVERIFY(p.waitForFinished(60000));
        const QByteArray out = p.readAllStandardOutput();
        err += p.readAllStandardError();
        QVERIFY2(p.exitStatus() == QProcess::NormalExit, err.constData());
        QCOMPARE(p.exitCode(), 130);
        QVERIFY2(out.contains("archive: merged\n"), out.constData());
        QVERIFY(!out.contains("MRN: 10/10"));
        // What was queried before the stop is in the archive.
        const Esecuzione e = esegui({"export", "list", "--code", "00000000020", "--out", "interrotti.txt"});
        QCOMPARE(e.stato, 0);
        QVERIFY(leggiFile(percorso(QStringLiteral("interrotti.txt"))).startsWith("24IT000000000200E1\r\n"));
    }
};

QTEST_GUILESS_MAIN(TestCliArchivio)
#include "test_cli_archivio.moc"
