#include "cli/avvio.h"

#include "database/avvio_database.h"
#include "shell/avvio_programma.h"
#include "enquiry/codici_web.h"
#include "platform/program_folder.h"

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
    if (!QFileInfo(a.cartellaProgramma).isDir() || !QDir::setCurrent(a.cartellaProgramma)) {
        err << "quorvan-cli: cannot use the program folder " << a.cartellaProgramma << Qt::endl;
        return false;
    }
    a.fileIni = PercorsoFileIni(a.cartellaProgramma);

    CaricaOpzioniPagine(a.fileIni, a.web);

    ParametriAvvio p;
    p.cartella = a.cartellaProgramma;
    p.fileIni = a.fileIni;
    // Upgrade questions get Yes: nobody is there to answer them.
    MessaggiStderr conferma(Risposta::Si);
    if (!AvviaDataBase(a.database, a.nazioni, conferma, p, [&err](const QString& riga) { err << riga << Qt::endl; }))
        return false;

    LeggiIndirizziWeb(a.fileIni, a.web);
    a.web.SecondiAttesa = LeggiSecondiAttesa(a.fileIni);
    a.http = std::make_unique<platform::NetworkHttpClient>(a.web.SecondiAttesa * 1000);

    a.web.CartellaTemp = a.database.CartellaTemp; // set and created by the database steps
    return true;
}

} // namespace qv::cli
