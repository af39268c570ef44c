// The batch window driven like a user against the demo server.

#include "archive/giri_automatici.h"
#include "archive/ui/finestra_elenco_mrn.h"
#include "banco_archivio.h"

using namespace qv;
using namespace qv::prova;

namespace {

// The bench with the browser the only window that can be opened, and a list of MRNs to hand.
struct Banco : BancoArchivio {
    Banco(const ServerAvviato& server, bool conDatabase) : BancoArchivio(conDatabase, &server) {
        apritore.disponibili = {IdFinestra::EleMRNok};
    }
    QString elenco(int quanti, QByteArray l = {}) {
        for (int i = 1; i <= quanti; ++i)
            l += "24IT" + QByteArray::number(i).rightJustified(12, '0') + "E1\r\n";
        scriviFile(percorso("lista.txt"), l);
        return percorso("lista.txt");
    }
    QString ini(const char* chiave) const { return LeggiIni(shell.FileIni, "ELEMRN", chiave); }
    int archiviati() { return Codici(database.DbLavoro, "MRN").size(); }
};

std::unique_ptr<FinestraElencoMrn> apri(Banco& b, const QString& elenco = QString()) {
    return mostrata(std::make_unique<FinestraElencoMrn>(b.finestre, b.contesto, elenco));
}

} // namespace

class TestElencoMrn : public QObject {
    Q_OBJECT
    ServerAvviato server;

private slots:
    void initTestCase() { QVERIFY2(server.avviato(), "quorvan-demo-server did not start"); }

