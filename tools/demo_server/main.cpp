// quorvan-demo-server: answers the export, transit and VIES enquiry paths
// on loopback with pages in the agencies' default marker format, so that the
// demo and the tests can run the whole enquiry without the real servers.
//
//   quorvan-demo-server [--port N] [--latency MS] [--log] [--throttle PERCENT [--retry-after S]]
//
// The first line on stdout is "PORT <n>", the port actually listened on.

#include "tools/demo_server/server_demo.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("quorvan-demo-server"));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Loopback stand-in for the customs and VIES enquiry pages."));
    parser.addHelpOption();
    const QCommandLineOption porta(QStringLiteral("port"),
                                   QStringLiteral("Port to listen on (0: any free port)."),
                                   QStringLiteral("n"), QStringLiteral("0"));
    const QCommandLineOption latenza(QStringLiteral("latency"),
                                     QStringLiteral("Delay before each answer, in ms."), QStringLiteral("ms"),
                                     QStringLiteral("0"));
    const QCommandLineOption registra(QStringLiteral("log"),
                                      QStringLiteral("Print each request line on stdout."));
    const QCommandLineOption rallenta(
        QStringLiteral("throttle"),
        QStringLiteral("Share of requests answered 429 Too Many Requests (0-100)."),
        QStringLiteral("percent"), QStringLiteral("0"));
    const QCommandLineOption attesa(QStringLiteral("retry-after"),
                                    QStringLiteral("Seconds in the Retry-After of those answers."),
                                    QStringLiteral("s"), QStringLiteral("1"));
    parser.addOptions({porta, latenza, registra, rallenta, attesa});
    parser.process(app);

    QTextStream err(stderr);
    bool ok = false;
    const uint numeroPorta = parser.value(porta).toUInt(&ok);
    if (!ok || numeroPorta > 65535) {
        err << "quorvan-demo-server: --port wants a number from 0 to 65535" << Qt::endl;
        return 2;
    }
    const int ms = parser.value(latenza).toInt(&ok);
    if (!ok || ms < 0) {
        err << "quorvan-demo-server: --latency wants a number of milliseconds" << Qt::endl;
        return 2;
    }

    const int percentuale = parser.value(rallenta).toInt(&ok);
    if (!ok || percentuale < 0 || percentuale > 100) {
        err << "quorvan-demo-server: --throttle wants a percentage from 0 to 100" << Qt::endl;
        return 2;
    }
    const int secondi = parser.value(attesa).toInt(&ok);
    if (!ok || secondi < 0) {
        err << "quorvan-demo-server: --retry-after wants a number of seconds" << Qt::endl;
        return 2;
    }

    qv::demo::ServerDemo server(ms, parser.isSet(registra));
    server.rallenta(percentuale, secondi);
    if (!server.avvia(static_cast<quint16>(numeroPorta))) {
        err << "quorvan-demo-server: cannot listen: " << server.errore() << Qt::endl;
        return 1;
    }
    QTextStream out(stdout);
    out << "PORT " << server.porta() << Qt::endl;
    return app.exec();
}
