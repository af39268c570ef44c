#pragma once
// Peak resident memory of this process, for checks that a large input is
// not held in memory.

#include <QByteArray>
#include <QFile>

namespace qv::prova {

// VmHWM in kB (Linux); -1 where the platform does not tell.
inline qint64 PiccoMemoriaKb() {
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& riga : f.readAll().split('\n'))
        if (riga.startsWith("VmHWM:"))
            return riga.mid(6).trimmed().split(' ').first().toLongLong();
    return -1;
}

} // namespace qv::prova
