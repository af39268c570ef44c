// The date picker, the print destination and printer list, and the
// information windows, driven like a user.

#include "banco_desktop.h"
#include "shell/file_ini.h"
#include "shell/ui/finestra_calendario.h"
#include "shell/ui/finestra_informazioni.h"
#include "shell/ui/finestra_destinazione_stampa.h"
#include "shell/ui/finestra_dati_ditta.h"
#include "shell/ui/finestra_scelta_stampante.h"
#include "shell/versione_programma.h"

#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QtTest>

#include <memory>

using namespace qv;
using namespace qv::prova;

namespace {

std::unique_ptr<FinestraCalendario> calendario(BancoDesktop& banco, const QDate& data) {
    banco.shell.calendario.DataCalendario = data;
    auto w = std::make_unique<FinestraCalendario>(banco.desktop, 1500, 1500);
    w->show();
    return w;
}

QStringList celle(const FinestraCalendario& w) {
    QStringList c;
    for (CellaGiorno* g : w.G)
        c << g->text();
    return c;
}

} // namespace

class TestCalendarioStampanti : public QObject {
    Q_OBJECT

private slots:
    void opensOnTheSharedDate() {
        BancoDesktop banco;
        auto w = calendario(banco, QDate(2025, 3, 5));
        QCOMPARE(w->windowTitle(), QString("  05 marzo 2025 (mer)"));
        QCOMPARE(w->lblMESE->text(), QString("Marzo"));
        QCOMPARE(w->lblANNO->text(), QString("2025"));
        QCOMPARE(w->lstMESI->count(), 12);
        QVERIFY(w->lstMESI->isHidden());
        // 1 March 2025 is a Saturday: sixth column; the grid's 37 cells hold
        // the month as test_calendario's CelleDelMese lays it out.
        QCOMPARE(celle(*w).size(), 37);
        QCOMPARE(celle(*w).indexOf("1"), 5);
        QCOMPARE(celle(*w).at(35), QString("31"));
        QCOMPARE(w->pos(), QPoint(100, 100));
    }

    void monthEdges_data() {
        QTest::addColumn<QDate>("apertura");
        QTest::addColumn<bool>("indietro");
        QTest::addColumn<QDate>("attesa");
        QTest::newRow("31 March back to February 2025") << QDate(2025, 3, 31) << true << QDate(2025, 2, 28);
        QTest::newRow("31 March back to February of a leap year")
            << QDate(2024, 3, 31) << true << QDate(2024, 2, 29);
        QTest::newRow("January back to December of the year before")
            << QDate(2025, 1, 15) << true << QDate(2024, 12, 15);
        QTest::newRow("December on to January of the year after")
            << QDate(2024, 12, 31) << false << QDate(2025, 1, 31);
        QTest::newRow("31 January on to February") << QDate(2025, 1, 31) << false << QDate(2025, 2, 28);
    }
    void monthEdges() {
        QFETCH(QDate, apertura);
        QFETCH(bool, indietro);
        QFETCH(QDate, attesa);
        BancoDesktop banco;
        auto w = calendario(banco, apertura);
        QTest::mouseClick(indietro ? w->Command2 : w->Command3, Qt::LeftButton);
        QCOMPARE(w->dataSelezionata(), attesa);
        QCOMPARE(w->lblANNO->text(), QString::number(attesa.year()));
        QCOMPARE(w->VScroll1->value(), -attesa.year());
    }

    void todayButtonAndHighlight() {
        BancoDesktop banco;
        const QDate oggi = QDate::currentDate();
        auto w = calendario(banco, oggi);
        QVERIFY(!w->cmdOggi->isEnabled());
        const int cellaOggi = int(celle(*w).indexOf(QString::number(oggi.day())));
        QCOMPARE(w->G[cellaOggi]->palette().color(QPalette::Window), QColor(255, 255, 192));
        const int altra = oggi.day() == 1 ? cellaOggi + 1 : cellaOggi - 1;
        QTest::mouseClick(w->G[altra], Qt::LeftButton);
        QVERIFY(w->cmdOggi->isEnabled());
        QTest::mouseClick(w->cmdOggi, Qt::LeftButton);
        QCOMPARE(w->dataSelezionata(), oggi);
        QVERIFY(!w->cmdOggi->isEnabled());
    }

    void emptyDateOpensOnToday() {
        BancoDesktop banco;
        auto w = calendario(banco, QDate());
        QCOMPARE(w->dataSelezionata(), QDate::currentDate());
    }

