// quorvan-demo-server against bad requests. Its pages go through the whole
// enquiry in enquiry_cli_query, one run per page kind.

#include "programmi_prova.h"

#include <QTcpSocket>
#include <QtTest>

#include <memory>

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

    std::unique_ptr<ServerAvviato> server;

private slots:
    void initTestCase() {
        server = std::make_unique<ServerAvviato>();
        QVERIFY(server->avviato());
    }
    void cleanupTestCase() { server.reset(); }

    void richiesteCattive_data() {
        QTest::addColumn<QByteArray>("richiesta");
        QTest::addColumn<QByteArray>("stato");
        QTest::newRow("garbage line") << QByteArray("hello there\r\n\r\n") << QByteArray("HTTP/1.1 400 Bad Request");
        QTest::newRow("other method") << QByteArray("POST /servizi/vies/vies.htm HTTP/1.1\r\n\r\n")
                                      << QByteArray("HTTP/1.1 405 Method Not Allowed");
        QTest::newRow("unknown path, LF only") << QByteArray("GET /altro HTTP/1.0\n\n") << QByteArray("HTTP/1.1 404 Not Found");
        QTest::newRow("endless header") << QByteArray(20000, 'a') << QByteArray("HTTP/1.1 400 Bad Request");
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
