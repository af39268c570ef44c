#include "shell/ui/contesto_finestre.h"

#include "shell/procedure_file.h"

namespace qv {

bool ContestoFinestre::esisteFile(const QString& percorso) const {
    return EsisteFile(messaggi, percorso);
}

QString ContestoFinestre::stampanteCorrente() const {
    if (!shell.stampa.StampanteCorrente.isEmpty()) return shell.stampa.StampanteCorrente;
    return stampantePredefinita ? stampantePredefinita() : QString();
}

} // namespace qv