    void choosingAndLeaving() {
        BancoDesktop banco;
        auto w = calendario(banco, QDate(2025, 6, 10));
        const int cella = int(celle(*w).indexOf("20"));
        QTest::mouseClick(w->G[cella], Qt::LeftButton);
        QCOMPARE(w->dataSelezionata(), QDate(2025, 6, 20));
        QTest::mouseClick(w->Command1[0], Qt::LeftButton); // USCITA
        QCOMPARE(banco.shell.calendario.DataCalendario, QDate(2025, 6, 10));

        auto v = calendario(banco, QDate(2025, 6, 10));
        QTest::mouseClick(v->G[0], Qt::LeftButton); // an empty cell selects nothing
        QCOMPARE(v->dataSelezionata(), QDate(2025, 6, 10));
        QTest::mouseDClick(v->G[cella], Qt::LeftButton);
        QCOMPARE(banco.shell.calendario.DataCalendario, QDate(2025, 6, 20));
        QCOMPARE(v->result(), int(QDialog::Accepted));
    }

    void monthListAndYear() {
        BancoDesktop banco;
        auto w = calendario(banco, QDate(2020, 5, 31));
        QTest::mouseClick(w->lblMESE, Qt::LeftButton);
        QVERIFY(w->lstMESI->isVisible());
        QListWidgetItem* giugno = w->lstMESI->item(5);
        QTest::mouseClick(w->lstMESI->viewport(), Qt::LeftButton, {},
                          w->lstMESI->visualItemRect(giugno).center());
        QCOMPARE(w->dataSelezionata(), QDate(2020, 6, 30));
        QVERIFY(w->lstMESI->isHidden());
        w->VScroll1->triggerAction(QAbstractSlider::SliderSingleStepSub); // the upper arrow
        QCOMPARE(w->anno(), 2021);
        QTest::mouseClick(w->lblANNO, Qt::LeftButton);
        QCOMPARE(w->anno(), QDate::currentDate().year());
    }

    void printerListShowsEveryPrinter() {
        BancoDesktop banco;
        FinestraSceltaStampante w(banco.desktop, QString(), 0, 0);
        w.show();
        QCOMPARE(w.Option1.size(), 5);
        QCOMPARE(w.Option1[1]->text(), QString("Magazzino"));
        QVERIFY(w.Option1[1]->isChecked()); // the current printer
        QTest::mouseClick(w.Option1[3], Qt::LeftButton, {}, QPoint(8, w.Option1[3]->height() / 2));
        QVERIFY(!w.isVisible());
        QCOMPARE(w.pgPrinter(), QString("Spedizioni"));
        QCOMPARE(banco.desktop.stampanteCorrente(), QString("Magazzino")); // the default is untouched
    }

    void printerListCancelled() {
        BancoDesktop banco;
        FinestraSceltaStampante w(banco.desktop, "Contabilita", 0, 0);
        w.show();
        QVERIFY(w.Option1[2]->isChecked());
        QTest::mouseClick(w.Command1[1], Qt::LeftButton);
        QCOMPARE(w.pgPrinter(), QString());
    }

    void printDestination() {
        BancoDesktop banco;
        FinestraDestinazioneStampa w(banco.desktop);
        w.show();
        QCOMPARE(w.windowTitle(), QString("GESTIONE DELLE STAMPANTI"));
        QCOMPARE(w.Text1->text(), QString("Magazzino"));
        QCOMPARE(w.Combo1->currentIndex(), -1); // nothing kept yet
        QVERIFY(!w.Frame1->isEnabled());
        QCOMPARE(w.Combo1->count(), 3);
        QCOMPARE(w.cmbZoom->itemText(3), QString("  50%"));
        w.Combo1->setCurrentIndex(2);
        emit w.Combo1->activated(2);
        QVERIFY(w.Frame1->isEnabled());
        w.Combo1->setCurrentIndex(0);
        emit w.Combo1->activated(0);
        QVERIFY(!w.Frame1->isEnabled());
        w.Combo1->setCurrentIndex(2);
        emit w.Combo1->activated(2);
        w.cmbZoom->setCurrentIndex(4);
        QTest::mouseClick(w.Option1[6], Qt::LeftButton, {}, QPoint(8, w.Option1[6]->height() / 2));
        QTest::mouseClick(w.cmds_SI, Qt::LeftButton);
        const QString ini = banco.shell.FileIni;
        QCOMPARE(LeggiIni(ini, "STAMPA", "STAMPANTE"), QString("Magazzino"));
        QCOMPARE(LeggiIni(ini, "STAMPA", "TIPO"), QString("V"));
        QCOMPARE(LeggiIni(ini, "STAMPA", "PREVIEW"), QString("6"));
        QCOMPARE(LeggiIni(ini, "STAMPA", "ZOOM"), QString("4"));

        // The choices are kept for the next opening of this run.
        FinestraDestinazioneStampa di_nuovo(banco.desktop);
        QCOMPARE(di_nuovo.Combo1->currentIndex(), 2);
        QVERIFY(di_nuovo.Frame1->isEnabled());
        QCOMPARE(di_nuovo.cmbZoom->currentIndex(), 4);
        QVERIFY(di_nuovo.Option1[6]->isChecked());
    }

