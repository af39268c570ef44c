// quorvan-cli backup [--to PATH] | restore [--from PATH] | compact | repair | upgrade
//
// The maintenance of the DataBase menu, unattended, through the same core
// procedures as its windows: backup saves the working database (default
// "Save/Quorvan.MDB" under the program folder, "Save" made when missing);
// restore puts a saved file in its place, keeping the replaced file beside
// it as name + ".prima-del-ripristino"; compact and repair print their log
// lines on stdout; upgrade brings the working database in line with the
// reference database and prints the upgrade's log lines.
//
// Exit status: 0 done; 3 the program folder or the database start-up is
// unusable (restore runs without an archive, to bring one back); 5 the
// operation failed (the message on stderr; the working database is as it
// was); 6 the database is held by another process.

#include "cli/avvio.h"
#include "cli/comandi.h"
#include "database/aggiorna_su_copia.h"
#include "database/compatta_db.h"
#include "database/copia_database.h"
#include "database/file_database.h"
#include "database/ripara_db.h"
#include "database/salva_ark.h"
#include "shell/nome_programma.h"

#include <QDir>
#include <QTextStream>

namespace qv::cli {

namespace {

// The options a command takes (at most one, with its value) read from
// `argomenti`; false, with the usage on stderr, for anything else.
bool leggiOpzione(const char* comando, const QStringList& argomenti, const char* opzione, QString& valore) {
    const bool ok = argomenti.isEmpty() ||
                    (opzione != nullptr && argomenti.size() == 2 && argomenti.first() == QLatin1String(opzione) &&
                     !argomenti.last().isEmpty());
    if (ok && !argomenti.isEmpty())
        valore = argomenti.last();
    if (!ok)
        QTextStream(stderr) << "usage: quorvan-cli [--home DIR] " << comando
                            << (opzione ? QStringLiteral(" [%1 PATH]").arg(QLatin1String(opzione)) : QString())
                            << Qt::endl;
    return ok;
}

int stato(int errore) {
    if (errore == 0)
        return 0;
    return erroreDiOccupazione(errore) ? kOccupato : kErroreArchivio;
}

// Start-up for a maintenance command: the archive need not open (a damaged
// or held file is what repair and the others report), but it must exist,
// unless `senzaArchivio`.
int avvia(AmbienteCli& a, const QString& home, const char* comando, bool senzaArchivio = false) {
    if (const int s = AvviaArchivioCli(a, home, comando, false))
        return s;
    return a.archivioMancante && !senzaArchivio ? kErroreAvvio : 0;
}

UscitaAggiornamento log(QTextStream& out) {
    UscitaAggiornamento u;
    u.riga = [&out](const QString& riga) { out << riga << Qt::endl; };
    return u;
}

} // namespace

int ComandoBackup(const QStringList& argomenti, const QString& home) {
    QString destinazione;
    if (!leggiOpzione("backup", argomenti, "--to", destinazione))
        return kErroreUso;
    AmbienteCli a;
    if (const int s = avvia(a, home, "backup"))
        return s;
    if (destinazione.isEmpty()) {
        PreparaCartellaSalvataggi(a.cartellaProgramma);
        destinazione = FileSalvataggio(a.cartellaProgramma);
    }
    const int esito = SalvaArchivio(a.database, a.messaggi, a.database.FileDataBase, destinazione);
    if (esito == 0)
        QTextStream(stdout) << "saved: " << QDir::toNativeSeparators(destinazione) << Qt::endl;
    ChiudiDataBase(a.database);
    return stato(esito);
}

int ComandoRestore(const QStringList& argomenti, const QString& home) {
    QString origine;
    if (!leggiOpzione("restore", argomenti, "--from", origine))
        return kErroreUso;
    AmbienteCli a;
    if (const int s = avvia(a, home, "restore", true))
        return s;
    if (origine.isEmpty())
        origine = FileSalvataggio(a.cartellaProgramma);
    const QString lavoro = a.database.FileDataBase;
    const int esito = RipristinaArchivio(a.database, a.messaggi, origine, lavoro);
    if (esito == 0)
        QTextStream(stdout) << "restored: " << QDir::toNativeSeparators(lavoro) << " from "
                            << QDir::toNativeSeparators(origine) << "\nreplaced file kept as "
                            << QDir::toNativeSeparators(FilePrimaDelRipristino(lavoro)) << Qt::endl;
    ChiudiDataBase(a.database);
    return stato(esito);
}

int ComandoCompact(const QStringList& argomenti, const QString& home) {
    QString nessuno;
    if (!leggiOpzione("compact", argomenti, nullptr, nessuno))
        return kErroreUso;
    AmbienteCli a;
    if (const int s = avvia(a, home, "compact"))
        return s;
    QTextStream out(stdout);
    const int esito = CompattaDataBase(a.database, a.messaggi, a.database.FileDataBase, log(out));
    ChiudiDataBase(a.database);
    return stato(esito);
}

int ComandoRepair(const QStringList& argomenti, const QString& home) {
    QString nessuno;
    if (!leggiOpzione("repair", argomenti, nullptr, nessuno))
        return kErroreUso;
    AmbienteCli a;
    if (const int s = avvia(a, home, "repair"))
        return s;
    QTextStream out(stdout);
    const int esito = RiparaDataBase(a.database, a.messaggi, a.database.FileDataBase, log(out));
    ChiudiDataBase(a.database);
    return stato(esito);
}

int ComandoUpgrade(const QStringList& argomenti, const QString& home) {
    QString nessuno;
    if (!leggiOpzione("upgrade", argomenti, nullptr, nessuno))
        return kErroreUso;
    AmbienteCli a;
    if (const int s = avvia(a, home, "upgrade"))
        return s;
    const QString riferimento = PercorsoRiferimento(a.cartellaProgramma);
    const QString lavoro = a.database.FileDataBase;
    if (!ValidaPercorsi(a.messaggi, riferimento, lavoro))
        return kErroreArchivio;
    QTextStream out(stdout);
    // Unattended: no questions, and no compaction (run compact for that).
    EseguiAggiornamentoSuCopia(a.database, a.messaggi, riferimento, lavoro, true, log(out));
    ChiudiDataBase(a.database);
    return stato(a.database.StatoChiamata);
}

} // namespace qv::cli
