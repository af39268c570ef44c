#include "shell/avvio_programma.h"

#include "platform/user_settings.h"
#include "shell/file_ini.h"

#include <QDir>
#include <QFileInfo>

#include <cmath>

namespace qv {

namespace {
const QString kStartup = QStringLiteral("STARTUP");
}

QString PercorsoFileIni(const QString& cartellaProgramma) {
    return cartellaProgramma + QLatin1Char('/') + NomeProgramma + QStringLiteral(".ini");
}

bool PrimoAvvio(const QString& fileIni, double larghezzaSchermo, double altezzaSchermo,
                double larghezzaFinestra, double altezzaFinestra) {
    if (QFileInfo::exists(fileIni)) return false;
    ScriviIni(fileIni, kStartup, QStringLiteral("POSX"),
              std::trunc((larghezzaSchermo - larghezzaFinestra) / 2));
    ScriviIni(fileIni, kStartup, QStringLiteral("POSY"), std::trunc((altezzaSchermo - altezzaFinestra) / 2));
    return true;
}

DimensioniFisse CalcolaDimensioniFisse(double altezzaProgetto, double larghezzaProgetto,
                                       double altezzaNonClient) {
    DimensioniFisse d;
    d.altezza = altezzaProgetto < 2550 ? 2550 : altezzaProgetto;
    d.larghezza = larghezzaProgetto;
    if (altezzaNonClient > 800) d.larghezza = 6600;
    if (altezzaNonClient > 1000) d.larghezza = 8100;
    return d;
}

Punto PosizioneAvvio(const QString& fileIni, double larghezzaSchermo, double altezzaSchermo) {
    Punto p;
    p.top = ValoreNumerico(LeggiIni(fileIni, kStartup, QStringLiteral("POSY")));
    if (p.top < 0 || p.top >= altezzaSchermo) p.top = 0;
    p.left = ValoreNumerico(LeggiIni(fileIni, kStartup, QStringLiteral("POSX")));
    if (p.left < 0 || p.left >= larghezzaSchermo) p.left = 0;
    return p;
}

QString TitoloPrincipale(const VersioneProgramma& versione) {
    return QStringLiteral(" INTERROGAZIONE STATO MRN ") + QString(23, QLatin1Char(' ')) + QLatin1Char('(') +
           TestoVersione(versione) + QLatin1Char(')');
}

void SalvaPosizionePrincipale(const QString& fileIni, StatoFinestra stato, const Rettangolo& finestra,
                              double larghezzaSchermo, double altezzaSchermo) {
    if (stato != StatoFinestra::Normale) return;
    const QString sezione = QStringLiteral("Startup");
    const double top = finestra.top < 0 ? 0 : finestra.top;
    const double left = finestra.left < 0 ? 0 : finestra.left;
    if (top < altezzaSchermo) ScriviIni(fileIni, sezione, QStringLiteral("POSY"), top);
    if (left < larghezzaSchermo) ScriviIni(fileIni, sezione, QStringLiteral("POSX"), left);
    ScriviIni(fileIni, sezione, QStringLiteral("DIMX"), finestra.width);
    ScriviIni(fileIni, sezione, QStringLiteral("DIMY"), finestra.height);
}

void RegistraEsecuzione(const QString& cartellaProgramma, const QDate& oggi,
                        const VersioneProgramma& versione) {
    const QString sezione = QStringLiteral("Setting");
    platform::saveUserSetting(NomeProgramma, sezione, QStringLiteral("ExePath"),
                              QDir::toNativeSeparators(cartellaProgramma));
    platform::saveUserSetting(NomeProgramma, sezione, QStringLiteral("ExeRun"),
                              oggi.toString(QStringLiteral("dd/MM/yyyy")));
    platform::saveUserSetting(NomeProgramma, sezione, QStringLiteral("ExeVersion"), TestoVersione(versione));
}

} // namespace qv
