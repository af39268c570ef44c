#pragma once
// The browser's filters as columns of a data-driven test: the columns are
// added in this order, then each row gives the state index, the nation,
// year and kind entries, the two dates as day/month/year lists and the code
// fragment.

#include "archive/sql_archivio.h"

#include <QStringList>
#include <QTest>

namespace qv::prova {

inline void ColonneFiltri() {
    QTest::addColumn<int>("stato");
    QTest::addColumn<QString>("nazione");
    QTest::addColumn<QString>("anno");
    QTest::addColumn<QString>("tipo");
    QTest::addColumn<QStringList>("dal");
    QTest::addColumn<QStringList>("al");
    QTest::addColumn<QString>("frammento");
}

// The filters of the current data row.
inline FiltriArchivio FiltriDellaRiga() {
    QFETCH(int, stato);
    QFETCH(QString, nazione);
    QFETCH(QString, anno);
    QFETCH(QString, tipo);
    QFETCH(QStringList, dal);
    QFETCH(QStringList, al);
    QFETCH(QString, frammento);
    FiltriArchivio f;
    f.stato = stato;
    f.nazione = nazione;
    f.anno = anno;
    f.tipo = tipo;
    for (int i = 0; i < 3; ++i) {
        f.dal[i] = dal.value(i);
        f.al[i] = al.value(i);
    }
    f.frammento = frammento;
    return f;
}

} // namespace qv::prova
