// Batch runs into the database against the demo server: work rows, the
// merge into the archive, cancel and lost connection, and a database that
// goes away during the run.

#include "file_prova.h"
#include "ambiente_prova.h"
#include "archive/elabora_elenco.h"
#include "archive/lavoro_wk.h"
#include "archivio_prova.h"
#include "database/stato_database.h"
#include "enquiry/get_htm_page.h"
#include "enquiry/interroga_codice.h"
#include "platform/day_number.h"
#include "shell/procedure_file.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

using namespace qv;

namespace {

const QString kVecchio = QStringLiteral("24IT000000000001E1"); // in the archive before the batch
const QString kEstraneo = QStringLiteral("23DE000000000008E8"); // in the archive, not in the batch

} // namespace

class TestElencoDatabase : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void statiNellArchivio_data();
    void statiNellArchivio();
    void mrnRipetutoEFileVuoto();
    void altraDestinazioneLasciaWkVuota();
    void annullatoDopoIlTerzo();
    void connessionePersaAlTerzo();
    void databaseChiusoDuranteIlGiro_data();
    void databaseChiusoDuranteIlGiro();

private:
    RisultatoElenco esegui(const QByteArray& elenco, Destinazione d,
                           const std::function<void(qint64)>& primaDi = {}, int annullaDopo = -1);

    QTemporaryDir dir_;
    std::optional<ServerAvviato> server_;
    std::unique_ptr<prova::AmbienteProva> env_;
    StatoDatabase database_;
    StatoArchivio archivio_;
    FileAperti files_;
};

void TestElencoDatabase::initTestCase() {
    server_.emplace();
    QVERIFY(server_->avviato());
    env_ = std::make_unique<prova::AmbienteProva>(dir_.path(), ContestoElencoManuale);
}

void TestElencoDatabase::init() {
    if (!server_)
        server_.emplace();
    server_->indirizzi(env_->web);
    env_->messaggi.svuota();
    database_.FileDataBase = dir_.filePath(QStringLiteral("Quorvan.mdb"));
    QFile::remove(database_.FileDataBase);
    database_.DbLavoro = prova::CreaArchivioProva(database_.WsLavoro, database_.FileDataBase);
    database_.DatabaseAperto = true;

    // The archive before the batch: an erroneous kVecchio and an untouched kEstraneo.
    dao::Recordset mrn = database_.DbLavoro.OpenRecordset(QStringLiteral("MRN"));
    mrn.setIndex(QStringLiteral("primaria"));
    std::array<QString, 20> e;
    std::array<QString, 8> t;
    t[2] = QStringLiteral("*** vecchio ***");
    QVERIFY(ScriviRigaMrn(mrn, kVecchio, e, t, QDate(2020, 1, 1)));
    QVERIFY(ScriviRigaMrn(mrn, kEstraneo, e, t, QDate(2020, 1, 1)));
}

void TestElencoDatabase::cleanup() {
    ChiudiTabellaWk(archivio_);
    database_.DbLavoro.Close();
    database_.DatabaseAperto = false;
    QCOMPARE(files_.quanti(), 0);
}

RisultatoElenco TestElencoDatabase::esegui(const QByteArray& elenco, Destinazione d,
                                           const std::function<void(qint64)>& primaDi, int annullaDopo) {
    const QString lista = dir_.filePath(QStringLiteral("lista.txt"));
    scriviFile(lista, elenco);
    RichiestaElenco r{lista, QStringLiteral("|"), d, dir_.filePath(QString::fromLatin1(kFileEsiti))};
    LavoroWkMrn lavoro(archivio_, database_, env_->messaggi);
    CallbackElenco cb;
    qint64 fatti = 0;
    cb.avanzamento = [&](const AvanzamentoElenco& a) {
        fatti = a.numero;
        if (primaDi)
            primaDi(a.numero);
    };
    cb.annullato = [&] { return annullaDopo >= 0 && fatti >= annullaDopo; };
    return ElaboraElenco(r, env_->web, env_->ambiente, &lavoro, files_, env_->messaggi, cb);
}

