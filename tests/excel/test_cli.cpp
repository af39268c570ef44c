// quorvan-cli excel as a script sees it: one run per exit status. The demo
// server is slow enough for Ctrl+C to land during a run.

#include "archive/excel/stato_excel.h"
#include "cartelle_prova.h"

#include <QTemporaryDir>
#include <QTest>

#include <csignal>

using namespace qv;

class TestCli : public QObject {
    Q_OBJECT

    ServerAvviato server{{"--latency", "100"}};
    QTemporaryDir home;
    const QString ini = home.filePath("Quorvan.ini");
    const QStringList excel{"--home", home.path(), "excel", "mese.xlsx",    "--sheet",
                            "Dati",   "--mrn-col", "1",     "--status-col", "2"};

    // Column A the MRNs (pages as the demo server gives them), B the status.
    QString cartella(const QByteArrayList& mrn) {
        QByteArray d = "sheet Dati\ntext 1 1 MRN\ntext 1 2 STATO\n";
        for (int i = 0; i < mrn.size(); ++i)
            d += "text " + QByteArray::number(i + 2) + " 1 " + mrn.at(i) + '\n';
        return generaCartella(home.filePath("mese.xlsx"), d) ? home.filePath("mese.xlsx") : "";
    }

private slots:
    void initTestCase() {
        QVERIFY(server.avviato());
        server.scriviIndirizzi(ini);
    }

    void riepilogo() {
        const QString p = cartella(
            {"24IT000000000001E1", "24IT000000000005E5", "24IT000000000007E7", "24IT000000000016T6"});
        const Esecuzione e = eseguiCli(excel, home.path());
        QCOMPARE(e.stato, 0);
        QCOMPARE(e.out, TestoRiepilogoExcel(4, {1, 0, 1, 2}).replace("\r\n", "\n").toUtf8() +
                            "\nAggiornamento regolarmente eseguito\n");
        QVERIFY(e.err.startsWith("Estrazione MRN da appurare in corso ...\nElaborazione di 4 MRN in corso ...\n"));
        QVERIFY(e.err.contains("Interrogo MRN numero 24IT000000000016T6     (4/4)"));
        QCOMPARE(LeggiIni(ini, "AGGEXCEL", "EXCEL") + LeggiIni(ini, "AGGEXCEL", "COLSTS"), p + "2");
    }

    // A shell line in the program folder: what comes before, the command, then the workbook as it
    // was with no temporary file beside it. The disk fills up on a tmpfs (user and mount namespaces,
    // no root) the size of the workbook (its copy fails) or twice that (the sheet's rewriting fails).
    void uscite_data() {
        QTest::addColumn<QString>("prima");   // %1: the workbook's size in 4 KB pages
        QTest::addColumn<QString>("comando"); // after quorvan-cli
        QTest::addColumn<QString>("stato");
        QTest::addColumn<QString>("atteso"); // in the output
        const QString w = " excel mese.xlsx --sheet Dati --mrn-col 1 --status-col 2 --json",
                      p = "mkdir p && mount -t tmpfs -o size=$((%1 * %2))k tmpfs p && cp mese.xlsx p/",
                      pieno =
                          "\"error\":\"Errore: 8 - Disco pieno: la cartella di lavoro non è stata salvata (";
        // clang-format off
        QTest::newRow("usage") << "true" << "--home . excel mese.xlsx --mrn-col 1 --status-col 2" << "2" << "usage: quorvan-cli [--home DIR] excel WORKBOOK";
        QTest::newRow("unusable program folder") << "touch f" << "--home f/sotto" + w << "3" << "";
        QTest::newRow("no connection") << "mkdir s && printf '[INDIRIZZIWEB]\\r\\nEXPORT=http://127.0.0.1:1/?\\r\\n' >s/Quorvan.ini" << "--home s" + w << "9"
                                       << "{\"workbook\":\"" + home.filePath("mese.xlsx") + "\",\"total\":1,\"sospesi\":0,\"cancellati\":0,\"errati\":0,"
                                          "\"appurati\":0,\"cancelled\":false,\"error\":\"# Connessione INTERNET non attiva #\"}";
        QTest::newRow("disk full, copying") << p.arg("%1", "4") << "--home . excel p/mese.xlsx" + w.mid(16) << "4" << pieno;
        QTest::newRow("disk full, rewriting") << p.arg("%1", "8") << "--home . excel p/mese.xlsx" + w.mid(16) << "4" << pieno;
        // clang-format on
    }
    void uscite() {
        QFETCH(QString, prima);
        QFETCH(QString, comando);
        QFETCH(QString, stato);
        QFETCH(QString, atteso);
        const bool disco = prima.contains("mount");
        if (disco && !esegue("unshare", {"-rm", "true"}))
            QSKIP("unshare -rm (user namespaces) is not available");
        const qint64 pagine = (QFileInfo(cartella({"24IT000000000001E1"})).size() + 4095) / 4096;
        const QString w = disco ? "p/mese.xlsx" : "mese.xlsx";
        const QString script = "rm -rf p s f && cp mese.xlsx copia && " + prima.replace("%1", QString::number(pagine)) +
                               " && \"$0\" " + comando + "; echo \"exit=$?\"; cmp -s copia " + w + " && ls -A " + w +
                               " $(dirname " + w + ")/.~quorvan* 2>/dev/null";
        QProcess q;
        q.setWorkingDirectory(home.path());
        q.setProcessChannelMode(QProcess::MergedChannels);
        const QStringList sh{"sh", "-c", script, cartellaProgrammi().filePath("quorvan-cli")};
        q.start(disco ? "unshare" : "sh", disco ? QStringList{"-rm"} + sh : sh.mid(1));
        QVERIFY(q.waitForFinished(60000));
        const QString out = QString::fromUtf8(q.readAll());
        QVERIFY2(out.contains(atteso) && out.endsWith("exit=" + stato + "\n" + w + "\n"), qPrintable(out));
    }

    void interrottoConCtrlC() {
        QByteArrayList venti;
        for (int i = 10; i < 30; ++i)
            venti << "24IT0000000000" + QByteArray::number(i) + "E1";
        cartella(venti);
        QProcess q;
        q.setWorkingDirectory(home.path());
        q.setReadChannel(QProcess::StandardError); // the progress lines, while the run goes on
        q.start(cartellaProgrammi().filePath("quorvan-cli"), excel + QStringList{"--json"});
        QByteArray err;
        while (!err.contains("(3/20)") && q.waitForReadyRead(10000))
            err += q.readAllStandardError();
        ::kill(static_cast<pid_t>(q.processId()), SIGINT);
        QVERIFY2(q.waitForFinished(60000) && q.exitStatus() == QProcess::NormalExit, err.constData());
        QCOMPARE(q.exitCode(), 130);
        const QByteArray out = q.readAllStandardOutput(); // stopped before the last
        QVERIFY2(out.contains("\"cancelled\":true,\"error\":null}") && !out.contains("\"appurati\":20"), out);
    }
};

QTEST_GUILESS_MAIN(TestCli)
#include "test_cli.moc"
