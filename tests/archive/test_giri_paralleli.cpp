// List runs with several enquiries in flight, end to end through quorvan-cli
// and quorvan-demo-server: the same results as one at a time, a server that
// asks to slow down, the lock that keeps two runs apart, the log, and the
// JSON summary of requery.

#include "archive/elabora_elenco.h"
#include "archive/giri_automatici.h"
#include "file_prova.h"
#include "programmi_prova.h"

#include <QDir>
#include <QLockFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>

class TestGiriParalleli : public QObject {
    Q_OBJECT

    ServerAvviato server{{QStringLiteral("--latency"), QStringLiteral("20")}};
    QTemporaryDir home;

    QString percorso(const QString& nome) const { return home.filePath(nome); }
    Esecuzione esegui(const QStringList& argomenti) {
        return eseguiCli(QStringList{QStringLiteral("--home"), home.path()} + argomenti, home.path());
    }
    QByteArray esiti() { return leggiFile(percorso(QString::fromLatin1(qv::kFileEsiti))); }

private slots:
    void initTestCase() {
        QVERIFY(server.avviato());
        server.scriviIndirizzi(percorso(QStringLiteral("Quorvan.ini")));
        // Every page kind of the demo server, a broken page, VAT numbers and rejected codes.
        scriviFile(
            percorso(QStringLiteral("misto.txt")),
            "24IT000000000010E0\r\n24IT000000000011E1\r\n24IT000000000015E5\r\n24IT000000000017E7\r\n"
            "24IT000000000020T0\r\n24IT000000000022T2\r\n24IT000000000026T6\r\n24IT000000000029T9\r\n"
            "24IT00000000003EZ\r\n24IT000000000031TZ\r\nIT12345678901\r\nIT12345678908\r\nIT12345678909\r\n"
            "24IT00000000004E1\r\n24IT000000000041X1\r\nZZ123\r\n24IT000000000042E3\r\n");
    }

    // Results file, messages and archive rows as one at a time.
    void comeUnoAllaVolta_data() {
        QTest::addColumn<QString>("destinazione");
        for (const char* d : {"file", "print", "db"})
            QTest::newRow(d) << QString::fromLatin1(d);
    }
    void comeUnoAllaVolta() {
        QFETCH(QString, destinazione);
        QList<QByteArray> risultati;
        for (const char* n : {"1", "4", "8"}) {
            const Esecuzione e = esegui({"batch", "misto.txt", "--dest", destinazione, "--connections", n});
            QCOMPARE(e.stato, 0);
            QByteArray messaggi; // the extraction failures, in list order
            for (const QByteArray& riga : e.err.split('\n'))
                if (riga.startsWith('[')) messaggi += riga + '\n';
            QVERIFY(!messaggi.isEmpty());
            QByteArray righe = esiti() + messaggi + e.out;
            if (destinazione == QLatin1String("db")) {
                QCOMPARE(esegui({"export", "csv", "--table", "WkMRN", "--state", "TUTTI"}).stato, 0);
                righe += leggiFile(
                    QDir(percorso(QStringLiteral("TempFile"))).filePath(QStringLiteral("EXPWkMRN.csv")));
            }
            risultati << righe;
        }
        QCOMPARE(risultati.at(1), risultati.at(0));
        QCOMPARE(risultati.at(2), risultati.at(0));
    }

    // The first request gets 429 with "Retry-After: 1": asked again a second later.
    void rallenta() {
        ServerAvviato lento{{QStringLiteral("--throttle"), QStringLiteral("50")}};
        QVERIFY(lento.avviato());
        const QString ini = percorso(QStringLiteral("Quorvan.ini"));
        lento.scriviIndirizzi(ini);
        scriviFile(percorso(QStringLiteral("uno.txt")), "24IT000000000051E1\r\n");
        QElapsedTimer t;
        t.start();
        const Esecuzione e = esegui({"batch", "uno.txt", "--dest", "file", "--sep", ";"});
        server.scriviIndirizzi(ini);
        QCOMPARE(e.stato, 0);
        QVERIFY(t.elapsed() >= 1000);
        QVERIFY2(e.err.contains("Il servizio chiede di rallentare: nuovo tentativo fra 1 secondo\n"),
                 e.err.constData());
        QCOMPARE(
            esiti(),
            QByteArray(
                "24IT000000000051E1;;;;;;;;;;;;;;;;;IT277100 - MALPENSA;IT261101 - VERONA;11/03/2025;\r\n"));
    }

    // A live run's lock stops a second one (6); a dead one's does not.
    void blocco() {
        scriviFile(percorso(QStringLiteral("due.txt")), "24IT000000000061E1\r\n");
        const QString lck = qv::BloccoArchivio::percorsoBlocco(percorso(QStringLiteral("Quorvan.mdb")));
        {
            QLockFile vivo(lck);
            QVERIFY(vivo.tryLock(0));
            const Esecuzione e = esegui({"requery"});
            QCOMPARE(e.stato, 6);
            QVERIFY(e.err.contains("another run is working on this archive"));
        }
        QProcess morto;
        morto.start(QStringLiteral("true"));
        QVERIFY(morto.waitForStarted());
        const qint64 pid = morto.processId();
        QVERIFY(morto.waitForFinished());
        scriviFile(lck,
                   QByteArray::number(pid) + "\nquorvan-cli\n" + QSysInfo::machineHostName().toUtf8() + "\n");
        QCOMPARE(esegui({"batch", "due.txt", "--dest", "db"}).stato, 0);
        QVERIFY(!QFile::exists(lck));
    }

    void requeryJson() {
        const Esecuzione e = esegui({"requery", "--json", "--connections", "2"});
        QCOMPARE(e.stato, 0);
        static const QRegularExpression json(QStringLiteral(
            R"(^\{"asked":5,"total":5,"states":\{"IN SOSPESO":5,"CANCELLATI":0,"ERRATI":0,)"
            R"("CONCLUSI":0\},"lost":0,"not_stored":0,"end":"completed","seconds":\d+\.\d\}\n$)"));
        QVERIFY2(json.match(QString::fromUtf8(e.out)).hasMatch(), e.out.constData());
        QCOMPARE(esegui({"requery", "--connections", "9"}).stato, 2);
    }

    // One line per run, the ones refused by the lock included.
    void registro() {
        const QList<QByteArray> righe =
            leggiFile(percorso(QString::fromLatin1(qv::kFileRegistro))).split('\n');
        QCOMPARE(righe.size(), 3 * 3 + 1 + 2 + 1 + 1); // and the empty rest after the last line end
        static const QRegularExpression forma(QStringLiteral(
            R"(^\d{4}-\d\d-\d\d \d\d:\d\d:\d\d  (batch|requery)  (MRN \d+/\d+, .* s|-); exit \d+, .*\r$)"));
        for (const QByteArray& riga : righe.mid(0, righe.size() - 1))
            QVERIFY2(forma.match(QString::fromLatin1(riga)).hasMatch(), riga.constData());
        QVERIFY(righe.at(righe.size() - 2)
                    .contains("  requery  MRN 5/5, IN SOSPESO 5, CANCELLATI 0, ERRATI 0, CONCLUSI 0, lost 0, "
                              "not stored 0, "));
    }
};

QTEST_GUILESS_MAIN(TestGiriParalleli)
#include "test_giri_paralleli.moc"
