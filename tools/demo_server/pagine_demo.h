#pragma once
// The pages the demo server answers with, in the agencies' default marker
// format. Which page a code gets is decided by its last character only, so
// that a demo or a test can pick any kind of page by choosing the code; the
// rule is written out in docs/demo-server.md.

#include <QByteArray>
#include <QString>

namespace qv::demo {

struct RispostaDemo {
    int stato = 200;
    QByteArray tipoContenuto; // Content-Type header
    QByteArray corpo;
};

// The answer to a GET of `percorso` (path only) with `query` (the raw query
// string). Unknown paths get 404, known paths without their code 400.
RispostaDemo RispostaPer(const QString& percorso, const QString& query);

// A plain error answer ("400 Bad Request" and the like).
RispostaDemo RispostaErrore(int stato);
QByteArray TestoStato(int stato);

// Whether the `numero`-th request (1-based) gets 429 when `percentuale` of
// them should: spread evenly, the first one included (0: none, 100: all).
bool DaRallentare(qint64 numero, int percentuale);

} // namespace qv::demo
