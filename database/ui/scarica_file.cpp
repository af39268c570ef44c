#include "database/ui/scarica_file.h"

#include "shell/nome_programma.h"
#include "shell/ui/contesto_finestre.h"

#include <QDir>
#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QProgressDialog>
#include <QSaveFile>
#include <QStandardPaths>
#include <QUrl>

namespace qv {

namespace {
constexpr int kAttesaMassimaMs = 60000; // no data for this long: the download fails
}

QString CartellaScaricamenti() {
    const QString cartella = QStandardPaths::writableLocation(QStandardPaths::DownloadLocation);
    return cartella.isEmpty() ? QDir::homePath() : cartella;
}

QString ScaricaFile(ContestoFinestre& contesto, QWidget* sopra, const QString& indirizzo,
                    const QString& cartella) {
    const QUrl url(indirizzo);
    const QString nome = url.fileName().isEmpty() ? QStringLiteral("aggiornamento") : url.fileName();
    QDir().mkpath(cartella);
    const QString percorso = QDir(cartella).filePath(nome);
    QSaveFile file(percorso);
    QString errore;
    if (!file.open(QIODevice::WriteOnly)) errore = file.errorString();

    bool annullato = false;
    if (errore.isEmpty()) {
        QNetworkAccessManager rete;
        QNetworkRequest richiesta(url);
        richiesta.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
        richiesta.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
        richiesta.setTransferTimeout(kAttesaMassimaMs);
        QProgressDialog avanzamento(QStringLiteral("Scaricamento di ") + nome, QStringLiteral("&ANNULLA"), 0,
                                    0, sopra);
        avanzamento.setObjectName(QStringLiteral("Scaricamento"));
        avanzamento.setWindowModality(Qt::WindowModal);
        avanzamento.setMinimumDuration(0);
        QNetworkReply* risposta = rete.get(richiesta);
        QEventLoop attesa;
        QObject::connect(risposta, &QNetworkReply::readyRead, &attesa,
                         [&] { file.write(risposta->readAll()); });
        QObject::connect(risposta, &QNetworkReply::downloadProgress, &avanzamento,
                         [&](qint64 fatti, qint64 totale) {
                             avanzamento.setMaximum(int(qMax<qint64>(totale, 0) / 1024));
                             avanzamento.setValue(int(fatti / 1024));
                         });
        QObject::connect(&avanzamento, &QProgressDialog::canceled, risposta, [&] {
            annullato = true;
            risposta->abort();
        });
        QObject::connect(risposta, &QNetworkReply::finished, &attesa, &QEventLoop::quit);
        attesa.exec();
        file.write(risposta->readAll());
        const int stato = risposta->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        if (risposta->error() != QNetworkReply::NoError)
            errore = risposta->errorString();
        else if (stato >= 400)
            errore = QStringLiteral("HTTP ") + QString::number(stato);
        risposta->deleteLater();
    }
    if (annullato || !errore.isEmpty() || !file.commit()) {
        file.cancelWriting();
        if (!annullato)
            contesto.messaggi.mostra(QStringLiteral("SCARICAMENTO NON RIUSCITO") + QLatin1Char('\n') +
                                         indirizzo + QLatin1Char('\n') +
                                         (errore.isEmpty() ? file.errorString() : errore),
                                     NomeProgramma, Icona::Critica);
        return QString();
    }
    if (contesto.messaggi.mostra(QStringLiteral("File scaricato in") + QLatin1Char('\n') + percorso +
                                     QStringLiteral("\n\nApro la cartella?"),
                                 NomeProgramma, Icona::Domanda, Pulsanti::SiNo) == Risposta::Si)
        contesto.avviatore.apriDocumento(cartella, QString(), cartella, 1);
    return percorso;
}

} // namespace qv
