#include "cli/avvio.h"

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
    a.fileIni = QDir(a.cartellaProgramma).filePath(QStringLiteral("Quorvan.ini"));

    CaricaOpzioniPagine(a.fileIni, a.web);
    a.nazioni = CaricaElencoNazioni(a.fileIni);
    LeggiIndirizziWeb(a.fileIni, a.web);
    a.web.SecondiAttesa = LeggiSecondiAttesa(a.fileIni);
    a.http = std::make_unique<platform::NetworkHttpClient>(a.web.SecondiAttesa * 1000);

    const QString temp = QDir(a.cartellaProgramma).filePath(QStringLiteral("TempFile"));
    QDir().mkpath(temp);
    a.web.CartellaTemp = temp + QLatin1Char('/');
    return true;
}

} // namespace qv::cli
