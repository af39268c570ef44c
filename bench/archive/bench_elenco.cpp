// Batch benchmark, run by hand (never by CTest):
//   bench_elenco [--mrn N]
// A batch of N transit MRNs (two page fetches each) into the database
// against quorvan-demo-server without latency, next to the same enquiries
// alone, so that the batch's own cost per MRN (work row, list reading,
// progress, merge) stands out from the two fetches.

#include "archive/elabora_elenco.h"
#include "archive/lavoro_wk.h"
#include "bench/archive/ambiente_bench.h"
#include "database/stato_database.h"
#include "enquiry/get_htm_page.h"
#include "enquiry/interroga_codice.h"
#include "shell/procedure_file.h"
#include "tests/archive/archivio_prova.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>

using namespace qv;

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    int n = 1000;
    const QStringList args = app.arguments();
    const int i = static_cast<int>(args.indexOf(QStringLiteral("--mrn")));
    if (i > 0 && i + 1 < args.size())
        n = std::max(1, args.at(i + 1).toInt());

    ServerAvviato server;
    if (!server.avviato()) {
        out << "quorvan-demo-server did not start (set QUORVAN_BIN_DIR)\n";
        return 1;
    }
    QTemporaryDir dir;
    bench::AmbienteBench a(server, dir.filePath(QStringLiteral("Quorvan.ini")));
    StatoWeb& web = a.web;
    AmbienteWeb& ambiente = a.ambiente;
    MessaggiRegistrati& messaggi = a.messaggi;

    // Transit MRNs whose export page has data: two fetches each.
    QStringList codici;
    QFile lista(dir.filePath(QStringLiteral("lista.txt")));
    if (!lista.open(QIODevice::WriteOnly))
        return 1;
    for (int k = 0; k < n; ++k) {
        const QString c = QStringLiteral("24IT%1T%2").arg(k, 12, 10, QLatin1Char('0')).arg(5 + k % 4);
        codici << c;
        lista.write(c.toLatin1() + "\r\n");
    }
    lista.close();

    QElapsedTimer t;
    t.start();
    {
        GetHtmPage pagina(web, ambiente);
        for (const QString& c : codici)
            InterrogaCodice(pagina, c);
    }
    const double soloInterrogazioni = t.nsecsElapsed() / 1e6;

    StatoDatabase database;
    database.FileDataBase = dir.filePath(QStringLiteral("Quorvan.mdb"));
    database.DbLavoro = prova::CreaArchivioProva(database.WsLavoro, database.FileDataBase);
    database.DatabaseAperto = true;
    StatoArchivio archivio;
    LavoroWkMrn lavoro(archivio, database, messaggi);
    FileAperti files;
    RichiestaElenco richiesta{lista.fileName(), QStringLiteral("|"), Destinazione::Database,
                              dir.filePath(QString::fromLatin1(kFileEsiti))};
    t.restart();
    const RisultatoElenco r = ElaboraElenco(richiesta, web, ambiente, &lavoro, files, messaggi);
    const double batch = t.nsecsElapsed() / 1e6;

    const qint64 nelArchivio = database.DbLavoro.OpenRecordset(QStringLiteral("MRN")).RecordCount();
    out << "MRNs: " << n << " (transit, two fetches each), batch ended "
        << (r.fine == FineElenco::Completato ? "complete" : "early") << ", merged " << (r.unito ? "yes" : "no")
        << ", archive rows " << nelArchivio << "\n";
    out << "enquiries alone:       " << soloInterrogazioni << " ms (" << soloInterrogazioni / n << " ms per MRN)\n";
    out << "batch into database:   " << batch << " ms (" << batch / n << " ms per MRN)\n";
    out << "batch's own cost:      " << (batch - soloInterrogazioni) / n * 1000 << " us per MRN\n";
    database.DbLavoro.Close();
    return r.fine == FineElenco::Completato && nelArchivio == n ? 0 : 1;
}
