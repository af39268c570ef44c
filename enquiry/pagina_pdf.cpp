#include "enquiry/pagina_pdf.h"

#include "enquiry/codici_web.h"
#include "shell/file_ini.h"
#include "shell/messaggi.h"
#include "shell/nome_programma.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QThread>

#include <cmath>

namespace qv {

namespace {

const QString kSezione = QStringLiteral("PDFCREATOR");
const QString kTitolo = QStringLiteral("<Title>");

void lasciaPassareEventi() {
    if (QCoreApplication::instance()) QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    QThread::msleep(10);
}

QString togliSeparatoreFinale(QString cartella) {
    if (cartella.endsWith(QLatin1Char('\\')) || cartella.endsWith(QLatin1Char('/'))) cartella.chop(1);
    return cartella;
}

} // namespace

ImpostazioniPdf LeggiImpostazioniPdf(const QString& fileIni, const QString& cartellaProgramma) {
    ImpostazioniPdf i;
    const QString automatico = LeggiIni(fileIni, kSezione, QStringLiteral("UseAutosave")).trimmed();
    if (!automatico.isEmpty()) {
        const double v = ValoreNumerico(automatico);
        i.UseAutosave = std::isfinite(v) ? int(std::round(v)) : 0;
    }
    i.AutosaveFilename =
        ValoreTesto(LeggiIni(fileIni, kSezione, QStringLiteral("AutosaveFilename")), kTitolo);
    i.AutosaveDirectory = ValoreTesto(LeggiIni(fileIni, kSezione, QStringLiteral("AutosaveDirectory")),
                                      togliSeparatoreFinale(cartellaProgramma) + QStringLiteral("/PDF"));
    return i;
}

QString TitoloComeNomeFile(const QString& titolo) {
    QString nome = titolo;
    for (QChar& c : nome)
        if (QStringLiteral("\\/:*?\"<>|").contains(c)) c = QLatin1Char('_');
    return nome;
}

QString FilePdfAutomatico(const ImpostazioniPdf& impostazioni, const QString& titolo) {
    if (impostazioni.UseAutosave == 0) return {};
    QString nome = impostazioni.AutosaveFilename.trimmed();
    nome.replace(kTitolo, titolo, Qt::CaseInsensitive);
    return togliSeparatoreFinale(impostazioni.AutosaveDirectory.trimmed()) + QLatin1Char('/') +
           TitoloComeNomeFile(nome) + QStringLiteral(".pdf");
}

ControlloPdf ControllaPdfCreator(const QString& NomeStampante, const ImpostazioniPdf& impostazioni,
                                 Messaggi& messaggi) {
    ControlloPdf c;
    if (NomeStampante != QString::fromLatin1(NomeStampantePdf).toUpper() || impostazioni.UseAutosave == 0)
        return c;
    if (impostazioni.AutosaveFilename.trimmed() != kTitolo) {
        messaggi.mostra(QStringLiteral("NOME DEL SALVATAGGIO AUTOMATICO DIVERSO DA <Title>"),
                        NomeProgramma.toUpper());
        return c;
    }
    c.Stato = 0;
    c.CartellaPdf = togliSeparatoreFinale(impostazioni.AutosaveDirectory.trimmed());
    return c;
}

QString NomePdfCreator(const QString& tipo) {
    const QString dogane = QStringLiteral("http___") + QLatin1String(HostDogane);
    if (tipo == QLatin1String("tr")) return dogane + QStringLiteral("_ed_servizi_transito_mrn_transito.pdf");
    if (tipo == QLatin1String("ex")) return dogane + QStringLiteral("_ed_servizi_esportazione_export.pdf");
    return QStringLiteral("http___") + QLatin1String(HostEntrate) +
           QStringLiteral("_servizi_vies_vies.htm_act=piva&st.pdf");
}

QString NomePdfPagina(const QString& tipo, const QString& codice) {
    if (tipo == QLatin1String("ex") || tipo == QLatin1String("tr"))
        return tipo.toUpper() + QLatin1Char('_') + codice + QStringLiteral(".pdf");
    return codice.left(2) + QLatin1Char('_') + codice.mid(2) + QStringLiteral(".pdf");
}

std::chrono::milliseconds LimiteTentativi(int n) {
    return std::chrono::seconds((n + 1) * 5);
}

bool CancellaFile(const QString& percorso, std::chrono::milliseconds limite) {
    const QDeadlineTimer scadenza(limite);
    for (;;) {
        if (!QFile::exists(percorso)) return true;
        lasciaPassareEventi();
        if (QFile::remove(percorso)) return true;
        if (scadenza.hasExpired()) return false;
    }
}

bool RinominaFile(const QString& origine, const QString& destinazione, std::chrono::milliseconds limite) {
    CancellaFile(destinazione, limite);
    const QDeadlineTimer scadenza(limite);
    for (;;) {
        lasciaPassareEventi();
        if (QFile::exists(origine) && QFile::rename(origine, destinazione)) return true;
        if (scadenza.hasExpired()) return false;
    }
}

} // namespace qv
