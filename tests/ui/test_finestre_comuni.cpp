// The common windows driven like a user; the rules they apply are tested in tests/shell.

#include "banco_desktop.h"
#include "shell/file_ini.h"
#include "shell/password.h"
#include "shell/ui/finestra_applicativi.h"
#include "shell/ui/finestra_calendario.h"
#include "shell/ui/finestra_destinazione_stampa.h"
#include "shell/ui/finestra_informazioni.h"
#include "shell/ui/finestra_password.h"
#include "shell/ui/finestra_scelta_stampante.h"

#include <QtTest>

using namespace qv;
using namespace qv::prova;

namespace {

std::unique_ptr<FinestraCalendario> calendario(BancoDesktop& banco, const QDate& data) {
    banco.contesto.shell.calendario.DataCalendario = data;
    return Mostra<FinestraCalendario>(banco, 1500, 1500);
}

QLabel* cella(const QWidget* w, int giorno) {
    for (int i = 0; i < kCelleCalendario; ++i) {
        auto* g = controllo<QLabel>(w, qPrintable(QString("G_%1").arg(i)));
        if (g->text() == QString::number(giorno)) return g;
    }
    return nullptr;
}

// Line 1 as the start-up leaves it: a caption and an existing program.
void primaRiga(BancoDesktop& banco) {
    ScriviIni(banco.ini(), "APPLICATIVI", "NomeVarie1", "Editor di testi");
    ScriviIni(banco.ini(), "APPLICATIVI", "Varie1", QCoreApplication::applicationFilePath());
}

void scegli(QRadioButton* opzione) {
    QTest::mouseClick(opzione, Qt::LeftButton, {}, QPoint(8, opzione->height() / 2));
}

} // namespace

class TestFinestreComuni : public QObject {
    Q_OBJECT

private slots:
    void calendarChoosing() {
        BancoDesktop banco;
        auto w = calendario(banco, QDate(2024, 12, 31));
        QCOMPARE(w->pos(), QPoint(100, 100));
        QCOMPARE(w->windowTitle(), TitoloCalendario(QDate(2024, 12, 31)));
        QTest::mouseClick(pulsante(w.get(), "Command3"), Qt::LeftButton);
        QTest::mouseClick(pulsante(w.get(), "Command3"), Qt::LeftButton);
        QCOMPARE(w->dataSelezionata(), QDate(2025, 2, 28)); // the day kept in the month
        QCOMPARE(controllo<QLabel>(w.get(), "lblMESE")->text(), QString("Febbraio"));
        QCOMPARE(controllo<QLabel>(w.get(), "lblANNO")->text(), QString("2025"));
        controllo<QScrollBar>(w.get(), "VScroll1")->triggerAction(QAbstractSlider::SliderSingleStepSub);
        QCOMPARE(w->anno(), 2026);                                            // the upper arrow: a year on
        QTest::mouseClick(controllo<QLabel>(w.get(), "G_0"), Qt::LeftButton); // an empty cell
        QCOMPARE(w->dataSelezionata(), QDate(2026, 2, 28));
        auto* mesi = controllo<QListWidget>(w.get(), "lstMESI");
        QTest::mouseClick(controllo<QLabel>(w.get(), "lblMESE"), Qt::LeftButton);
        QTest::mouseClick(mesi->viewport(), Qt::LeftButton, {}, mesi->visualItemRect(mesi->item(5)).center());
        QCOMPARE(w->dataSelezionata(), QDate(2026, 6, 28));
        QVERIFY(mesi->isHidden());
        QTest::mouseDClick(cella(w.get(), 20), Qt::LeftButton);
        QCOMPARE(w->result(), int(QDialog::Accepted));
        QCOMPARE(banco.contesto.shell.calendario.DataCalendario, QDate(2026, 6, 20));

        const QDate oggi = QDate::currentDate();
        auto v = calendario(banco, oggi);
        QVERIFY(!pulsante(v.get(), "cmdOggi")->isEnabled());
        QCOMPARE(cella(v.get(), oggi.day())->palette().color(QPalette::Window), QColor(255, 255, 192));
        QTest::mouseClick(pulsante(v.get(), "Command2"), Qt::LeftButton);
        QTest::mouseClick(pulsante(v.get(), "cmdOggi"), Qt::LeftButton);
        QCOMPARE(v->dataSelezionata(), oggi);
        QTest::mouseClick(cella(v.get(), oggi.day() == 1 ? 2 : 1), Qt::LeftButton);
        QTest::mouseClick(pulsante(v.get(), "Command1_0"), Qt::LeftButton); // &USCITA: nothing chosen
        QCOMPARE(banco.contesto.shell.calendario.DataCalendario, oggi);
    }

