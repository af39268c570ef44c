// quorvan-cli query as a script sees it: exit statuses, the JSON line, the
// plain result lines, and the start-up it does in the program folder.

#include "file_prova.h"
#include "programmi_prova.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QByteArray vuoti(int n) {
    QByteArrayList l;
    for (int i = 0; i < n; ++i)
        l << "\"\"";
    return '[' + l.join(',') + ']';
}

} // namespace

class TestCliQuery : public QObject {
    Q_OBJECT

    QTemporaryDir home;
    QString ini() const { return home.filePath(QStringLiteral("Quorvan.ini")); }
    void indirizzi(const ServerAvviato& s) { s.scriviIndirizzi(ini()); }
    QStringList query(const QString& codice, bool json = true) {
        QStringList a{QStringLiteral("--home"), home.path(), QStringLiteral("query"), codice};
        if (json)
            a << QStringLiteral("--json");
        return a;
    }

private slots:
    void uso_data() {
        QTest::addColumn<QStringList>("argomenti");
        QTest::addColumn<int>("stato");
        QTest::newRow("nothing") << QStringList{} << 2;
        QTest::newRow("query without code") << QStringList{"query"} << 2;
        QTest::newRow("two codes") << QStringList{"query", "A", "B"} << 2;
        QTest::newRow("unknown query option") << QStringList{"query", "--xml", "A"} << 2;
        QTest::newRow("unknown command") << QStringList{"interroga", "A"} << 2;
        QTest::newRow("home without folder") << QStringList{"--home"} << 2;
        QTest::newRow("unknown global option") << QStringList{"--casa", "x", "query", "A"} << 2;
        QTest::newRow("help") << QStringList{"--help"} << 0;
    }
    void uso() {
        QFETCH(QStringList, argomenti);
        QFETCH(int, stato);
        const Esecuzione e = eseguiCli(argomenti);
        QCOMPARE(e.stato, stato);
        QVERIFY((stato == 0 ? e.out : e.err).contains("usage: quorvan-cli"));
    }

    void cartellaInutilizzabile() {
        // A program folder that cannot be made: status 3, nothing on stdout.
        QTemporaryDir d;
        scriviFile(d.filePath(QStringLiteral("file")), {});
        const Esecuzione e = eseguiCli({"--home", d.filePath(QStringLiteral("file/sotto")), "query", "IT1"});
        QCOMPARE(e.stato, 3);
        QVERIFY(e.out.isEmpty());
        QVERIFY(e.err.contains("program folder"));
    }

    void rifiutato() {
        const Esecuzione e = eseguiCli(query(QStringLiteral("24IT123456789012X1")));
        QCOMPARE(e.stato, 1);
        QCOMPARE(e.out, QByteArray("{\"code\":\"24IT123456789012X1\",\"outcome\":1,\"titolo\":[\"\",\"\",\"*** Tipo MRN "
                                   "errato (T=Transito, E=Export)\",\"\",\"\",\"\",\"\",\"\"],\"esito\":") +
                            vuoti(20) + "}\n");
        // Start-up happened in the program folder.
        QVERIFY(QFileInfo(home.filePath(QStringLiteral("TempFile"))).isDir());
        QVERIFY(!qv::LeggiIni(ini(), "NAZIONI", "CODICI").isEmpty());
        // ...including the database steps: the working database made from the
        // reference, whose stamp is recorded as applied.
        QVERIFY(QFileInfo(home.filePath(QStringLiteral("Quorvan.mdb"))).size() > 0);
        QVERIFY(qv::ValoreNumerico(qv::LeggiIni(ini(), "AGGIORNAMENTI", "BASE")) > 0);
    }

    void esiti_data() {
        QTest::addColumn<QString>("codice");
        QTest::addColumn<int>("stato");
        QTest::addColumn<QString>("titolo2");
        QTest::addColumn<int>("cella");
        QTest::addColumn<QString>("valore");
        QTest::newRow("export") << "24IT123456789012E1" << 0 << "" << 17 << "IT277100 - MALPENSA";
        QTest::newRow("lower case as typed") << "24it123456789012e1" << 0 << "" << 19 << "11/03/2025";
        QTest::newRow("transit") << "24IT123456789012T2" << 0 << "Ruolo:" << 6 << "Destinazione";
        QTest::newRow("vat") << "IT12345678901" << 0 << "Stato membro" << 1 << "Partita IVA valida";
        QTest::newRow("vat rejected") << "IT1" << 1 << "*** Lunghezza VAT errata 11-11" << 1 << "";
        QTest::newRow("pending") << "24IT123456789012E6" << 0
                                 << "=== In attesa di ricevere il messaggio di uscita ===" << 17 << "";
    }
    void esiti() {
        QFETCH(QString, codice);
        QFETCH(int, stato);
        QFETCH(QString, titolo2);
        QFETCH(int, cella);
        QFETCH(QString, valore);
        ServerAvviato server;
        QVERIFY(server.avviato());
        indirizzi(server);
        const Esecuzione e = eseguiCli(query(codice));
        QCOMPARE(e.stato, stato);
        QCOMPARE(e.out.count('\n'), 1);
        QJsonParseError errore;
        const QJsonObject o = QJsonDocument::fromJson(e.out, &errore).object();
        QCOMPARE(errore.error, QJsonParseError::NoError);
        QCOMPARE(o.value("code").toString(), codice);
        QCOMPARE(o.value("outcome").toInt(-1), stato);
        QCOMPARE(o.value("titolo").toArray().size(), 8);
        QCOMPARE(o.value("esito").toArray().size(), 20);
        QCOMPARE(o.value("titolo").toArray().at(0).toString("x"), QString());
        QCOMPARE(o.value("esito").toArray().at(0).toString("x"), QString());
        QCOMPARE(o.value("titolo").toArray().at(2).toString(), titolo2);
        QCOMPARE(o.value("esito").toArray().at(cella).toString(), valore);
    }

