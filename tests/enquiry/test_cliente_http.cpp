// The HTTP client against a scripted server in this process: body decoding
// by charset, answers of any status taken as pages, odd and huge bodies, and
// the ways a request ends without an answer.

#include "platform/http_client.h"

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

    ServerGrezzo(const QByteArray& risposta, Modo modo = Modo::Rispondi) : risposta_(risposta), modo_(modo) {
        server_.listen(QHostAddress::LocalHost);
        connect(&server_, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* s = server_.nextPendingConnection()) {
                connect(s, &QTcpSocket::disconnected, s, &QObject::deleteLater);
                if (modo_ == Modo::Chiudi) {
                    s->close();
                    continue;
                }
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
    QByteArray r = "HTTP/1.1 " + stato + "\r\n";
    if (!tipo.isEmpty())
        r += "Content-Type: " + tipo + "\r\n";
    r += "Content-Length: " + QByteArray::number(corpo.size()) + "\r\nConnection: close\r\n\r\n" + corpo;
    return r;
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
        QTest::newRow("no charset is Windows-1252") << risposta("200 OK", "text/html", "citt\xe0 \x80") << citta;
        QTest::newRow("unknown charset") << risposta("200 OK", "text/html; charset=x-nessuno", "citt\xe0 \x80") << citta;
        QTest::newRow("not found page is a page") << risposta("404 Not Found", "text/html", "<p>manca</p>")
                                                  << "<p>manca</p>";
        QTest::newRow("no length, body until close")
            << QByteArray("HTTP/1.0 200 OK\r\nContent-Type: text/plain\r\n\r\nfino alla chiusura") << "fino alla chiusura";
        QTest::newRow("bytes that are no UTF-8 under a UTF-8 label")
            << risposta("200 OK", "text/html; charset=utf-8", "a\xff" "b") << QString::fromUtf8("a\ufffdb");
    }
    void corpi() {
        QFETCH(QByteArray, grezza);
        QFETCH(QString, corpo);
        ServerGrezzo server(grezza);
        NetworkHttpClient http(20000);
        const HttpResult r = http.get(server.url());
        QVERIFY2(r.ok, qPrintable(r.error));
        QCOMPARE(r.body, corpo);
        // One plain GET of the address, nothing taken from a cache.
        QVERIFY(server.ricevuto().startsWith("GET /pagina?x=1 HTTP/1.1\r\n"));
    }

    void corpiBinarioEdEnorme() {
        QByteArray binario(256 * 64, '\0');
        for (int i = 0; i < binario.size(); ++i)
            binario[i] = static_cast<char>(i % 256);
        for (const QByteArray& bytes : {binario, QByteArray(10 * 1024 * 1024, 'x')}) {
            ServerGrezzo server(risposta("200 OK", "application/octet-stream", bytes));
            NetworkHttpClient http(60000);
            const HttpResult r = http.get(server.url());
            QVERIFY(r.ok);
            QCOMPARE(r.body.size(), bytes.size());
            QCOMPARE(r.body.at(0x80), bytes.at(0) ? QChar('x') : QChar(0x20AC)); // read as Windows-1252
        }
    }

    void senzaRisposta_data() {
        QTest::addColumn<int>("modo"); // -1: a port nobody listens on
        QTest::addColumn<QByteArray>("grezza");
        QTest::addColumn<QString>("url"); // null: the scripted server's
        QTest::newRow("connection refused") << -1 << QByteArray() << QString();
        QTest::newRow("closed without answer") << int(ServerGrezzo::Modo::Chiudi) << QByteArray() << QString();
        QTest::newRow("garbage instead of HTTP") << int(ServerGrezzo::Modo::Rispondi) << QByteArray("hello\r\n\r\n")
                                                 << QString();
        QTest::newRow("silent server, time-out") << int(ServerGrezzo::Modo::Taci) << QByteArray() << QString();
        QTest::newRow("empty address") << 0 << QByteArray() << "";
        QTest::newRow("no scheme") << 0 << QByteArray() << "www.adm.gov.it/ed";
        QTest::newRow("unsupported scheme") << 0 << QByteArray() << "gopher://127.0.0.1:1/x";
    }
    void senzaRisposta() {
        QFETCH(int, modo);
        QFETCH(QByteArray, grezza);
        QFETCH(QString, url);
        ServerGrezzo server(grezza, static_cast<ServerGrezzo::Modo>(qMax(modo, 0)));
        if (url.isNull())
            url = server.url();
        if (modo < 0) { // listened on a moment ago, closed now
            QTcpServer libero;
            QVERIFY(libero.listen(QHostAddress::LocalHost));
            url = QStringLiteral("http://127.0.0.1:%1/x").arg(libero.serverPort());
        }
        NetworkHttpClient http(500);
        const HttpResult r = http.get(url);
        QVERIFY(!r.ok);
        QVERIFY(!r.error.isEmpty());
        QVERIFY(r.body.isEmpty());
    }

    void interrotta() {
        // The desktop's cancel button calls abort() while the request waits.
        ServerGrezzo server(QByteArray(), ServerGrezzo::Modo::Taci);
        NetworkHttpClient http(60000);
        QTimer::singleShot(100, [&http] { http.abort(); });
        const HttpResult r = http.get(server.url());
        QVERIFY(!r.ok);
        http.abort(); // idle: nothing happens
        http.setTimeoutMs(0);
        QCOMPARE(http.timeoutMs(), NetworkHttpClient::kDefaultTimeoutMs);
    }

    void eventiDuranteAttesa() {
        // Windows keep repainting while a request waits: timers still fire.
        NetworkHttpClient lento(300);
        ServerGrezzo muto(QByteArray(), ServerGrezzo::Modo::Taci);
        int scatti = 0;
        QTimer timer;
        QObject::connect(&timer, &QTimer::timeout, [&scatti] { ++scatti; });
        timer.start(20);
        QVERIFY(!lento.get(muto.url()).ok);
        QVERIFY(scatti > 0);
    }
};

QTEST_GUILESS_MAIN(TestClienteHttp)
#include "test_cliente_http.moc"
