#pragma once

#include <QString>

namespace qv {

// The executable's name: the program names its files after it ("Quorvan.ini",
// "Quorvan.mdb", "Quorvan0.mdb") and titles its messages with it.
inline const QString NomeProgramma = QStringLiteral("Quorvan");

} // namespace qv
