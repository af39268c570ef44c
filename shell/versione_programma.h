#pragma once
// The program's name and version as the windows, the configuration file and
// the per-user settings show them.

#include <QString>

namespace qv {

// The executable's name as the program names its files after it
// ("Quorvan.ini", "Quorvan.mdb") and titles its messages.
inline const QString NomeProgramma = QStringLiteral("Quorvan");

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
