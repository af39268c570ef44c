#include "platform/system_launcher.h"

#include "platform/document_opener.h"

#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>

namespace qv {

qint64 AvviatoreSistema::avviaProgramma(const QString& programma, const QString& argomenti, int /*stile*/) {
    // The window style has no meaning for a detached process here: the
    // started program decides how it shows itself.
    qint64 pid = 0;
    if (!QProcess::startDetached(programma, QProcess::splitCommand(argomenti), QString(), &pid)) return 0;
    return pid;
}

bool AvviatoreSistema::apriIndirizzo(const QString& indirizzo) {
    platform::SystemDocumentOpener opener;
    return opener.open(IndirizzoNormalizzato(indirizzo));
}

EsitoShell AvviatoreSistema::apriDocumento(const QString& file, const QString& parametri,
                                           const QString& cartella, int /*mostra*/) {
    EsitoShell esito;
    if (!cartella.trimmed().isEmpty() && !QFileInfo(cartella.trimmed()).isDir()) {
        esito.codice = 3;
        return esito;
    }
    const QString percorso = file.trimmed();
    if (!percorso.contains(QStringLiteral("://")) && !percorso.startsWith(QLatin1String("mailto:")) &&
        !QFileInfo::exists(percorso)) {
        esito.codice = 2;
        return esito;
    }
    if (QFileInfo(percorso).isExecutable() && !QFileInfo(percorso).isDir()) {
        esito.codice = avviaProgramma(percorso, parametri, 1) != 0 ? 42 : 31;
        return esito;
    }
    platform::SystemDocumentOpener opener;
    esito.codice = opener.open(percorso) ? 42 : 31;
    return esito;
}

QString IndirizzoNormalizzato(const QString& indirizzo) {
    static const QRegularExpression schema(QStringLiteral("^(https?):\\\\\\\\"),
                                           QRegularExpression::CaseInsensitiveOption);
    QString out = indirizzo;
    out.replace(schema, QStringLiteral("\\1://"));
    return out;
}

} // namespace qv
