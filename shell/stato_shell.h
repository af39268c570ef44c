#pragma once
// Program-wide state of the application shell: the configuration file, the
// password loaded at start-up, the applications launcher, the print choices,
// the calendar's shared date, and the placement state.

#include "shell/applicativi.h"
#include "shell/calendario.h"
#include "shell/posizione_finestre.h"
#include "shell/stampa.h"

#include <QString>

namespace qv {

struct StatoShell {
    QString cartellaProgramma;
    QString FileIni;
    QString PasswordProgramma; // empty: no password
    StatoApplicativi applicativi;
    StatoStampa stampa;
    StatoCalendario calendario;
    TaskBar taskBar;         // as the last placement found it
    QString titoloRicordato; // the caption Ctrl+F8 put aside
};

} // namespace qv
