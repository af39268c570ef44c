// quorvan-cli check-update [--json]
//
// The update check of "&Verifica aggiornamenti", unattended: the maker's
// versions page read against the running version, with the program's HTTP
// client. Asked for explicitly, so the reminder never skips it. Prints the
// program's key, the running and the available version, whether a new
// version is out, and the update files not yet applied (title and address),
// as lines or as one JSON object. Versions are written in full ("1.0.0"),
// not in the window's way of leaving out zero parts.
//
// Exit status: 0 checked (whatever it found), 3 the program folder cannot be
// used, 5 the versions page could not be read (the reason on stderr).

#include "cli/avvio.h"
#include "cli/comandi.h"
#include "database/verifica_aggiornamenti.h"
#include "database/file_database.h"
#include "shell/nome_programma.h"
#include "shell/versione_programma.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>

namespace qv::cli {

int ComandoCheckUpdate(const QStringList& argomenti, const QString& home) {
    const bool json = argomenti == QStringList{QStringLiteral("--json")};
    if (!argomenti.isEmpty() && !json) {
        QTextStream(stderr) << "usage: quorvan-cli [--home DIR] check-update [--json]" << Qt::endl;
        return kErroreUso;
    }
    AmbienteCli a;
    if (const int s = AvviaArchivioCli(a, home, "check-update", false))
        return s;
    ChiudiDataBase(a.database);
    const VersioneProgramma v = Versione();
    const QString chiave = ChiaveProgramma(NomeProgramma);
    const EsitoVerifica e = VerificaVersione(
        RichiestaVerifica{a.fileIni, chiave, v.maggiore, v.minore, v.revisione, true, GiornoDiOggi()}, *a.http);
    if (e.stato != kNuovaVersione && e.stato != kVersioneAggiornata) {
        QTextStream(stderr) << "quorvan-cli check-update: " << IndirizzoPaginaVersioni(a.fileIni) << ": " << e.errore
                            << Qt::endl;
        return kErroreArchivio;
    }
    const bool nuova = e.stato == kNuovaVersione;
    QTextStream out(stdout);
    if (json) {
        QJsonArray voci;
        for (const VoceAggiornamento& voce : e.voci)
            voci.append(QJsonObject{{QStringLiteral("title"), voce.testo}, {QStringLiteral("url"), voce.indirizzo}});
        const QJsonObject o{{QStringLiteral("program"), chiave},
                            {QStringLiteral("running"), TestoVersione(v)},
                            {QStringLiteral("available"), e.versioneDisponibile},
                            {QStringLiteral("newVersion"), nuova},
                            {QStringLiteral("updates"), voci}};
        out << QJsonDocument(o).toJson(QJsonDocument::Compact) << Qt::endl;
        return 0;
    }
    out << "program: " << chiave << "\nrunning: " << TestoVersione(v) << "\navailable: " << e.versioneDisponibile
        << "\nnew version: " << (nuova ? "yes" : "no") << '\n';
    for (const VoceAggiornamento& voce : e.voci)
        out << "update: " << voce.testo << " <" << voce.indirizzo << ">\n";
    out.flush();
    return 0;
}

} // namespace qv::cli
