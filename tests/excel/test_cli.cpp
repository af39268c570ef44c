// quorvan-cli excel as a script sees it: one run per exit status, the
// summary and the JSON line, the workbook untouched when it cannot be
// updated. One demo server, slow enough for Ctrl+C to land during a run.

#include "cartelle_prova.h"
#include "shell/file_ini.h"

#include <QTemporaryDir>
#include <QTest>

#include <csignal>

class TestCli : public QObject {
    Q_OBJECT

    ServerAvviato server{{QStringLiteral("--latency"), QStringLiteral("100")}};
    QTemporaryDir home;

    QString percorso(const QString& nome) const { return home.filePath(nome); }

    // Column A the MRNs (as the demo server answers them), column B the status.
    QString cartella(const QString& nome, const QByteArrayList& mrn) {
        QByteArray d = "sheet Dati\ntext 1 1 MRN\ntext 1 2 STATO\n";
        for (int i = 0; i < mrn.size(); ++i)
            d += "text " + QByteArray::number(i + 2) + " 1 " + mrn.at(i) + '\n';
        const QString p = percorso(nome);
        QFile::remove(p);
        return generaCartella(p, d) ? p : QString();
    }

    Esecuzione esegui(const QStringList& argomenti) {
        return eseguiCli(QStringList{QStringLiteral("--home"), home.path(), QStringLiteral("excel")} + argomenti,
                         home.path());
    }

    static QStringList opzioni(const QString& foglio = QStringLiteral("Dati")) {
        return {"--sheet", foglio, "--mrn-col", "1", "--status-col", "2"};
    }

private slots:
    void initTestCase() {
        QVERIFY(server.avviato());
        server.scriviIndirizzi(percorso(QStringLiteral("Quorvan.ini")));
    }

    void uso_data() {
        QTest::addColumn<QStringList>("argomenti");
        QTest::addColumn<QByteArray>("messaggio");
        QTest::newRow("no workbook") << QStringList{"--sheet", "Dati", "--mrn-col", "1", "--status-col", "2"} << QByteArray();
        QTest::newRow("no sheet") << QStringList{"m.xlsx", "--mrn-col", "1", "--status-col", "2"} << QByteArray();
        QTest::newRow("column not a number") << QStringList{"m.xlsx", "--sheet", "Dati", "--mrn-col", "A", "--status-col", "2"}
                                             << QByteArray();
        QTest::newRow("MRN column 0") << QStringList{"m.xlsx", "--sheet", "Dati", "--mrn-col", "0", "--status-col", "2"}
                                      << QByteArray("Indicare la colonna con i numeri MRN");
        QTest::newRow("status column 0") << QStringList{"m.xlsx", "--sheet", "Dati", "--mrn-col", "1", "--status-col", "0"}
                                         << QByteArray("Indicare la colonna dove aggiornare lo STATUS");
    }
    void uso() {
        QFETCH(QStringList, argomenti);
        QFETCH(QByteArray, messaggio);
        const Esecuzione e = esegui(argomenti);
        QCOMPARE(e.stato, 2);
        QVERIFY(e.err.contains("usage: quorvan-cli [--home DIR] excel WORKBOOK"));
        QVERIFY(e.err.contains(messaggio));
    }

    void cartellaInutilizzabile() {
        scriviFile(percorso(QStringLiteral("file")), {});
        const Esecuzione e = eseguiCli({"--home", percorso(QStringLiteral("file/sotto")), "excel", "m.xlsx",
                                        "--sheet", "Dati", "--mrn-col", "1", "--status-col", "2"});
        QCOMPARE(e.stato, 3);
        QVERIFY(e.out.isEmpty());
    }

    void riepilogoEJson() {
        const QString p = cartella(QStringLiteral("mese.xlsx"),
                                   {"24IT000000000001E1", "24IT000000000005E5", "24IT000000000007E7", "24IT000000000016T6"});
        Esecuzione e = esegui(QStringList{QStringLiteral("mese.xlsx")} + opzioni());
        QCOMPARE(e.stato, 0);
        QCOMPARE(e.out, QByteArray("Elaborati 4 MRN\n") + QByteArray(54, '-') +
                            "\n Sospesi    = 1     \n Cancellati = 0     \n Errati     = 1     \n Appurati   = 2     \n"
                            "Aggiornamento regolarmente eseguito\n");
        QVERIFY(e.err.contains("Interrogo MRN numero 24IT000000000016T6     (4/4)"));
        const QString ini = percorso(QStringLiteral("Quorvan.ini"));
        QCOMPARE(qv::LeggiIni(ini, "AGGEXCEL", "EXCEL"), p);
        QCOMPARE(qv::LeggiIni(ini, "AGGEXCEL", "COLSTS"), QStringLiteral("2"));
        // Only the pending MRN is left.
        e = esegui(QStringList{QStringLiteral("mese.xlsx"), QStringLiteral("--json")} + opzioni());
        QCOMPARE(e.stato, 0);
        QCOMPARE(e.out, "{\"workbook\":\"" + p.toUtf8() + "\",\"total\":1,\"sospesi\":1,\"cancellati\":0,\"errati\":0,"
                        "\"appurati\":0,\"cancelled\":false,\"error\":null}\n");
    }