void TestElencoDatabase::statiNellArchivio_data() {
    QTest::addColumn<QString>("codice");
    QTest::addColumn<int>("stato");
    QTest::addColumn<double>("uscita");
    QTest::addColumn<int>("ok");

    QTest::newRow("export concluded, replaces the old row") << kVecchio << 3 << 45727.0 << 0; // 11/03/2025
    QTest::newRow("export without exit date") << "24IT000000000015E5" << 0 << 0.0 << 0;
    QTest::newRow("export error") << "24IT000000000017E7" << 2 << 0.0 << 0;
    QTest::newRow("transit with discharge and export data") << "24IT000000000016T6" << 3 << 45732.0 << 1; // 16/03/2025
    QTest::newRow("transit error") << "24IT000000000010T0" << 2 << 0.0 << 0;
    // A VAT page's values land in the transit fields by position: its request
    // date (value 4) is taken as the first discharge date.
    QTest::newRow("VAT number: default state") << "IT01234567897" << 0 << 0.0 << 1;
}

void TestElencoDatabase::statiNellArchivio() {
    QFETCH(QString, codice);
    QFETCH(int, stato);
    QFETCH(double, uscita);
    QFETCH(int, ok);

    const RisultatoElenco r = esegui(codice.toLatin1() + "\r\n", Destinazione::Database);
    QCOMPARE(r.fine, FineElenco::Completato);
    QCOMPARE(r.numero, qint64(1));
    QVERIFY(r.unito);
    const QVariantMap m = prova::Riga(database_.DbLavoro, QStringLiteral("MRN"), codice);
    QCOMPARE(m.value("Codice").toString(), codice);
    QCOMPARE(m.value("OKStato").toInt(), stato);
    QCOMPARE(m.value("ExDataUscita").toDouble(), uscita);
    QCOMPARE(m.value("OK").toInt(), ok);
    QCOMPARE(m.value("DataElab").toDouble(), platform::dayNumber(QDate::currentDate()));
    // The rest of the archive is untouched.
    QCOMPARE(prova::Riga(database_.DbLavoro, QStringLiteral("MRN"), kEstraneo).value("DataElab").toDouble(),
             platform::dayNumber(QDate(2020, 1, 1)));
    QCOMPARE(prova::Codici(database_.DbLavoro, QStringLiteral("WkMRN")), QStringList{codice});
}

void TestElencoDatabase::mrnRipetutoEFileVuoto() {
    const QString esiti = dir_.filePath(QString::fromLatin1(kFileEsiti));
    scriviFile(esiti, "previous run\r\n");
    const RisultatoElenco r =
        esegui("24IT000000000015E5\r\n24IT000000000002E2, 24it000000000015e5\r\n", Destinazione::Database);
    QCOMPARE(r.numero, qint64(3));
    QCOMPARE(prova::Codici(database_.DbLavoro, QStringLiteral("WkMRN")),
             (QStringList{"24IT000000000002E2", "24IT000000000015E5"}));
    QCOMPARE(prova::Codici(database_.DbLavoro, QStringLiteral("MRN")),
             (QStringList{kEstraneo, kVecchio, "24IT000000000002E2", "24IT000000000015E5"}));
    // With D.B. the results file exists afterwards and is empty.
    QVERIFY(QFile::exists(esiti));
    QCOMPARE(QFileInfo(esiti).size(), qint64(0));
}

void TestElencoDatabase::altraDestinazioneLasciaWkVuota() {
    QVERIFY(esegui("24IT000000000002E2\r\n", Destinazione::Database).unito);
    const RisultatoElenco r = esegui("24IT000000000003E3\r\n", Destinazione::File);
    QCOMPARE(r.numero, qint64(1));
    QVERIFY(prova::Codici(database_.DbLavoro, QStringLiteral("WkMRN")).isEmpty());
    QVERIFY(!prova::Codici(database_.DbLavoro, QStringLiteral("MRN")).contains(QStringLiteral("24IT000000000003E3")));
}

