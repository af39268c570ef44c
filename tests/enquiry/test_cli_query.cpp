// quorvan-cli query as a script sees it: one run per exit status and per
// page kind of quorvan-demo-server (accented letters decoded), the JSON line,
// the plain result lines, and the start-up it does in the program folder.

#include "programmi_prova.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

class TestCliQuery : public QObject {
    Q_OBJECT

    QTemporaryDir home;
    std::unique_ptr<ServerAvviato> server;
    Esecuzione primoAvvio; // a rejected code, the first run in the program folder
    QString ini() const { return home.filePath(QStringLiteral("Quorvan.ini")); }
    QStringList query(const QString& codice, bool json = true) {
        return QStringList{"--home", home.path(), "query", codice} + (json ? QStringList{"--json"} : QStringList{});
    }

private slots:
    void initTestCase() {
        primoAvvio = eseguiCli(query(QStringLiteral("24IT123456789012X1")));
        server = std::make_unique<ServerAvviato>();
        QVERIFY(server->avviato());
        server->scriviIndirizzi(ini());
    }
    void cleanupTestCase() { server.reset(); }

    void usoEAvvio_data() {
        QTest::addColumn<QStringList>("argomenti");
        QTest::addColumn<int>("stato");
        QTest::addColumn<QByteArray>("testo"); // on stdout for status 0, else on stderr with nothing on stdout
        QTest::newRow("two codes") << QStringList{"query", "A", "B"} << 2 << QByteArray("usage: quorvan-cli");
        QTest::newRow("help") << QStringList{"--help"} << 0 << QByteArray("usage: quorvan-cli");
        QTest::newRow("program folder under a file") << QStringList{"--home", ini() + "/sotto", "query", "IT1"} << 3
                                                     << QByteArray("program folder");
    }
    void usoEAvvio() {
        QFETCH(QStringList, argomenti);
        QFETCH(int, stato);
        QFETCH(QByteArray, testo);
        const Esecuzione e = eseguiCli(argomenti);
        QCOMPARE(e.stato, stato);
        QVERIFY((stato == 0 ? e.out : e.err).contains(testo));
        QVERIFY(stato == 0 || e.out.isEmpty());
    }

    void rifiutato() {
        const Esecuzione& e = primoAvvio;
        QCOMPARE(e.stato, 1);
        const QByteArray vuoti = "[" + QByteArray("\"\",").repeated(19) + "\"\"";
        QCOMPARE(e.out, "{\"code\":\"24IT123456789012X1\",\"outcome\":1,\"titolo\":[\"\",\"\",\"*** Tipo MRN errato "
                        "(T=Transito, E=Export)\",\"\",\"\",\"\",\"\",\"\"],\"esito\":" + vuoti + "]}\n");
        // Start-up ran here, database steps included (each step is shell_sequenza_avvio's, database_avvio's).
        QVERIFY(QFileInfo(home.filePath(QStringLiteral("Quorvan.mdb"))).size() > 0);
        QVERIFY(qv::ValoreNumerico(qv::LeggiIni(ini(), "AGGIORNAMENTI", "BASE")) > 0);
    }

    // A transit MRN and its export page, as plain lines; how they are built is enquiry_righe_esito's.
    void righe() {
        const Esecuzione e = eseguiCli(query(QStringLiteral("24IT123456789012T6"), false));
        QCOMPARE(e.stato, 0);
        const QStringList righe = QString::fromUtf8(e.out).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(righe.size(), 11);
        QCOMPARE(righe[4], QString::fromUtf8("Ufficio: DE004352 - M\u00dcNCHEN"));
        QCOMPARE(righe[10], QStringLiteral("Data di uscita 16/03/2025"));
    }

    // A failure goes to stderr; stdout keeps its one JSON line, the code as typed.
    void guastoSuStderr() {
        const Esecuzione e = eseguiCli(query(QStringLiteral("24it123456789012ez")));
        QCOMPARE(e.stato, 0);
        QVERIFY(e.err.contains("[QUORVAN -ERRORE N. 2] 2 - "));
        QCOMPARE(e.out.count('\n'), 1);
        const QJsonObject o = QJsonDocument::fromJson(e.out).object();
        QCOMPARE(o.value("code").toString(), QStringLiteral("24it123456789012ez"));
        QCOMPARE(o.value("outcome").toInt(-1), 0);
    }

    void opzioniDelContestoSingolo() {
        // The CLI enquires in context 1: Save1/DirSave1 apply, Save0 does not.
        QTemporaryDir pagine;
        qv::ScriviIni(ini(), "WEBPARAM", "Save1", "1");
        qv::ScriviIni(ini(), "WEBPARAM", "DirSave1", pagine.path());
        qv::ScriviIni(ini(), "WEBPARAM", "Save0", "1");
        qv::ScriviIni(ini(), "WEBPARAM", "DirSave0", home.path());
        const Esecuzione e = eseguiCli(query(QStringLiteral("IT12345678901")));
        qv::ScriviIni(ini(), "WEBPARAM", "Save1", "0");
        qv::ScriviIni(ini(), "WEBPARAM", "Save0", "0");
        QCOMPARE(e.stato, 0);
        QCOMPARE(QJsonDocument::fromJson(e.out).object().value("esito").toArray().at(6).toString(),
                 QString::fromUtf8("VIA DELL'UNIT\u00c0 1 - CITT\u00c0"));
        QVERIFY(QFile::exists(pagine.filePath(QStringLiteral("PI_IT12345678901.htm"))));
        QVERIFY(!QFile::exists(home.filePath(QStringLiteral("PI_IT12345678901.htm"))));
    }

    void senzaRispostaInTempo() {
        // "ATTESA" is the request time-out: a slower server reads as no connection, status 9.
        ServerAvviato lento({QStringLiteral("--latency"), QStringLiteral("4000")});
        QVERIFY(lento.avviato());
        lento.scriviIndirizzi(ini());
        qv::ScriviIni(ini(), "INDIRIZZIWEB", "ATTESA", "1");
        const Esecuzione e = eseguiCli(query(QStringLiteral("24IT123456789012E1")));
        qv::ScriviIni(ini(), "INDIRIZZIWEB", "ATTESA", "");
        server->scriviIndirizzi(ini());
        QCOMPARE(e.stato, 9);
        const QJsonObject o = QJsonDocument::fromJson(e.out).object();
        QCOMPARE(o.value("titolo").toArray().at(2).toString(), QStringLiteral("# Connessione INTERNET non attiva #"));
    }
};

QTEST_GUILESS_MAIN(TestCliQuery)
#include "test_cli_query.moc"