    void cartellaNonAggiornabile_data() {
        QTest::addColumn<QString>("caso");
        QTest::addColumn<QByteArray>("errore");
        QTest::newRow("missing workbook") << "missing" << QByteArray("Errore: 1 - ");
        QTest::newRow("not a workbook") << "text" << QByteArray("Errore: 3 - ");
        QTest::newRow("missing sheet") << "sheet" << QByteArray("Errore: 5 - ");
        QTest::newRow("open in LibreOffice") << "lock" << QByteArray("Errore: 10 - ");
    }
    void cartellaNonAggiornabile() {
        QFETCH(QString, caso);
        QFETCH(QByteArray, errore);
        const QString p = cartella(QStringLiteral("ferma.xlsx"), {"24IT000000000001E1"});
        const QString blocco = percorso(QStringLiteral(".~lock.ferma.xlsx#"));
        if (caso == QLatin1String("missing"))
            QFile::remove(p);
        else if (caso == QLatin1String("text"))
            scriviFile(p, "24IT000000000001E1\r\n");
        else if (caso == QLatin1String("lock"))
            scriviFile(blocco, "utente,host");
        const QByteArray prima = leggiFile(p);
        const Esecuzione e = esegui(QStringList{QStringLiteral("ferma.xlsx"), QStringLiteral("--json")} +
                                    opzioni(caso == QLatin1String("sheet") ? QStringLiteral("Febbraio") : QStringLiteral("Dati")));
        QFile::remove(blocco);
        QCOMPARE(e.stato, 4);
        QVERIFY2(e.out.contains(",\"error\":\"" + errore), e.out.constData());
        QVERIFY(e.out.contains("\"total\":0,"));
        QCOMPARE(leggiFile(p), prima);
    }

    void senzaConnessione() {
        const QString p = cartella(QStringLiteral("rete.xlsx"), {"24IT000000000001E1", "24IT000000000002E1"});
        const QByteArray prima = leggiFile(p);
        const QString ini = percorso(QStringLiteral("Quorvan.ini"));
        qv::ScriviIni(ini, "INDIRIZZIWEB", "EXPORT", QStringLiteral("http://127.0.0.1:1/export.htm?mrn="));
        const Esecuzione e = esegui(QStringList{QStringLiteral("rete.xlsx"), QStringLiteral("--json")} + opzioni());
        qv::ScriviIni(ini, "INDIRIZZIWEB", "EXPORT", server.urlExport());
        QCOMPARE(e.stato, 9); // which words are kept is excel_aggiornamento's
        QVERIFY2(e.out.contains("\"error\":\"# Connessione INTERNET non attiva #\"}"), e.out.constData());
        QCOMPARE(leggiFile(p), prima);
    }

    void interrottoConCtrlC() {
        QByteArrayList venti;
        for (int i = 10; i < 30; ++i)
            venti << "24IT0000000000" + QByteArray::number(i) + "E1";
        const QString p = cartella(QStringLiteral("venti.xlsx"), venti);
        QProcess q;
        q.setReadChannel(QProcess::StandardError);
        q.start(cartellaProgrammi().filePath(QStringLiteral("quorvan-cli")),
                QStringList{"--home", home.path(), "excel", p, "--json"} + opzioni());
        QVERIFY(q.waitForStarted());
        QByteArray err;
        while (!err.contains("(3/20)") && q.waitForReadyRead(10000))
            err += q.readAllStandardError();
        ::kill(static_cast<pid_t>(q.processId()), SIGINT);
        QVERIFY(q.waitForFinished(60000));
        QVERIFY(q.exitStatus() == QProcess::NormalExit);
        QCOMPARE(q.exitCode(), 130);
        const QByteArray out = q.readAllStandardOutput();
        QVERIFY2(out.contains("\"cancelled\":true,\"error\":null}"), out.constData());
        QVERIFY(!out.contains("\"appurati\":20"));
        // The words of the MRNs answered before the stop were saved.
        const Esecuzione e = esegui(QStringList{QStringLiteral("venti.xlsx"), QStringLiteral("--json")} + opzioni());
        QCOMPARE(e.stato, 0);
        QVERIFY(!e.out.contains("\"total\":20,"));
    }
};

QTEST_GUILESS_MAIN(TestCli)
#include "test_cli.moc"