    void destinazioni_data() {
        QTest::addColumn<int>("opzione");
        QTest::addColumn<QByteArray>("inizioEsiti"); // empty: the file is empty and the browser asked for
        QTest::newRow("FILE, semicolon") << 0 << QByteArray("24IT000000000001E1;");
        QTest::newRow("Stampa") << 1 << QByteArray("1) Risultato MRN numero: 24IT000000000001E1\r\n");
        QTest::newRow("D.B.") << 2 << QByteArray();
    }
    // The list chosen with the button (and opened for editing); one item of it is junk.
    void destinazioni() {
        QFETCH(int, opzione);
        QFETCH(QByteArray, inizioEsiti);
        const bool browser = inizioEsiti.isEmpty();
        Banco b(server, true);
        const QString lista = b.elenco(2, "AB\tCD,");
        auto w = apri(b);
        QCOMPARE(b.web.ContestoWeb, ContestoElencoManuale);
        w->sceltaElenco = [&](QWidget*, const QString& cartella) { return cartella == b.cartella.path() ? lista : ""; };
        clic(w.get(), "Command2");
        QCOMPARE(b.avviatore.documenti, QStringList{lista});
        clic(w.get(), QString("Option1_%1").arg(opzione));
        QCOMPARE(c(w.get(), "Text2")->isEnabled() && c(w.get(), "Label1")->isVisible(), opzione == 0);
        QTest::keyClick(c(w.get(), "Text2"), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(c(w.get(), "Text2"), ";");
        clic(w.get(), "Command1_0");
        const QByteArray esiti = leggiFile(b.percorso("EsitiDaEle.txt"));
        QVERIFY2(browser ? esiti.isEmpty() : esiti.startsWith(inizioEsiti), esiti.constData());
        QCOMPARE(esiti.contains("IT277100 - MALPENSA"), !browser); // the server's answer
        QVERIFY(b.messaggi.mostrati().size() == 1 && b.messaggi.mostrati()[0].testo.contains("Elementi scartati: 1"));
        QCOMPARE(w->browserRichiesto() && b.archivio.MostraRisultati && !w->isVisible(), browser);
        QCOMPARE(b.avviatore.documenti.last(), browser ? lista : b.percorso("EsitiDaEle.txt"));
        QCOMPARE(b.archiviati(), browser ? 2 : 0);
    }

    // An unattended run holds the archive: its message, nothing queried, the window ready again.
    void archivioOccupato() {
        Banco b(server, true);
        BloccoArchivio notturno;
        QVERIFY(notturno.prendi(b.database.FileDataBase));
        auto w = apri(b, b.elenco(2));
        clic(w.get(), "Option1_2");
        clic(w.get(), "Command1_0");
        QCOMPARE(TestiMostrati(b.messaggi), QStringList{kArchivioOccupato});
        QVERIFY(b.archiviati() == 0 && c(w.get(), "Command1_0")->isEnabled() && w->isVisible());
    }

    // Opened by the browser's re-query: D.B. chosen, Enter on ANALIZZA, ANNULLA
    // during the third MRN; three rows merged and the browser opened over the
    // caller once the batch window has closed.
    void elencoDatoAnnullatoDopoIlTerzo() {
        Banco b(server, true);
        ScriviIni(b.shell.FileIni, "ELEMRN", "COME", "0");
        QWidget chiamante;
        chiamante.setObjectName("Chiamante");
        QStringList visto;
        QTimer::singleShot(0, [&] {
            auto* w = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            QVERIFY(w && QTest::qWaitForWindowActive(w));
            connect(w, &QWidget::windowTitleChanged, w, [&, w](const QString& titolo) {
                if (!titolo.endsWith("(3/10)")) return;
                visto << titolo << c<QLineEdit>(w, "Text1")->text()
                      << QString::number(c(w, "Picture1")->isVisible() && !c(w, "Command1_0")->isEnabled());
                clic(w, "Command1_1");
            });
            QWidget* fuoco = QApplication::focusWidget();
            visto << QString::number(c<QRadioButton>(w, "Option1_2")->isChecked())
                  << QString::number(b.web.ContestoWeb) << (fuoco ? fuoco->objectName() : "");
            fuoco ? QTest::keyClick(fuoco, Qt::Key_Return) : w->reject();
            visto << QString::number(b.apritore.sopra.size()); // not before the window closed
        });
        ApriElencoMrn(b.finestre, b.contesto, &chiamante, b.elenco(10));
        QCOMPARE(visto, (QStringList{"1", "0", "Command1_0", "Interrogo MRN numero 24IT000000000003E1     (3/10)",
                                     "Elaborazione di 10 MRN in corso ...", "1", "0"}));
        QCOMPARE(b.apritore.sopra, QStringList{"Chiamante"});
        QCOMPARE(b.archiviati(), 3);
        QVERIFY(b.archivio.MostraRisultati && b.messaggi.mostrati().isEmpty());
        QCOMPARE(b.ini("COME") + b.ini("PATH"), QString("0")); // a given list leaves the keys alone
    }

    // No database: "D.B." out of reach. A click on the empty path makes
    // "ElencoMRN.txt" with one empty line and opens it, with no program for
    // the type in the text editor (opened by its program: destinazioni); F2 writes the keys.
    void modificaElencoEChiusura() {
        Banco b(server, false);
        ScriviIni(b.shell.FileIni, "ELEMRN", "COME", "2");
        ScriviIni(b.shell.FileIni, "ELEMRN", "COSA", ";");
        ScriviIni(b.shell.FileIni, "APPLICATIVI", "Varie1", b.shell.FileIni); // any file that exists
        b.avviatore.esitoDocumento.codice = 31;
        auto w = apri(b);
        QVERIFY(c<QRadioButton>(w.get(), "Option1_1")->isChecked() && !c(w.get(), "Option1_2")->isEnabled());
        QVERIFY(!c(w.get(), "Picture1")->isVisible() && !c(w.get(), "Command1_1")->isEnabled());
        QVERIFY(!c<QAction>(w.get(), "Mu_param")->isEnabled()); // no page options window here
        clic(w.get(), "lbPathEle");
        QCOMPARE(leggiFile(b.percorso("ElencoMRN.txt")), QByteArray("\r\n"));
        QCOMPARE(b.avviatore.documenti, QStringList{b.percorso("ElencoMRN.txt")});
        QVERIFY(b.avviatore.avvii.size() == 1 && b.avviatore.avvii[0].argomenti.contains("ElencoMRN.txt"));
        clic(w.get(), "Option1_0");
        QTest::keyClick(c(w.get(), "Text2"), Qt::Key_F2);
        QVERIFY(!w->isVisible());
        QCOMPARE(QStringList({b.ini("COME"), b.ini("COSA"), b.ini("PATH")}), QStringList({"0", ";", "ElencoMRN.txt"}));
    }
};

QTEST_MAIN(TestElencoMrn)
#include "test_elenco_mrn.moc"
