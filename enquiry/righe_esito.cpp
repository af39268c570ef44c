#include "enquiry/righe_esito.h"

#include "enquiry/testo_pagina.h"

namespace qv {

namespace {
constexpr int kLarghezza = 90;
}

RigheEsito RigheRisultato(int esito, const StatoWeb& web) {
    RigheEsito r;
    if (esito != 0) {
        r.righe[1] = QString(kLarghezza, QLatin1Char('='));
        r.righe[2] = TogliSpazi(web.Titolo[2]);
        r.righe[3] = r.righe[1];
        r.secondaCentrata = true;
        return r;
    }
    const QString apertura = web.Titolo[2].left(3);
    if (apertura == QLatin1String("===") || apertura == QLatin1String("***")) {
        r.righe[1] = web.Titolo[2];
        r.righe[2] = web.Titolo[3];
        return r;
    }
    int riga = 1;
    for (int i = 1; i <= 16; ++i)
        if (!TogliSpazi(web.Esito[i]).isEmpty())
            r.righe[riga++] = web.Titolo[(i - 1) % 4 + 1] + QLatin1Char(' ') + web.Esito[i];
    for (int i = 17; i <= 19; ++i)
        if (!TogliSpazi(web.Esito[i]).isEmpty())
            r.righe[riga++] = web.Titolo[i - 12] + QLatin1Char(' ') + web.Esito[i];
    return r;
}

QStringList RigheDaStampare(const RigheEsito& r) {
    int ultima = 0;
    for (int i = 1; i <= 19; ++i)
        if (!r.righe[i].isEmpty())
            ultima = i;
    QStringList righe;
    for (int i = 1; i <= ultima; ++i) {
        QString riga = r.righe[i];
        if (i == 2 && r.secondaCentrata && riga.size() < kLarghezza)
            riga.prepend(QString((kLarghezza - riga.size()) / 2, QLatin1Char(' ')));
        righe << riga;
    }
    return righe;
}

} // namespace qv
