#pragma once
// The program's name and version as the windows, the configuration file and
// the per-user settings show them.

#include "shell/nome_programma.h"

#include <QString>

namespace qv {

struct VersioneProgramma {
    int maggiore = 0;
    int minore = 0;
    int revisione = 0;
};

// The version this build carries.
VersioneProgramma Versione();

// "1.0.25": each number without leading zeros.
QString TestoVersione(const VersioneProgramma& v);

} // namespace qv
