#pragma once
// Result cells written short: "T5=label" for Titolo(5), "E17=value" for
// Esito(17). A StatoWeb filled from such a list, and a check of the shared
// result arrays against one (every cell not listed must be empty).

#include "enquiry/stato_web.h"

#include <QStringList>
#include <QtTest>

inline qv::StatoWeb statoDaCelle(const QStringList& celle) {
    qv::StatoWeb web;
    for (const QString& c : celle) {
        const int uguale = c.indexOf(QLatin1Char('='));
        const int i = c.mid(1, uguale - 1).toInt();
        (c.startsWith(QLatin1Char('T')) ? web.Titolo[i] : web.Esito[i]) = c.mid(uguale + 1);
    }
    return web;
}

inline void verificaCelle(const qv::StatoWeb& web, const QStringList& celle) {
    const qv::StatoWeb atteso = statoDaCelle(celle);
    QCOMPARE(QStringList(web.Titolo.cbegin(), web.Titolo.cend()), QStringList(atteso.Titolo.cbegin(), atteso.Titolo.cend()));
    QCOMPARE(QStringList(web.Esito.cbegin(), web.Esito.cend()), QStringList(atteso.Esito.cbegin(), atteso.Esito.cend()));
}
