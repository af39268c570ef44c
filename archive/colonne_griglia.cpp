#include "archive/colonne_griglia.h"

#include "platform/profile_file.h"
#include "shell/file_ini.h"

namespace qv {

const QList<ColonnaGriglia>& ColonneGriglia() {
    static const QList<ColonnaGriglia> colonne = [] {
        QList<ColonnaGriglia> c{
            {QStringLiteral("MRN"), QStringLiteral("Codice"), TipoCampo::Testo},
            {QStringLiteral("NAZ"), QStringLiteral("Nazione"), TipoCampo::Testo},
            {QStringLiteral("UFF.EXP."), QStringLiteral("ExUffExport"), TipoCampo::Testo},
            {QStringLiteral("SEZIONE"), QStringLiteral("ExUffUscitaCod"), TipoCampo::Testo},
            {QStringLiteral("DESCRIZIONE"), QStringLiteral("ExUffUscitaDes"), TipoCampo::Testo},
            {QStringLiteral("DATA"), QStringLiteral("ExDataUscita"), TipoCampo::Data},
        };
        for (int k = 1; k <= 4; ++k) {
            const QString n = QString::number(k);
            c.append({QStringLiteral("UFF. ") + n, QStringLiteral("TrUfficio") + n, TipoCampo::Testo});
            c.append({QStringLiteral("RUOLO ") + n, QStringLiteral("TrRuolo") + n, TipoCampo::Testo});
            c.append({QStringLiteral("DATA ") + n, QStringLiteral("TrData") + n, TipoCampo::Data});
            c.append({QStringLiteral("CANC. ") + n, QStringLiteral("TrDataDel") + n, TipoCampo::Data});
        }
        c.append({QStringLiteral("Elaborato"), QStringLiteral("DataElab"), TipoCampo::Data});
        c.append({QStringLiteral("St"), QStringLiteral("OKStato"), TipoCampo::Numero});
        return c;
    }();
    return colonne;
}

QString CampoColonna(int indice) {
    const auto& c = ColonneGriglia();
    return indice >= 0 && indice < c.size() ? c.at(indice).campo : QStringLiteral("Codice");
}

const QStringList& VociStato() {
    static const QStringList voci{QStringLiteral("IN SOSPESO"), QStringLiteral("CANCELLATI"), QStringLiteral("ERRATI"),
                                  QStringLiteral("CONCLUSI"), QStringLiteral("TUTTI")};
    return voci;
}

QString LetteraStato(int stato) {
    static const QString lettere[] = {QStringLiteral("S"), QStringLiteral("D"), QStringLiteral("E"),
                                      QStringLiteral("C")};
    return stato >= 0 && stato <= 3 ? lettere[stato] : QString();
}

int ColoreDaLettera(const QString& lettera) {
    if (lettera == QLatin1String("E"))
        return 0;
    if (lettera == QLatin1String("C"))
        return 1;
    if (lettera == QLatin1String("D"))
        return 2;
    return 3;
}

QString EstendiLayOut(const QString& valore) {
    if (valore.trimmed().isEmpty())
        return QString(25, QLatin1Char('S'));
    return valore + QString(25, QLatin1Char(' '));
}

bool ColonnaVisibile(const QString& esteso, int colonna) {
    if (colonna <= 0)
        return true;
    return colonna <= esteso.size() && esteso.at(colonna - 1) == QLatin1Char('S');
}

QStringList VociLayOut(const QString& esteso) {
    QStringList voci;
    const auto& c = ColonneGriglia();
    for (int i = 1; i < c.size(); ++i) {
        const QChar flag = ColonnaVisibile(esteso, i) ? QLatin1Char('S') : QLatin1Char(' ');
        voci.append(QString(flag) + QStringLiteral(" | ") + c.at(i).intestazione);
    }
    return voci;
}

QString InvertiVoceLayOut(const QString& voce) {
    if (voce.isEmpty())
        return voce;
    const QChar nuovo = voce.at(0) == QLatin1Char('S') ? QLatin1Char(' ') : QLatin1Char('S');
    return nuovo + voce.mid(1);
}

QString ComponiLayOut(const QStringList& voci) {
    QString s;
    for (const QString& v : voci)
        s += v.isEmpty() ? QLatin1Char(' ') : v.at(0);
    return s;
}

QString LeggiVisibilita(const QString& fileIni) {
    return EstendiLayOut(platform::readProfileString(fileIni, QString::fromLatin1(kSezioneBrowser),
                                                     QString::fromLatin1(kChiaveLayOut)));
}

void ScriviVisibilita(const QString& fileIni, const QString& valore) {
    ScriviIni(fileIni, QString::fromLatin1(kSezioneBrowser), QString::fromLatin1(kChiaveLayOut),
              valore.startsWith(QLatin1Char(' ')) ? QLatin1Char('"') + valore + QLatin1Char('"') : valore);
}

} // namespace qv
