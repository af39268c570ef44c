// The archive browser driven as a user drives it, on a reference database
// with a few rows: both modes, the filters through the controls, date
// checks, sorting by headings, row colours, the layout panel, widths kept,
// INTERROGA handing the list to the batch, the edit panel.

#include "archive/colonne_griglia.h"
#include "archive/ui/contesto_archivio.h"
#include "archive/ui/finestra_archivio_mrn.h"
#include "archive/ui/modello_archivio.h"
#include "database/stato_database.h"
#include "enquiry/ambiente_web.h"
#include "enquiry/stato_web.h"
#include "shell/elenco_nazioni.h"
#include "shell/file_ini.h"
#include "shell/ui/contesto_finestre.h"
#include "shell/ui/tasti_comuni.h"
#include "tests/archive/archivio_prova.h"
#include "tests/shell/avviatore_registrato.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace qv;

namespace {

// Opens nothing: records what was asked and, for the batch, the list it got.
class ApritoreProva : public ApritoreFinestre {
public:
    QList<IdFinestra> aperte;
    QVariantMap parametri;
    QString lista;
    QString contenutoLista;
    bool disponibile(IdFinestra) const override { return true; }
    void apri(IdFinestra f, QWidget*, const QString& argomento, const QVariantMap& p) override {
        aperte << f;
        parametri = p;
        if (f == IdFinestra::EleMrn) {
            lista = argomento;
            QFile file(argomento);
            if (file.open(QIODevice::ReadOnly))
                contenutoLista = QString::fromLatin1(file.readAll());
        }
    }
};

template <class T = QWidget> T* controllo(const QWidget* w, const char* nome) {
    T* c = w->findChild<T*>(QLatin1String(nome));
    if (!c)
        qFatal("no control %s", nome);
    return c;
}

} // namespace

class TestArchivioMrn : public QObject {
    Q_OBJECT

    QTemporaryDir cartella;
    StatoShell shell;
    MessaggiRegistrati messaggi;
    prova::AvviatoreRegistrato avviatore;
    ApritoreProva apritore;
    std::unique_ptr<ContestoFinestre> finestre;
    std::unique_ptr<TastiComuniFiltro> tasti;
    StatoDatabase database;
    StatoWeb web;
    AmbienteWeb ambiente;
    StatoArchivio stato;
    ElencoNazioni nazioni;
    std::unique_ptr<ContestoArchivio> contesto;

    void riga(const QString& tabella, const QString& codice, int okStato) {
        dao::Recordset rs = database.DbLavoro.OpenRecordset(tabella);
        rs.AddNew();
        rs.setValue(QStringLiteral("Codice"), codice);
        rs.setValue(QStringLiteral("Nazione"), codice.mid(2, 2));
        rs.setValue(QStringLiteral("OKStato"), okStato);
        rs.setValue(QStringLiteral("DataElab"), 45000);
        rs.Update();
    }

    std::unique_ptr<FinestraArchivioMrn> apri(bool risultati = false) {
        stato.MostraRisultati = risultati;
        auto w = std::make_unique<FinestraArchivioMrn>(*finestre, *contesto);
        w->show();
        w->activateWindow();
        if (!QTest::qWaitForWindowActive(w.get()))
            qWarning("the browser did not become active");
        return w;
    }

