#pragma once
// What the fuzz targets share: the check that stops the run on a broken
// rule (libFuzzer then writes the input as the reproducer), the split of an
// input into its parts, and a scratch folder for the files a reader needs.

#include <QByteArray>
#include <QDir>
#include <QList>
#include <QString>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

namespace fuzz {

// A rule the reader must keep; on failure the run stops with the rule, the
// detail and the place, and libFuzzer saves the input.
[[noreturn]] inline void fallisci(const char* regola, const QString& dettaglio, const char* file, int riga) {
    std::fprintf(stderr, "\n*** REGOLA VIOLATA: %s\n*** %s\n*** at %s:%d\n", regola,
                 dettaglio.toUtf8().constData(), file, riga);
    std::abort();
}

#define VERIFICA(condizione, dettaglio)                                                                      \
    do {                                                                                                     \
        if (!(condizione)) ::fuzz::fallisci(#condizione, (dettaglio), __FILE__, __LINE__);                   \
    } while (0)

// The input cut at each `separatore`; the first part is what comes before
// the first one. An input without separators is one part.
inline QList<QByteArray> parti(const QByteArray& dati, const QByteArray& separatore) {
    QList<QByteArray> r;
    qsizetype da = 0;
    for (;;) {
        const qsizetype p = dati.indexOf(separatore, da);
        if (p < 0) break;
        r << dati.mid(da, p - da);
        da = p + separatore.size();
    }
    r << dati.mid(da);
    return r;
}

// One scratch folder per process, under tmpfs when there is one.
inline QString cartellaLavoro() {
    static QTemporaryDir cartella(QDir(QStringLiteral("/dev/shm")).exists()
                                      ? QStringLiteral("/dev/shm/quorvan-fuzz-XXXXXX")
                                      : QDir::tempPath() + QStringLiteral("/quorvan-fuzz-XXXXXX"));
    if (!cartella.isValid()) fallisci("cartella di lavoro", cartella.errorString(), __FILE__, __LINE__);
    return cartella.path() + QLatin1Char('/');
}

} // namespace fuzz
