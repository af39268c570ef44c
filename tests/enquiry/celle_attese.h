#pragma once
// Checks the shared result arrays against a short list of the cells that
// must hold text ("T5=label", "E17=value"); every other cell must be empty.

#include "enquiry/stato_web.h"

#include <QStringList>
#include <QtTest>

#include <array>

inline void verificaCelle(const qv::StatoWeb& web, const QStringList& celle) {
    std::array<QString, 8> titolo;
    std::array<QString, 20> esito;
    for (const QString& c : celle) {
        const int uguale = c.indexOf(QLatin1Char('='));
        const int i = c.mid(1, uguale - 1).toInt();
        (c.startsWith(QLatin1Char('T')) ? titolo[i] : esito[i]) = c.mid(uguale + 1);
    }
    for (int i = 0; i < 8; ++i)
        QVERIFY2(web.Titolo[i] == titolo[i],
                 qPrintable(QStringLiteral("Titolo(%1) = '%2', expected '%3'").arg(i).arg(web.Titolo[i], titolo[i])));
    for (int i = 0; i < 20; ++i)
        QVERIFY2(web.Esito[i] == esito[i],
                 qPrintable(QStringLiteral("Esito(%1) = '%2', expected '%3'").arg(i).arg(web.Esito[i], esito[i])));
}
