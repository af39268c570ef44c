// The whole enquiry over real HTTP against quorvan-demo-server on loopback:
// every kind of page it serves, the ways a connection can fail, and the
// server's own robustness against bad requests.

#include "celle_attese.h"
#include "dati_prova.h"
#include "enquiry/get_htm_page.h"
#include "enquiry/interroga_codice.h"
#include "platform/http_client.h"
#include "programmi_prova.h"
#include "shell/elenco_nazioni.h"
#include "shell/messaggi.h"

#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QtTest>

using namespace qv;

namespace {

const QString kSenzaRete = QStringLiteral("# Connessione INTERNET non attiva #");

// The status line the server answers a raw request with.
QByteArray rispostaGrezza(quint16 porta, const QByteArray& richiesta) {
    QTcpSocket s;
    s.connectToHost(QHostAddress::LocalHost, porta);
    if (!s.waitForConnected(5000))
        return "no connection";
    s.write(richiesta);
    s.waitForBytesWritten(5000);
    QByteArray risposta;
    while (s.state() == QAbstractSocket::ConnectedState && s.waitForReadyRead(5000))
        risposta += s.readAll();
    risposta += s.readAll();
    return risposta.left(risposta.indexOf("\r\n"));
}

} // namespace

class TestServerDemo : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    ElencoNazioni elenco = prova::nazioniPredefinite();

    int interroga(const QString& codice, StatoWeb& web, platform::HttpClient& http, MessaggiRegistrati& messaggi) {
        AmbienteWeb a;
        a.fileIni = dir.filePath(QStringLiteral("Quorvan.ini"));
        a.nazioni = &elenco;
        a.http = &http;
        a.messaggi = &messaggi;
        web.CartellaTemp = dir.path() + QLatin1Char('/');
        GetHtmPage pagina(web, a);
        return InterrogaCodice(pagina, codice);
    }
