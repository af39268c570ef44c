#pragma once
// What several suites share: where the built programs are, quorvan-demo-server
// started on a free loopback port for one test, and quorvan-cli run to its end.

#include "shell/file_ini.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QString>
#include <QStringList>

// Where the built executables are: QUORVAN_BIN_DIR (set by CTest), else
// beside the test itself.
inline QDir cartellaProgrammi() {
    const QString dir = qEnvironmentVariable("QUORVAN_BIN_DIR");
    return QDir(dir.isEmpty() ? QCoreApplication::applicationDirPath() : dir);
}

class ServerAvviato {
public:
    explicit ServerAvviato(const QStringList& opzioni = {}) {
        const QString programma = cartellaProgrammi().filePath(QStringLiteral("quorvan-demo-server"));
        processo_.start(programma, QStringList{QStringLiteral("--port"), QStringLiteral("0")} + opzioni);
        if (!processo_.waitForStarted(10000))
            return;
        while (processo_.state() == QProcess::Running && !processo_.canReadLine())
            processo_.waitForReadyRead(200);
        const QByteArray riga = processo_.readLine().trimmed();
        if (riga.startsWith("PORT "))
            porta_ = riga.mid(5).toUShort();
    }
    ~ServerAvviato() {
        if (processo_.state() != QProcess::NotRunning) {
            processo_.terminate();
            if (!processo_.waitForFinished(5000)) {
                processo_.kill();
                processo_.waitForFinished(5000);
            }
        }
    }
    ServerAvviato(const ServerAvviato&) = delete;
    ServerAvviato& operator=(const ServerAvviato&) = delete;

    bool avviato() const { return porta_ != 0; }
    quint16 porta() const { return porta_; }
    QString base() const { return QStringLiteral("http://127.0.0.1:") + QString::number(porta_); }
    QString urlExport() const { return base() + QStringLiteral("/ed/servizi/esportazione/export.htm?mrn="); }
    QString urlTransiti() const {
        return base() + QStringLiteral("/ed/servizi/ecustoms/transito/mrn/transito.htm?mrn=");
    }
    QString urlVat() const { return base() + QStringLiteral("/servizi/vies/vies.htm?act=piva&stato="); }

    // Points the enquiry state's addresses (a StatoWeb) at this server.
    template <class Web> void indirizzi(Web& web) const {
        web.UrlExport = urlExport();
        web.UrlTransiti = urlTransiti();
        web.UrlVat = urlVat();
        web.UrlVatPiva = QStringLiteral("&piva=");
    }

    // Points the enquiry addresses of a configuration file at this server.
    void scriviIndirizzi(const QString& fileIni) const {
        qv::ScriviIni(fileIni, "INDIRIZZIWEB", "EXPORT", urlExport());
        qv::ScriviIni(fileIni, "INDIRIZZIWEB", "TRANSITI", urlTransiti());
        qv::ScriviIni(fileIni, "INDIRIZZIWEB", "VAT", urlVat());
    }

private:
    QProcess processo_;
    quint16 porta_ = 0;
};

// One finished run of quorvan-cli; stato is -1 when it crashed or hung.
struct Esecuzione {
    int stato = -1;
    QByteArray out;
    QByteArray err;
};

inline Esecuzione eseguiCli(const QStringList& argomenti, const QString& cartellaLavoro = {}) {
    QProcess p;
    if (!cartellaLavoro.isEmpty())
        p.setWorkingDirectory(cartellaLavoro);
    p.start(cartellaProgrammi().filePath(QStringLiteral("quorvan-cli")), argomenti);
    Esecuzione e;
    if (!p.waitForFinished(120000)) {
        p.kill();
        p.waitForFinished();
        return e;
    }
    e.stato = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    e.out = p.readAllStandardOutput();
    e.err = p.readAllStandardError();
    return e;
}
