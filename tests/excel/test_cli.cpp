// quorvan-cli excel as a script sees it: one run per exit status. The demo
// server is slow enough for Ctrl+C to land during a run.

#include "archive/excel/cartella_excel.h"
#include "cartelle_prova.h"
#include "shell/file_ini.h"

#include <QTemporaryDir>
#include <QTest>

#include <csignal>

using namespace qv;

class TestCli : public QObject {
    Q_OBJECT

    ServerAvviato server{{QStringLiteral("--latency"), QStringLiteral("100")}};
    QTemporaryDir home;
    const QString ini = home.filePath(QStringLiteral("Quorvan.ini"));

    // Column A the MRNs (pages as the demo server gives them), B the status.
    QString cartella(const QByteArrayList& mrn) {
        QByteArray d = "sheet Dati\ntext 1 1 MRN\ntext 1 2 STATO\n";
        for (int i = 0; i < mrn.size(); ++i)
            d += "text " + QByteArray::number(i + 2) + " 1 " + mrn.at(i) + '\n';
        return generaCartella(home.filePath("mese.xlsx"), d) ? home.filePath("mese.xlsx") : "";
    }
    static QStringList argomenti(bool json = true) {
        return QStringList{"excel", "mese.xlsx", "--sheet", "Dati", "--mrn-col", "1", "--status-col", "2"} +
               (json ? QStringList{"--json"} : QStringList{});
    }
    Esecuzione esegui(const QStringList& a) {
        return eseguiCli(QStringList{"--home", home.path()} + a, home.path());
    }

private slots:
    void initTestCase() {
        QVERIFY(server.avviato());
        server.scriviIndirizzi(ini);
    }

    void uso() {
        const Esecuzione e = esegui({"excel", "mese.xlsx", "--mrn-col", "1", "--status-col", "2"});
        QVERIFY(e.stato == 2 && e.err.contains("usage: quorvan-cli [--home DIR] excel WORKBOOK"));
    }

    void cartellaInutilizzabile() {
        scriviFile(home.filePath("file"), {});
        const Esecuzione e = eseguiCli(QStringList{"--home", home.filePath("file/sotto")} + argomenti());
        QVERIFY(e.stato == 3 && e.out.isEmpty());
    }

    void riepilogo() {
        const QString p = cartella(
            {"24IT000000000001E1", "24IT000000000005E5", "24IT000000000007E7", "24IT000000000016T6"});
        const Esecuzione e = esegui(argomenti(false));
        QCOMPARE(e.stato, 0);
        QCOMPARE(
            e.out,
            "Elaborati 4 MRN\n" + QByteArray(54, '-') +
                "\n Sospesi    = 1     \n Cancellati = 0     \n Errati     = 1     \n Appurati   = 2     \n"
                "Aggiornamento regolarmente eseguito\n");
        QVERIFY(e.err.contains("Interrogo MRN numero 24IT000000000016T6     (4/4)"));
        QCOMPARE(LeggiIni(ini, "AGGEXCEL", "EXCEL") + LeggiIni(ini, "AGGEXCEL", "COLSTS"), p + "2");
    }

    // Which workbooks cannot be updated is excel_cartella's and excel_aggiornamento's.
    void apertaAltrove() {
        const QString p = cartella({"24IT000000000001E1"});
        const QByteArray prima = leggiFile(p);
        scriviFile(home.filePath(".~lock.mese.xlsx#"), "utente,host");
        const Esecuzione e = esegui(argomenti());
        QFile::remove(home.filePath(".~lock.mese.xlsx#"));
        QCOMPARE(e.stato, 4);
        QVERIFY2(e.out.startsWith("{\"workbook\":\"" + p.toUtf8() +
                                  "\",\"total\":0,\"sospesi\":0,\"cancellati\":0,\"errati\":0,"
                                  "\"appurati\":0,\"cancelled\":false,\"error\":\"Errore: 10 - "),
                 e.out.constData());
        QCOMPARE(leggiFile(home.filePath("mese.xlsx")), prima);
    }

