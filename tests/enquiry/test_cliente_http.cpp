// The HTTP client against a scripted server in this process: body decoding
// by charset, answers of any status taken as pages, and the ways a request
// ends without an answer.

#include "platform/http_client.h"

#include <QElapsedTimer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QtTest>

using qv::platform::HttpResult;
using qv::platform::NetworkHttpClient;

namespace {

// Answers every connection with the same raw bytes once the request's
// header has arrived (or drops it, or never answers).
class ServerGrezzo : public QObject {
public:
    enum class Modo { Rispondi, Chiudi, Taci };

    explicit ServerGrezzo(const QByteArray& risposta = {}, Modo modo = Modo::Taci) : risposta_(risposta), modo_(modo) {
        server_.listen(QHostAddress::LocalHost);
        connect(&server_, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* s = server_.nextPendingConnection()) {
                connect(s, &QTcpSocket::disconnected, s, &QObject::deleteLater);
                if (modo_ == Modo::Chiudi)
                    s->close();
                else
                    connect(s, &QTcpSocket::readyRead, this, [this, s] {
                        ricevuto_ += s->readAll();
                        if (modo_ == Modo::Rispondi && ricevuto_.contains("\r\n\r\n")) {
                            s->write(risposta_);
                            s->disconnectFromHost();
                        }
                    });
            }
        });
    }
    QString url() const { return QStringLiteral("http://127.0.0.1:%1/pagina?x=1").arg(server_.serverPort()); }
    const QByteArray& ricevuto() const { return ricevuto_; }

private:
    QTcpServer server_;
    QByteArray risposta_;
    Modo modo_;
    QByteArray ricevuto_;
};

QByteArray risposta(const QByteArray& stato, const QByteArray& tipo, const QByteArray& corpo) {
    return "HTTP/1.1 " + stato + "\r\nContent-Type: " + tipo + "\r\nContent-Length: " + QByteArray::number(corpo.size()) +
           "\r\nConnection: close\r\n\r\n" + corpo;
}

} // namespace

class TestClienteHttp : public QObject {
    Q_OBJECT

private slots:
    void corpi_data() {
        QTest::addColumn<QByteArray>("grezza");
        QTest::addColumn<QString>("corpo");
        const QString citta = QString::fromUtf8("citt\u00e0 \u20ac");
        QTest::newRow("quoted UTF-8") << risposta("200 OK", "text/html; charset=\"UTF-8\"", citta.toUtf8()) << citta;
        QTest::newRow("windows-1252") << risposta("200 OK", "text/html; charset=windows-1252", "citt\xe0 \x80") << citta;
        QTest::newRow("unknown charset is Windows-1252")
            << risposta("200 OK", "text/html; charset=x-nessuno", "citt\xe0 \x80") << citta;
        QTest::newRow("not found page is a page") << risposta("404 Not Found", "text/html", "<p>manca</p>") << "<p>manca</p>";
    }
    void corpi() {
        QFETCH(QByteArray, grezza);
        QFETCH(QString, corpo);
        ServerGrezzo server(grezza, ServerGrezzo::Modo::Rispondi);
        const HttpResult r = NetworkHttpClient(20000).get(server.url());
        QVERIFY2(r.ok, qPrintable(r.error));
        QCOMPARE(r.body, corpo);
        QVERIFY(server.ricevuto().startsWith("GET /pagina?x=1 HTTP/1.1\r\n"));
    }

    void senzaRisposta_data() {
        QTest::addColumn<int>("modo"); // -1: a port nobody listens on; -2: an address without scheme
        QTest::addColumn<QByteArray>("grezza");
        QTest::newRow("connection refused") << -1 << QByteArray();
        QTest::newRow("closed without answer") << int(ServerGrezzo::Modo::Chiudi) << QByteArray();
        QTest::newRow("garbage instead of HTTP") << int(ServerGrezzo::Modo::Rispondi) << QByteArray("hello\r\n\r\n");
        QTest::newRow("silent server, time-out") << int(ServerGrezzo::Modo::Taci) << QByteArray();
        QTest::newRow("no scheme") << -2 << QByteArray();
    }
    void senzaRisposta() {
        QFETCH(int, modo);
        QFETCH(QByteArray, grezza);
        ServerGrezzo server(grezza, static_cast<ServerGrezzo::Modo>(qMax(modo, 0)));
        QString url = modo == -2 ? QStringLiteral("www.adm.gov.it/ed") : server.url();
        if (modo == -1) { // listened on a moment ago, closed now
            QTcpServer libero;
            QVERIFY(libero.listen(QHostAddress::LocalHost));
            url = QStringLiteral("http://127.0.0.1:%1/x").arg(libero.serverPort());
        }
        const HttpResult r = NetworkHttpClient(500).get(url);
        QVERIFY(!r.ok);
        QVERIFY(!r.error.isEmpty());
        QVERIFY(r.body.isEmpty());
    }

    // abort() ends a waiting request (the event loop runs meanwhile); a time-out of 0 is the default.
    void interrotta() {
        ServerGrezzo muto;
        NetworkHttpClient http(0);
        QCOMPARE(http.timeoutMs(), NetworkHttpClient::kDefaultTimeoutMs);
        QTimer::singleShot(200, [&http] { http.abort(); });
        QElapsedTimer tempo;
        tempo.start();
        QVERIFY(!http.get(muto.url()).ok);
        QVERIFY(tempo.elapsed() < NetworkHttpClient::kDefaultTimeoutMs / 2);
    }
};

QTEST_GUILESS_MAIN(TestClienteHttp)
#include "test_cliente_http.moc"