    // Only a click chooses: confirming the printer shown selected is no choice.
    void printerListChoosesOnlyByAClick() {
        BancoDesktop banco;
        FinestraSceltaStampante w(banco.finestre(), QString(), 0, 0);
        w.show();
        QVERIFY(controllo<QRadioButton>(&w, "Option1_1")->isChecked()); // the current printer
        QTest::mouseClick(pulsante(&w, "Command1_0"), Qt::LeftButton);
        QVERIFY(!w.isVisible());
        QCOMPARE(w.pgPrinter(), QString());

        FinestraSceltaStampante v(banco.finestre(), "Contabilita", 0, 0);
        v.show();
        QVERIFY(controllo<QRadioButton>(&v, "Option1_2")->isChecked());
        scegli(controllo<QRadioButton>(&v, "Option1_3"));
        QVERIFY(!v.isVisible());
        QCOMPARE(v.pgPrinter(), QString("Spedizioni"));
        QCOMPARE(banco.finestre().stampanteCorrente(), QString("Magazzino")); // the default is untouched
    }

    void printDestination() {
        BancoDesktop banco;
        auto w = Mostra<FinestraDestinazioneStampa>(banco, 1500, 3000);
        QCOMPARE(w->pos(), QPoint(200, 100));
        auto* tipo = controllo<QComboBox>(w.get(), "Combo1");
        QCOMPARE(tipo->currentIndex(), -1); // nothing kept yet
        for (int i : {2, 0, 2}) {           // only "V (a video)" has a preview
            tipo->setCurrentIndex(i);
            emit tipo->activated(i);
            QCOMPARE(controllo<QGroupBox>(w.get(), "Frame1")->isEnabled(), i == 2);
        }
        QLineEdit* stampante = campo(w.get(), "Text1");
        QCOMPARE(stampante->text(), QString("Magazzino"));
        banco.sceltaDialogo = "Ufficio";
        QTest::mouseClick(pulsante(w.get(), "Command1"), Qt::LeftButton);
        QCOMPARE(stampante->text(), QString("Ufficio"));
        QCOMPARE(banco.finestre().stampanteCorrente(), QString("Ufficio"));
        // F4: the printer list; a click there fills the field, the current printer stays.
        QuandoSiApre("SelPrint", [](QDialog* d) { scegli(controllo<QRadioButton>(d, "Option1_4")); });
        QTest::keyClick(stampante, Qt::Key_F4);
        QCOMPARE(stampante->text(), QString("PDF virtuale"));
        QCOMPARE(banco.finestre().stampanteCorrente(), QString("Ufficio"));
        controllo<QComboBox>(w.get(), "cmbZoom")->setCurrentIndex(4);
        scegli(controllo<QRadioButton>(w.get(), "Option1_6"));
        QTest::mouseClick(pulsante(w.get(), "cmds_SI"), Qt::LeftButton);
        QStringList scritti;
        for (const char* chiave : {"STAMPANTE", "TIPO", "PREVIEW", "ZOOM"})
            scritti << LeggiIni(banco.ini(), "STAMPA", chiave);
        QCOMPARE(scritti, QStringList({"Ufficio", "V", "6", "4"})); // the current printer

        FinestraDestinazioneStampa di_nuovo(banco.finestre());
        QCOMPARE(controllo<QComboBox>(&di_nuovo, "Combo1")->currentIndex(), 2);
        QCOMPARE(controllo<QComboBox>(&di_nuovo, "cmbZoom")->currentIndex(), 4);
        QVERIFY(controllo<QRadioButton>(&di_nuovo, "Option1_6")->isChecked());
        // A double click opens the list too; leaving it empties the field.
        QuandoSiApre("SelPrint", [](QDialog* d) { pulsante(d, "Command1_1")->click(); });
        QTest::mouseDClick(campo(&di_nuovo, "Text1"), Qt::LeftButton);
        QCOMPARE(campo(&di_nuovo, "Text1")->text(), QString());
    }