    // The disk fills up on saving, on a tmpfs (user and mount namespaces: no root needed) just the
    // workbook's size (the copy fails) or twice that (the sheet's rewriting in the copy fails).
    void discoPieno_data() {
        QTest::addColumn<int>("volte");
        QTest::newRow("copying") << 1;
        QTest::newRow("rewriting") << 2;
    }
    void discoPieno() {
        QFETCH(int, volte);
        if (!esegue("unshare", {"-rm", "true"})) QSKIP("unshare -rm (user namespaces) is not available");
        const qint64 pagine = volte * ((QFileInfo(cartella({"24IT000000000001E1"})).size() + 4095) / 4096);
        const QString script =
            "mkdir -p piena && mount -t tmpfs -o size=%1k tmpfs piena && cp mese.xlsx piena/ && "
            "\"$0\" --home . excel piena/mese.xlsx --sheet Dati --mrn-col 1 --status-col 2 --json; "
            "echo \"exit=$?\"; cmp -s mese.xlsx piena/mese.xlsx && ls -A piena";
        QProcess q;
        q.setWorkingDirectory(home.path());
        q.start("unshare",
                {"-rm", "sh", "-c", script.arg(pagine * 4), cartellaProgrammi().filePath("quorvan-cli")});
        QVERIFY(q.waitForFinished(60000));
        const QByteArray out = q.readAllStandardOutput();
        QVERIFY2(
            out.contains(",\"error\":\"Errore: 8 - Disco pieno: la cartella di lavoro non è stata salvata ("),
            out);
        QVERIFY2(out.endsWith("\nexit=4\nmese.xlsx\n"),
                 out); // the workbook as it was, no temporary file left
    }

    void senzaConnessione() {
        const QByteArray prima = leggiFile(cartella({"24IT000000000001E1", "24IT000000000002E1"}));
        ScriviIni(ini, "INDIRIZZIWEB", "EXPORT", QStringLiteral("http://127.0.0.1:1/export.htm?mrn="));
        const Esecuzione e = esegui(argomenti());
        ScriviIni(ini, "INDIRIZZIWEB", "EXPORT", server.urlExport());
        QCOMPARE(e.stato, 9); // which words are kept is excel_aggiornamento's
        QVERIFY2(e.out.contains("\"error\":\"# Connessione INTERNET non attiva #\"}"), e.out.constData());
        QCOMPARE(leggiFile(home.filePath("mese.xlsx")), prima);
    }

    void interrottoConCtrlC() {
        QByteArrayList venti;
        for (int i = 10; i < 30; ++i)
            venti << "24IT0000000000" + QByteArray::number(i) + "E1";
        cartella(venti);
        QProcess q;
        q.setWorkingDirectory(home.path());
        q.setReadChannel(QProcess::StandardError); // the progress lines, while the run goes on
        q.start(cartellaProgrammi().filePath("quorvan-cli"),
                QStringList{"--home", home.path()} + argomenti());
        QByteArray err;
        while (!err.contains("(3/20)") && q.waitForReadyRead(10000))
            err += q.readAllStandardError();
        ::kill(static_cast<pid_t>(q.processId()), SIGINT);
        QVERIFY2(q.waitForFinished(60000) && q.exitStatus() == QProcess::NormalExit, err.constData());
        QCOMPARE(q.exitCode(), 130);
        QVERIFY2(q.readAllStandardOutput().contains("\"cancelled\":true,\"error\":null}"), err.constData());
        // The words of the MRNs answered before the stop were saved.
        ErroreExcel e;
        auto c = CartellaExcel::apri(home.filePath("mese.xlsx"), CartellaExcel::Modo::Lettura, e);
        QVERIFY(c && !c->foglio("Dati", e)->vuota(2, 2) && c->foglio("Dati", e)->vuota(21, 2));
    }
};

QTEST_GUILESS_MAIN(TestCli)
#include "test_cli.moc"
