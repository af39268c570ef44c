#include "app/registro_finestre.h"

#include "app/contesto_desktop.h"
#include "archive/ui/finestra_archivio_mrn.h"
#include "archive/ui/finestra_elenco_mrn.h"
#include "archive/ui/finestra_excel.h"
#include "database/ui/finestra_colori.h"
#include "database/ui/finestra_nazioni.h"
#include "database/ui/finestra_ricerca_nazione.h"

namespace qv {

void RegistraFinestre(ContestoDesktop& c) {
    c.registra(IdFinestra::EleMrn, [&c](QWidget* sopra, const QString& elenco) {
        ApriElencoMrn(c.finestre, c.contestoArchivio, sopra, elenco);
    });
    c.registra(IdFinestra::EleMRNok, [&c](QWidget* sopra, const QString&) {
        FinestraArchivioMrn finestra(c.finestre, c.contestoArchivio, sopra);
        finestra.exec();
    });
    c.registra(IdFinestra::GesExcel, [&c](QWidget* sopra, const QString&) {
        FinestraExcel finestra(c.finestre, c.contestoArchivio, sopra);
        finestra.exec();
    });
    c.registra(IdFinestra::GesNazDB, [&c](QWidget* sopra, const QString&) {
        FinestraNazioni finestra(c.finestre, c.database, sopra);
        finestra.exec();
    });
    c.registra(IdFinestra::GesNaz, [&c](QWidget* sopra, const QString&) {
        FinestraRicercaNazione finestra(c.finestre, c.database, c.nazioni, sopra);
        finestra.exec();
    });
    c.registra(IdFinestra::ColorTdbg, [&c](QWidget* sopra, const QString&, const QVariantMap& p) {
        FinestraColori finestra(c.finestre, c.database, p.value(QStringLiteral("plTitolo")).toString(),
                                p.value(QStringLiteral("plPosX")).toDouble(),
                                p.value(QStringLiteral("plPosY")).toDouble(),
                                p.value(QStringLiteral("plTabLb")).toString(), sopra);
        finestra.exec();
    });
}

} // namespace qv