    static void scegli(QComboBox* c, const QString& testo) {
        c->setFocus();
        QTest::keyClicks(c, testo);
        QTest::qWait(QApplication::keyboardInputInterval() + 50); // the next search starts afresh
    }

private slots:
    void initTestCase() {
        shell.cartellaProgramma = cartella.path();
        shell.FileIni = cartella.filePath(QStringLiteral("Quorvan.ini"));
        finestre = std::make_unique<ContestoFinestre>(shell, messaggi, avviatore);
        finestre->apritore = &apritore;
        tasti = std::make_unique<TastiComuniFiltro>(*finestre);
        database.FileDataBase = cartella.filePath(QStringLiteral("Quorvan.mdb"));
        database.CartellaTemp = cartella.path() + QStringLiteral("/TempFile/");
        QDir().mkpath(database.CartellaTemp);
        database.DbLavoro = prova::CreaArchivioProva(database.WsLavoro, database.FileDataBase);
        database.DatabaseAperto = true;
        nazioni = CaricaElencoNazioni(shell.FileIni);
        contesto = std::make_unique<ContestoArchivio>(ContestoArchivio{web, ambiente, database, stato, nazioni});
        riga(QStringLiteral("MRN"), QStringLiteral("21IT000000000001E1"), 0);
        riga(QStringLiteral("MRN"), QStringLiteral("21IT000000000002T2"), 0);
        riga(QStringLiteral("MRN"), QStringLiteral("21DE000000000003E3"), 1);
        riga(QStringLiteral("MRN"), QStringLiteral("21IT000000000004E4"), 2);
        riga(QStringLiteral("MRN"), QStringLiteral("21FR000000000005E5"), 3);
        riga(QStringLiteral("WkMRN"), QStringLiteral("22IT000000000006T6"), 3);
    }

    void init() { messaggi.svuota(); }

    void modi_data() {
        QTest::addColumn<bool>("risultati");
        QTest::addColumn<QString>("titolo");
        QTest::addColumn<QString>("stato");
        QTest::addColumn<int>("righe");
        QTest::addColumn<bool>("interroga");
        const QString base = QStringLiteral("ITINERARIO DI TRANSITO - NOTIFICA DI ESPORTAZIONE");
        QTest::newRow("archive") << false << base << "IN SOSPESO" << 2 << true;
        QTest::newRow("results") << true << base + QStringLiteral("  (RISULTATO ANALISI)") << "TUTTI" << 1 << false;
    }
    void modi() {
        QFETCH(bool, risultati);
        shell.applicativi.ProgrammaExcel.clear();
        QFETCH(QString, titolo);
        auto w = apri(risultati);
        QVERIFY(!stato.MostraRisultati);
        QCOMPARE(w->modoArchivio(), !risultati);
        QFETCH(int, righe);
        QCOMPARE(w->windowTitle(), titolo + QStringLiteral("         Totale MRN = ") + QString::number(righe));
        QTEST(controllo<QComboBox>(w.get(), "cbStato")->currentText(), "stato");
        QTEST(controllo<QPushButton>(w.get(), "CmdR_0")->isEnabled(), "interroga");
        QCOMPARE(w->findChild<QAction*>(QStringLiteral("Mu_storicizza"))->isEnabled(), !risultati);
        QVERIFY(!controllo<QWidget>(w.get(), "CmdR_1")->isVisible()); // no spreadsheet program
        // Choosing ERRATI leaves INTERROGA as the mode has it.
        scegli(controllo<QComboBox>(w.get(), "cbStato"), QStringLiteral("ERRATI"));
        QTEST(controllo<QPushButton>(w.get(), "CmdR_0")->isEnabled(), "interroga");
    }

