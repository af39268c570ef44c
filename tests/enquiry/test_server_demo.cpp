// The whole enquiry over real HTTP against quorvan-demo-server on loopback:
// one code of each page kind the server serves, all through one client and
// one server, and the server's own robustness against bad requests.

#include "celle_attese.h"
#include "dati_prova.h"
#include "enquiry/get_htm_page.h"
#include "enquiry/interroga_codice.h"
#include "platform/http_client.h"
#include "programmi_prova.h"
#include "shell/messaggi.h"

#include <QTcpSocket>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using namespace qv;

namespace {

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
    std::unique_ptr<ServerAvviato> server;
    platform::NetworkHttpClient http{20000};

private slots:
    void initTestCase() {
        // A little latency, as from a real agency.
        server = std::make_unique<ServerAvviato>(QStringList{QStringLiteral("--latency"), QStringLiteral("20")});
        QVERIFY(server->avviato());
    }
    void cleanupTestCase() { server.reset(); }

    void pagine_data() {
        QTest::addColumn<QString>("codice");
        QTest::addColumn<QStringList>("celle");
        QTest::addColumn<int>("guasti");
        QTest::newRow("export with data")
            << "24IT123456789012E1"
            << QStringList{"T5=Ufficio di esportazione", "E17=IT277100 - MALPENSA", "T6=Ufficio di uscita",
                           "E18=IT261101 - VERONA", "T7=Data di uscita", "E19=11/03/2025"}
            << 0;
        QTest::newRow("transit, then its export page")
            << "24IT123456789012T6"
            << QStringList{"T1=Ufficio:", "T2=Ruolo:", "T3=Data:", "T4=Data appuramento:", "E1=IT261101 - VERONA",
                           "E2=Partenza", "E3=01/02/2025", "E4=02/02/2025", QString::fromUtf8("E5=DE004352 - M\u00dcNCHEN"),
                           "E6=Destinazione", "E7=02/02/2025", "E8=03/02/2025", "T5=Ufficio di esportazione",
                           "E17=IT047100 - MILANO 2", "T6=Ufficio di uscita", "E18=IT277100 - MALPENSA",
                           "T7=Data di uscita", "E19=16/03/2025"}
            << 0;
        QTest::newRow("vies valid")
            << "IT12345678901"
            << QStringList{"T1=Esito:", "E1=Partita IVA valida", "T2=Stato membro", "E2=IT", "T3=Numero IVA",
                           "E3=12345678901", "T4=Data della richiesta", "E4=02/01/2025", "T5=Denominazione",
                           "E5=DITTA DIMOSTRATIVA S.R.L.", "T6=Indirizzo",
                           QString::fromUtf8("E6=VIA DELL'UNIT\u00c0 1 - CITT\u00c0"),
                           "E7=Dati forniti dallo Stato membro", "E8=02/01/2025 10:15"}
            << 0;
        QTest::newRow("server error page") << "24IT123456789012EZ" << QStringList{} << 1;
    }
    void pagine() {
        QFETCH(QString, codice);
        QFETCH(QStringList, celle);
        QFETCH(int, guasti);
        StatoWeb web;
        server->indirizzi(web);
        web.CartellaTemp = dir.path() + QLatin1Char('/');
        MessaggiRegistrati messaggi;
        AmbienteWeb a;
        a.fileIni = dir.filePath(QStringLiteral("Quorvan.ini"));
        a.nazioni = &elenco;
        a.http = &http;
        a.messaggi = &messaggi;
        GetHtmPage pagina(web, a);
        QCOMPARE(InterrogaCodice(pagina, codice), 0);
        verificaCelle(web, celle);
        QCOMPARE(messaggi.mostrati().size(), guasti);
    }

    void richiesteCattive_data() {
        QTest::addColumn<QByteArray>("richiesta");
        QTest::addColumn<QByteArray>("stato");
        QTest::newRow("garbage line") << QByteArray("hello there\r\n\r\n") << QByteArray("HTTP/1.1 400 Bad Request");
        QTest::newRow("other method") << QByteArray("POST /servizi/vies/vies.htm HTTP/1.1\r\n\r\n")
                                      << QByteArray("HTTP/1.1 405 Method Not Allowed");
        QTest::newRow("unknown path, LF only") << QByteArray("GET /altro HTTP/1.0\n\n") << QByteArray("HTTP/1.1 404 Not Found");
        QTest::newRow("endless header") << QByteArray(20000, 'a') << QByteArray("HTTP/1.1 400 Bad Request");
        QByteArray binario(4096, '\0');
        for (int i = 0; i < binario.size(); ++i)
            binario[i] = static_cast<char>((i * 37) % 256);
        QTest::newRow("binary") << binario + "\r\n\r\n" << QByteArray("HTTP/1.1 400 Bad Request");
    }
    void richiesteCattive() {
        QFETCH(QByteArray, richiesta);
        QFETCH(QByteArray, stato);
        QCOMPARE(rispostaGrezza(server->porta(), richiesta), stato);
    }

    void clienteCheSeNeVa() {
        // A client that goes away mid-request does no harm: the next one is answered.
        QTcpSocket s;
        s.connectToHost(QHostAddress::LocalHost, server->porta());
        QVERIFY(s.waitForConnected(5000));
        s.write("GET /ed/servizi/esp");
        s.waitForBytesWritten(1000);
        s.abort();
        QCOMPARE(rispostaGrezza(server->porta(), "GET /servizi/vies/vies.htm?act=piva&stato=IT&piva=1 HTTP/1.1\r\n\r\n"),
                 QByteArray("HTTP/1.1 200 OK"));
    }
};

QTEST_GUILESS_MAIN(TestServerDemo)
#include "test_server_demo.moc"