void TestElencoDatabase::annullatoDopoIlTerzo() {
    QByteArray dieci;
    QStringList primiTre;
    for (int i = 0; i < 10; ++i) {
        const QString mrn = QStringLiteral("24IT00000000010%1E%1").arg(i);
        dieci += mrn.toLatin1() + "\r\n";
        if (i < 3)
            primiTre << mrn;
    }
    const RisultatoElenco r = esegui(dieci, Destinazione::Database, {}, 3);
    QCOMPARE(r.fine, FineElenco::Annullato);
    QCOMPARE(r.numero, qint64(3));
    QCOMPARE(r.totale, qint64(10));
    QVERIFY(r.unito);
    QCOMPARE(prova::Codici(database_.DbLavoro, QStringLiteral("WkMRN")), primiTre);
    QCOMPARE(prova::Codici(database_.DbLavoro, QStringLiteral("MRN")), QStringList({kEstraneo, kVecchio}) + primiTre);
}

void TestElencoDatabase::connessionePersaAlTerzo() {
    const RisultatoElenco r = esegui(
        "24IT000000000002E2\r\n24IT000000000003E3\r\n24IT000000000004E4\r\n24IT000000000005E5\r\n",
        Destinazione::Database, [&](qint64 n) {
            if (n == 3)
                server_.reset(); // the server goes away before the third enquiry
        });
    QCOMPARE(r.fine, FineElenco::SenzaRete);
    QCOMPARE(r.numero, qint64(3));
    QCOMPARE(r.messaggio, QStringLiteral("# Connessione INTERNET non attiva #"));
    // What was done before is merged.
    QVERIFY(r.unito);
    QCOMPARE(prova::Codici(database_.DbLavoro, QStringLiteral("WkMRN")),
             (QStringList{"24IT000000000002E2", "24IT000000000003E3"}));
    QCOMPARE(prova::Codici(database_.DbLavoro, QStringLiteral("MRN")).size(), 4);
}

void TestElencoDatabase::databaseChiusoDuranteIlGiro_data() {
    QTest::addColumn<bool>("chiudeIlFile");
    QTest::newRow("flag cleared") << false;
    QTest::newRow("connection closed behind the flag") << true;
}

void TestElencoDatabase::databaseChiusoDuranteIlGiro() {
    QFETCH(bool, chiudeIlFile);
    const RisultatoElenco r = esegui("24IT000000000002E2\r\n24IT000000000003E3\r\n24IT000000000004E4\r\n",
                                     Destinazione::Database, [&](qint64 n) {
                                         if (n != 3)
                                             return;
                                         if (chiudeIlFile)
                                             database_.DbLavoro.Close();
                                         else
                                             database_.DatabaseAperto = false;
                                     });
    QCOMPARE(r.numero, qint64(3));
    QCOMPARE(r.fine, FineElenco::Completato);
    QVERIFY(!r.unito);

    // The archive is as it was.
    dao::Database db = database_.WsLavoro.OpenDatabase(database_.FileDataBase);
    QCOMPARE(prova::Codici(db, QStringLiteral("MRN")), (QStringList{kEstraneo, kVecchio}));
    QCOMPARE(prova::Riga(db, QStringLiteral("MRN"), kVecchio).value("OKStato").toInt(), 2);
    // A cleared flag closes the work table normally; a connection that went
    // away takes the uncommitted group of work rows with it.
    const QStringList scritte{"24IT000000000002E2", "24IT000000000003E3"};
    const QStringList lavoro = prova::Codici(db, QStringLiteral("WkMRN"));
    if (chiudeIlFile)
        QVERIFY(lavoro.isEmpty() || lavoro == scritte);
    else
        QCOMPARE(lavoro, scritte);
    db.Close();
}

QTEST_GUILESS_MAIN(TestElencoDatabase)
#include "test_elenco_database.moc"
