#pragma once
// Memory of this process for the archive benchmarks (Linux; -1 elsewhere).

#include <QByteArray>
#include <QFile>

namespace qv::bench {

// A line of /proc/self/status in MB: "VmRSS" (resident now) or "VmHWM" (peak).
inline double MemoriaMb(const QByteArray& voce) {
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& riga : f.readAll().split('\n'))
        if (riga.startsWith(voce + ':'))
            return riga.mid(voce.size() + 1).trimmed().split(' ').first().toDouble() / 1024;
    return -1;
}

} // namespace qv::bench
