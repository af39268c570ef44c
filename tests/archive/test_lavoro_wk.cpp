// The work table on a real database file: rows written from enquiry
// results, the open with retry, and the merge into the archive, which is all
// or nothing.

#include "archive/lavoro_wk.h"
#include "archivio_prova.h"
#include "database/dao/errore.h"
#include "database/stato_database.h"
#include "platform/day_number.h"
#include "shell/messaggi.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

#include <array>

using namespace qv;

namespace {

using Esito = std::array<QString, 20>;
using Titolo = std::array<QString, 8>;

const QDate kGiorno1(2024, 5, 10);
const QDate kGiorno2(2024, 5, 11);

qint64 righe(dao::Database& db, const QString& tabella) { return db.OpenRecordset(tabella).RecordCount(); }

} // namespace

class TestLavoroWk : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    StatoDatabase s_;
    dao::Database& db_ = s_.DbLavoro;
    StatoArchivio stato_;
    MessaggiRegistrati messaggi_;

    void scrivi(const QString& codice, const Esito& e, const Titolo& t, const QDate& oggi = kGiorno1) {
        QVERIFY(ScriviRigaMrn(stato_.RsWk, codice, e, t, oggi));
    }
    QVariantMap riga(const char* tabella, const char* codice) { return prova::Riga(db_, tabella, codice); }
    // The processing date of an archive row.
    double elaborato(const char* codice) { return riga("MRN", codice).value("DataElab").toDouble(); }

    // The archive before a merge: two erroneous MRNs processed on kGiorno1.
    void archivioErrato() {
        dao::Recordset mrn = db_.OpenRecordset(QStringLiteral("MRN"));
        mrn.setIndex(QStringLiteral("primaria"));
        Titolo errato;
        errato[2] = QStringLiteral("*** vecchio ***");
        QVERIFY(ScriviRigaMrn(mrn, QStringLiteral("24IT000000000001E1"), Esito{}, errato, kGiorno1));
        QVERIFY(ScriviRigaMrn(mrn, QStringLiteral("24IT000000000009E9"), Esito{}, errato, kGiorno1));
        mrn.Close();
    }

