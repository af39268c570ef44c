// quorvan-cli: the program's enquiries, unattended.
//
//   quorvan-cli [--home DIR] COMMAND [ARGUMENTS]
//
// --home chooses the program folder (the one holding "Quorvan.ini"). Exit
// status 2 means the command line was not understood; otherwise each command
// says what its status means.

#include "cli/comandi.h"

#include <QCoreApplication>
#include <QTextStream>

#include <iterator>

namespace {

using namespace qv::cli;

// Add a command here and in comandi.h; its code goes in a file of its own.
const Comando kComandi[] = {
    {"query", "CODE [--json]", ComandoQuery},
    {"batch", "LISTFILE --dest file|print|db [--sep C]", ComandoBatch},
    {"export", "csv|list [--state S] [--nation XX] [--year YY] [--kind E|T] [--from D/M/Y] [--to D/M/Y] "
               "[--code FRAGMENT] [--table MRN|WkMRN] [--out PATH]", ComandoExport},
    {"requery", "[--state 0|2] [--nation XX] [--year YY] [--kind E|T] [--from D/M/Y] [--to D/M/Y] [--code FRAGMENT]",
     ComandoRequery},
    {"excel", "WORKBOOK --sheet NAME --mrn-col N --status-col M [--json]", ComandoExcel},
    {"backup", "[--to PATH]", ComandoBackup},
    {"restore", "[--from PATH]", ComandoRestore},
    {"compact", "", ComandoCompact},
    {"repair", "", ComandoRepair},
    {"upgrade", "", ComandoUpgrade},
    {"check-update", "[--json]", ComandoCheckUpdate},
};

void uso(QTextStream& s) {
    s << "usage: quorvan-cli [--home DIR] COMMAND [ARGUMENTS]\ncommands:\n";
    for (const Comando& c : kComandi)
        s << "  " << c.nome << ' ' << c.uso << '\n';
    s.flush();
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("quorvan-cli"));

    QStringList argomenti = QCoreApplication::arguments().mid(1);
    QTextStream err(stderr);
    QString home;
    while (!argomenti.isEmpty() && argomenti.first().startsWith(QLatin1String("--"))) {
        const QString opzione = argomenti.takeFirst();
        if (opzione == QLatin1String("--help")) {
            QTextStream out(stdout);
            uso(out);
            return 0;
        }
        if (opzione == QLatin1String("--home") && !argomenti.isEmpty() && !argomenti.first().isEmpty()) {
            home = argomenti.takeFirst();
        } else if (opzione.startsWith(QLatin1String("--home=")) && opzione.size() > 7) {
            home = opzione.mid(7);
        } else {
            err << "quorvan-cli: unknown or incomplete option " << opzione << Qt::endl;
            uso(err);
            return kErroreUso;
        }
    }
    if (argomenti.isEmpty()) {
        uso(err);
        return kErroreUso;
    }
    const QString nome = argomenti.takeFirst();
    for (const Comando& c : kComandi)
        if (nome == QLatin1String(c.nome))
            return c.esegui(argomenti, home);
    err << "quorvan-cli: unknown command " << nome << Qt::endl;
    uso(err);
    return kErroreUso;
}
