// quorvan-cli's maintenance commands as a script sees them: one run per exit
// status, and each operation killed (kill -9) once, after which start-up
// opens the archive with every row it had (for a restore: those or the saved
// file's, nothing in between).

#include "aiuto_database.h"
#include "file_prova.h"
#include "database/file_database.h"

using namespace qv;

class TestManutenzioneCli : public QObject {
    Q_OBJECT

    QTemporaryDir home;
    QString lavoro() const { return home.filePath(QStringLiteral("Quorvan.mdb")); }

    // quorvan-cli in the test's program folder; `punto` kills it there.
    Esecuzione esegui(const QStringList& argomenti, const QString& punto = {}) {
        qputenv("QUORVAN_PROVA_INTERROMPI", punto.toUtf8()); // read by the child only
        const Esecuzione e = eseguiCli(QStringList{QStringLiteral("--home"), home.path()} + argomenti);
        qunsetenv("QUORVAN_PROVA_INTERROMPI");
        return e;
    }

    // The archive's codes as the normal start-up finds them.
    QByteArrayList codici() {
        const QString elenco = home.filePath(QStringLiteral("codici.txt"));
        QFile::remove(elenco);
        const Esecuzione e = esegui({"export", "list", "--out", elenco});
        if (e.stato != 0) return {QByteArray("export failed: ") + e.err};
        QByteArrayList c;
        for (const QByteArray& r : leggiFile(elenco).split('\n'))
            if (!r.trimmed().isEmpty()) c << r.trimmed();
        std::sort(c.begin(), c.end());
        return c;
    }

    void aggiungiRighe(int da, int a) {
        dao::Workspace ws;
        dao::Database db = ws.OpenDatabase(lavoro());
        ws.BeginTrans();
        for (int i = da; i < a; ++i)
            db.Execute(QStringLiteral("INSERT INTO MRN (Codice, Nazione) VALUES ('24IT%1E1', 'IT')")
                           .arg(i, 12, 10, QLatin1Char('0')));
        ws.CommitTrans();
    }

private slots:
    void initTestCase() {
        QVERIFY(home.isValid());
        QCOMPARE(esegui({"backup"}).stato, 0); // the first start makes the archive from the reference
        aggiungiRighe(0, 400);
        QCOMPARE(codici().size(), 400);
        // A field smaller than the reference's, for the upgrade to rebuild.
        dao::Workspace ws;
        dao::Database db = ws.OpenDatabase(lavoro());
        db.DeleteField(QStringLiteral("MRN"), QStringLiteral("TrRuolo4"));
        db.AppendField(QStringLiteral("MRN"), prova::campo(QStringLiteral("TrRuolo4"), dao::dbText, 50));
    }

    void stati_data() {
        QTest::addColumn<QStringList>("argomenti");
        QTest::addColumn<QString>("altro");
        QTest::addColumn<int>("stato");
        QTest::newRow("usage") << QStringList{"backup", "--from", "x"} << "" << 2;
        QTest::newRow("restore from a text file") << QStringList{"restore", "--from", "Quorvan.ini"} << "" << 5;
        QTest::newRow("compact held by another process") << QStringList{"compact"} << "aperto" << 6;
    }
    void stati() {
        QFETCH(QStringList, argomenti);
        QFETCH(QString, altro);
        QFETCH(int, stato);
        std::optional<prova::AltroProcesso> p;
        if (!altro.isEmpty()) QVERIFY(p.emplace(lavoro(), altro).pronto());
        const Esecuzione e = esegui(argomenti);
        QCOMPARE(e.stato, stato);
        if (stato >= 5) QVERIFY(!e.err.isEmpty()); // the reason
    }

    void archivioMancante() {
        QVERIFY(QFile::rename(lavoro(), lavoro() + ".via"));
        QCOMPARE(esegui({"compact"}).stato, 3);
        QVERIFY(QFile::rename(lavoro() + ".via", lavoro()));
    }

    // Each operation killed once, at the point that leaves the most behind:
    // the archive opens at the next start with every row.
    void interrotto_data() {
        QTest::addColumn<QString>("comando");
        QTest::addColumn<QString>("punto");
        for (const auto& [c, p] : {std::pair{"backup", "sostituito"}, {"restore", "conservato"}, {"compact", "copia"},
                                   {"repair", "sostituito"}, {"upgrade", "ricostruzione"}})
            QTest::addRow("%s at %s", c, p) << QString(c) << QString(p);
    }
    void interrotto() {
        QFETCH(QString, comando);
        QFETCH(QString, punto);
        QFile::remove(home.filePath("Save/Quorvan.MDB"));
        QCOMPARE(esegui({"backup"}).stato, 0);
        const QByteArrayList salvati = codici();
        aggiungiRighe(1000, 1010); // the archive now differs from the saved file
        const QByteArrayList prima = codici();
        QCOMPARE(esegui({comando}, punto).stato, -1); // killed there
        const QByteArrayList dopo = codici();
        QVERIFY2(dopo == prima || (comando == QLatin1String("restore") && dopo == salvati), dopo.join(' ').left(200).constData());
        QCOMPARE(esegui({comando}).stato, comando == QLatin1String("compact") && punto == QLatin1String("copia") ? 5 : 0);
        QFile::remove(home.filePath("Quorvan~.mdb")); // the compaction's leftover, as its message asks
    }
};

QTEST_GUILESS_MAIN(TestManutenzioneCli)
#include "test_manutenzione_cli.moc"
