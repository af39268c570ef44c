#include "shell/stampa.h"

#include "shell/file_ini.h"

namespace qv {

QStringList TipiStampa() {
    return {QStringLiteral("P (su stampante con richiesta)"), QStringLiteral("D (su stampante direttamente)"),
            QStringLiteral("V (a video)")};
}

QStringList VociZoom() {
    return {QStringLiteral(" 100%"), QStringLiteral("Larghezza"), QStringLiteral("Intera"),
            QStringLiteral("  50%"), QStringLiteral("  75%")};
}

QString StampanteProgramma(const QString& fileIni, const StatoStampa& stato, const QString& predefinita) {
    if (!stato.StampanteCorrente.isEmpty()) return stato.StampanteCorrente;
    const QString tenuta = fileIni.isEmpty()
                               ? QString()
                               : LeggiIni(fileIni, QStringLiteral("STAMPA"), QStringLiteral("STAMPANTE"));
    return tenuta.trimmed().isEmpty() ? predefinita : tenuta.trimmed();
}

void CambiaStampante(const QString& fileIni, StatoStampa& stato, const QString& stampante) {
    stato.StampanteCorrente = stampante;
    if (!fileIni.isEmpty())
        ScriviIni(fileIni, QStringLiteral("STAMPA"), QStringLiteral("STAMPANTE"), stampante);
}

void ConfermaStampa(const QString& fileIni, StatoStampa& stato, const QString& stampante, const QString& tipo,
                    int indicePagina, int indiceZoom) {
    stato.TipoStampa = tipo.left(1);
    stato.IndicePagina = indicePagina;
    stato.IndiceZoom = indiceZoom;
    const QString sezione = QStringLiteral("STAMPA");
    ScriviIni(fileIni, sezione, QStringLiteral("STAMPANTE"), stampante);
    ScriviIni(fileIni, sezione, QStringLiteral("TIPO"), stato.TipoStampa);
    ScriviIni(fileIni, sezione, QStringLiteral("PREVIEW"), QString::number(indicePagina));
    ScriviIni(fileIni, sezione, QStringLiteral("ZOOM"), QString::number(indiceZoom));
}

} // namespace qv
