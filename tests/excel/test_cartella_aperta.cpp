// A workbook held open by another program: the rules on listed windows, then
// the X11 implementation against a real window manager (openbox under Xvfb)
// and a real window of another process.

#include "archive/excel/cartella_aperta.h"
#include "archive/excel/cartella_excel.h"
#include "cartelle_prova.h"

#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

using namespace qv;

class TestCartellaAperta : public QObject {
    Q_OBJECT
    QTemporaryDir cartella;

    // Reads `p`'s standard output until it holds `testo`, at most 15 s.
    static bool attendiRiga(QProcess& p, const QByteArray& testo, QByteArray* righe = nullptr) {
        QByteArray letto;
        for (int i = 0; i < 150 && !letto.contains(testo); ++i) {
            p.waitForReadyRead(100);
            letto += p.readAllStandardOutput();
        }
        if (righe) *righe = letto;
        return letto.contains(testo);
    }

private slots:
    // The lock files of Excel, of Excel for a long name, and of LibreOffice.
    void chiusura_data() {
        QTest::addColumn<QString>("blocco");
        QTest::addColumn<QString>("titoli"); // "" : the windows cannot be listed
        QTest::addColumn<bool>("restano");
        QTest::addColumn<ChiusuraCartella>("esito");
        QTest::addColumn<QString>("chiuse");
        QTest::addColumn<QString>("mostrata"); // by "&Apri": the last window of the workbook
        using C = ChiusuraCartella;
        const QString t = "MESE_CORRENTE.XLSX - Excel|Posta|mese_corrente.xlsx - Calc";
        // clang-format off
        QTest::newRow("windows not listed") << "~$mese_corrente.xlsx" << "" << false << C::NessunaFinestra << "" << "";
        QTest::newRow("no window of it") << "~$se_corrente.xlsx" << "Posta|Xmese_corrente.xlsx|Calc - mese_corrente.xlsx"
                                         << false << C::NessunaFinestra << "" << "";
        QTest::newRow("they close, the lock goes") << ".~lock.mese_corrente.xlsx#" << t << false << C::Chiusa << "0 2" << "2";
        QTest::newRow("its window stays") << ".~lock.mese_corrente.xlsx#" << t << true << C::AncoraAperta << "0 2" << "2";
        // clang-format on
    }
    void chiusura() {
        QFETCH(QString, blocco);
        QFETCH(QString, titoli);
        QFETCH(bool, restano);
        QFETCH(QString, mostrata);
        const QString p = cartella.filePath("mese_corrente.xlsx");
        FinestreFinte f;
        f.blocco = cartella.filePath(blocco);
        QCOMPARE(ChiudiCartellaAperta(p, f, [](int) {}), ChiusuraCartella::Chiusa); // nothing holds it yet
        f.lista = !titoli.isEmpty();
        for (const QString& t : titoli.split('|'))
            f.finestre.append({quint64(f.finestre.size()), t});
        f.restano = restano;
        scriviFile(f.blocco, "x");
        QCOMPARE(FileBloccoCartella(p), f.blocco);
        QCOMPARE(MostraFinestraCartella(p, f), !mostrata.isEmpty());
        QCOMPARE(f.mostrate.isEmpty() ? QString() : QString::number(f.mostrate.last()), mostrata);
        int atteso = 0;
        QTEST(ChiudiCartellaAperta(p, f, [&](int ms) { atteso += ms; }), "esito");
        QStringList chiuse;
        for (quint64 id : f.chiuse)
            chiuse << QString::number(id);
        QTEST(chiuse.join(' '), "chiuse");
        QCOMPARE(atteso, restano ? 10000 : 0); // 10 s at most
        QFile::remove(f.blocco);
    }

    // A window of another process, found by title, brought to the front and closed.
    void x11() {
        const QString xvfb = QStandardPaths::findExecutable("Xvfb"),
                      wm = QStandardPaths::findExecutable("openbox");
        if (xvfb.isEmpty() || wm.isEmpty()) QSKIP("Xvfb and openbox are needed (tools/setup-debian.sh)");
        QProcess server, gestore, foglio;
        server.start(xvfb, {"-displayfd", "1", "-nolisten", "tcp", "-screen", "0", "800x600x24"});
        QByteArray numero;
        QVERIFY(attendiRiga(server, "\n", &numero));
        qputenv("DISPLAY", ":" + numero.trimmed()); // children are killed as their QProcess goes
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "xcb");
        gestore.setProcessEnvironment(env);
        gestore.start(wm, {"--sm-disable"});
        std::unique_ptr<FinestreEsterne> finestre;
        for (int i = 0; i < 100 && !(finestre && finestre->elenco()); ++i) {
            QThread::msleep(100);
            finestre = FinestreDelSistema();
        }
        const QString p = cartella.filePath("Dichiarazioni è maggio.xlsx");
        foglio.setProcessEnvironment(env);
        foglio.start(cartellaProgrammi().filePath("foglio_finto"), {p});
        QVERIFY(attendiRiga(foglio, "ATTIVA Altro documento"));
        QVERIFY(!FileBloccoCartella(p).isEmpty());
        QList<FinestraEsterna> trovate;
        for (int i = 0; i < 50 && trovate.isEmpty(); ++i, QThread::msleep(100))
            trovate = FinestreCartella(p, *finestre);
        QCOMPARE(trovate.size(), 1);
        QCOMPARE(trovate[0].titolo, "Dichiarazioni è maggio.xlsx - Foglio finto"); // _NET_WM_NAME, UTF-8
        QVERIFY(MostraFinestraCartella(p, *finestre));
        QVERIFY(attendiRiga(foglio, "ATTIVA Dichiarazioni"));
        QCOMPARE(ChiudiCartellaAperta(p, *finestre, [](int ms) { QThread::msleep(ulong(ms)); }),
                 ChiusuraCartella::Chiusa);
        QVERIFY(FileBloccoCartella(p).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestCartellaAperta)
#include "test_cartella_aperta.moc"
