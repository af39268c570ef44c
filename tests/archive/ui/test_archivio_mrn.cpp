// The archive browser driven as a user drives it, on a reference database with a few rows.

#include "archive/colonne_griglia.h"
#include "archive/ui/finestra_archivio_mrn.h"
#include "archive/ui/modello_archivio.h"
#include "banco_archivio.h"
#include "shell/calendario.h"

using namespace qv;
using namespace qv::prova;

class TestArchivioMrn : public QObject {
    Q_OBJECT
    BancoArchivio b{true};

    void riga(const QString& tabella, const QString& codice, int okStato) {
        b.database.DbLavoro.Execute(QString("INSERT INTO %1 (Codice, Nazione, OKStato, DataElab) VALUES ('%2', '%3', %4, 45000)")
                                        .arg(tabella, codice, codice.mid(2, 2)).arg(okStato));
    }
    std::unique_ptr<FinestraArchivioMrn> apri(bool risultati = false) {
        b.archivio.MostraRisultati = risultati;
        return mostrata(std::make_unique<FinestraArchivioMrn>(b.finestre, b.contesto));
    }
    static void scegli(QWidget* w, const char* nome, const QString& testo) {
        c(w, nome)->setFocus();
        QTest::keyClicks(c(w, nome), testo);
        QTest::qWait(QApplication::keyboardInputInterval() + 50); // the next search starts afresh
    }
    static void menu(QWidget* w, const char* nome) { c<QAction>(w, nome)->trigger(); }
    QString ini(const char* chiave) const { return LeggiIni(b.shell.FileIni, "EleMRNok", chiave); }

private slots:
    void initTestCase() {
        const char* codici[] = {"21IT000000000001E1", "21IT000000000002T2", "21DE000000000003E3", "21IT000000000004E4", "21FR000000000005E5"};
        for (int i = 0; i < 5; ++i) riga("MRN", codici[i], std::max(0, i - 1));
        riga("WkMRN", "22IT000000000006T6", 3);
    }
    void init() { b.messaggi.svuota(); }

    void modi_data() {
        QTest::addColumn<bool>("risultati");
        QTest::addColumn<QString>("titolo");
        QTest::addColumn<QString>("stato");
        QTest::addColumn<bool>("interroga");
        const QString base = "ITINERARIO DI TRANSITO - NOTIFICA DI ESPORTAZIONE";
        QTest::newRow("archive") << false << base << "IN SOSPESO" << true;
        QTest::newRow("results") << true << base + "  (RISULTATO ANALISI)" << "TUTTI" << false;
    }
    void modi() {
        QFETCH(bool, risultati);
        QFETCH(QString, titolo);
        auto w = apri(risultati);
        QVERIFY(!b.archivio.MostraRisultati);
        QCOMPARE(w->modoArchivio(), !risultati);
        QCOMPARE(w->windowTitle(), titolo + "         Totale MRN = " + QString::number(risultati ? 1 : 2));
        QTEST(c<QComboBox>(w.get(), "cbStato")->currentText(), "stato");
        QTEST(c<QPushButton>(w.get(), "CmdR_0")->isEnabled(), "interroga");
        QCOMPARE(w->findChild<QAction*>("Mu_storicizza")->isEnabled(), !risultati);
        QVERIFY(!c<QWidget>(w.get(), "CmdR_1")->isVisible()); // no spreadsheet program
        // Choosing ERRATI leaves INTERROGA as the mode has it.
        scegli(w.get(), "cbStato", "ERRATI");
        QTEST(c<QPushButton>(w.get(), "CmdR_0")->isEnabled(), "interroga");
    }

