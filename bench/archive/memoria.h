#pragma once
// Memory of this process for the archive benchmarks (Linux; -1 elsewhere).

#include <QByteArray>
#include <QFile>

#include <sys/resource.h>

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

// CPU seconds this process has used (user and system), which the load of
// other work on the machine does not inflate as it does the elapsed time.
inline double CpuS() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) + double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

} // namespace qv::bench
