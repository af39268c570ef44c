#pragma once
// A small loopback HTTP/1.x server for the demo pages: one request per
// connection, answered after the configured latency, then closed. Requests
// it cannot read get 400; it never trusts a header's size or content.

#include <QObject>
#include <QTcpServer>

class QTcpSocket;

namespace qv::demo {

class ServerDemo : public QObject {
    Q_OBJECT
public:
    explicit ServerDemo(int latenzaMs, bool registra, QObject* parent = nullptr);

    // A share of the requests (0..100) answered 429 with Retry-After.
    void rallenta(int percentuale, int secondi) {
        percentualeRallenta_ = percentuale;
        secondiRallenta_ = secondi;
    }

    // Listens on 127.0.0.1; port 0 takes any free port. False when it cannot.
    bool avvia(quint16 porta);
    quint16 porta() const { return server_.serverPort(); }
    QString errore() const { return server_.errorString(); }

private:
    void nuovaConnessione();
    void leggi(QTcpSocket* socket);
    void rispondi(QTcpSocket* socket, const QByteArray& richiesta);

    QTcpServer server_;
    int latenzaMs_;
    bool registra_;
    int percentualeRallenta_ = 0;
    int secondiRallenta_ = 1;
    qint64 richieste_ = 0;
};

} // namespace qv::demo