private slots:
    void init() {
        const QString percorso = dir_.filePath(QStringLiteral("Quorvan.mdb"));
        QFile::remove(percorso);
        s_.WsLavoro.setAttesaBloccoMs(200);
        db_ = prova::CreaArchivioProva(s_.WsLavoro, percorso);
        s_.DatabaseAperto = true;
        messaggi_.svuota();
        QVERIFY(ApriTabellaWk(stato_, s_, messaggi_, QStringLiteral("MRN"), QStringLiteral("MRN")));
    }

    void cleanup() {
        ChiudiTabellaWk(stato_);
        db_.Close();
    }

    // What CalcolaRigaMrn decides (archive_riga_mrn) as the table keeps it:
    // unknown dates are the number 0, a blank office of exit empty text, never
    // NULL; a value longer than its field keeps what fits; a repeated MRN keeps
    // its first processing date.
    void scriviRiga() {
        Esito e;
        e[2] = QString(150, QLatin1Char('R'));
        e[3] = QStringLiteral("01/02/2024");
        e[4] = QStringLiteral("02/02/2024");
        scrivi(QStringLiteral("24IT000000000005T5"), e, Titolo{});
        QVariantMap r = riga("WkMRN", "24IT000000000005T5");
        QCOMPARE(r.value("OK").toInt(), 1);
        for (const char* campo : {"TrData2", "TrDataDel4", "ExDataUscita"})
            QVERIFY2(!r.value(campo).isNull() && r.value(campo).toDouble() == 0.0, campo);
        for (const char* campo : {"ExUffUscitaCod", "ExUffUscitaDes"})
            QVERIFY2(!r.value(campo).isNull() && r.value(campo).toString().isEmpty(), campo);
        const int spazio = db_.tabella(QStringLiteral("WkMRN"))->campo(QStringLiteral("TrRuolo1"))->Size;
        QVERIFY(spazio < 150);
        QCOMPARE(r.value("TrRuolo1").toString(), QString(spazio, QLatin1Char('R')));

        Titolo t;
        t[2] = QStringLiteral("=== In attesa ===");
        scrivi(QStringLiteral("24IT000000000001E1"), Esito{}, t, kGiorno1);
        e = Esito{};
        e[17] = QStringLiteral("IT277100");
        e[19] = QStringLiteral("12/03/2024");
        scrivi(QStringLiteral("24IT000000000001E1"), e, Titolo{}, kGiorno2);
        QCOMPARE(righe(db_, QStringLiteral("WkMRN")), qint64(2));
        r = riga("WkMRN", "24IT000000000001E1");
        QCOMPARE(r.value("OKStato").toInt(), 3);
        QCOMPARE(r.value("ExUffExport").toString(), QStringLiteral("IT277100"));
        QCOMPARE(r.value("DataElab").toDouble(), platform::dayNumber(kGiorno1));
    }

    void apriTabellaWk() {
        StatoArchivio altro;
        s_.DatabaseAperto = false;
        QVERIFY(!ApriTabellaWk(altro, s_, messaggi_, QStringLiteral("MRN"), QStringLiteral("MRN")));
        s_.DatabaseAperto = true;
        QVERIFY(!altro.WkAperta);
        QVERIFY(messaggi_.mostrati().isEmpty());

        messaggi_.accoda(Risposta::Annulla); // the Retry/Cancel loop is ApriTabella's (database_tabelle)
        QVERIFY(!ApriTabellaWk(altro, s_, messaggi_, QStringLiteral("NONCE"), QStringLiteral("NONCE")));
        QVERIFY(!altro.WkAperta);
    }

    // The merge replaces the batch's MRNs and leaves the others alone. One that
    // fails after its delete has run, as a full disk would make it, leaves the
    // archive as it was, and goes through once the fault is gone.
    void unisci() {
        archivioErrato();
        Esito e;
        e[19] = QStringLiteral("12/03/2024");
        scrivi(QStringLiteral("24IT000000000001E1"), e, Titolo{}, kGiorno2);
        scrivi(QStringLiteral("24IT000000000002E2"), e, Titolo{}, kGiorno2);
        ChiudiTabellaWk(stato_);

        QSqlQuery q(db_.connessioneSql());
        QVERIFY(q.exec(QStringLiteral("CREATE TRIGGER rifiuta BEFORE INSERT ON MRN BEGIN "
                                      "SELECT RAISE(ABORT, 'disco pieno'); END")));
        QVERIFY(!UnisciWk(db_));
        QVERIFY(q.exec(QStringLiteral("DROP TRIGGER rifiuta")));
        QCOMPARE(righe(db_, QStringLiteral("MRN")), qint64(2));
        QCOMPARE(elaborato("24IT000000000001E1"), platform::dayNumber(kGiorno1));

        QVERIFY(UnisciWk(db_));
        QCOMPARE(righe(db_, QStringLiteral("MRN")), qint64(3));
        QCOMPARE(elaborato("24IT000000000001E1"), platform::dayNumber(kGiorno2)); // replaced
        QCOMPARE(elaborato("24IT000000000009E9"), platform::dayNumber(kGiorno1)); // left alone
        // The work table keeps the batch's rows for the browser until the next batch empties it.
        QCOMPARE(righe(db_, QStringLiteral("WkMRN")), qint64(2));
        QVERIFY(SvuotaWk(db_));
        QCOMPARE(righe(db_, QStringLiteral("WkMRN")), qint64(0));
    }

    // A reader elsewhere holds the file when the second group is committed:
    // the commit fails, its rows are rolled back, counted and reported; the
    // first group stays and the file is sound.
    void gruppoNonConfermatoContato() {
        const QString lettore = QStringLiteral("lettore");
        {
            LavoroWkMrn lavoro(stato_, s_, messaggi_);
            QVERIFY(lavoro.apri());
            auto codice = [](int i) { return QStringLiteral("24IT%1E1").arg(i, 12, 10, QLatin1Char('0')); };
            for (int i = 0; i < LavoroWkMrn::kRighePerGruppo; ++i)
                lavoro.scriviRiga(codice(i), Esito{}, Titolo{});
            QSqlDatabase altro = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), lettore);
            altro.setDatabaseName(dir_.filePath(QStringLiteral("Quorvan.mdb")));
            QVERIFY(altro.open());
            QSqlQuery lettura(altro);
            QVERIFY(lettura.exec(QStringLiteral("BEGIN")));
            QVERIFY(lettura.exec(QStringLiteral("SELECT count(*) FROM WkMRN")) && lettura.next());
            QCOMPARE(lettura.value(0).toInt(), LavoroWkMrn::kRighePerGruppo);
            for (int i = 0; i < 42; ++i)
                lavoro.scriviRiga(codice(1000 + i), Esito{}, Titolo{});
            QVERIFY(messaggi_.mostrati().isEmpty());
            lavoro.chiudi();
            QCOMPARE(lavoro.righeNonScritte(), qint64(42));
            lettura.finish();
            QVERIFY(lettura.exec(QStringLiteral("ROLLBACK")));
            altro.close();
        }
        QSqlDatabase::removeDatabase(lettore);
        QCOMPARE(messaggi_.mostrati().size(), 1);
        QCOMPARE(messaggi_.mostrati().first().titolo, QStringLiteral("ERRORE IN SCRITTURA TABELLA MRN"));
        QVERIFY(messaggi_.mostrati().first().testo.startsWith(QStringLiteral("42 MRN non sono stati memorizzati")));
        QCOMPARE(righe(db_, QStringLiteral("WkMRN")), qint64(LavoroWkMrn::kRighePerGruppo));
        QSqlQuery q(db_.connessioneSql());
        QVERIFY(q.exec(QStringLiteral("PRAGMA integrity_check")) && q.next());
        QCOMPARE(q.value(0).toString(), QStringLiteral("ok"));
    }

    // A row the engine refuses is counted and the first one is reported; the
    // rows around it are written.
    void rigaRifiutataContata() {
        QSqlQuery q(db_.connessioneSql());
        QVERIFY(q.exec(QStringLiteral("CREATE TRIGGER rifiuta BEFORE INSERT ON WkMRN WHEN NEW.Codice LIKE '%T_' BEGIN "
                                      "SELECT RAISE(ABORT, 'disco pieno'); END")));
        LavoroWkMrn lavoro(stato_, s_, messaggi_);
        QVERIFY(lavoro.apri());
        for (const char* codice : {"24IT000000000001E1", "24IT000000000002T1", "24IT000000000003T1", "24IT000000000004E1"})
            lavoro.scriviRiga(QString::fromLatin1(codice), Esito{}, Titolo{});
        lavoro.chiudi();
        QCOMPARE(lavoro.righeNonScritte(), qint64(2));
        QCOMPARE(prova::Codici(db_, QStringLiteral("WkMRN")),
                 QStringList({QStringLiteral("24IT000000000001E1"), QStringLiteral("24IT000000000004E1")}));
        QCOMPARE(messaggi_.mostrati().size(), 1);
        QVERIFY(messaggi_.mostrati().first().testo.contains(QStringLiteral("24IT000000000002T1")));
        QVERIFY(messaggi_.mostrati().first().testo.contains(QStringLiteral("disco pieno")));
    }
};

QTEST_GUILESS_MAIN(TestLavoroWk)
#include "test_lavoro_wk.moc"
