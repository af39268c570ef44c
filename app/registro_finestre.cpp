#include "app/registro_finestre.h"

#include "app/contesto_desktop.h"
#include "archive/ui/finestra_archivio_mrn.h"
#include "archive/ui/finestra_elenco_mrn.h"

namespace qv {

void RegistraFinestre(ContestoDesktop& c) {
    c.registra(IdFinestra::EleMrn, [&c](QWidget* sopra, const QString& elenco) {
        ApriElencoMrn(c.finestre, c.contestoArchivio, sopra, elenco);
    });
    c.registra(IdFinestra::EleMRNok, [&c](QWidget* sopra, const QString&) {
        FinestraArchivioMrn finestra(c.finestre, c.contestoArchivio, sopra);
        finestra.exec();
    });
}

} // namespace qv
