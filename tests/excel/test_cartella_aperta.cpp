// A workbook held open by another program: the rules on listed windows, then
// the X11 implementation against a real window manager (openbox under Xvfb)
// and a real window of another process.

#include "archive/excel/cartella_aperta.h"
#include "archive/excel/cartella_excel.h"
#include "cartelle_prova.h"

#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace qv;

class TestCartellaAperta : public QObject {
    Q_OBJECT
    QTemporaryDir cartella;

private slots:
    // The lock files of Excel, of Excel for a long name, and of LibreOffice.
    void chiusura_data() {
        QTest::addColumn<QString>("blocco");
        QTest::addColumn<QString>("titoli"); // "" : the windows cannot be listed
        QTest::addColumn<bool>("restano");
        QTest::addColumn<ChiusuraCartella>("esito");
        QTest::addColumn<QList<quint64>>("chiuse");
        QTest::addColumn<QList<quint64>>("mostrate"); // by "&Apri": the last window of the workbook
        using C = ChiusuraCartella;
        using L = QList<quint64>;
        const QString t = "MESE_CORRENTE.XLSX - Excel|Posta|mese_corrente.xlsx - Calc";
        // clang-format off
        QTest::newRow("windows not listed") << "~$mese_corrente.xlsx" << "" << false << C::NessunaFinestra << L{} << L{};
        QTest::newRow("no window of it") << "~$se_corrente.xlsx" << "Posta|Xmese_corrente.xlsx|Calc - mese_corrente.xlsx"
                                         << false << C::NessunaFinestra << L{} << L{};
        QTest::newRow("they close, the lock goes") << ".~lock.mese_corrente.xlsx#" << t << false << C::Chiusa << L{0, 2} << L{2};
        QTest::newRow("its window stays") << ".~lock.mese_corrente.xlsx#" << t << true << C::AncoraAperta << L{0, 2} << L{2};
        // clang-format on
    }
    void chiusura() {
        QFETCH(QString, titoli);
        QFETCH(bool, restano);
        const QString p = cartella.filePath("mese_corrente.xlsx");
        FinestreFinte f;
        QFETCH(QString, blocco);
        f.blocco = cartella.filePath(blocco);
        QCOMPARE(ChiudiCartellaAperta(p, f, [](int) {}), ChiusuraCartella::Chiusa); // nothing holds it yet
        f.lista = !titoli.isEmpty();
        for (const QString& t : titoli.split('|'))
            f.finestre.append({quint64(f.finestre.size()), t});
        f.restano = restano;
        scriviFile(f.blocco, "x");
        QCOMPARE(FileBloccoCartella(p), f.blocco);
        QFETCH(QList<quint64>, mostrate);
        QCOMPARE(MostraFinestraCartella(p, f), !mostrate.isEmpty());
        QCOMPARE(f.mostrate, mostrate);
        int atteso = 0;
        QTEST(ChiudiCartellaAperta(p, f, [&](int ms) { atteso += ms; }), "esito");
        QTEST(f.chiuse, "chiuse");
        QCOMPARE(atteso, restano ? 10000 : 0); // 10 s at most
        QFile::remove(f.blocco);
    }

    // A window of another process, found by title, brought to the front and closed.
    void x11() {
        const QString xvfb = QStandardPaths::findExecutable("Xvfb"),
                      wm = QStandardPaths::findExecutable("openbox");
        if (xvfb.isEmpty() || wm.isEmpty()) QSKIP("Xvfb and openbox are needed (tools/setup-debian.sh)");
        QProcess server, gestore, foglio; // killed as they go
        server.start(xvfb, {"-displayfd", "1", "-nolisten", "tcp"});
        QByteArray numero, uscita;
        QTRY_VERIFY((numero += server.readAllStandardOutput()).endsWith('\n'));
        qputenv("DISPLAY", ":" + numero.trimmed());
        gestore.start(wm, {"--sm-disable"});
        std::unique_ptr<FinestreEsterne> finestre;
        QTRY_VERIFY_WITH_TIMEOUT((finestre = FinestreDelSistema())->elenco(), 10000); // its client list
        const QString p = cartella.filePath("Dichiarazioni è maggio.xlsx"),
                      titolo = QFileInfo(p).fileName() + " - Foglio finto";
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "xcb");
        foglio.setProcessEnvironment(env);
        foglio.start(cartellaProgrammi().filePath("foglio_finto"), {p});
        QTRY_VERIFY_WITH_TIMEOUT((uscita += foglio.readAll()).contains("ATTIVA Altro documento"), 15000);
        QTRY_COMPARE(FinestreCartella(p, *finestre).size(), 1);
        QCOMPARE(FinestreCartella(p, *finestre)[0].titolo, titolo); // UTF-8
        QVERIFY(MostraFinestraCartella(p, *finestre));
        QTRY_VERIFY((uscita += foglio.readAll()).endsWith("ATTIVA " + titolo.toUtf8() + "\n"));
        QVERIFY(!FileBloccoCartella(p).isEmpty());
        QCOMPARE(ChiudiCartellaAperta(p, *finestre, [](int ms) { QTest::qWait(ms); }),
                 ChiusuraCartella::Chiusa);
        QVERIFY(FileBloccoCartella(p).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestCartellaAperta)
#include "test_cartella_aperta.moc"