    void filtriDaiControlli() {
        auto w = apri();
        scegli(controllo<QComboBox>(w.get(), "cbStato"), QStringLiteral("E"));
        scegli(controllo<QComboBox>(w.get(), "cbNazioni"), QStringLiteral("IT"));
        scegli(controllo<QComboBox>(w.get(), "cbTipo"), QStringLiteral("E"));
        QCOMPARE(w->sqlCorrente(), QStringLiteral("Select * FROM MRN WHERE OKStato = 2 AND Nazione = 'IT' AND "
                                                  "mid([MRN].[Codice],17,1) = 'E' ORDER BY Codice ASC"));
        QCOMPARE(w->modello().totale(), 1);

        // A year empties the fragment; a fragment resets year and nation.
        auto* frammento = controllo<QLineEdit>(w.get(), "Txt_7");
        frammento->setFocus();
        QTest::keyClicks(frammento, QStringLiteral("it0"));
        QCOMPARE(frammento->text(), QStringLiteral("IT0"));
        QVERIFY(w->sqlCorrente().contains(QStringLiteral("Codice LIKE '*IT0*'")));
        QCOMPARE(controllo<QComboBox>(w.get(), "cbNazioni")->currentIndex(), 0);
        scegli(controllo<QComboBox>(w.get(), "cbAnno"), QStringLiteral("21"));
        QVERIFY(frammento->text().isEmpty());
        QVERIFY(w->sqlCorrente().contains(QStringLiteral("left([MRN].[Codice],2) = '21'")));

        // "Su richiesta": typing no longer extracts, ESTRAI does; the choice is stored.
        w->findChild<QAction*>(QStringLiteral("Mu_param"))->trigger();
        QTest::mouseClick(controllo<QWidget>(w.get(), "optEstrai_1"), Qt::LeftButton);
        QTest::mouseClick(controllo<QWidget>(w.get(), "cmdParam_1"), Qt::LeftButton);
        QCOMPARE(LeggiIni(shell.FileIni, QStringLiteral("EleMRNok"), QStringLiteral("ESTRAIIMM")), QStringLiteral("1"));
        const QString prima = w->sqlCorrente();
        QTest::keyClicks(frammento, QStringLiteral("T2"));
        QCOMPARE(w->sqlCorrente(), prima);
        QCOMPARE(controllo<QComboBox>(w.get(), "cbAnno")->currentIndex(), 0);
        QTest::mouseClick(controllo<QWidget>(w.get(), "CmdR_2"), Qt::LeftButton);
        QVERIFY(w->sqlCorrente().contains(QStringLiteral("Codice LIKE '*T2*'")));
        ScriviIni(shell.FileIni, QStringLiteral("EleMRNok"), QStringLiteral("ESTRAIIMM"), QStringLiteral("0"));
    }

    void giornoErrato() {
        auto w = apri();
        auto* giorno = controllo<QLineEdit>(w.get(), "Txt_1");
        giorno->setFocus();
        QTest::keyClicks(giorno, QStringLiteral("3x2"));
        QTest::keyClick(giorno, Qt::Key_Return);
        QCOMPARE(giorno->text(), QStringLiteral("32"));
        QCOMPARE(messaggi.mostrati().size(), 1);
        QCOMPARE(messaggi.mostrati().first().testo, QStringLiteral("GIORNO INIZIALE ERRATO"));
        QVERIFY(messaggi.mostrati().first().titolo.endsWith(QStringLiteral(" -ERRORE N. 1")));
        QVERIFY(giorno->hasFocus());
        // Up from the first field goes round to the last one that can take the focus.
        giorno->setText(QStringLiteral("1"));
        QTest::keyClick(giorno, Qt::Key_Up);
        QVERIFY(controllo<QLineEdit>(w.get(), "Txt_7")->hasFocus());
    }

    void ordinamentoEColori() {
        auto w = apri();
        scegli(controllo<QComboBox>(w.get(), "cbStato"), QStringLiteral("T"));
        auto* griglia = controllo<QTableView>(w.get(), "TDBGrid1");
        QHeaderView* testate = griglia->horizontalHeader();
        const auto centro = [&](int s) {
            return QPoint(testate->sectionViewportPosition(s) + testate->sectionSize(s) / 2, testate->height() / 2);
        };
        QTest::mouseClick(testate->viewport(), Qt::LeftButton, {}, centro(5));
        QVERIFY(w->sqlCorrente().endsWith(QStringLiteral(" ORDER BY ExDataUscita ASC, Codice")));
        QTest::mouseClick(testate->viewport(), Qt::RightButton, {}, centro(1));
        QVERIFY(w->sqlCorrente().endsWith(QStringLiteral(" ORDER BY Nazione DESC")));
        QTest::mouseClick(testate->viewport(), Qt::LeftButton, {}, centro(0));

        // Colour entries by state letter: S 3, D 2, E 0, C 1.
        const int voce[] = {3, 2, 0, 1};
        const ModelloArchivio& m = w->modello();
        QCOMPARE(m.rowCount(), 5);
        for (int r = 0; r < m.rowCount(); ++r) {
            const QString lettera = m.index(r, kNumeroColonne - 1).data().toString();
            const int stato = QStringLiteral("SDEC").indexOf(lettera);
            QVERIFY2(stato >= 0, qPrintable(lettera));
            const qint32 rgb = database.ColoriGriglia[std::size_t(voce[stato])];
            QCOMPARE(m.index(r, 3).data(Qt::BackgroundRole).value<QColor>(),
                     QColor(rgb & 0xff, (rgb >> 8) & 0xff, (rgb >> 16) & 0xff));
        }
        QVERIFY(m.index(0, 5).data().toString().isEmpty()); // a 0 date is blank
        griglia->setFocus();
        griglia->setCurrentIndex(m.index(3, 0));
        QTest::keyClick(griglia, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("21IT000000000002T2"));
    }

