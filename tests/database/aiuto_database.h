#pragma once
// Shared by the database tests: a scratch folder with databases made on the
// spot, and a check that a file was left exactly as it was.

#include "database/dao/errore.h"
#include "database/dao/workspace.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

namespace qv::prova {

// The content and modification time of a file, to prove it untouched.
struct Impronta {
    QByteArray hash;
    QDateTime modificato;
    qint64 dimensione = -1;

    static Impronta di(const QString& percorso) {
        Impronta i;
        QFile f(percorso);
        if (f.open(QIODevice::ReadOnly))
            i.hash = QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
        const QFileInfo fi(percorso);
        i.modificato = fi.lastModified();
        i.dimensione = fi.exists() ? fi.size() : -1;
        return i;
    }
    bool operator==(const Impronta& o) const {
        return hash == o.hash && modificato == o.modificato && dimensione == o.dimensione;
    }
};

// Runs `f` and returns the engine error number it raised, 0 when none.
template <typename F> int numeroErrore(F&& f) {
    try {
        f();
    } catch (const dao::ErroreDao& e) {
        return e.numero();
    }
    return 0;
}

} // namespace qv::prova
