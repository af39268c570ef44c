// The browser's extraction read in pages: where the program sorts the rows
// itself, the order must be the one SQLite gives the same ORDER BY, for every
// column both ways, with NULLs, integers beside reals, case, non-ASCII text,
// trailing blanks, binary data and equal values.

#include "archive/colonne_griglia.h"
#include "archive/ordine_righe.h"
#include "archive/pagine_estrazione.h"
#include "archivio_prova.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

using namespace qv;

class TestPagineEstrazione : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    dao::Workspace ws_;
    dao::Database db_;

    // The codes of a statement in SQLite's own order.
    QStringList codiciSqlite(const QString& jet) {
        QSqlQuery q(db_.connessioneSql());
        QStringList c;
        for (q.exec(db_.traduci(jet)); q.next();)
            c << q.value(QStringLiteral("Codice")).toString();
        return c;
    }

private slots:
    void initTestCase() {
        db_ = prova::CreaArchivioProva(ws_, dir_.filePath(QStringLiteral("Quorvan.mdb")));
        QSqlQuery q(db_.connessioneSql());
        // Code, state, a text field, a date field.
        const char* righe[] = {
            "'22IT00000000000A11', 2, 'beta', 5",   "'22IT00000000000A12', 2, 'Beta', 5.5",
            "'22IT00000000000A13', 0, NULL, NULL",  "'21it00000000000A10', 2, 'alpha', 4",
            "'22IT00000000000B11', 2, 'BETA', 5",   "'22IT00000000000B12', 1, 'àlpha', 6",
            "'22IT00000000000B13', 2, 'beta ', -1", "'22IT00000000000B14', 2, x'4100', 5",
            "'22IT00000000000B15', 2, '', 0",
        };
        for (const char* r : righe)
            QVERIFY2(q.exec(QStringLiteral("INSERT INTO MRN (Codice, OKStato, TrUfficio1, TrData1) VALUES (%1)")
                                .arg(QString::fromUtf8(r))),
                     qPrintable(q.lastError().text()));
        QVERIFY(q.exec(QStringLiteral("UPDATE MRN SET TrRuolo1 = TrUfficio1, TrDataDel1 = TrData1, "
                                      "ExUffExport = TrUfficio1, Nazione = substr(TrUfficio1, 1, 2)")));
    }

    void ordineDiSqlite_data() {
        QTest::addColumn<QString>("selezione");
        QTest::newRow("all") << QStringLiteral("Select * FROM MRN");
        QTest::newRow("filtered") << QStringLiteral("Select * FROM MRN WHERE OKStato = 2");
        // Not written by the extraction: left to SQLite page by page.
        QTest::newRow("other text") << QStringLiteral("SELECT * FROM MRN WHERE OKStato <> 1");
    }
    void ordineDiSqlite() {
        QFETCH(QString, selezione);
        PagineEstrazione pagine(db_);
        int quiOrdinate = 0;
        for (int colonna = 0; colonna < kNumeroColonne; ++colonna)
            for (int verso = 1; verso <= 2; ++verso) {
                const OrdineArchivio ordine{colonna, verso};
                QVERIFY(pagine.imposta(selezione, ordine));
                quiOrdinate += pagine.ordinataQui();
                const QStringList attesi = codiciSqlite(ImpostaOrdineSql(selezione, ordine));
                QCOMPARE(pagine.totale(), attesi.size());
                QStringList letti; // in pages of 4, as the grid reads its pages
                for (qint64 primo = 0; primo < pagine.totale(); primo += 4)
                    for (const QVariantList& riga : pagine.righe(primo, 4))
                        letti << riga.value(0).toString();
                QVERIFY2(letti == attesi, qPrintable(CampoColonna(colonna) + QString::number(verso)));
            }
        // The columns without an index are sorted here; a statement the
        // extraction did not write is always left to SQLite.
        QCOMPARE(quiOrdinate > 0, selezione.startsWith(QLatin1String("Select")));
    }

    // The sort on two threads, its halves merged; what was read is dropped
    // when the rows change.
    void dueThreadEModifiche() {
        QSqlQuery q(db_.connessioneSql());
        QVERIFY(q.exec(QStringLiteral(
            "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 3000) "
            "INSERT INTO WkMRN (Codice, TrUfficio1) SELECT printf('22IT%012dE%d', (i * 7919) % 3001, i % 10), "
            "CASE WHEN i % 5 = 0 THEN NULL ELSE 'Uff' || (i % 7) END FROM n")));
        OrdinatoreRighe ordinatore(1000);
        for (const char* modifica : {"", "UPDATE WkMRN SET TrUfficio1 = 'Z', OKStato = 1 WHERE rowid % 3 = 0"}) {
            if (*modifica)
                QVERIFY(q.exec(QLatin1String(modifica)));
            for (const QString& filtro : {QString(), QStringLiteral(" WHERE OKStato = 0")})
                for (int verso = 1; verso <= 2; ++verso) {
                    QList<qint64> attesi;
                    for (q.exec(QStringLiteral("SELECT rowid FROM WkMRN%1 ORDER BY TrUfficio1 %2, Codice")
                                    .arg(filtro, verso == 2 ? "DESC" : "ASC"));
                         q.next();)
                        attesi << q.value(0).toLongLong();
                    const auto numeri = ordinatore.ordina(db_, "Select * FROM WkMRN" + filtro, {6, verso});
                    QVERIFY(numeri);
                    QCOMPARE(QList<qint64>(numeri->begin(), numeri->end()), attesi);
                }
        }
    }

    void rigaTolta() {
        PagineEstrazione pagine(db_);
        QVERIFY(pagine.imposta(QStringLiteral("Select * FROM MRN WHERE OKStato = 0"), {6, 1}));
        QVERIFY(pagine.ordinataQui());
        QSqlQuery(db_.connessioneSql()).exec(QStringLiteral("DELETE FROM MRN WHERE OKStato = 0"));
        const QList<QVariantList> righe = pagine.righe(0, 10);
        QCOMPARE(righe.size(), 1);
        QVERIFY(righe.first().isEmpty());
        QVERIFY(!pagine.imposta(QStringLiteral("Select * FROM NONCE"), {6, 1}));
        QCOMPARE(pagine.totale(), 0);
        // Row numbers too scattered to be held: SQLite sorts.
        QVERIFY(QSqlQuery(db_.connessioneSql())
                    .exec(QStringLiteral("INSERT INTO WkMRN (rowid, Codice) VALUES (5000000, '22IT0000000000Z999')")));
        QVERIFY(!OrdinatoreRighe().ordina(db_, QStringLiteral("Select * FROM WkMRN"), {6, 1}));
        QVERIFY(pagine.imposta(QStringLiteral("Select * FROM WkMRN"), {6, 2}) && !pagine.ordinataQui());
        QCOMPARE(pagine.righe(0, 1).value(0).value(0).toString(),
                 codiciSqlite(ImpostaOrdineSql(QStringLiteral("Select * FROM WkMRN"), {6, 2})).value(0));
    }
};

QTEST_GUILESS_MAIN(TestPagineEstrazione)
#include "test_pagine_estrazione.moc"