    void layOut() {
        auto w = apri();
        w->findChild<QAction*>(QStringLiteral("Mu_layout"))->trigger();
        auto* elenco = controllo<QListWidget>(w.get(), "lstLayOut");
        QCOMPARE(elenco->count(), kNumeroColonne - 1);
        QVERIFY(!controllo<QTableView>(w.get(), "TDBGrid1")->isEnabled());
        QCOMPARE(elenco->item(0)->text(), QStringLiteral("S | NAZ"));
        elenco->setCurrentRow(1);
        QTest::keyClick(elenco, Qt::Key_X);
        QCOMPARE(elenco->item(1)->text(), QStringLiteral("  | UFF.EXP."));
        QTest::keyClick(elenco, Qt::Key_S); // S is no flip key
        QCOMPARE(elenco->item(1)->text(), QStringLiteral("  | UFF.EXP."));
        QTest::keyClick(w.get(), Qt::Key_F2); // F2 is USCITA here: nothing written
        QVERIFY(!elenco->isVisible());
        QVERIFY(LeggiIni(shell.FileIni, QStringLiteral("EleMRNok"), QStringLiteral("LayOUT")).isEmpty());
        QVERIFY(w->isVisible());
        w->findChild<QAction*>(QStringLiteral("Mu_layout"))->trigger();
        const QRect voce = elenco->visualItemRect(elenco->item(0));
        QTest::mouseClick(elenco->viewport(), Qt::LeftButton, {}, voce.center());
        QTest::mouseDClick(elenco->viewport(), Qt::LeftButton, {}, voce.center());
        QTest::mouseClick(controllo<QWidget>(w.get(), "cmgLayOut_1"), Qt::LeftButton);
        auto* griglia = controllo<QTableView>(w.get(), "TDBGrid1");
        QVERIFY(griglia->isColumnHidden(1) && griglia->isColumnHidden(2) && !griglia->isColumnHidden(3));
        QVERIFY(griglia->isEnabled());
        // The two leading blanks survive the file: the next browser hides the same columns.
        w.reset();
        w = apri();
        griglia = controllo<QTableView>(w.get(), "TDBGrid1");
        QVERIFY(griglia->isColumnHidden(1) && griglia->isColumnHidden(2) && !griglia->isColumnHidden(3));
        ScriviIni(shell.FileIni, QStringLiteral("EleMRNok"), QStringLiteral("LayOUT"), QString());
    }

    void larghezzeRicordate() {
        int larghezza = 0;
        {
            auto w = apri();
            QHeaderView* testate = controllo<QTableView>(w.get(), "TDBGrid1")->horizontalHeader();
            larghezza = testate->sectionSize(4) + 57;
            testate->resizeSection(4, larghezza);
            w->close();
        }
        auto w = apri();
        QCOMPARE(controllo<QTableView>(w.get(), "TDBGrid1")->horizontalHeader()->sectionSize(4), larghezza);
    }

    void interroga() {
        apritore.aperte.clear();
        auto w = apri();
        QTest::mouseClick(controllo<QWidget>(w.get(), "CmdR_0"), Qt::LeftButton);
        QVERIFY(!w->isVisible());
        QTRY_COMPARE(apritore.aperte, QList<IdFinestra>{IdFinestra::EleMrn});
        QCOMPARE(apritore.lista, database.CartellaTemp + QStringLiteral("ListaVAT.txt"));
        QCOMPARE(apritore.contenutoLista, QStringLiteral("21IT000000000001E1\r\n21IT000000000002T2\r\n"));
    }

