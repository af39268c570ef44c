#include "enquiry/testo_pagina.h"

#include "platform/ansi_text.h"

#include <utility>

namespace qv {

GuastoEstrazione::GuastoEstrazione(TipoGuasto tipoGuasto, QString marcatoreGuasto)
    : tipo(tipoGuasto), marcatore(std::move(marcatoreGuasto)), testoUtf8_(testo().toUtf8()) {}

QString GuastoEstrazione::descrizione() const {
    switch (tipo) {
    case TipoGuasto::FineMancante:
        return QStringLiteral("FINE DEL CAMPO NON TROVATA (") + marcatore + QLatin1Char(')');
    case TipoGuasto::RicercaDaZero:
        return QStringLiteral("MARCATORE PRECEDENTE NON TROVATO, RICERCA DI ") + marcatore + QStringLiteral(" IMPOSSIBILE");
    case TipoGuasto::PosizioneOltreLimite:
        return QStringLiteral("MARCATORE OLTRE IL CARATTERE 32767 DELLA PAGINA (") + marcatore + QLatin1Char(')');
    }
    return {};
}

QString TogliSpazi(const QString& testo) {
    qsizetype inizio = 0;
    qsizetype fine = testo.size();
    while (inizio < fine && testo.at(inizio) == QLatin1Char(' '))
        ++inizio;
    while (fine > inizio && testo.at(fine - 1) == QLatin1Char(' '))
        --fine;
    return testo.mid(inizio, fine - inizio);
}

QString PulisciFinestra(QString finestra) {
    static const QString sostituto = QStringLiteral("e' s");
    // The loop bound is the length before any replacement: characters pushed
    // past it by the longer replacement are not looked at.
    const qsizetype iniziale = finestra.size();
    for (qsizetype i = 0; i < iniziale; ++i) {
        const QChar c = finestra.at(i);
        if (c == QLatin1Char('?') || !platform::isAnsiRepresentable(c))
            finestra.replace(i, 1, sostituto);
    }
    finestra.remove(QLatin1Char('\n'));
    finestra.remove(QLatin1Char('\r'));
    finestra.remove(QStringLiteral("<strong>"));
    finestra.remove(QStringLiteral("</strong>"));
    finestra.replace(QStringLiteral("&agrave;"), QStringLiteral("\u00e0"));
    return TogliSpazi(finestra);
}

bool CercaMarcatore(const QString& html, int& pos, const QString& marcatore) {
    if (pos < 1)
        throw GuastoEstrazione{TipoGuasto::RicercaDaZero, marcatore};
    const qsizetype trovato = html.indexOf(marcatore, pos - 1);
    if (trovato < 0) {
        pos = 0;
        return false;
    }
    const qsizetype dopo = trovato + 1 + marcatore.size();
    if (dopo > PosizioneMassima)
        throw GuastoEstrazione{TipoGuasto::PosizioneOltreLimite, marcatore};
    pos = static_cast<int>(dopo);
    return true;
}

QString FinestraTesto(const QString& html, int pos) {
    if (pos < 1)
        throw GuastoEstrazione{TipoGuasto::RicercaDaZero, QString()};
    return PulisciFinestra(html.mid(pos - 1, LarghezzaFinestra));
}

QString TestoFinoA(const QString& finestra, const QString& fine) {
    const qsizetype dove = finestra.indexOf(fine);
    if (dove < 0)
        throw GuastoEstrazione{TipoGuasto::FineMancante, fine};
    return finestra.left(dove);
}

} // namespace qv
