// The batch window driven like a user against the demo server: a run to
// each destination, ANNULLA during a run, a list given by the caller, the
// list opened for editing, and the keys written at closing.

#include "archive/ui/contesto_archivio.h"
#include "archive/ui/finestra_elenco_mrn.h"
#include "archivio_prova.h"
#include "avviatore_registrato.h"
#include "database/stato_database.h"
#include "enquiry/ambiente_web.h"
#include "enquiry/stato_web.h"
#include "file_prova.h"
#include "platform/http_client.h"
#include "programmi_prova.h"
#include "shell/elenco_nazioni.h"
#include "shell/file_ini.h"
#include "shell/ui/contesto_finestre.h"
#include "shell/ui/tasti_comuni.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

using namespace qv;
using namespace qv::prova;

namespace {

// The opener of the program, reduced to the archive browser: it records the window it was opened over.
struct ApritoreProva : ApritoreFinestre {
    QStringList aperture;
    bool disponibile(IdFinestra f) const override { return f == IdFinestra::EleMRNok; }
    void apri(IdFinestra, QWidget* sopra, const QString&, const QVariantMap&) override {
        aperture << (sopra ? sopra->objectName() : QString());
    }
};

// A program folder, a database from the reference schema, enquiries to the demo server.
struct Banco {
    Banco(const ServerAvviato& server, bool conDatabase) {
        shell.cartellaProgramma = cartella.path();
        shell.FileIni = cartella.filePath("Quorvan.ini");
        finestre.apritore = &apritore;
        server.indirizzi(web);
        web.CartellaTemp = cartella.path() + "/";
        ambiente.fileIni = shell.FileIni;
        ambiente.http = &http;
        if (conDatabase) {
            database.DbLavoro = CreaArchivioProva(database.WsLavoro, cartella.filePath("Quorvan.mdb"));
            database.DatabaseAperto = true;
        }
    }
    ~Banco() {
        if (database.DatabaseAperto) database.DbLavoro.Close();
    }
    QString percorso(const QString& nome) const { return cartella.filePath(nome); }
    QString elenco(const QByteArray& contenuto) {
        scriviFile(percorso("lista.txt"), contenuto);
        return percorso("lista.txt");
    }
    QString ini(const char* chiave) const { return LeggiIni(shell.FileIni, "ELEMRN", chiave); }

    QTemporaryDir cartella;
    MessaggiRegistrati messaggi;
    AvviatoreRegistrato avviatore;
    StatoShell shell;
    ContestoFinestre finestre{shell, messaggi, avviatore};
    TastiComuniFiltro filtro{finestre};
    ApritoreProva apritore;
    platform::NetworkHttpClient http{10000};
    StatoWeb web;
    AmbienteWeb ambiente;
    StatoDatabase database;
    StatoArchivio archivio;
    ElencoNazioni nazioni;
    ContestoArchivio contesto{web, ambiente, database, archivio, nazioni};
};

template <class T = QWidget> T* controllo(const QWidget* w, const QString& nome) {
    T* c = w->findChild<T*>(nome);
    if (!c) qFatal("EleMrn has no control %s", qPrintable(nome));
    return c;
}

std::unique_ptr<FinestraElencoMrn> apri(Banco& b, const QString& elenco = QString()) {
    auto w = std::make_unique<FinestraElencoMrn>(b.finestre, b.contesto, elenco);
    w->show();
    w->activateWindow();
    if (!QTest::qWaitForWindowActive(w.get())) qWarning("EleMrn did not become active");
    return w;
}

void clic(QWidget* w, const QString& nome) { QTest::mouseClick(controllo(w, nome), Qt::LeftButton); }

QByteArray codici(int quanti) {
    QByteArray l;
    for (int i = 1; i <= quanti; ++i)
        l += QByteArray("24IT") + QByteArray::number(i).rightJustified(12, '0') + "E1\r\n";
    return l;
}

} // namespace

class TestElencoMrn : public QObject {
    Q_OBJECT
    std::unique_ptr<ServerAvviato> server;

private slots:
    void initTestCase() {
        server = std::make_unique<ServerAvviato>();
        QVERIFY2(server->avviato(), "quorvan-demo-server did not start");
    }
    void cleanupTestCase() { server.reset(); }