    // The OK button has no mnemonic, yet F2 ("%O") closes the window.
    void aboutClosesWithF2() {
        BancoDesktop banco;
        auto w = Mostra<FinestraInformazioni>(banco);
        QTest::mouseClick(pulsante(w.get(), "cmdSysInfo"), Qt::LeftButton);
        QCOMPARE(banco.messaggi.mostrati().size(), 1); // shell_applicativi holds what it says
        QuandoSiApre("InfDitta", [&](QDialog* d) {
            QTest::mouseClick(controllo<QLabel>(d, "lblEmail"), Qt::LeftButton);
            QTest::mouseClick(controllo<QLabel>(d, "lblSito"), Qt::LeftButton);
            QTest::keyClick(d, Qt::Key_F2);
        });
        QTest::mouseClick(controllo<QLabel>(w.get(), "Label1"), Qt::LeftButton);
        QCOMPARE(banco.messaggi.mostrati().size(), 1);
        QCOMPARE(banco.avviatore.indirizzi,
                 QStringList({"mailto:info@zentri.example", "http://www.zentri.example"}));
        QCOMPARE(pulsante(w.get(), "cmdOK")->text(), QString("OK"));
        QTest::keyClick(w.get(), Qt::Key_F2);
        QVERIFY(!w->isVisible());
        QCOMPARE(w->result(), int(QDialog::Accepted));
    }

    void passwordChange_data() {
        QTest::addColumn<QString>("attuale");
        QTest::addColumn<QStringList>("digitate"); // old, new, new again
        QTest::addColumn<int>("tentativi");
        QTest::addColumn<QString>("messaggio");
        QTest::addColumn<QString>("registrata"); // what the record holds afterwards
        QTest::newRow("first password, no old one") << "" << QStringList{"", "nuova1", "nuova1"} << 1 << "" << "NUOVA1";
        QTest::newRow("old wrong three times: the end")
            << "VECCHIA" << QStringList{"no", "x", "x"} << 3 << "VECCHIA PASSWORD ERRATA" << "VECCHIA";
        QTest::newRow("repetition differs") << "VECCHIA" << QStringList{"VECCHIA", "uno", "due"} << 1
                                            << "LA NUOVA PASSWORD E LA SUA CONFERMA NON COINCIDONO" << "VECCHIA";
    }
    void passwordChange() {
        QFETCH(QString, attuale);
        QFETCH(QStringList, digitate);
        QFETCH(int, tentativi);
        QFETCH(QString, messaggio);
        QFETCH(QString, registrata);
        BancoDesktop banco;
        const QString record = FileRecordRiservato(banco.cartella.path());
        ScriviRecordRiservato(record, attuale);
        banco.contesto.shell.PasswordProgramma = attuale;
        auto w = Mostra<FinestraPassword>(banco, FinestraPassword::Modo::Modifica);
        for (int i = 0; i < tentativi; ++i) {
            QCOMPARE(banco.terminato, QList<int>{});
            Rispondi(campo(w.get(), "txtPasswd_0"), digitate[0]);
            QVERIFY(campo(w.get(), "txtPasswd_1")->hasFocus()); // Enter moved on
            Rispondi(campo(w.get(), "txtPasswd_1"), digitate[1]);
            QTest::keyClicks(campo(w.get(), "txtPasswd_2"), digitate[2]);
            QTest::mouseClick(pulsante(w.get(), "Command2_1"), Qt::LeftButton);
        }
        QCOMPARE(banco.terminato, tentativi == 3 ? QList<int>{0} : QList<int>{});
        QCOMPARE(banco.testiMostrati(), QStringList(messaggio.isEmpty() ? 0 : tentativi, messaggio));
        QCOMPARE(w->result() == QDialog::Accepted, messaggio.isEmpty());
        QCOMPARE(LeggiRecordRiservato(record), registrata);
        QCOMPARE(banco.contesto.shell.PasswordProgramma, attuale); // a change counts from the next start
        if (messaggio.startsWith("LA NUOVA")) {
            QVERIFY(campo(w.get(), "txtPasswd_1")->hasFocus());
            QVERIFY(campo(w.get(), "txtPasswd_2")->text().isEmpty());
        }
    }

