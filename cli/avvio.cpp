#include "cli/avvio.h"

#include "database/avvio_database.h"
#include "platform/program_folder.h"
#include "shell/avvio/sequenza_avvio.h"

#include <QDir>
#include <QFileInfo>
#include <QTextStream>

namespace qv::cli {

AmbienteWeb AmbienteCli::ambienteWeb() {
    AmbienteWeb a;
    a.fileIni = fileIni;
    a.nazioni = &nazioni;
    a.http = http.get();
    a.messaggi = &messaggi;
    a.apriDocumento = &apriDocumento;
    a.fileAperti = &fileAperti;
    return a;
}

bool AvviaAmbiente(AmbienteCli& a, const QString& home) {
    QTextStream err(stderr);
    a.cartellaProgramma = platform::programFolder(home);
    // Upgrade questions get Yes: nobody is there to answer them.
    MessaggiStderr conferma(Risposta::Si);
    DatiAvvio dati{a.cartellaProgramma, a.fileIni, a.web, a.database, a.nazioni, conferma};
    GanciAvvio ganci;
    UscitaAggiornamento uscita;
    uscita.riga = [&err](const QString& riga) { err << riga << Qt::endl; };
    ganci.aggiornamento = AggiornamentoSenzaFinestra(conferma, ParametriAvvio{a.cartellaProgramma}, uscita);
    const RisultatoAvvio r = EseguiAvvio(dati, ganci);
    if (r.esito == EsitoAvvio::CartellaInutilizzabile) {
        err << "quorvan-cli: cannot use the program folder " << a.cartellaProgramma << Qt::endl;
        return false;
    }
    if (!r.completato()) return false; // the upgrade said why
    a.archivioMancante = r.archivioMancante;
    if (a.archivioMancante)
        err << "quorvan-cli: the archive " << QDir::toNativeSeparators(a.database.FileDataBase)
            << " is missing; nothing was created in its place" << Qt::endl;
    a.http = std::make_unique<platform::NetworkHttpClient>(a.web.SecondiAttesa * 1000);
    return true;
}

} // namespace qv::cli
