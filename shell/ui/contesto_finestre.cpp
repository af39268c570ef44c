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

bool ContestoFinestre::scegliStampante(QWidget* sopra) {
    const QString scelta = sceltaStampante ? sceltaStampante(sopra, stampanteCorrente()) : QString();
    if (scelta.isEmpty()) return false;
    shell.stampa.StampanteCorrente = scelta;
    return true;
}

} // namespace qv
