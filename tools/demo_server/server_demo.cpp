#include "tools/demo_server/server_demo.h"

#include "tools/demo_server/pagine_demo.h"

#include <QPointer>
#include <QTcpSocket>
#include <QTextStream>
#include <QTimer>
#include <QUrl>

#include <cstdio>

namespace qv::demo {

namespace {

constexpr qsizetype kIntestazioneMassima = 16 * 1024;
constexpr int kAttesaRichiestaMs = 10000;
const char* const kProprieta = "richiesta";

void invia(QTcpSocket* socket, const RispostaDemo& r, bool conCorpo, const QByteArray& altre = {}) {
    QByteArray testa = "HTTP/1.1 " + QByteArray::number(r.stato) + ' ' + TestoStato(r.stato) + "\r\n";
    testa += "Content-Type: " + r.tipoContenuto + "\r\n";
    testa += "Content-Length: " + QByteArray::number(r.corpo.size()) + "\r\n";
    testa += altre;
    testa += "Cache-Control: no-store\r\nConnection: close\r\n\r\n";
    socket->write(testa);
    if (conCorpo) socket->write(r.corpo);
    socket->disconnectFromHost();
}

} // namespace

ServerDemo::ServerDemo(int latenzaMs, bool registra, QObject* parent)
    : QObject(parent), latenzaMs_(qMax(0, latenzaMs)), registra_(registra) {
    connect(&server_, &QTcpServer::newConnection, this, &ServerDemo::nuovaConnessione);
}

bool ServerDemo::avvia(quint16 porta) {
    return server_.listen(QHostAddress::LocalHost, porta);
}

void ServerDemo::nuovaConnessione() {
    while (QTcpSocket* socket = server_.nextPendingConnection()) {
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { leggi(socket); });
        // A client that never finishes its request is dropped.
        QTimer::singleShot(kAttesaRichiestaMs + latenzaMs_, socket, [socket] { socket->abort(); });
    }
}

void ServerDemo::leggi(QTcpSocket* socket) {
    if (socket->property(kProprieta).toBool())
        return; // already answered or waiting for the latency; ignore the rest
    QByteArray dati = socket->property("dati").toByteArray() + socket->readAll();
    qsizetype fine = dati.indexOf("\r\n\r\n");
    if (fine < 0) fine = dati.indexOf("\n\n");
    if (fine < 0) {
        if (dati.size() > kIntestazioneMassima) {
            socket->setProperty(kProprieta, true);
            invia(socket, RispostaErrore(400), true);
        } else {
            socket->setProperty("dati", dati);
        }
        return;
    }
    socket->setProperty(kProprieta, true);
    const QByteArray richiesta = dati.left(fine);
    if (latenzaMs_ == 0) {
        rispondi(socket, richiesta);
        return;
    }
    QPointer<QTcpSocket> guardia(socket);
    QTimer::singleShot(latenzaMs_, this, [this, guardia, richiesta] {
        if (guardia && guardia->state() == QAbstractSocket::ConnectedState) rispondi(guardia, richiesta);
    });
}

void ServerDemo::rispondi(QTcpSocket* socket, const QByteArray& richiesta) {
    const qsizetype finePrima = richiesta.indexOf('\n');
    const QByteArray prima = (finePrima < 0 ? richiesta : richiesta.left(finePrima)).trimmed();
    const QList<QByteArray> parti = prima.split(' ');
    if (registra_) {
        QTextStream out(stdout);
        out << QString::fromLatin1(prima.left(2048)) << Qt::endl;
    }

    if (parti.size() != 3 || !parti[2].startsWith("HTTP/1.")) {
        invia(socket, RispostaErrore(400), true);
        return;
    }
    const QByteArray& metodo = parti[0];
    if (metodo != "GET" && metodo != "HEAD") {
        invia(socket, RispostaErrore(405), true);
        return;
    }
    const QUrl url(QString::fromLatin1(parti[1]), QUrl::StrictMode);
    if (!url.isValid() || url.path().isEmpty() || !url.path().startsWith(QLatin1Char('/'))) {
        invia(socket, RispostaErrore(400), true);
        return;
    }
    if (DaRallentare(++richieste_, percentualeRallenta_)) {
        invia(socket, RispostaErrore(429), metodo == "GET",
              "Retry-After: " + QByteArray::number(secondiRallenta_) + "\r\n");
        return;
    }
    invia(socket, RispostaPer(url.path(), url.query(QUrl::FullyEncoded)), metodo == "GET");
}

} // namespace qv::demo
