#pragma once
// Whole files read and written by the tests.

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTest>

// A file's content, or "<missing>" when it cannot be read.
inline QByteArray leggiFile(const QString& percorso) {
    QFile f(percorso);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

inline void scriviFile(const QString& percorso, const QByteArray& contenuto) {
    QFile f(percorso);
    QVERIFY2(f.open(QIODevice::WriteOnly | QIODevice::Truncate), qPrintable(percorso));
    f.write(contenuto);
}