private slots:
    void pagine_data() {
        QTest::addColumn<QString>("codice");
        QTest::addColumn<int>("esito");
        QTest::addColumn<QStringList>("celle");
        QTest::addColumn<int>("guasti");

        const QStringList transito = {"T1=Ufficio:", "T2=Ruolo:", "T3=Data:", "T4=Data appuramento:"};
        const QStringList riga1 = {"E1=IT261101 - VERONA", "E2=Partenza", "E3=01/02/2025", "E4=02/02/2025"};
        QTest::newRow("export with data")
            << "24IT123456789012E1" << 0
            << QStringList{"T5=Ufficio di esportazione", "E17=IT277100 - MALPENSA", "T6=Ufficio di uscita",
                           "E18=IT261101 - VERONA", "T7=Data di uscita", "E19=11/03/2025"}
            << 0;
        QTest::newRow("export without exit label")
            << "24IT123456789012E0" << 0
            << QStringList{"T5=Ufficio di esportazione", "E17=IT047100 - MILANO 2", "T6=Ufficio di uscita",
                           "E18=IT277100 - MALPENSA", "T7=Uscita conclusa in data:", "E19=10/03/2025"}
            << 0;
        QTest::newRow("export pending") << "24IT123456789012E5" << 0
                                        << QStringList{"T2==== In attesa di ricevere il messaggio di uscita ==="} << 0;
        QTest::newRow("export error")
            << "24IT123456789012E7" << 0
            << QStringList{QString::fromUtf8("T2=*** MRN non presente: verificare la validit\u00e0 del codice ***")} << 0;
        QTest::newRow("export server error") << "24IT123456789012EZ" << 0 << QStringList{} << 1;
        QTest::newRow("transit one office") << "24IT123456789012T1" << 0 << transito + riga1 << 0;
        QTest::newRow("transit four offices")
            << "24IT123456789012T4" << 0
            << transito + riga1 +
                   QStringList{QString::fromUtf8("E5=DE004352 - M\u00dcNCHEN"), "E6=Transito", "E7=02/02/2025",
                               "E8=03/02/2025", QString::fromUtf8("E9=FR000690 - CHAMB\u00c9RY"), "E10=Transito",
                               "E11=03/02/2025", "E12=04/02/2025", "E13=CH001251 - CHIASSO", "E14=Destinazione",
                               "E15=04/02/2025", "E16=05/02/2025"}
            << 0;
        QTest::newRow("transit with export data")
            << "24IT123456789012T6" << 0
            << transito + QStringList{"E1=IT261101 - VERONA", "E2=Partenza", "E3=01/02/2025", "E4=02/02/2025",
                                      QString::fromUtf8("E5=DE004352 - M\u00dcNCHEN"), "E6=Destinazione",
                                      "E7=02/02/2025", "E8=03/02/2025", "T5=Ufficio di esportazione",
                                      "E17=IT047100 - MILANO 2", "T6=Ufficio di uscita", "E18=IT277100 - MALPENSA",
                                      "T7=Data di uscita", "E19=16/03/2025"}
            << 0;
        QTest::newRow("transit Per l'MRN")
            << "24IT123456789012T0" << 0
            << QStringList{"T2=*** Per l'MRN: 24IT123456789012T0 ***", "T3=*** non risultano dati di transito ***"}
            << 0;
        QTest::newRow("transit other error") << "24IT123456789012T9" << 0
                                             << QStringList{"T2=Servizio momentaneamente non disponibile"} << 0;
        QTest::newRow("vies valid")
            << "IT12345678901" << 0
            << QStringList{"T1=Esito:", "E1=Partita IVA valida", "T2=Stato membro", "E2=IT", "T3=Numero IVA",
                           "E3=12345678901", "T4=Data della richiesta", "E4=02/01/2025", "T5=Denominazione",
                           "E5=DITTA DIMOSTRATIVA S.R.L.", "T6=Indirizzo",
                           QString::fromUtf8("E6=VIA DELL'UNIT\u00c0 1 - CITT\u00c0"),
                           "E7=Dati forniti dallo Stato membro", "E8=02/01/2025 10:15"}
            << 0;
        QTest::newRow("vies error") << "IT12345678909" << 0
                                    << QStringList{"T2=*** Servizio non disponibile per lo Stato membro richiesto"}
                                    << 0;
        QTest::newRow("vies server error") << "IT1234567890Z" << 9 << QStringList{"T2=" + kSenzaRete} << 0;
    }
    void pagine() {
        QFETCH(QString, codice);
        QFETCH(int, esito);
        QFETCH(QStringList, celle);
        QFETCH(int, guasti);
        ServerAvviato server;
        QVERIFY(server.avviato());
        StatoWeb web;
        server.indirizzi(web);
        platform::NetworkHttpClient http(20000);
        MessaggiRegistrati messaggi;
        QCOMPARE(interroga(codice, web, http, messaggi), esito);
        verificaCelle(web, celle);
        QCOMPARE(messaggi.mostrati().size(), guasti);
    }

    void senzaConnessione_data() {
        QTest::addColumn<QString>("indirizzo");
        QTest::addColumn<int>("latenza");
        QTest::newRow("connection refused") << "refused" << 0;
        QTest::newRow("unresolvable host") << "http://nonexistent.invalid/ed?mrn=" << 0;
        QTest::newRow("time-out") << "server" << 3000;
        QTest::newRow("malformed address") << "http//:/" << 0;
    }
    void senzaConnessione() {
        QFETCH(QString, indirizzo);
        QFETCH(int, latenza);
        std::unique_ptr<ServerAvviato> server;
        if (indirizzo == QLatin1String("refused")) {
            // A port that was free a moment ago and has no listener now.
            QTcpServer libero;
            QVERIFY(libero.listen(QHostAddress::LocalHost));
            indirizzo = QStringLiteral("http://127.0.0.1:%1/ed?mrn=").arg(libero.serverPort());
        } else if (indirizzo == QLatin1String("server")) {
            server = std::make_unique<ServerAvviato>(QStringList{"--latency", QString::number(latenza)});
            QVERIFY(server->avviato());
            indirizzo = server->urlExport();
        }
        StatoWeb web;
        web.UrlExport = indirizzo;
        web.UrlTransiti = indirizzo;
        web.UrlVat = indirizzo;
        platform::NetworkHttpClient http(latenza ? 300 : 20000);
        MessaggiRegistrati messaggi;
        QCOMPARE(interroga(QStringLiteral("24IT123456789012E1"), web, http, messaggi), 9);
        QCOMPARE(web.Titolo[2], kSenzaRete);
        QCOMPARE(interroga(QStringLiteral("24IT123456789012T1"), web, http, messaggi), 9);
        QCOMPARE(interroga(QStringLiteral("IT12345678901"), web, http, messaggi), 9);
        verificaCelle(web, {"T2=" + kSenzaRete});
        QVERIFY(messaggi.mostrati().isEmpty());
    }

    void rifiutatiSenzaRichiesta() {
        ServerAvviato server({QStringLiteral("--log")});
        QVERIFY(server.avviato());
        StatoWeb web;
        server.indirizzi(web);
        platform::NetworkHttpClient http(20000);
        MessaggiRegistrati messaggi;
        const QStringList rifiutati = {"24IT123456789012X1", "24IT12345678", "", "IT123", "XX12345678901",
                                       QString(18, QLatin1Char(' '))};
        for (const QString& codice : rifiutati)
            QCOMPARE(interroga(codice, web, http, messaggi), 1);
        QCOMPARE(interroga(QStringLiteral("24IT123456789012E1"), web, http, messaggi), 0);
        // Only the accepted code reached the server.
        QTRY_COMPARE(server.righeRegistrate().size(), 1);
        QVERIFY(server.righeRegistrate().first().contains(QStringLiteral("mrn=24IT123456789012E1")));
    }

    void richiesteCattive_data() {
        QTest::addColumn<QByteArray>("richiesta");
        QTest::addColumn<QByteArray>("stato");
        QTest::newRow("good") << QByteArray("GET /ed/servizi/esportazione/export.htm?mrn=X HTTP/1.1\r\nHost: a\r\n\r\n")
                              << QByteArray("HTTP/1.1 200 OK");
        QTest::newRow("garbage line") << QByteArray("hello there\r\n\r\n") << QByteArray("HTTP/1.1 400 Bad Request");
        QTest::newRow("no version") << QByteArray("GET /\r\n\r\n") << QByteArray("HTTP/1.1 400 Bad Request");
        QTest::newRow("other method") << QByteArray("POST /servizi/vies/vies.htm HTTP/1.1\r\n\r\n")
                                      << QByteArray("HTTP/1.1 405 Method Not Allowed");
        QTest::newRow("unknown path") << QByteArray("GET /altro HTTP/1.1\r\n\r\n") << QByteArray("HTTP/1.1 404 Not Found");
        QTest::newRow("code missing") << QByteArray("GET /ed/servizi/esportazione/export.htm HTTP/1.1\r\n\r\n")
                                      << QByteArray("HTTP/1.1 400 Bad Request");
        QTest::newRow("vies without act")
            << QByteArray("GET /servizi/vies/vies.htm?stato=IT&piva=1 HTTP/1.1\r\n\r\n") << QByteArray("HTTP/1.1 400 Bad Request");
        QTest::newRow("bad target") << QByteArray("GET http://[::1 HTTP/1.1\r\n\r\n") << QByteArray("HTTP/1.1 400 Bad Request");
        QTest::newRow("endless header") << QByteArray(20000, 'a') << QByteArray("HTTP/1.1 400 Bad Request");
        QByteArray binario(4096, '\0');
        for (int i = 0; i < binario.size(); ++i)
            binario[i] = static_cast<char>((i * 37) % 256);
        QTest::newRow("binary") << binario + "\r\n\r\n" << QByteArray("HTTP/1.1 400 Bad Request");
        QTest::newRow("LF only") << QByteArray("GET /altro HTTP/1.0\n\n") << QByteArray("HTTP/1.1 404 Not Found");
    }
    void richiesteCattive() {
        QFETCH(QByteArray, richiesta);
        QFETCH(QByteArray, stato);
        ServerAvviato server;
        QVERIFY(server.avviato());
        QCOMPARE(rispostaGrezza(server.porta(), richiesta), stato);
        // A client that goes away mid-request does no harm either.
        {
            QTcpSocket s;
            s.connectToHost(QHostAddress::LocalHost, server.porta());
            QVERIFY(s.waitForConnected(5000));
            s.write("GET /ed/servizi/esp");
            s.waitForBytesWritten(1000);
            s.abort();
        }
        // The server is still there for the next request.
        QCOMPARE(rispostaGrezza(server.porta(), "GET /servizi/vies/vies.htm?act=piva&stato=IT&piva=1 HTTP/1.1\r\n\r\n"),
                 QByteArray("HTTP/1.1 200 OK"));
    }

    void molteRichieste() {
        // Several enquiries in a row on one client and one server, with latency.
        ServerAvviato server({QStringLiteral("--latency"), QStringLiteral("20")});
        QVERIFY(server.avviato());
        StatoWeb web;
        server.indirizzi(web);
        platform::NetworkHttpClient http(20000);
        MessaggiRegistrati messaggi;
        for (int i = 0; i < 10; ++i)
            QCOMPARE(interroga(QStringLiteral("24IT123456789012T%1").arg(i % 9 + 1), web, http, messaggi), 0);
        QVERIFY(messaggi.mostrati().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestServerDemo)
#include "test_server_demo.moc"
