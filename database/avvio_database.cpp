#include "database/avvio_database.h"

#include "database/aggiorna_su_copia.h"
#include "database/colori.h"
#include "database/file_database.h"
#include "database/nazioni.h"
#include "platform/day_number.h"
#include "platform/program_folder.h"
#include "shell/file_ini.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>

namespace qv {

namespace {

const QString kSezione = QStringLiteral("AGGIORNAMENTI");
const QString kChiave = QStringLiteral("BASE");

// A stamp through the "0.00000" form and back, as a 32-bit float.
float cinqueDecimali(float timbro) {
    return QString::number(double(timbro), 'f', 5).toFloat();
}

bool copiaConData(const QString& da, const QString& a) {
    QFile::remove(a);
    if (!QFile::copy(da, a)) return false;
    QFile f(a);
    // The copy keeps the shipped file's date: that date is its stamp.
    return f.open(QIODevice::ReadWrite) &&
           f.setFileTime(QFileInfo(da).lastModified(), QFileDevice::FileModificationTime);
}

} // namespace

float TimbroApplicato(const QString& fileIni) {
    return static_cast<float>(ValoreNumerico(LeggiIni(fileIni, kSezione, kChiave)));
}

float TimbroRiferimento(const QString& percorsoRiferimento) {
    const QFileInfo fi(percorsoRiferimento);
    if (!fi.isFile()) return 0;
    return static_cast<float>(platform::dayNumber(fi.lastModified()));
}

bool AggiornamentoDovuto(float applicato, float riferimento) {
    return cinqueDecimali(applicato) < cinqueDecimali(riferimento);
}

QString TestoTimbro(float timbro) {
    QLocale l = QLocale::system();
    l.setNumberOptions(QLocale::OmitGroupSeparator);
    return l.toString(double(timbro), 'g', QLocale::FloatingPointShortest);
}

AvviaAggiornamento AggiornamentoSenzaFinestra(Messaggi& m, const ParametriAvvio& p,
                                              UscitaAggiornamento uscita) {
    // On a copy that replaces the archive only once complete: a run cut short loses nothing.
    return
        [&m, p, uscita](StatoDatabase& s) { AggiornaInAutomaticoSuCopia(s, m, p.cartella, p.nome, uscita); };
}

bool ControllaRiferimento(StatoDatabase& s, Messaggi& m, const ParametriAvvio& p,
                          const AvviaAggiornamento& aggiorna) {
    const float applicato = TimbroApplicato(p.fileIni);
    const float riferimento = TimbroRiferimento(PercorsoRiferimento(p.cartella, p.nome));
    if (!AggiornamentoDovuto(applicato, riferimento)) return true;
    SalvaCopiaDataBase(s, m, p.cartella, p.nome);
    s.StatoChiamata = 1;
    if (aggiorna) aggiorna(s);
    if (s.StatoChiamata != 0) {
        m.mostra(QStringLiteral("OCCORRE ESEGUIRE L'AGGIORNAMENTO DEL BATABASE"), NomeProgramma);
        return false;
    }
    if (riferimento > 0) ScriviIni(p.fileIni, kSezione, kChiave, TestoTimbro(riferimento));
    return true;
}

QStringList PreparaFileProgramma(const ParametriAvvio& p) {
    QStringList falliti;
    const QString nomeRiferimento = p.nome + QStringLiteral("0.mdb");
    const QString spedito = PercorsoRiferimento(platform::shippedFilesFolder(), p.nome);
    const QString riferimento = PercorsoRiferimento(p.cartella, p.nome);
    const QFileInfo fs(spedito), fr(riferimento);
    if (fs.isFile() && fs.canonicalFilePath() != fr.canonicalFilePath() &&
        (!fr.exists() || fs.lastModified() > fr.lastModified()) && !copiaConData(spedito, riferimento))
        falliti << nomeRiferimento;
    falliti << platform::copyMissingShippedFiles(p.cartella, {QStringLiteral("Images")});

    // A new program folder (no stamp applied yet) gets its archive from the
    // reference: empty but for its base data, and already up to date. Later a
    // missing archive is left missing (moved, or on a drive not mounted).
    const QString lavoro = PercorsoDataBase(p.cartella, p.nome);
    const bool cartellaNuova = LeggiIni(p.fileIni, kSezione, kChiave).trimmed().isEmpty();
    if (cartellaNuova && !QFileInfo::exists(lavoro) && QFileInfo(riferimento).isFile()) {
        if (QFile::copy(riferimento, lavoro)) {
            QFile::setPermissions(lavoro, QFile::permissions(lavoro) | QFileDevice::WriteOwner);
            ScriviIni(p.fileIni, kSezione, kChiave, TestoTimbro(TimbroRiferimento(riferimento)));
        } else {
            falliti << QFileInfo(lavoro).fileName();
        }
    }
    return falliti;
}

} // namespace qv
