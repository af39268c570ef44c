#pragma once
// The start-up and shut-down steps of the program that do not depend on a
// window: where the configuration file is, the main window's first position,
// fixed size and caption, and what shut-down records.

#include "shell/posizione_finestre.h"
#include "shell/versione_programma.h"

#include <QDate>
#include <QString>

namespace qv {

// The configuration file: program folder, the program's name, ".ini".
QString PercorsoFileIni(const QString& cartellaProgramma);

// First run: when the configuration file does not exist, writes the main
// window's centred position into "STARTUP", which creates the file. Returns
// true when it did.
bool PrimoAvvio(const QString& fileIni, double larghezzaSchermo, double altezzaSchermo,
                double larghezzaFinestra, double altezzaFinestra);

struct DimensioniFisse {
    double altezza = 0;
    double larghezza = 0;
};

// The main window's fixed size: the design height raised to 2550 twips; the
// design width, widened to 6600 or 8100 when title bar, menu bar and borders
// take more than 800 or 1000 twips (a menu bar that wraps).
DimensioniFisse CalcolaDimensioniFisse(double altezzaProgetto, double larghezzaProgetto,
                                       double altezzaNonClient);

// The stored position of the main window; a value that is negative or not
// inside the screen gives 0 on that axis.
struct Punto {
    double left = 0;
    double top = 0;
};
Punto PosizioneAvvio(const QString& fileIni, double larghezzaSchermo, double altezzaSchermo);

// " INTERROGAZIONE STATO MRN ", 23 blanks, "(" version ")".
QString TitoloPrincipale(const VersioneProgramma& versione);

// Shut-down step 1: the main window's placement in section "Startup", only
// when it is in its normal state.
void SalvaPosizionePrincipale(const QString& fileIni, StatoFinestra stato, const Rettangolo& finestra,
                              double larghezzaSchermo, double altezzaSchermo);

// Shut-down step 2: "ExePath", "ExeRun" and "ExeVersion" in the per-user
// settings of the program, section "Setting".
void RegistraEsecuzione(const QString& cartellaProgramma, const QDate& oggi,
                        const VersioneProgramma& versione);

} // namespace qv
