#pragma once
// Backup and restore of the working database (windows SalvaArk, "SALVATAGGIO
// ARCHIVI", and RestoreArk, "RIPRISTINO ARCHIVI DA SALVATAGGIO"): the save
// folder, the copy each "&CONFERMA" makes with the program's connection
// closed around it, the check that a file to restore is an archive of the
// program, the saved file's date, and the external backup program of
// "&FLOPPY".
//
// The save is SQLite's online backup, so the copy is the state of one
// moment; a restore copies the saved file completely beside the working
// file and then puts it in place with one rename, keeping the replaced file
// as name + ".prima-del-ripristino". An existing saved file is replaced the
// same way, so a save cut short leaves the previous one whole.

#include "database/stato_database.h"
#include "platform/avviatore.h"
#include "shell/messaggi.h"
#include "shell/nome_programma.h"

#include <QLocale>
#include <QString>

namespace qv {

// Source label colours as Windows RGB values (red in the low byte): orange
// while the copy runs, green once it is over.
inline constexpr quint32 kEtichettaInCopia = 0x80C0FF;
inline constexpr quint32 kEtichettaCopiata = 0x80FF80;

QString CartellaSalvataggi(const QString& cartella);                                 // <cartella>/Save/
QString FileSalvataggio(const QString& cartella, const QString& nome = NomeProgramma); // <cartella>/Save/<nome>.MDB
QString FilePrimaDelRipristino(const QString& percorso); // percorso + ".prima-del-ripristino"

// SalvaArk becoming active: "Save" made when missing. False when it cannot be.
bool PreparaCartellaSalvataggi(const QString& cartella);

// SalvaArk's "&CONFERMA": a missing source gets "Il file originario non
// esiste!"; a failed copy "ERRORE DURANTE IL SALVATAGGIO DI " with the path,
// the error number and its description. The database is reopened either
// way (DatabaseAperto). Returns 0 when done, else the error number.
int SalvaArchivio(StatoDatabase& s, Messaggi& m, const QString& origine, const QString& destinazione);

// Empty when `percorso` is a database of the program (an SQLite file that
// opens and holds the table MRN), else why it is not.
QString ControllaArchivioSalvato(const QString& percorso);

// RestoreArk's "&CONFERMA": a file that is not an archive of the program is
// refused with "RIPRISTINO NON ESEGUITO" and the reason before anything is
// touched; otherwise as SalvaArchivio, with the same error text. A working
// file another process holds is left alone (3196).
int RipristinaArchivio(StatoDatabase& s, Messaggi& m, const QString& origine, const QString& destinazione);

// The saved file's date and time for RestoreArk, from the locale's short
// date and time; `esiste` false (both blank) when there is no such file,
// and "&CONFERMA" and "&FLOPPY" are then disabled.
struct DataSalvataggio {
    bool esiste = false;
    QString data; // " " + date
    QString ora;  // " " + time
};
DataSalvataggio DataFileSalvato(const QString& percorso, const QLocale& locale = QLocale());

// "&FLOPPY": the "BACKUP" command of "APPLICATIVI" started without waiting,
// with the working file (`fileDatabase`, SalvaArk) appended after a blank,
// or alone (`fileDatabase` empty, RestoreArk). Messages "NESSUN PROGRAMMA DI
// BACKUP IMPOSTATO" and command line + "  NON TROVATO". The program folder
// is made current again afterwards. True when the program started.
bool AvviaProgrammaBackup(Messaggi& m, Avviatore& avviatore, const QString& fileIni, const QString& cartellaProgramma,
                          const QString& fileDatabase);

} // namespace qv