    void changingThePrinter() {
        BancoDesktop banco;
        FinestraDestinazioneStampa w(banco.desktop, 1500, 3000);
        w.show();
        QCOMPARE(w.pos(), QPoint(200, 100));
        banco.sceltaDialogo = "Ufficio";
        QTest::mouseClick(w.Command1, Qt::LeftButton);
        QCOMPARE(w.Text1->text(), QString("Ufficio"));
        QCOMPARE(banco.desktop.stampanteCorrente(), QString("Ufficio"));
        banco.sceltaDialogo.clear(); // cancelled
        QTest::mouseClick(w.Command1, Qt::LeftButton);
        QCOMPARE(banco.desktop.stampanteCorrente(), QString("Ufficio"));
        // F4: the list of printers; a click there fills the field, default unchanged.
        QuandoSiApre("qv::SelPrint", [](QDialog* d) {
            auto* s = static_cast<FinestraSceltaStampante*>(d);
            QCOMPARE(s->windowTitle(), QString("STAMPANTE PREDEFINITA"));
            QTest::mouseClick(s->Option1[4], Qt::LeftButton, {}, QPoint(8, s->Option1[4]->height() / 2));
        });
        QTest::keyClick(w.Text1, Qt::Key_F4);
        QCOMPARE(w.Text1->text(), QString("PDF virtuale"));
        QCOMPARE(banco.desktop.stampanteCorrente(), QString("Ufficio"));
        // Cancelling the list empties the field.
        QuandoSiApre("qv::SelPrint", [](QDialog* d) { static_cast<FinestraSceltaStampante*>(d)->Command1[1]->click(); });
        QTest::mouseDClick(w.Text1, Qt::LeftButton);
        QCOMPARE(w.Text1->text(), QString());
    }

    void about() {
        BancoDesktop banco;
        FinestraInformazioni w(banco.desktop);
        QCOMPARE(w.windowTitle(), QString(" Informazioni su Quorvan"));
        QCOMPARE(w.lblVersion->text(), "Versione " + TestoVersione(Versione()));
        QCOMPARE(w.lblDescription->text(),
                 QString("\nGestione EDI: interrogazione stato MRN \n   - Svincolo garanzia per "
                         "Transiti\n\n   - Visto Uscire per export\n"));
        QTest::mouseClick(w.cmdSysInfo, Qt::LeftButton);
        QCOMPARE(banco.testiMostrati(),
                 QStringList({"Le informazioni sul sistema non sono attualmente disponibili."}));
    }

    void systemInformationProgram_data() {
        QTest::addColumn<QString>("percorso");
        QTest::addColumn<bool>("cartellaConFile");
        QTest::addColumn<QString>("avviato"); // "%F" the folder's MSINFO32.EXE
        QTest::newRow("program path known") << "/opt/info/sysinfo" << false << "/opt/info/sysinfo";
        QTest::newRow("only the folder, file in place") << "" << true << "%F";
        QTest::newRow("only the folder, file missing") << "" << false << "";
    }
    void systemInformationProgram() {
        QFETCH(QString, percorso);
        QFETCH(bool, cartellaConFile);
        QFETCH(QString, avviato);
        BancoDesktop banco;
        const QString cartella = banco.cartella.path();
        const QString file = cartella + "\\MSINFO32.EXE";
        if (cartellaConFile) {
            QFile f(file);
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        banco.infoSistema = {percorso, cartella};
        AvviaInfoSistema(banco.desktop);
        avviato.replace("%F", file);
        QCOMPARE(banco.avviatore.avvii.isEmpty() ? QString() : banco.avviatore.avvii.first().programma,
                 avviato);
        QCOMPARE(banco.messaggi.mostrati().isEmpty(), !avviato.isEmpty());
    }

    void makerInformation() {
        BancoDesktop banco;
        FinestraInformazioni w(banco.desktop);
        w.show();
        bool ditta = false;
        QuandoSiApre("qv::InfDitta", [&](QDialog* d) {
            ditta = true;
            auto* i = static_cast<FinestraDatiDitta*>(d);
            QCOMPARE(i->windowTitle(), QString("Informazioni sul produttore del SoftWare"));
            QTest::mouseClick(i->lblEmail, Qt::LeftButton);
            QTest::mouseClick(i->lblSito, Qt::LeftButton);
            QTest::mouseClick(i->cmdOK, Qt::LeftButton);
        });
        // No maker-information program here: its window opens instead, without a message.
        QTest::mouseClick(w.Label1, Qt::LeftButton);
        QVERIFY(ditta);
        QVERIFY(banco.messaggi.mostrati().isEmpty());
        QCOMPARE(banco.avviatore.indirizzi,
                 QStringList({"mailto:info@zentri.example", "http://www.zentri.example"}));
    }
};

QTEST_MAIN(TestCalendarioStampanti)
#include "test_calendario_stampanti.moc"
