// Parallel list run benchmark, run by hand (never by CTest):
//   bench_parallelo [--mrn N] [--latency MS] [--connections C]
// N export MRNs (default 100) against quorvan-demo-server answering after
// MS milliseconds (default 200), into "EsitiDaEle.txt", once one at a time
// and once with C enquiries in flight (default 4), in the same run; the two
// results files must be the same. The network allows N x MS / C at best.

#include "archive/elabora_elenco.h"
#include "bench/archive/ambiente_bench.h"
#include "shell/procedure_file.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>

using namespace qv;

namespace {
int opzione(const QStringList& args, const char* nome, int predefinito) {
    const int i = static_cast<int>(args.indexOf(QLatin1String(nome)));
    return i > 0 && i + 1 < args.size() ? std::max(1, args.at(i + 1).toInt()) : predefinito;
}
} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    const QStringList args = app.arguments();
    const int n = opzione(args, "--mrn", 100);
    const int latenza = opzione(args, "--latency", 200);
    const int connessioni = opzione(args, "--connections", 4);

    ServerAvviato server{{QStringLiteral("--latency"), QString::number(latenza)}};
    if (!server.avviato()) {
        out << "quorvan-demo-server did not start (set QUORVAN_BIN_DIR)\n";
        return 1;
    }
    QTemporaryDir dir;
    bench::AmbienteBench a(server, dir.filePath(QStringLiteral("Quorvan.ini")));
    StatoWeb& web = a.web;
    AmbienteWeb& ambiente = a.ambiente;
    MessaggiRegistrati& messaggi = a.messaggi;

    // Export MRNs of every export page kind: data, pending, not found.
    QFile lista(dir.filePath(QStringLiteral("lista.txt")));
    if (!lista.open(QIODevice::WriteOnly)) return 1;
    for (int k = 0; k < n; ++k)
        lista.write(QStringLiteral("24IT%1E%2\r\n").arg(k, 12, 10, QLatin1Char('0')).arg(k % 10).toLatin1());
    lista.close();

    FileAperti files;
    const auto giro = [&](int c, double& secondi) {
        RichiestaElenco richiesta{lista.fileName(), QStringLiteral("|"), Destinazione::File,
                                  dir.filePath(QString::fromLatin1(kFileEsiti)), c};
        QElapsedTimer t;
        t.start();
        const RisultatoElenco r = ElaboraElenco(richiesta, web, ambiente, nullptr, files, messaggi);
        secondi = double(t.nsecsElapsed()) / 1e9;
        QFile f(richiesta.fileEsiti);
        return r.fine == FineElenco::Completato && r.numero == n && f.open(QIODevice::ReadOnly)
                   ? f.readAll()
                   : QByteArray();
    };
    double uno = 0, molti = 0;
    const QByteArray esitiUno = giro(1, uno);
    const QByteArray esitiMolti = giro(connessioni, molti);
    const double limite = double(n) * latenza / 1000.0 / connessioni;
    const bool uguali = !esitiUno.isEmpty() && esitiUno == esitiMolti;
    out << n << " export MRNs, " << latenza << " ms latency\n";
    out << "one at a time:      " << QString::number(uno, 'f', 2)
        << " s (network alone: " << QString::number(double(n) * latenza / 1000.0, 'f', 2) << " s)\n";
    out << connessioni << " connections:      " << QString::number(molti, 'f', 2)
        << " s (network alone: " << QString::number(limite, 'f', 2) << " s; "
        << QString::number(molti / limite, 'f', 3) << " x)\n";
    out << "results files:      " << (uguali ? "identical" : "DIFFERENT") << "\n";
    return uguali ? 0 : 1;
}
