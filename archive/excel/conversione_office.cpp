#include "archive/excel/conversione_office.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

#include <cstdio>

namespace qv {

bool RichiedeConversione(const QString& percorso) {
    const QString suffisso = QFileInfo(percorso).suffix().toLower();
    return suffisso == QLatin1String("xls") || suffisso == QLatin1String("ods");
}

QString ProgrammaOffice() { return QStandardPaths::findExecutable(QStringLiteral("soffice")); }

ErroreExcel ConversioneOffice::esegui(const QString& formato, const QString& file, const QString& cartellaUscita) {
    const QString soffice = ProgrammaOffice();
    if (soffice.isEmpty())
        return ErroreCartella(CodiceErroreExcel::LibreOfficeMancante);
    // A profile of its own, so that a LibreOffice the user has open does
    // not take the request over.
    const QString profilo = QUrl::fromLocalFile(cartella_.filePath(QStringLiteral("profilo"))).toString();
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(soffice, {QStringLiteral("-env:UserInstallation=") + profilo, QStringLiteral("--headless"),
                      QStringLiteral("--norestore"), QStringLiteral("--convert-to"), formato,
                      QStringLiteral("--outdir"), cartellaUscita, file});
    const bool finito = p.waitForFinished(180000);
    if (!finito) {
        p.kill();
        p.waitForFinished();
    }
    const QString atteso = QDir(cartellaUscita).filePath(QFileInfo(file).completeBaseName() + QLatin1Char('.') +
                                                         formato.section(QLatin1Char(':'), 0, 0));
    if (!finito || p.exitCode() != 0 || !QFileInfo::exists(atteso))
        return ErroreCartella(CodiceErroreExcel::ConversioneFallita,
                              QDir::toNativeSeparators(file) + QStringLiteral(": ") +
                                  QString::fromLocal8Bit(p.readAll()).trimmed());
    return {};
}

ErroreExcel ConversioneOffice::converti(const QString& originale) {
    originale_ = QFileInfo(originale).absoluteFilePath();
    if (ProgrammaOffice().isEmpty())
        return ErroreCartella(CodiceErroreExcel::LibreOfficeMancante);
    if (!cartella_.isValid())
        return ErroreCartella(CodiceErroreExcel::ConversioneFallita, cartella_.errorString());
    const QString andata = cartella_.filePath(QStringLiteral("xlsx"));
    QDir().mkpath(andata);
    if (ErroreExcel e = esegui(QStringLiteral("xlsx"), originale_, andata))
        return e;
    copia_ = QDir(andata).filePath(QFileInfo(originale_).completeBaseName() + QStringLiteral(".xlsx"));
    return {};
}

ErroreExcel ConversioneOffice::riporta() {
    const QFileInfo info(originale_);
    const bool xls = info.suffix().toLower() == QLatin1String("xls");
    const QString ritorno = cartella_.filePath(QStringLiteral("ritorno"));
    QDir().mkpath(ritorno);
    if (ErroreExcel e = esegui(xls ? QStringLiteral("xls:MS Excel 97") : QStringLiteral("ods"), copia_, ritorno))
        return e;
    const QString convertito = QDir(ritorno).filePath(info.completeBaseName() + (xls ? QStringLiteral(".xls")
                                                                                     : QStringLiteral(".ods")));
    // Copied beside the original first, so that the two renames that put it
    // in place stay within one folder.
    const QString accanto = info.absoluteDir().filePath(QStringLiteral(".~quorvan.") + info.fileName() + QStringLiteral(".tmp"));
    QFile::remove(accanto);
    if (!QFile::copy(convertito, accanto))
        return ErroreCartella(CodiceErroreExcel::SalvataggioFallito, QDir::toNativeSeparators(accanto));
    QFile::setPermissions(accanto, QFile::permissions(originale_));
    const QByteArray bak = QFile::encodeName(originale_ + QStringLiteral(".bak"));
    const QByteArray nome = QFile::encodeName(originale_);
    const bool spostato = std::rename(nome.constData(), bak.constData()) == 0;
    if (!spostato || std::rename(QFile::encodeName(accanto).constData(), nome.constData()) != 0) {
        if (spostato)
            std::rename(bak.constData(), nome.constData()); // the original goes back where it was
        QFile::remove(accanto);
        return ErroreCartella(CodiceErroreExcel::SalvataggioFallito, QDir::toNativeSeparators(originale_));
    }
    return {};
}

} // namespace qv
