#pragma once
// The external programs, web pages and mail addresses the user hangs into the
// "&Applicativi" menu (section "APPLICATIVI" of the configuration file), the
// launcher that starts them and RunFile, which opens documents for the
// program's other windows.

#include "platform/avviatore.h"
#include "shell/messaggi.h"

#include <QList>
#include <QString>

#include <functional>

namespace qv {

inline constexpr int kNumeroApplicativi = 11;

// Launcher state shared by the whole program.
struct StatoApplicativi {
    QString ArgomentiApplicativo;     // appended to the next program started, then emptied
    int StileFinestraApplicativo = 1; // window style of the next start, then back to 1
    QString ProgrammaExcel;           // the configured entry ending in "EXCEL.EXE", if any
};

// One entry of the menu as read from the configuration file.
struct VoceApplicativo {
    QString titolo;
    QString programma;
    bool visibile = false; // both caption and program are set
};

using EsisteFileFn = std::function<bool(const QString&)>;

// Writes the defaults of entry 1 when missing ("NomeVarie1" = "Editor di
// testi", "Varie1" = the text editor), then reads the eleven entries (index 0
// is entry 1). Remembers the Excel program in `stato`.
QList<VoceApplicativo> CaricaApplicativi(const QString& fileIni, const QString& editorDiTesto,
                                         StatoApplicativi& stato);

// What GesAppl shows when it opens: the trimmed captions and programs; a line
// after the first without a program loses its caption.
QList<VoceApplicativo> RigheApplicativi(const QString& fileIni);

// The check of one line of GesAppl (n = 1..11): 0 when right, n when a program
// has no caption, n + 11 when the program is neither an address nor a file.
int ControllaRiga(int n, const QString& titolo, const QString& programma, const EsisteFileFn& esisteFile);

// The message of a wrong line: "ERRORE N. " + number, stop icon.
Messaggio MessaggioErroreRiga(int numeroErrore);

// Writes the eleven lines (trimmed) into the configuration file.
void SalvaApplicativi(const QString& fileIni, const QList<VoceApplicativo>& righe);

// Starts what one key of section "APPLICATIVI" names.
class ModuliOpzionali {
public:
    ModuliOpzionali(const QString& fileIni, const QString& cartellaProgramma, StatoApplicativi& stato,
                    Avviatore& avviatore, Messaggi& messaggi, EsisteFileFn esisteFile);

    QString nomeProceduraChiamata;

    // The key's value, an address handed to the desktop, or a program file
    // looked up in the program folder; a message when nothing is found.
    void attivaProcedura();
    // Starts a program file with the pending arguments and window style.
    void lanciaProcedura(const QString& target);
    qint64 task() const { return task_; }

private:
    QString fileIni_;
    QString cartella_;
    StatoApplicativi& stato_;
    Avviatore& avviatore_;
    Messaggi& messaggi_;
    EsisteFileFn esisteFile_;
    qint64 task_ = 0;
};

// Menu item n starts "Varie" + n; other windows pass a file in
// ArgomentiApplicativo first.
void AvviaApplicativo(const QString& chiave, const QString& fileIni, const QString& cartellaProgramma,
                      StatoApplicativi& stato, Avviatore& avviatore, Messaggi& messaggi,
                      const EsisteFileFn& esisteFile);

// Opens a document with its associated program; failures are explained in a
// message titled "RunFile: Errore di esecuzione". Returns the shell's code.
int RunFile(Avviatore& avviatore, Messaggi& messaggi, const QString& file, const QString& parametri,
            const QString& cartella, int mostra);

} // namespace qv