    void menuEdEsportazione() {
        apritore.aperte.clear();
        web.ContestoWeb = ContestoElencoManuale;
        shell.applicativi.ProgrammaExcel = QStringLiteral("EXCEL.EXE");
        auto w = apri();
        QTest::mouseClick(controllo<QWidget>(w.get(), "CmdR_1"), Qt::LeftButton);
        QCOMPARE(avviatore.avvii.size(), 1);
        QCOMPARE(avviatore.avvii.first().programma, QStringLiteral("EXCEL.EXE"));
        QVERIFY(avviatore.avvii.first().argomenti.endsWith(QStringLiteral("EXPMRN.csv\"")));
        w->findChild<QAction*>(QStringLiteral("Mu_web"))->trigger();
        QCOMPARE(web.ContestoWeb, ContestoElencoDatabase);
        w->findChild<QAction*>(QStringLiteral("Mu_colori"))->trigger();
        QCOMPARE(apritore.aperte, (QList<IdFinestra>{IdFinestra::GWebPar, IdFinestra::ColorTdbg}));
        QCOMPARE(apritore.parametri.value(QStringLiteral("plTitolo")).toString(),
                 QStringLiteral(" Colori condizione degli MRN"));
        QCOMPARE(apritore.parametri.value(QStringLiteral("plTabLb")).toString(),
                 QStringLiteral("IN SOSPESO,CANCELLATI,ERRATI,CONCLUSI,"));
    }

    void modifica() {
        riga(QStringLiteral("MRN"), QStringLiteral("21IT000000000007E7"), 2);
        auto w = apri();
        scegli(controllo<QComboBox>(w.get(), "cbStato"), QStringLiteral("E"));
        auto* griglia = controllo<QTableView>(w.get(), "TDBGrid1");
        auto* pannello = controllo<QWidget>(w.get(), "pctModMrn");
        auto* campo = controllo<QLineEdit>(w.get(), "Txt_8");
        auto* conferma = controllo<QPushButton>(w.get(), "cmdModMrn_1");
        auto* elimina = controllo<QPushButton>(w.get(), "cmdModMrn_2");
        const auto apriRiga = [&](int r) {
            griglia->setFocus();
            griglia->setCurrentIndex(w->modello().index(r, 0));
            QTest::keyClick(griglia, Qt::Key_Return);
        };
        // The code of another row: "già presente", nothing moves.
        apriRiga(0);
        QVERIFY(pannello->isVisible());
        QCOMPARE(campo->text(), QStringLiteral("21IT000000000004E4"));
        QVERIFY(!conferma->isEnabled() && elimina->isEnabled());
        campo->selectAll();
        QTest::keyClicks(campo, QStringLiteral("21it000000000007e7"));
        QVERIFY(conferma->isEnabled() && !elimina->isEnabled());
        QTest::mouseClick(conferma, Qt::LeftButton);
        QVERIFY(!pannello->isVisible());
        QCOMPARE(messaggi.mostrati().size(), 1);
        QVERIFY(messaggi.mostrati().first().testo.endsWith(QStringLiteral("già presente")));
        // A correction moves the row; the grid shows it at once.
        apriRiga(0);
        campo->selectAll();
        QTest::keyClicks(campo, QStringLiteral("21IT000000000008E4"));
        QTest::mouseClick(conferma, Qt::LeftButton);
        QCOMPARE(w->modello().index(0, 0).data().toString(), QStringLiteral("21IT000000000007E7"));
        QCOMPARE(w->modello().index(1, 0).data().toString(), QStringLiteral("21IT000000000008E4"));
        // Deletion answered No keeps the row.
        messaggi.accoda(Risposta::No);
        apriRiga(1);
        QTest::mouseClick(elimina, Qt::LeftButton);
        QCOMPARE(messaggi.mostrati().last().titolo, QStringLiteral("CANCELLAZIONE MRN"));
        QCOMPARE(w->modello().totale(), 2);
        // No panel on other states.
        scegli(controllo<QComboBox>(w.get(), "cbStato"), QStringLiteral("C"));
        apriRiga(0);
        QVERIFY(!pannello->isVisible());
    }
};

QTEST_MAIN(TestArchivioMrn)
#include "test_archivio_mrn.moc"