    void filtriDaiControlli() {
        auto w = apri();
        scegli(w.get(), "cbStato", "E");
        scegli(w.get(), "cbNazioni", "IT");
        scegli(w.get(), "cbTipo", "E");
        QCOMPARE(w->sqlCorrente(), "Select * FROM MRN WHERE OKStato = 2 AND Nazione = 'IT' AND "
                                   "mid([MRN].[Codice],17,1) = 'E' ORDER BY Codice ASC");
        QCOMPARE(w->modello().totale(), 1);

        // A year empties the fragment; a fragment resets year and nation.
        auto* frammento = c<QLineEdit>(w.get(), "Txt_7");
        frammento->setFocus();
        QTest::keyClicks(frammento, "it0");
        QCOMPARE(frammento->text(), "IT0");
        QVERIFY(w->sqlCorrente().contains("Codice LIKE '*IT0*'") && c<QComboBox>(w.get(), "cbNazioni")->currentIndex() == 0);
        scegli(w.get(), "cbAnno", "21");
        QVERIFY(frammento->text().isEmpty() && w->sqlCorrente().contains("left([MRN].[Codice],2) = '21'"));

        // "Su richiesta": typing no longer extracts, ESTRAI does; the choice is stored.
        menu(w.get(), "Mu_param");
        clic(w.get(), "optEstrai_1");
        clic(w.get(), "cmdParam_1");
        QCOMPARE(ini("ESTRAIIMM"), "1");
        const QString prima = w->sqlCorrente();
        QTest::keyClicks(frammento, "T2");
        QVERIFY(w->sqlCorrente() == prima && c<QComboBox>(w.get(), "cbAnno")->currentIndex() == 0);
        clic(w.get(), "CmdR_2");
        QVERIFY(w->sqlCorrente().contains("Codice LIKE '*T2*'"));
        ScriviIni(b.shell.FileIni, "EleMRNok", "ESTRAIIMM", "0");
    }

    void giornoErrato() {
        auto w = apri();
        auto* giorno = c<QLineEdit>(w.get(), "Txt_1");
        giorno->setFocus();
        QTest::keyClicks(giorno, "3x2");
        QTest::keyClick(giorno, Qt::Key_Return);
        QCOMPARE(giorno->text(), "32");
        QVERIFY(TestiMostrati(b.messaggi) == QStringList{"GIORNO INIZIALE ERRATO"} && giorno->hasFocus());
        // Up from the first field goes round to the last one that can take the focus.
        giorno->setText("1");
        QTest::keyClick(giorno, Qt::Key_Up);
        QVERIFY(c<QLineEdit>(w.get(), "Txt_7")->hasFocus());

        // ">" opens the calendar on the date typed; the day double-clicked fills the three fields.
        c<QLineEdit>(w.get(), "Txt_2")->setText("03");
        c<QLineEdit>(w.get(), "Txt_3")->setText("2024");
        QTimer::singleShot(0, [] {
            QWidget* calendario = QApplication::activeModalWidget();
            QVERIFY(calendario && calendario->objectName() == "Calendar");
            QCOMPARE(calendario->windowTitle(), TitoloCalendario(QDate(2024, 3, 1)));
            for (auto* g : calendario->findChildren<QLabel*>(QRegularExpression("^G_\\d+$")))
                if (g->text() == "15")
                    QTest::mouseDClick(g, Qt::LeftButton);
        });
        clic(w.get(), "cmdData_0");
        QCOMPARE(giorno->text() + c<QLineEdit>(w.get(), "Txt_2")->text() + c<QLineEdit>(w.get(), "Txt_3")->text(), "15032024");
        QVERIFY(w->sqlCorrente().contains("DataElab BETWEEN 45366 AND "));

        // Over the headings, the hint on sorting.
        QHeaderView* testate = c<QTableView>(w.get(), "TDBGrid1")->horizontalHeader();
        QEvent entra(QEvent::Enter);
        QApplication::sendEvent(testate->viewport(), &entra);
        QVERIFY(c<QLabel>(w.get(), "lbHint")->isVisible());
        QEvent esce(QEvent::Leave);
        QApplication::sendEvent(testate->viewport(), &esce);
        QVERIFY(!c<QLabel>(w.get(), "lbHint")->isVisible());
    }

