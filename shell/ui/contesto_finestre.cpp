#include "shell/ui/contesto_finestre.h"

#include "shell/procedure_file.h"
#include "shell/stampa.h"

namespace qv {

bool ContestoFinestre::esisteFile(const QString& percorso) const {
    return EsisteFile(messaggi, percorso);
}

QString ContestoFinestre::stampanteCorrente() const {
    if (!shell.stampa.StampanteCorrente.isEmpty()) return shell.stampa.StampanteCorrente;
    return StampanteProgramma(shell.FileIni, shell.stampa,
                              stampantePredefinita ? stampantePredefinita() : QString());
}

bool ContestoFinestre::scegliStampante(QWidget* sopra) {
    const QString scelta = sceltaStampante ? sceltaStampante(sopra, stampanteCorrente()) : QString();
    if (scelta.isEmpty()) return false;
    CambiaStampante(shell.FileIni, shell.stampa, scelta);
    return true;
}

} // namespace qv
