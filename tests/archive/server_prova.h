#pragma once
// The demo enquiry server for one test: started on a free loopback port from
// the build's executables folder, stopped when the object goes.

#include "enquiry/stato_web.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>

namespace qv::prova {

class ServerProva {
public:
    ServerProva() {
        const QString cartella = QProcessEnvironment::systemEnvironment().value(QStringLiteral("QUORVAN_BIN_DIR"));
        processo_.setProgram(cartella + QStringLiteral("/quorvan-demo-server"));
        processo_.setArguments({QStringLiteral("--port"), QStringLiteral("0")});
        processo_.start();
        if (!processo_.waitForStarted(10000))
            return;
        while (processo_.state() == QProcess::Running && !processo_.canReadLine())
            processo_.waitForReadyRead(200);
        const QByteArray riga = processo_.readLine().trimmed();
        if (riga.startsWith("PORT "))
            porta_ = riga.mid(5).toUShort();
    }
    ~ServerProva() { ferma(); }
    ServerProva(const ServerProva&) = delete;
    ServerProva& operator=(const ServerProva&) = delete;

    void ferma() {
        if (processo_.state() != QProcess::NotRunning) {
            processo_.kill();
            processo_.waitForFinished(5000);
        }
    }

    bool avviato() const { return porta_ != 0; }
    quint16 porta() const { return porta_; }

    // Points the enquiry addresses of `web` at this server.
    void indirizzi(StatoWeb& web) const {
        const QString base = QStringLiteral("http://127.0.0.1:") + QString::number(porta_);
        web.UrlExport = base + QStringLiteral("/ed/servizi/esportazione/export.htm?mrn=");
        web.UrlTransiti = base + QStringLiteral("/ed/servizi/ecustoms/transito/mrn/transito.htm?mrn=");
        web.UrlVat = base + QStringLiteral("/servizi/vies/vies.htm?act=piva&stato=");
        web.UrlVatPiva = QStringLiteral("&piva=");
    }

private:
    QProcess processo_;
    quint16 porta_ = 0;
};

} // namespace qv::prova