    void ordinamentoEColori() {
        auto w = apri();
        scegli(w.get(), "cbStato", "T");
        auto* griglia = c<QTableView>(w.get(), "TDBGrid1");
        QHeaderView* testate = griglia->horizontalHeader();
        const auto centro = [&](int s) {
            return QPoint(testate->sectionViewportPosition(s) + testate->sectionSize(s) / 2, testate->height() / 2);
        };
        for (const auto& [tasto, s, fine] : {std::tuple{Qt::LeftButton, 5, " ORDER BY ExDataUscita ASC, Codice"},
                                             {Qt::RightButton, 1, " ORDER BY Nazione DESC"}, {Qt::LeftButton, 0, " ORDER BY Codice ASC"}}) {
            QTest::mouseClick(testate->viewport(), tasto, {}, centro(s));
            QVERIFY2(w->sqlCorrente().endsWith(fine), qPrintable(w->sqlCorrente()));
        }

        // Colour entries by state letter: S 3, D 2, E 0, C 1.
        const int voce[] = {3, 2, 0, 1};
        const ModelloArchivio& m = w->modello();
        QCOMPARE(m.rowCount(), 5);
        for (int r = 0; r < m.rowCount(); ++r) {
            const QString lettera = m.index(r, kNumeroColonne - 1).data().toString();
            const int stato = QStringLiteral("SDEC").indexOf(lettera);
            QVERIFY2(stato >= 0, qPrintable(lettera));
            const qint32 rgb = b.database.ColoriGriglia[std::size_t(voce[stato])];
            QCOMPARE(m.index(r, 3).data(Qt::BackgroundRole).value<QColor>(),
                     QColor(rgb & 0xff, (rgb >> 8) & 0xff, (rgb >> 16) & 0xff));
        }
        QVERIFY(m.index(0, 5).data().toString().isEmpty()); // a 0 date is blank
        griglia->setFocus();
        griglia->setCurrentIndex(m.index(3, 0));
        QTest::keyClick(griglia, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), "21IT000000000002T2");
    }

    void layOutELarghezze() {
        auto w = apri();
        menu(w.get(), "Mu_layout");
        auto* elenco = c<QListWidget>(w.get(), "lstLayOut");
        QVERIFY(elenco->count() == kNumeroColonne - 1 && !c<QTableView>(w.get(), "TDBGrid1")->isEnabled());
        QCOMPARE(elenco->item(0)->text(), "S | NAZ");
        elenco->setCurrentRow(1);
        QTest::keyClick(elenco, Qt::Key_X);
        QCOMPARE(elenco->item(1)->text(), "  | UFF.EXP.");
        QTest::keyClick(elenco, Qt::Key_S); // S is no flip key
        QCOMPARE(elenco->item(1)->text(), "  | UFF.EXP.");
        QTest::keyClick(w.get(), Qt::Key_F2); // F2 is USCITA here: nothing written
        QVERIFY(!elenco->isVisible() && ini("LayOUT").isEmpty() && w->isVisible());
        menu(w.get(), "Mu_layout");
        const QRect voce = elenco->visualItemRect(elenco->item(0));
        QTest::mouseClick(elenco->viewport(), Qt::LeftButton, {}, voce.center());
        QTest::mouseDClick(elenco->viewport(), Qt::LeftButton, {}, voce.center());
        clic(w.get(), "cmgLayOut_1");
        auto* griglia = c<QTableView>(w.get(), "TDBGrid1");
        QVERIFY(griglia->isColumnHidden(1) && griglia->isColumnHidden(2) && !griglia->isColumnHidden(3) && griglia->isEnabled());
        const int larghezza = griglia->horizontalHeader()->sectionSize(4) + 57;
        griglia->horizontalHeader()->resizeSection(4, larghezza);
        // The two leading blanks survive the file: the next browser hides the same
        // columns; and it has the width the user gave.
        w.reset();
        w = apri();
        griglia = c<QTableView>(w.get(), "TDBGrid1");
        QVERIFY(griglia->isColumnHidden(1) && griglia->isColumnHidden(2) && !griglia->isColumnHidden(3));
        QCOMPARE(griglia->horizontalHeader()->sectionSize(4), larghezza);
        ScriviIni(b.shell.FileIni, "EleMRNok", "LayOUT", QString());
    }

    void interroga() {
        b.apritore.aperte.clear();
        auto w = apri();
        clic(w.get(), "CmdR_0");
        QVERIFY(!w->isVisible());
        QTRY_COMPARE(b.apritore.aperte, QList<IdFinestra>{IdFinestra::EleMrn});
        QCOMPARE(b.apritore.lista, b.database.CartellaTemp + "ListaVAT.txt");
        QCOMPARE(b.apritore.contenutoLista, "21IT000000000001E1\r\n21IT000000000002T2\r\n");
    }

    void menuEdEsportazione() {
        b.apritore.aperte.clear();
        b.web.ContestoWeb = ContestoElencoManuale;
        b.shell.applicativi.ProgrammaExcel = "EXCEL.EXE";
        auto w = apri();
        clic(w.get(), "CmdR_1");
        QVERIFY(b.avviatore.avvii.size() == 1 && b.avviatore.avvii[0].programma == "EXCEL.EXE");
        QVERIFY(b.avviatore.avvii[0].argomenti.endsWith("EXPMRN.csv\""));
        menu(w.get(), "Mu_web");
        QCOMPARE(b.web.ContestoWeb, ContestoElencoDatabase);
        menu(w.get(), "Mu_colori");
        QCOMPARE(b.apritore.aperte, (QList<IdFinestra>{IdFinestra::GWebPar, IdFinestra::ColorTdbg}));
        QCOMPARE(b.apritore.parametri.value("plTitolo").toString(), " Colori condizione degli MRN");
        QCOMPARE(b.apritore.parametri.value("plTabLb").toString(), "IN SOSPESO,CANCELLATI,ERRATI,CONCLUSI,");
    }

    void modifica() {
        riga("MRN", "21IT000000000007E7", 2);
        auto w = apri();
        scegli(w.get(), "cbStato", "E");
        auto* griglia = c<QTableView>(w.get(), "TDBGrid1");
        auto* pannello = c<QWidget>(w.get(), "pctModMrn");
        auto* campo = c<QLineEdit>(w.get(), "Txt_8");
        auto* conferma = c<QPushButton>(w.get(), "cmdModMrn_1");
        auto* elimina = c<QPushButton>(w.get(), "cmdModMrn_2");
        const auto apriRiga = [&](int r) {
            griglia->setFocus();
            griglia->setCurrentIndex(w->modello().index(r, 0));
            QTest::keyClick(griglia, Qt::Key_Return);
        };
        // The code of another row: "già presente", nothing moves.
        apriRiga(0);
        QVERIFY(pannello->isVisible() && !conferma->isEnabled() && elimina->isEnabled());
        QCOMPARE(campo->text(), "21IT000000000004E4");
        campo->selectAll();
        QTest::keyClicks(campo, "21it000000000007e7");
        QVERIFY(conferma->isEnabled() && !elimina->isEnabled());
        QTest::mouseClick(conferma, Qt::LeftButton);
        QVERIFY(!pannello->isVisible() && b.messaggi.mostrati().size() == 1);
        QVERIFY(b.messaggi.mostrati()[0].testo.endsWith("già presente"));
        // A correction moves the row; the grid shows it at once.
        apriRiga(0);
        campo->selectAll();
        QTest::keyClicks(campo, "21IT000000000008E4");
        QTest::mouseClick(conferma, Qt::LeftButton);
        QCOMPARE(w->modello().index(0, 0).data().toString() + w->modello().index(1, 0).data().toString(),
                 "21IT000000000007E721IT000000000008E4");
        // Deletion answered No keeps the row.
        b.messaggi.accoda(Risposta::No);
        apriRiga(1);
        QTest::mouseClick(elimina, Qt::LeftButton);
        QVERIFY(b.messaggi.mostrati().last().titolo == "CANCELLAZIONE MRN" && w->modello().totale() == 2);
        // No panel on other states.
        scegli(w.get(), "cbStato", "C");
        apriRiga(0);
        QVERIFY(!pannello->isVisible());
    }
};

QTEST_MAIN(TestArchivioMrn)
#include "test_archivio_mrn.moc"
