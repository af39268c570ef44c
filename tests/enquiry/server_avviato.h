#pragma once
// Starts quorvan-demo-server (from QUORVAN_BIN_DIR) on a free loopback port
// for one test and stops it when the object goes.

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

    // Request lines the server printed so far (it must run with --log).
    QStringList righeRegistrate() {
        processo_.waitForReadyRead(100);
        while (processo_.canReadLine())
            righe_ << QString::fromLatin1(processo_.readLine().trimmed());
        return righe_;
    }

private:
    QProcess processo_;
    quint16 porta_ = 0;
    QStringList righe_;
};
