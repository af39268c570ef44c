#include "shell/versione_programma.h"

namespace qv {

VersioneProgramma Versione() {
    return {QV_VERSIONE_MAGGIORE, QV_VERSIONE_MINORE, QV_VERSIONE_REVISIONE};
}

QString TestoVersione(const VersioneProgramma& v) {
    return QStringLiteral("%1.%2.%3").arg(v.maggiore).arg(v.minore).arg(v.revisione);
}

} // namespace qv
