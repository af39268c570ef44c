#pragma once
// What every window works with: the shell's program-wide state, the message
// interface, the launcher, the opener of other subsystems' windows, the
// placement references, and the seams tests replace (printers, dialogs, the
// end of the program). The desktop program owns it; subsystem windows take
// their own state besides it.

#include "platform/avviatore.h"
#include "shell/messaggi.h"
#include "shell/stato_shell.h"
#include "shell/ui/apritore_finestre.h"

#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <functional>

class QPrinter;

namespace qv {

class FileAperti;

struct ContestoFinestre {
    ContestoFinestre(StatoShell& s, Messaggi& m, Avviatore& a) : shell(s), messaggi(m), avviatore(a) {}

    StatoShell& shell;
    Messaggi& messaggi;
    Avviatore& avviatore;
    FileAperti* fileAperti = nullptr;     // closed by the forced exit
    ApritoreFinestre* apritore = nullptr; // none: no other subsystem's window opens

    QPointer<QWidget> principale;          // the main window, default reference for placement
    QPointer<QWidget> FinestraRiferimento; // the next window opens over it; emptied after use

    // Ends the program at once (forced exit after confirmation). The program
    // closes open files and exits; tests record it.
    std::function<void(int codice)> terminaProgramma;

    // Printers and the dialogs the windows open; tests replace them.
    std::function<QStringList()> stampantiInstallate;
    std::function<QString()> stampantePredefinita;
    std::function<QString(QWidget* sopra, const QString& attuale)> sceltaStampante;  // "" when cancelled
    std::function<QString(QWidget* sopra, const QString& cartella)> sceltaProgramma; // "" when cancelled
    // Points a printer at the program's current printer before printing a
    // document of that title (the PDF printer names its file after it). False
    // when printing must not go on (the PDF printer's file name was not given).
    std::function<bool(QPrinter& stampante, const QString& documento)> preparaStampante;

    // Where the system information program is (program path, MSINFO32 folder).
    std::function<QStringList()> infoSistema;

    // EsisteFile with this program's messages.
    bool esisteFile(const QString& percorso) const;

    // The printer the program prints on: the one chosen, else the one kept
    // between runs, else the default.
    QString stampanteCorrente() const;
    // The printer dialog over `sopra`; a printer chosen becomes the current
    // one. False when the dialog was cancelled (or there is none).
    bool scegliStampante(QWidget* sopra);

    // The opener's answers, safe without an opener.
    bool disponibile(IdFinestra finestra) const { return apritore && apritore->disponibile(finestra); }
    void apri(IdFinestra finestra, QWidget* sopra, const QString& argomento = QString(),
              const QVariantMap& parametri = QVariantMap()) {
        if (disponibile(finestra)) apritore->apri(finestra, sopra, argomento, parametri);
    }
};

} // namespace qv