    void destinazioni_data() {
        QTest::addColumn<int>("opzione");
        QTest::addColumn<QByteArray>("inizioEsiti");
        QTest::addColumn<bool>("browser");
        QTest::newRow("FILE, semicolon") << 0 << QByteArray("24IT000000000001E1;") << false;
        QTest::newRow("Stampa") << 1 << QByteArray("1) Risultato MRN numero: 24IT000000000001E1\r\n") << false;
        QTest::newRow("D.B.: results file empty, the browser asked for") << 2 << QByteArray() << true;
    }
    // The list chosen with the button (and opened for editing), a destination, a run; one item is junk.
    void destinazioni() {
        QFETCH(int, opzione);
        QFETCH(QByteArray, inizioEsiti);
        QFETCH(bool, browser);
        Banco b(*server, true);
        const QString lista = b.elenco("24IT000000000001E1\r\n24it000000000002e2, AB\tCD\r\n");
        auto w = apri(b);
        QCOMPARE(b.web.ContestoWeb, ContestoElencoManuale);
        w->sceltaElenco = [&](QWidget*, const QString& cartella) { return cartella == b.cartella.path() ? lista : ""; };
        clic(w.get(), "Command2");
        QCOMPARE(controllo<QLabel>(w.get(), "lbPathEle")->text(), QDir::toNativeSeparators(lista));
        QCOMPARE(b.avviatore.documenti, QStringList{lista});
        clic(w.get(), QString("Option1_%1").arg(opzione));
        QCOMPARE(controllo(w.get(), "Text2")->isEnabled(), opzione == 0);
        QCOMPARE(controllo(w.get(), "Label1")->isVisible(), opzione == 0);
        if (opzione == 0) {
            QTest::keyClick(controllo(w.get(), "Text2"), Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(controllo(w.get(), "Text2"), ";");
        }
        clic(w.get(), "Command1_0");

        const QByteArray esiti = leggiFile(b.percorso("EsitiDaEle.txt"));
        QVERIFY2(inizioEsiti.isEmpty() ? esiti.isEmpty() : esiti.startsWith(inizioEsiti), esiti.constData());
        QCOMPARE(esiti.contains("IT277100 - MALPENSA"), !inizioEsiti.isEmpty()); // the server's answer
        QCOMPARE(b.messaggi.mostrati().size(), 1); // the skipped item is told
        QVERIFY(b.messaggi.mostrati().first().testo.contains("skipped: 1"));
        QCOMPARE(w->browserRichiesto(), browser);
        QCOMPARE(b.archivio.MostraRisultati, browser);
        QCOMPARE(w->isVisible(), !browser);
        QCOMPARE(b.avviatore.documenti.size(), browser ? 1 : 2);
        if (!browser) QCOMPARE(b.avviatore.documenti.last(), b.percorso("EsitiDaEle.txt"));
        // Every run empties the work table and merges it.
        QCOMPARE(Codici(b.database.DbLavoro, "MRN").size(), browser ? 2 : 0);
    }

    void annullaDopoIlTerzo() {
        Banco b(*server, true);
        auto w = apri(b, b.elenco(codici(10)));
        QStringList visto;
        connect(w.get(), &QWidget::windowTitleChanged, this, [&](const QString& titolo) {
            if (!titolo.endsWith("(3/10)")) return;
            auto* testo = controllo<QLineEdit>(w.get(), "Text1");
            visto << titolo << testo->text() << QString::number(testo->isEnabled())
                  << QString::number(controllo(w.get(), "Picture1")->isVisible())
                  << QString::number(controllo(w.get(), "Command1_0")->isEnabled());
            if (qEnvironmentVariableIsSet("QUORVAN_SCHERMATA")) // the documentation's picture
                w->grab().save(qEnvironmentVariable("QUORVAN_SCHERMATA"));
            clic(w.get(), "Command1_1");
        });
        QTest::keyClick(controllo(w.get(), "Command1_0"), Qt::Key_Return);
        QCOMPARE(visto, (QStringList{"Interrogo MRN numero 24IT000000000003E1     (3/10)",
                                     "Elaborazione di 10 MRN in corso ...", "1", "1", "0"}));
        QCOMPARE(Codici(b.database.DbLavoro, "MRN").size(), 3);
        QVERIFY(w->browserRichiesto() && !w->isVisible());
        QVERIFY(b.messaggi.mostrati().isEmpty());
    }

    // Opened by the browser's re-query: D.B. chosen, ANALIZZA waiting, the
    // browser opened over the caller once the batch window has closed.
    void elencoDatoFinisceNelBrowser() {
        Banco b(*server, true);
        ScriviIni(b.shell.FileIni, "ELEMRN", "COME", "0");
        QWidget chiamante;
        chiamante.setObjectName("Chiamante");
        QStringList visto;
        QTimer::singleShot(0, [&] {
            auto* w = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            QVERIFY(w && QTest::qWaitForWindowActive(w));
            QWidget* fuoco = QApplication::focusWidget();
            visto << QString::number(controllo<QRadioButton>(w, "Option1_2")->isChecked())
                  << QString::number(b.web.ContestoWeb) << (fuoco ? fuoco->objectName() : "");
            if (fuoco)
                QTest::keyClick(fuoco, Qt::Key_Return);
            else
                w->reject();
            visto << QString::number(b.apritore.aperture.size()); // not before the window closed
        });
        ApriElencoMrn(b.finestre, b.contesto, &chiamante, b.elenco(codici(2)));
        QCOMPARE(visto, (QStringList{"1", "0", "Command1_0", "0"}));
        QCOMPARE(b.apritore.aperture, QStringList{"Chiamante"});
        QVERIFY(b.archivio.MostraRisultati);
        QCOMPARE(Codici(b.database.DbLavoro, "MRN").size(), 2);
        QCOMPARE(b.ini("PATH"), QString()); // a given list leaves the keys alone
        QCOMPARE(b.ini("COME"), QString("0"));
    }

    // Without a database D.B. is out of reach; closing with F2 writes the keys.
    void chiusuraScriveLeChiavi() {
        Banco b(*server, false);
        ScriviIni(b.shell.FileIni, "ELEMRN", "COME", "2");
        ScriviIni(b.shell.FileIni, "ELEMRN", "COSA", ";");
        auto w = apri(b);
        QVERIFY(controllo<QRadioButton>(w.get(), "Option1_1")->isChecked());
        QVERIFY(!controllo(w.get(), "Option1_2")->isEnabled());
        QVERIFY(!controllo(w.get(), "Picture1")->isVisible() && !controllo(w.get(), "Command1_1")->isEnabled());
        QVERIFY(!controllo<QAction>(w.get(), "Mu_param")->isEnabled()); // no page options window here
        clic(w.get(), "Option1_0");
        QCOMPARE(controllo<QLineEdit>(w.get(), "Text2")->text(), QString(";"));
        QTest::keyClick(controllo(w.get(), "Text2"), Qt::Key_F2);
        QVERIFY(!w->isVisible());
        QCOMPARE(b.ini("COME"), QString("0"));
        QCOMPARE(b.ini("COSA"), QString(";"));
    }

    void modificaElenco_data() {
        QTest::addColumn<int>("codiceShell");
        QTest::addColumn<bool>("editor");
        QTest::newRow("opened by its program") << 42 << false;
        QTest::newRow("no program for the type: the text editor") << 31 << true;
        QTest::newRow("not found: the text editor") << 2 << true;
    }
    // A click on the empty path: a new "ElencoMRN.txt" with one empty line, opened for editing.
    void modificaElenco() {
        QFETCH(int, codiceShell);
        QFETCH(bool, editor);
        Banco b(*server, false);
        ScriviIni(b.shell.FileIni, "APPLICATIVI", "Varie1", b.percorso("editor"));
        scriviFile(b.percorso("editor"), "");
        b.avviatore.esitoDocumento.codice = codiceShell;
        auto w = apri(b);
        clic(w.get(), "lbPathEle");
        QCOMPARE(controllo<QLabel>(w.get(), "lbPathEle")->text(), QString("ElencoMRN.txt"));
        QCOMPARE(leggiFile(b.percorso("ElencoMRN.txt")), QByteArray("\r\n"));
        QCOMPARE(b.avviatore.documenti, QStringList{b.percorso("ElencoMRN.txt")});
        QCOMPARE(b.avviatore.avvii.size(), editor ? 1 : 0);
        if (editor) QVERIFY(b.avviatore.avvii.first().argomenti.contains("ElencoMRN.txt"));
        w->close();
        QCOMPARE(b.ini("PATH"), QString("ElencoMRN.txt"));
    }
};

QTEST_MAIN(TestElencoMrn)
#include "test_elenco_mrn.moc"
