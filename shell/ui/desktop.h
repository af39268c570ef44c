#pragma once
// What every window of the desktop program works with: the program-wide
// state of each subsystem, the message interface, the launcher, the windows
// other subsystems provide, and the seams tests replace (printers, dialogs,
// the end of the program).

#include "enquiry/ambiente_web.h"
#include "enquiry/stato_web.h"
#include "shell/avviatore.h"
#include "shell/elenco_nazioni.h"
#include "shell/messaggi.h"
#include "shell/stato_shell.h"

#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <functional>

class QPrinter;

namespace qv {

class FileAperti;

// Windows that other subsystems build. The menu entry or button that opens
// one stays disabled while it is not there.
struct FinestreEsterne {
    using Apri = std::function<void(QWidget* sopra)>;
    Apri EleMrn;     // batch enquiry
    Apri EleMRNok;   // archive browser
    Apri GesNazDB;   // nations maintenance (database open)
    Apri GesNaz;     // nations look-up (no database)
    Apri GesExcel;   // workbook status update
    Apri SalvaArk;   // backup
    Apri RestoreArk; // restore
    Apri aggiornadb; // schema upgrade
    Apri riparadb;   // repair
    Apri GParHttp;   // web addresses and markers
    Apri GWebPar;    // page options of the current context
    // The program update check; true when asked for explicitly.
    std::function<void(QWidget* sopra, bool esplicita)> VerificaAggiornamenti;
};

// The database steps of start-up, from the database layer. Missing steps are
// skipped: the program then runs without its archive.
struct AvvioDatabase {
    std::function<void()> caricaColori; // row colours of "COLORIGRID"
    std::function<void()> preparaFile;  // shipped reference database and flags in the program folder
    // A newer reference database applied (dated copy, upgrade). False: the
    // upgrade was not done, the message has been shown, the program ends.
    std::function<bool(QWidget* sopra)> controllaRiferimento;
    std::function<bool()> apriDatabase;     // database path, temporary folder, open
    std::function<void()> caricaNazioniCee; // default nations into the table
    std::function<void()> chiudiDatabase;   // shut-down
    std::function<bool()> databaseAperto;   // the flag as the database layer holds it now
};

struct Desktop {
    Desktop(StatoShell& s, StatoWeb& w, Messaggi& m, Avviatore& a)
        : shell(s), web(w), messaggi(m), avviatore(a) {}

    StatoShell& shell;
    StatoWeb& web;
    Messaggi& messaggi;
    Avviatore& avviatore;
    AmbienteWeb ambienteWeb;          // what GetHtmPage objects are built on
    ElencoNazioni nazioni;            // the configuration file's nation list
    FileAperti* fileAperti = nullptr; // closed by the forced exit
    bool DatabaseAperto = false;

    QPointer<QWidget> principale;          // the main window, default reference for placement
    QPointer<QWidget> FinestraRiferimento; // the next window opens over it; emptied after use

    FinestreEsterne finestre;
    AvvioDatabase database;

    // Ends the program at once (forced exit, third wrong password, upgrade
    // not done). The program closes open files and exits; tests record it.
    std::function<void(int codice)> terminaProgramma;

    // Printers and the dialogs the windows open; tests replace them.
    std::function<QStringList()> stampantiInstallate;
    std::function<QString()> stampantePredefinita;
    std::function<QString(QWidget* sopra, const QString& attuale)> sceltaStampante;  // "" when cancelled
    std::function<QString(QWidget* sopra, const QString& cartella)> sceltaProgramma; // "" when cancelled
    // Points a printer at the program's current printer before printing.
    std::function<void(QPrinter& stampante)> preparaStampante;

    // Where the system information program is (program path, MSINFO32 folder).
    std::function<QStringList()> infoSistema;

    // EsisteFile with this program's messages.
    bool esisteFile(const QString& percorso) const;

    // The printer the program prints on: the one chosen, else the default.
    QString stampanteCorrente() const;
};

// The platform's printers, dialogs and exit, for the real program.
void ImpostaPiattaforma(Desktop& desktop);

} // namespace qv