    void applicationsErrorKeepsTheWindow_data() {
        QTest::addColumn<int>("riga");
        QTest::addColumn<QString>("titolo");
        QTest::addColumn<QString>("programma");
        QTest::addColumn<int>("errore"); // also the field that gets the focus back
        QTest::newRow("program without caption") << 3 << "" << "www.example.org" << 3;
        QTest::newRow("missing file, last line") << 11 << "Prova" << "/nessun/programma.exe" << 22;
    }
    void applicationsErrorKeepsTheWindow() {
        QFETCH(int, riga);
        QFETCH(QString, titolo);
        QFETCH(QString, programma);
        QFETCH(int, errore);
        BancoDesktop banco;
        primaRiga(banco);
        auto w = Mostra<FinestraApplicativi>(banco);
        campo(w.get(), qPrintable(QString("Txt_%1").arg(riga)))->setText(titolo);
        campo(w.get(), qPrintable(QString("Txt_%1").arg(riga + 11)))->setText(programma);
        QTest::mouseClick(pulsante(w.get(), "Command1_2"), Qt::LeftButton);
        QCOMPARE(banco.messaggi.mostrati().size(), 1);
        QCOMPARE(banco.messaggi.mostrati().first().titolo, QString("ERRORE N. %1").arg(errore));
        QVERIFY(w->isVisible());
        QVERIFY(campo(w.get(), qPrintable(QString("Txt_%1").arg(errore)))->hasFocus());
        QCOMPARE(LeggiIni(banco.ini(), "APPLICATIVI", QString("Varie%1").arg(riga)), QString());
    }

    // Confirming is in ui_finestra_principale, where the menu follows.
    void applicationsLines() {
        BancoDesktop banco;
        primaRiga(banco);
        auto w = Mostra<FinestraApplicativi>(banco);
        campo(w.get(), "Txt_2")->setText("Sito");
        QTest::mouseClick(pulsante(w.get(), "Command1_1"), Qt::LeftButton);
        QCOMPARE(campo(w.get(), "Txt_2")->text(), QString());
        banco.programmaScelto = "/opt/prova/strumento.exe";
        QTest::mouseClick(pulsante(w.get(), "cmdTrova_1"), Qt::LeftButton);
        QCOMPARE(campo(w.get(), "Txt_12")->text(), banco.programmaScelto);
        QCOMPARE(banco.cartellaSceltaProgramma, QCoreApplication::applicationDirPath());
        banco.programmaScelto.clear(); // cancelled: nothing changes
        QTest::mouseClick(pulsante(w.get(), "cmdTrova_1"), Qt::LeftButton);
        QCOMPARE(campo(w.get(), "Txt_12")->text(), QString("/opt/prova/strumento.exe"));
        // A line without a program: its button comes with a caption, from "Programmi".
        QVERIFY(!pulsante(w.get(), "cmdTrova_3")->isEnabled());
        Rispondi(campo(w.get(), "Txt_3"), "Terzo");
        QVERIFY(pulsante(w.get(), "cmdTrova_3")->isEnabled());
        QTest::mouseClick(pulsante(w.get(), "cmdTrova_3"), Qt::LeftButton);
        QCOMPARE(banco.cartellaSceltaProgramma,
                 QDir(QStorageInfo(banco.cartella.path()).rootPath()).filePath("Programmi"));
        Rispondi(campo(w.get(), "Txt_16"), "/nessun/file"); // leaving a program checks its line
        QCOMPARE(banco.testiMostrati(),
                 QStringList({"INDICARE IL NOME DEL PROGRAMMA\nDA VISUALIZZARE NEL MENU"}));
        QVERIFY(campo(w.get(), "Txt_5")->hasFocus());
        campo(w.get(), "Txt_5")->setText("Cinque");
        QTest::keyClick(campo(w.get(), "Txt_5"), Qt::Key_F2);
        QVERIFY(!w->isVisible());
        QCOMPARE(LeggiIni(banco.ini(), "APPLICATIVI", "NomeVarie5"), QString());
        QCOMPARE(banco.messaggi.mostrati().size(), 1);
    }
};

QTEST_MAIN(TestFinestreComuni)
#include "test_finestre_comuni.moc"
