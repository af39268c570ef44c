// The database steps of start-up: the applied stamp against the reference's
// date, copy and upgrade, "BASE" written only after a completed upgrade, and
// the program's start-up sequence on a first start and on missing or bad files.

#include "file_prova.h"
#include "aiuto_database.h"
#include "database/avvio_database.h"
#include "database/file_database.h"
#include "database/schema_riferimento.h"
#include "platform/day_number.h"
#include "enquiry/stato_web.h"
#include "shell/avvio/sequenza_avvio.h"
#include "shell/file_ini.h"

#include <QDir>

using namespace qv;
using namespace qv::dao;
using qv::prova::Impronta;

namespace {

void impostaData(const QString& file, const QDateTime& quando) {
    QFile f(file);
    QVERIFY(f.open(QIODevice::ReadWrite) && f.setFileTime(quando, QFileDevice::FileModificationTime));
}

QStringList copieDatate(const QString& cartella) {
    return QDir(cartella).entryList({"QUORVAN????????????.MDB"}, QDir::Files);
}

// A start-up time that falls exactly on a 32-bit float day number.
const QDateTime kOraEsatta(QDate(2023, 3, 15), QTime(12, 0));

} // namespace

class TestAvvioDatabase : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    StatoDatabase s;
    MessaggiRegistrati m;
    ParametriAvvio p;
    int contatore = 0;
    int aggiornamenti = 0;

    QString riferimento() const { return PercorsoRiferimento(p.cartella); }
    QString lavoro() const { return PercorsoDataBase(p.cartella); }

    // An upgrade that records it ran and reports `esito`.
    AvviaAggiornamento finto(int esito) {
        return [this, esito](StatoDatabase& st) {
            QCOMPARE(st.StatoChiamata, 1);
            ++aggiornamenti;
            st.StatoChiamata = esito;
        };
    }

    // The program's start-up sequence with no window, the upgrade unattended.
    RisultatoAvvio avvia(StatoDatabase& st, ElencoNazioni& nazioni, QStringList* log = nullptr) {
        StatoWeb web;
        DatiAvvio dati{p.cartella, p.fileIni, web, st, nazioni, m};
        GanciAvvio ganci;
        UscitaAggiornamento uscita;
        if (log) uscita.riga = [log](const QString& r) { *log << r; };
        ganci.aggiornamento = AggiornamentoSenzaFinestra(m, p, uscita);
        return EseguiAvvio(dati, ganci);
    }

