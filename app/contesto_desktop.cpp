#include "app/contesto_desktop.h"

namespace qv {

ContestoDesktop::ContestoDesktop(const QString& cartellaProgramma, Messaggi& messaggi, Avviatore& avviatore,
                                 platform::HttpClient* http, platform::DocumentOpener* apriDocumento)
    : finestre(shell, messaggi, avviatore), messaggi_(messaggi) {
    shell.cartellaProgramma = cartellaProgramma;
    finestre.fileAperti = &fileAperti;
    finestre.apritore = this;
    ambienteWeb.nazioni = &nazioni;
    ambienteWeb.http = http;
    ambienteWeb.messaggi = &messaggi;
    ambienteWeb.apriDocumento = apriDocumento;
    ambienteWeb.fileAperti = &fileAperti;
}

DatiAvvio ContestoDesktop::datiAvvio() {
    return DatiAvvio{shell.cartellaProgramma, shell.FileIni, web, database, nazioni, messaggi_};
}

void ContestoDesktop::registra(IdFinestra finestra, Apertura apertura) {
    registra(finestra, [apertura = std::move(apertura)](QWidget* sopra, const QString& argomento,
                                                        const QVariantMap&) { apertura(sopra, argomento); });
}

void ContestoDesktop::registra(IdFinestra finestra, AperturaConParametri apertura) {
    aperture_.insert(int(finestra), std::move(apertura));
}

bool ContestoDesktop::disponibile(IdFinestra finestra) const {
    return aperture_.contains(int(finestra));
}

void ContestoDesktop::apri(IdFinestra finestra, QWidget* sopra, const QString& argomento,
                           const QVariantMap& parametri) {
    const auto a = aperture_.constFind(int(finestra));
    if (a != aperture_.constEnd()) (*a)(sopra, argomento, parametri);
}

} // namespace qv