    void righe() {
        ServerAvviato server;
        QVERIFY(server.avviato());
        indirizzi(server);
        Esecuzione e = eseguiCli(query(QStringLiteral("24IT123456789012T6"), false));
        QCOMPARE(e.stato, 0);
        const QStringList righe = QString::fromUtf8(e.out).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(righe.size(), 11);
        QCOMPARE(righe[0], QStringLiteral("Ufficio: IT261101 - VERONA"));
        QCOMPARE(righe[5], QStringLiteral("Ruolo: Destinazione"));
        QCOMPARE(righe[8], QStringLiteral("Ufficio di esportazione IT047100 - MILANO 2"));
        QCOMPARE(righe[10], QStringLiteral("Data di uscita 16/03/2025"));

        e = eseguiCli(query(QStringLiteral("XX1"), false));
        QCOMPARE(e.stato, 1);
        QCOMPARE(e.out, QByteArray(90, '=') + '\n' + QByteArray(28, ' ') + "*** Nazione CEE  'XX'  inesistente\n" +
                            QByteArray(90, '=') + '\n');
    }

    void senzaConnessione() {
        QTcpServer libero;
        QVERIFY(libero.listen(QHostAddress::LocalHost));
        const QString indirizzo = QStringLiteral("http://127.0.0.1:%1/x?mrn=").arg(libero.serverPort());
        libero.close();
        qv::ScriviIni(ini(), "INDIRIZZIWEB", "EXPORT", indirizzo);
        const Esecuzione e = eseguiCli(query(QStringLiteral("24IT123456789012E1")));
        QCOMPARE(e.stato, 9);
        const QJsonObject o = QJsonDocument::fromJson(e.out).object();
        QCOMPARE(o.value("titolo").toArray().at(2).toString(), QStringLiteral("# Connessione INTERNET non attiva #"));
    }

    void attesaConfigurata() {
        // "ATTESA" is the request time-out: a server slower than it reads as no connection.
        ServerAvviato server({QStringLiteral("--latency"), QStringLiteral("4000")});
        QVERIFY(server.avviato());
        indirizzi(server);
        qv::ScriviIni(ini(), "INDIRIZZIWEB", "ATTESA", "1");
        const Esecuzione e = eseguiCli(query(QStringLiteral("24IT123456789012E1")));
        qv::ScriviIni(ini(), "INDIRIZZIWEB", "ATTESA", "");
        QCOMPARE(e.stato, 9);
    }

    void opzioniDelContestoSingolo() {
        // The CLI enquires in context 1: Save1/DirSave1 apply, Save0 does not.
        ServerAvviato server;
        QVERIFY(server.avviato());
        indirizzi(server);
        QTemporaryDir pagine;
        qv::ScriviIni(ini(), "WEBPARAM", "Save1", "1");
        qv::ScriviIni(ini(), "WEBPARAM", "DirSave1", pagine.path());
        qv::ScriviIni(ini(), "WEBPARAM", "Save0", "1");
        qv::ScriviIni(ini(), "WEBPARAM", "DirSave0", home.path());
        const Esecuzione e = eseguiCli(query(QStringLiteral("IT12345678901")));
        qv::ScriviIni(ini(), "WEBPARAM", "Save1", "0");
        qv::ScriviIni(ini(), "WEBPARAM", "Save0", "0");
        QCOMPARE(e.stato, 0);
        QVERIFY(QFile::exists(pagine.filePath(QStringLiteral("PI_IT12345678901.htm"))));
        QVERIFY(!QFile::exists(home.filePath(QStringLiteral("PI_IT12345678901.htm"))));
    }

    void guastoSuStderr() {
        ServerAvviato server;
        QVERIFY(server.avviato());
        indirizzi(server);
        const Esecuzione e = eseguiCli(query(QStringLiteral("24IT123456789012EZ")));
        QCOMPARE(e.stato, 0);
        QVERIFY(e.err.contains("[QUORVAN -ERRORE N. 2] 2 - "));
        QCOMPARE(e.out.count('\n'), 1);
    }
};

QTEST_GUILESS_MAIN(TestCliQuery)
#include "test_cli_query.moc"