private slots:
    void init() {
        p.cartella = dir.filePath(QString::number(++contatore));
        p.fileIni = QDir(p.cartella).filePath("Quorvan.ini");
        QDir().mkpath(p.cartella);
        s = StatoDatabase();
        s.WsLavoro.setAttesaBloccoMs(200);
        m.svuota();
        aggiornamenti = 0;
        qputenv("QUORVAN_SHARE_DIR", dir.filePath("nessuna").toUtf8());
    }
    void cleanup() { ChiudiDataBase(s); }

    void stampText() {
        for (const float f : {0.0f, 45000.5f, 45123.453125f, 39447.99609375f}) {
            QCOMPARE(static_cast<float>(ValoreNumerico(TestoTimbro(f))), f); // the full value reads back
            QVERIFY(!TestoTimbro(f).contains(' '));
        }
        QCOMPARE(TimbroRiferimento(dir.filePath("manca.mdb")), 0.0f);
    }

    void noReferenceFile() {
        CreaDatabaseRiferimento(s.WsLavoro, lavoro());
        ScriviIni(p.fileIni, "AGGIORNAMENTI", "BASE", "45000");
        QVERIFY(ControllaRiferimento(s, m, p, finto(0)));
        QCOMPARE(aggiornamenti, 0);
        QCOMPARE(LeggiIni(p.fileIni, "AGGIORNAMENTI", "BASE"), QString("45000"));
    }

    void firstRunUpgradesOnceThenNothing() {
        CreaDatabaseRiferimento(s.WsLavoro, lavoro());
        CreaDatabaseRiferimento(s.WsLavoro, riferimento());
        impostaData(riferimento(), kOraEsatta);
        QVERIFY(ControllaRiferimento(s, m, p, finto(0)));
        QCOMPARE(aggiornamenti, 1);
        QCOMPARE(copieDatate(p.cartella).size(), 1); // the safety copy came first
        const float atteso = static_cast<float>(platform::dayNumber(kOraEsatta));
        QCOMPARE(TimbroApplicato(p.fileIni), atteso);
        QVERIFY(ControllaRiferimento(s, m, p, finto(0)));
        QCOMPARE(aggiornamenti, 1);
        QVERIFY(m.mostrati().isEmpty());
    }

    void differencesBelowFiveDecimals_data() {
        QTest::addColumn<int>("secondi"); // reference newer than the applied stamp by
        QTest::addColumn<bool>("dovuto");
        QTest::newRow("a minute: same 32-bit float") << 60 << false;
        QTest::newRow("ten minutes: the next float") << 600 << true;
        QTest::newRow("older") << -3600 << false;
    }
    void differencesBelowFiveDecimals() {
        QFETCH(int, secondi);
        QFETCH(bool, dovuto);
        CreaDatabaseRiferimento(s.WsLavoro, lavoro());
        CreaDatabaseRiferimento(s.WsLavoro, riferimento());
        ScriviIni(p.fileIni, "AGGIORNAMENTI", "BASE", TestoTimbro(static_cast<float>(platform::dayNumber(kOraEsatta))));
        impostaData(riferimento(), kOraEsatta.addSecs(secondi));
        QCOMPARE(AggiornamentoDovuto(TimbroApplicato(p.fileIni), TimbroRiferimento(riferimento())), dovuto);
        QVERIFY(ControllaRiferimento(s, m, p, finto(0)));
        QCOMPARE(aggiornamenti, dovuto ? 1 : 0);
    }

    void failedUpgradeEndsTheProgramAndLeavesBase() {
        CreaDatabaseRiferimento(s.WsLavoro, lavoro());
        CreaDatabaseRiferimento(s.WsLavoro, riferimento());
        ScriviIni(p.fileIni, "AGGIORNAMENTI", "BASE", "1");
        QVERIFY(!ControllaRiferimento(s, m, p, finto(errori::InUsoDaAltri)));
        QCOMPARE(m.mostrati().size(), 1);
        QCOMPARE(m.mostrati()[0].testo, QString("OCCORRE ESEGUIRE L'AGGIORNAMENTO DEL BATABASE"));
        QCOMPARE(LeggiIni(p.fileIni, "AGGIORNAMENTI", "BASE"), QString("1"));
        // The next start tries again.
        QVERIFY(ControllaRiferimento(s, m, p, finto(0)));
        QCOMPARE(aggiornamenti, 2);
    }

    void firstStartMakesAWorkingArchive() {
        // The release's files in their own folder, as installed.
        const QString spedizione = dir.filePath(QString("spedizione%1").arg(contatore));
        QDir().mkpath(spedizione + "/Images");
        scriviFile(spedizione + "/Images/flag_IT.gif", "GIF89a");
        CreaDatabaseRiferimento(s.WsLavoro, PercorsoRiferimento(spedizione));
        impostaData(PercorsoRiferimento(spedizione), kOraEsatta);
        qputenv("QUORVAN_SHARE_DIR", spedizione.toUtf8());

        ElencoNazioni nazioni;
        QStringList log;
        QVERIFY(avvia(s, nazioni, &log).completato());
        QVERIFY(s.DatabaseAperto);
        QVERIFY(log.isEmpty()); // no upgrade: the new archive is the reference itself
        QCOMPARE(QFileInfo(riferimento()).lastModified(), kOraEsatta);
        QVERIFY(QFile::exists(QDir(p.cartella).filePath("Images/flag_IT.gif")));
        s.DbLavoro.Execute("INSERT INTO MRN (Codice, Nazione) VALUES ('07IT123456789012E1', 'IT')", dbFailOnError);
        ChiudiDataBase(s);

        // The archive moved away (or its drive not mounted): the next start
        // leaves the database closed and creates nothing in its place.
        QVERIFY(QFile::rename(lavoro(), lavoro() + ".altrove"));
        StatoDatabase senza;
        const RisultatoAvvio r = avvia(senza, nazioni);
        QVERIFY(r.completato() && r.archivioMancante);
        QVERIFY(!QFile::exists(lavoro()));
        QVERIFY(QFile::rename(lavoro() + ".altrove", lavoro()));

        // A later release ships a newer reference: the next start upgrades
        // the archive from it and keeps the archive's rows.
        QFile::remove(PercorsoRiferimento(spedizione));
        {
            Database nuovo = s.WsLavoro.CreateDatabase(PercorsoRiferimento(spedizione));
            for (TableDef t : SchemaRiferimento()) {
                if (t.Name == "MRN")
                    t.Fields.append(TableDef::CreateField("Note", dbMemo));
                nuovo.AppendTableDef(t);
            }
        }
        impostaData(PercorsoRiferimento(spedizione), kOraEsatta.addDays(30));
        StatoDatabase dopo;
        QVERIFY(avvia(dopo, nazioni, &log).completato());
        QVERIFY(dopo.DbLavoro.tabella("MRN")->campo("Note"));
        QCOMPARE(dopo.DbLavoro.OpenRecordset("MRN").RecordCount(), 1);
        QCOMPARE(TimbroApplicato(p.fileIni), static_cast<float>(platform::dayNumber(kOraEsatta.addDays(30))));
        QVERIFY(m.mostrati().isEmpty());
        ChiudiDataBase(dopo);
    }

    // Which files the engine refuses is database_dao_apertura's; the failed upgrade's end is
    // failedUpgradeEndsTheProgramAndLeavesBase's; here start-up with no upgrade due.
    void badWorkingDatabaseAtStart() {
        CreaDatabaseRiferimento(s.WsLavoro, riferimento());
        ScriviIni(p.fileIni, "AGGIORNAMENTI", "BASE", TestoTimbro(TimbroRiferimento(riferimento())));
        scriviFile(lavoro(), "questo non è un archivio\r\n");
        const Impronta prima = Impronta::di(lavoro());
        ElencoNazioni nazioni;
        QVERIFY(avvia(s, nazioni).completato());
        QVERIFY(!s.DatabaseAperto); // the program runs without archive, no message
        QVERIFY(m.mostrati().isEmpty());
        QVERIFY(Impronta::di(lavoro()) == prima);
    }

};

QTEST_GUILESS_MAIN(TestAvvioDatabase)
#include "test_avvio_database.moc"
