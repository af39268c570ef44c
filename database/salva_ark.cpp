#include "database/salva_ark.h"

#include "database/copia_database.h"
#include "database/dao/errore.h"
#include "database/file_database.h"
#include "shell/file_ini.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sqlite3.h>

#include <functional>
#include <optional>

namespace qv {

namespace {

// The copy of either window between closing and reopening the database;
// `copia` throws the engine's or the runtime's error.
int copiaArchivio(StatoDatabase& s, Messaggi& m, const QString& origine, const std::function<void()>& copia) {
    InizioAttesa(s);
    ChiudiDataBase(s);
    try {
        copia();
        s.StatoChiamata = 0;
    } catch (const dao::ErroreDao& e) {
        s.StatoChiamata = e.numero();
        s.Messaggio = e.descrizione();
    }
    s.DatabaseAperto = ApriDataBase(s);
    FineAttesa(s);
    const int esito = s.StatoChiamata;
    if (esito != 0)
        m.mostra(QStringLiteral("ERRORE DURANTE IL SALVATAGGIO DI ") + QLatin1Char('\n') + origine + QLatin1Char('\n') +
                     QString::number(esito) + QStringLiteral(": ") + s.Messaggio,
                 NomeProgramma);
    s.StatoChiamata = 0;
    s.Messaggio.clear();
    return esito;
}

// Copied beside the destination first, then renamed over it.
void copiaSostituendo(const QString& origine, const QString& destinazione, const QString& conservato) {
    const QString temporaneo = destinazione + QStringLiteral(".copia~");
    try {
        CopiaConsistente(origine, temporaneo);
        SostituisciFile(temporaneo, destinazione, conservato);
    } catch (...) {
        QFile::remove(temporaneo);
        throw;
    }
}

} // namespace

QString CartellaSalvataggi(const QString& cartella) { return QDir(cartella).filePath(QStringLiteral("Save")) + QLatin1Char('/'); }

QString FileSalvataggio(const QString& cartella, const QString& nome) {
    return CartellaSalvataggi(cartella) + nome + QStringLiteral(".MDB");
}

QString FilePrimaDelRipristino(const QString& percorso) { return percorso + QStringLiteral(".prima-del-ripristino"); }

bool PreparaCartellaSalvataggi(const QString& cartella) {
    return QFileInfo(CartellaSalvataggi(cartella)).isDir() || QDir(cartella).mkdir(QStringLiteral("Save"));
}

int SalvaArchivio(StatoDatabase& s, Messaggi& m, const QString& origine, const QString& destinazione) {
    if (!QFileInfo(origine).isFile()) {
        m.mostra(QStringLiteral("Il file originario non esiste!"), NomeProgramma);
        return erroriFile::FileNonTrovato;
    }
    return copiaArchivio(s, m, origine, [&] { copiaSostituendo(origine, destinazione, QString()); });
}

QString ControllaArchivioSalvato(const QString& percorso) {
    const QFileInfo fi(percorso);
    if (!fi.isFile())
        return dao::testoErrore(dao::errori::FileNonTrovato, percorso);
    if (fi.size() == 0)
        return dao::testoErrore(dao::errori::FormatoNonRiconosciuto, percorso);
    sqlite3* db = nullptr;
    QString motivo;
    if (sqlite3_open_v2(QFile::encodeName(percorso).constData(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        motivo = dao::testoErrore(dao::errori::AccessoNegato, percorso);
    } else {
        sqlite3_busy_timeout(db, 2000);
        sqlite3_stmt* st = nullptr;
        int rc = sqlite3_prepare_v2(db, "SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name = 'MRN' "
                                        "COLLATE NOCASE",
                                    -1, &st, nullptr);
        if (rc == SQLITE_OK)
            rc = sqlite3_step(st);
        const bool mrn = rc == SQLITE_ROW && sqlite3_column_int(st, 0) > 0;
        sqlite3_finalize(st);
        if (rc != SQLITE_ROW) {
            const int c = sqlite3_extended_errcode(db) & 0xff;
            motivo = dao::testoErrore(c == SQLITE_NOTADB   ? dao::errori::FormatoNonRiconosciuto
                                      : c == SQLITE_BUSY   ? dao::errori::InUsoDaAltri
                                                           : dao::errori::DatabaseDanneggiato,
                                      percorso);
        } else if (!mrn) {
            motivo = QStringLiteral("Il file non contiene la tabella MRN: non è un archivio del programma.");
        }
    }
    sqlite3_close(db);
    return motivo;
}

int RipristinaArchivio(StatoDatabase& s, Messaggi& m, const QString& origine, const QString& destinazione) {
    const QString motivo = ControllaArchivioSalvato(origine);
    if (!motivo.isEmpty()) {
        m.mostra(QStringLiteral("RIPRISTINO NON ESEGUITO: ") + origine + QLatin1Char('\n') + motivo, NomeProgramma,
                 Icona::Esclamazione);
        return dao::errori::FormatoNonRiconosciuto;
    }
    return copiaArchivio(s, m, origine, [&] {
        std::optional<PresaEsclusiva> presa;
        if (QFileInfo::exists(destinazione))
            presa.emplace(destinazione);
        copiaSostituendo(origine, destinazione, FilePrimaDelRipristino(destinazione));
    });
}

DataSalvataggio DataFileSalvato(const QString& percorso, const QLocale& locale) {
    DataSalvataggio d;
    const QFileInfo fi(percorso);
    if (!fi.isFile())
        return d;
    d.esiste = true;
    // Date and time formatted apart: splitting the joined text at a blank
    // cuts it wrongly where the locale's date holds blanks ("6 Dec 2026").
    const QDateTime quando = fi.lastModified();
    d.data = QLatin1Char(' ') + locale.toString(quando.date(), QLocale::ShortFormat);
    d.ora = QLatin1Char(' ') + locale.toString(quando.time(), QLocale::ShortFormat);
    return d;
}

bool AvviaProgrammaBackup(Messaggi& m, Avviatore& avviatore, const QString& fileIni, const QString& cartellaProgramma,
                          const QString& fileDatabase) {
    const QString valore = LeggiIni(fileIni, QStringLiteral("APPLICATIVI"), QStringLiteral("BACKUP")).trimmed();
    if (valore.isEmpty()) {
        m.mostra(QStringLiteral("NESSUN PROGRAMMA DI BACKUP IMPOSTATO"), NomeProgramma);
        return false;
    }
    const QString riga = fileDatabase.isEmpty() ? valore : valore + QLatin1Char(' ') + fileDatabase;
    // The program is the whole value when that names a file, else its first word.
    QString programma = valore;
    QString argomenti;
    if (!QFileInfo(valore).isFile() && valore.contains(QLatin1Char(' '))) {
        programma = valore.section(QLatin1Char(' '), 0, 0);
        argomenti = valore.section(QLatin1Char(' '), 1).trimmed();
    }
    if (!fileDatabase.isEmpty())
        argomenti = argomenti.isEmpty() ? fileDatabase : argomenti + QLatin1Char(' ') + fileDatabase;
    const bool avviato = avviatore.avviaProgramma(programma, argomenti, 1) != 0;
    if (!avviato)
        m.mostra(riga + QStringLiteral("  NON TROVATO"), NomeProgramma);
    QDir::setCurrent(cartellaProgramma);
    return avviato;
}

} // namespace qv
