#include "shell/informazioni.h"

#include <QStandardPaths>

namespace qv {

const DatiDitta& Ditta() {
    // Deployment data: replaced by the maker's own when the program is packaged.
    static const DatiDitta d{
        QStringLiteral("ZENTRI s.r.l."),      QStringLiteral("Via dell'Esempio 1 - 00000 Esempio (XX)"),
        QStringLiteral("Tel. 000 0000000"),   QStringLiteral("Fax 000 0000001"),
        QStringLiteral("www.zentri.example"), QStringLiteral("info@zentri.example")};
    return d;
}

QString AvvisoLegale() {
    return QStringLiteral("Avviso: questo programma è protetto dalle leggi sul diritto d'autore. "
                          "La riproduzione o la distribuzione non autorizzata di questo programma, "
                          "o di parte di esso, è perseguibile a norma di legge.");
}

QString TitoloInformazioni(const QString& titoloProgramma) {
    return QStringLiteral(" Informazioni su ") + titoloProgramma;
}

QString TestoVersioneInformazioni(const VersioneProgramma& v) {
    return QStringLiteral("Versione ") + TestoVersione(v);
}

QString DescrizioneProgramma() {
    return QStringLiteral("\nGestione EDI: interrogazione stato MRN \n   - Svincolo garanzia per Transiti\n\n"
                          "   - Visto Uscire per export\n");
}

QString ProgrammaInfoSistema(const QString& percorsoProgramma, const QString& cartella,
                             const EsisteFileFn& esisteFile) {
    if (!percorsoProgramma.isEmpty()) return percorsoProgramma;
    if (!cartella.isEmpty()) {
        const QString file = cartella + QStringLiteral("\\MSINFO32.EXE");
        if (esisteFile(file)) return file;
    }
    return {};
}

void AvviaInfoSistema(Avviatore& avviatore, Messaggi& messaggi, const QString& percorsoProgramma,
                      const QString& cartella, const EsisteFileFn& esisteFile) {
    const QString programma = ProgrammaInfoSistema(percorsoProgramma, cartella, esisteFile);
    if (programma.isEmpty() || avviatore.avviaProgramma(programma, QString(), 1) == 0)
        messaggi.mostra(QStringLiteral("Le informazioni sul sistema non sono attualmente disponibili."),
                        NomeProgramma);
}

bool AvviaInfoDitta(Avviatore& avviatore, const QString& cartellaProgramma, const EsisteFileFn& esisteFile) {
    QStringList candidati;
    for (const QString& nome : {QStringLiteral("InfoZentri.exe"), QStringLiteral("InfoZentri")}) {
        const QString vicino = cartellaProgramma + QLatin1Char('/') + nome;
        if (esisteFile(vicino)) candidati << vicino;
        const QString sulPercorso = QStandardPaths::findExecutable(nome);
        if (!sulPercorso.isEmpty()) candidati << sulPercorso;
    }
    for (const QString& c : candidati)
        if (avviatore.avviaProgramma(c, QString(), 1) != 0) return true;
    return false;
}

} // namespace qv
