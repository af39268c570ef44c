#pragma once
// Shared by the database tests: a file's fingerprint, another process holding a
// file, the engine error a call raises, and table definitions written short.

#include "database/dao/errore.h"
#include "database/dao/schema.h"
#include "database/dao/workspace.h"
#include "programmi_prova.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace qv::prova {

// The content and modification time of a file, to prove it untouched.
struct Impronta {
    QByteArray hash;
    QDateTime modificato;
    qint64 dimensione = -1;
    static Impronta di(const QString& percorso) {
        QFile f(percorso);
        const QFileInfo fi(percorso);
        return {f.open(QIODevice::ReadOnly) ? QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256) : QByteArray(),
                fi.lastModified(), fi.exists() ? fi.size() : -1};
    }
    bool operator==(const Impronta&) const = default;
};

// Another process (qv_blocca_database) holding `file` until it is stopped.
class AltroProcesso {
public:
    AltroProcesso(const QString& file, const QString& modo) {
        p_.start(cartellaProgrammi().filePath("qv_blocca_database"), {file, modo});
        pronto_ = p_.waitForStarted(10000) && p_.waitForReadyRead(10000) &&
                  p_.readAllStandardOutput().contains("pronto");
    }
    ~AltroProcesso() { ferma(); }
    bool pronto() const { return pronto_; }
    // Lets the file go; false when the process had to be killed.
    bool ferma() {
        if (p_.state() == QProcess::NotRunning) return true;
        p_.closeWriteChannel();
        if (p_.waitForFinished(10000)) return true;
        p_.kill();
        p_.waitForFinished();
        return false;
    }

private:
    QProcess p_;
    bool pronto_ = false;
};

// Runs `f` and returns the engine error number it raised, 0 when none.
template <typename F> int numeroErrore(F&& f) {
    try {
        f();
        return 0;
    } catch (const dao::ErroreDao& e) {
        return e.numero();
    }
}

inline dao::Field campo(const QString& nome, int tipo, int dimensione = 0) {
    return dao::TableDef::CreateField(nome, tipo, dimensione);
}

// An index over `campi`; a leading "-" makes a field descending.
inline dao::Index indice(const QString& nome, bool primario, bool unico, const QStringList& campi) {
    dao::Index i{nome, primario, unico, {}};
    for (const QString& c : campi)
        i.CreateField(c.startsWith(QLatin1Char('-')) ? c.mid(1) : c, c.startsWith(QLatin1Char('-')));
    return i;
}

inline dao::Index primaria(const QString& campo) { return indice(QStringLiteral("primaria"), true, true, {campo}); }

inline dao::TableDef tabella(const QString& nome, const QList<dao::Field>& campi, const QList<dao::Index>& indici = {}) {
    dao::TableDef t;
    t.Name = nome;
    t.Fields = campi;
    t.Indexes = indici;
    return t;
}

} // namespace qv::prova
