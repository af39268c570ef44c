// The main window driven like a user: start-up order and outcomes, caption,
// menus and their enabling rules, the fixed size, shut-down, and the common
// keys (F2, Ctrl+F2, Ctrl+F8).

#include "app/programma_desktop.h"
#include "banco_desktop.h"
#include "enquiry/ui/finestra_singolo_mrn.h"
#include "platform/user_settings.h"
#include "shell/file_ini.h"
#include "shell/password.h"
#include "shell/ui/collocazione.h"
#include "shell/ui/finestra_applicativi.h"
#include "shell/ui/finestra_password.h"
#include "app/finestra_principale.h"
#include "shell/versione_programma.h"

#include <QPushButton>

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QtTest>

using namespace qv;
using namespace qv::prova;

class TestStartup : public QObject {
    Q_OBJECT

    // Screen measures in twips on the offscreen platform.
    static double larghezzaSchermo(const QWidget* w) { return SchermoDi(w).larghezza(); }
    static double altezzaSchermo(const QWidget* w) { return SchermoDi(w).altezza(); }

private slots:
    void firstRunCreatesConfiguration() {
        BancoDesktop banco;
        QVERIFY(!QFile::exists(banco.shell.FileIni));
        FinestraPrincipale w(banco.desktop);
        QVERIFY(w.avvia());
        QVERIFY(QFile::exists(banco.shell.FileIni));
        const QString ini = banco.shell.FileIni;
        QVERIFY(!LeggiIni(ini, "STARTUP", "POSX").isEmpty());
        QVERIFY(!LeggiIni(ini, "STARTUP", "POSY").isEmpty());
        QCOMPARE(LeggiIni(ini, "APPLICATIVI", "NomeVarie1"), QString("Editor di testi"));
        QVERIFY(!LeggiIni(ini, "APPLICATIVI", "Varie1").isEmpty());
        QVERIFY(!LeggiIni(ini, "NAZIONI", "CODICI").isEmpty());
        QVERIFY(QFileInfo(banco.cartella.filePath("TempFile")).isDir());
        // Centred: (screen - design size) / 2.
        QCOMPARE(ValoreNumerico(LeggiIni(ini, "STARTUP", "POSX")),
                 std::trunc((larghezzaSchermo(&w) - 6600) / 2));
        // One application entry.
        int visibili = 0;
        for (int n = 1; n <= 11; ++n)
            visibili += w.voce(QString("Mprg_var%1").arg(n))->isVisible() ? 1 : 0;
        QCOMPARE(visibili, 1);
        QCOMPARE(w.voce("Mprg_var1")->text(), QString("Editor di testi"));
        QVERIFY(banco.messaggi.mostrati().isEmpty());
    }

    void caption() {
        BancoDesktop banco;
        FinestraPrincipale w(banco.desktop);
        QVERIFY(w.avvia());
        QCOMPARE(w.windowTitle(), QString(" INTERROGAZIONE STATO MRN ") + QString(23, ' ') + "(" +
                                      TestoVersione(Versione()) + ")");
        QVERIFY(!w.windowTitle().contains("(0") && !w.windowTitle().contains(".0.0."));
    }

    void menuTree() {
        BancoDesktop banco;
        FinestraPrincipale w(banco.desktop);
        QVERIFY(w.avvia());
        // Entry texts of a menu, "-" for a separator.
        const auto testi = [](const QList<QAction*>& voci) {
            QStringList t;
            for (QAction* a : voci)
                t << (a->isSeparator() ? "-" : a->text());
            return t;
        };
        QCOMPARE(testi(w.menuBar()->actions()), QStringList({"&Fine", "&Singolo", "&Elenco", "&Archivio",
                                                             "&Utility", "&Applicativi", "&?"}));
        QCOMPARE(testi(w.voce("Mu_varie")->menu()->actions()),
                 QStringList({"&Nazioni", "Aggiorna XLS", "&DataBase", "-", "Indirizzi WEB"}));
        QCOMPARE(testi(w.voce("Mu_DBbase")->menu()->actions()),
                 QStringList({"&Salva il DataBase", "&Ripristina salvataggio", "-", "&Aggiorna il DataBase",
                              "Ripara il &DataBase"}));
        QCOMPARE(testi(w.voce("Mu_help")->menu()->actions()),
                 QStringList({"Su &Quorvan", "Su &ZENTRI", "&Verifica aggiornamenti", "-", "&PassWord"}));
        QCOMPARE(w.voce("Mu_ParAppl")->text(), QString("Imposta Applicativi"));
    }

    void withoutDatabase() {
        BancoDesktop banco;
        banco.desktop.finestre.EleMRNok = [](QWidget*) {};
        banco.desktop.database.apriDatabase = [] { return false; };
        FinestraPrincipale w(banco.desktop);
        QVERIFY(w.avvia());
        QVERIFY(!banco.desktop.DatabaseAperto);
        QVERIFY(!w.voce("Mu_DataBase")->isEnabled());
        QVERIFY(!w.voce("Mu_DBbase")->isVisible());
    }

    void withDatabase() {
        BancoDesktop banco;
        int archivio = 0;
        banco.desktop.finestre.EleMRNok = [&](QWidget*) { ++archivio; };
        banco.desktop.finestre.GesNaz = [](QWidget*) { QFAIL("look-up window with the database open"); };
        int nazioniDb = 0;
        banco.desktop.finestre.GesNazDB = [&](QWidget*) { ++nazioniDb; };
        banco.desktop.database.apriDatabase = [] { return true; };
        FinestraPrincipale w(banco.desktop);
        QVERIFY(w.avvia());
        QVERIFY(w.voce("Mu_DataBase")->isEnabled());
        QVERIFY(w.voce("Mu_DBbase")->isVisible());
        w.voce("Mu_DataBase")->trigger();
        w.voce("Mu_Nazioni")->trigger();
        QCOMPARE(archivio, 1);
        QCOMPARE(nazioniDb, 1);
    }

    // The database layer's own steps: the shipped reference database becomes
    // the working database of a new program folder, which then opens.
    void realDatabaseOpens() {
        BancoDesktop banco;
        StatoDatabase db;
        CollegaDatabase(banco.desktop, db);
        FinestraPrincipale w(banco.desktop);
        QVERIFY(w.avvia());
        QVERIFY2(QFile::exists(banco.cartella.filePath("Quorvan.mdb")), "no working database made");
        QVERIFY(db.DatabaseAperto);
        QVERIFY(banco.desktop.DatabaseAperto);
        QVERIFY(w.voce("Mu_DBbase")->isVisible());
        QCOMPARE(banco.web.CartellaTemp, db.CartellaTemp);
        QVERIFY(banco.messaggi.mostrati().isEmpty());
        w.show();
        QVERIFY(w.close());
        QVERIFY(!db.DbLavoro.isOpen());
    }

    // No reference database shipped and none in the folder: the program runs
    // without its archive.
    void realDatabaseMissing() {
        QTemporaryDir vuota;
        qputenv("QUORVAN_SHARE_DIR", vuota.path().toLocal8Bit());
        BancoDesktop banco;
        StatoDatabase db;
        CollegaDatabase(banco.desktop, db);
        banco.desktop.finestre.EleMRNok = [](QWidget*) {};
        FinestraPrincipale w(banco.desktop);
        const bool avviato = w.avvia();
        qunsetenv("QUORVAN_SHARE_DIR");
        QVERIFY(avviato);
        QVERIFY(!db.DatabaseAperto);
        QVERIFY(!w.voce("Mu_DataBase")->isEnabled());
        QVERIFY(!w.voce("Mu_DBbase")->isVisible());
        QVERIFY(banco.messaggi.mostrati().isEmpty());
    }

    // A window that closes the database (backup, restore, repair) leaves the
    // menus as the database now is.
    void menusFollowTheDatabaseAfterAWindow() {
        BancoDesktop banco;
        bool aperto = true;
        banco.desktop.database.apriDatabase = [&] { return aperto; };
        banco.desktop.database.databaseAperto = [&] { return aperto; };
        banco.desktop.finestre.EleMRNok = [](QWidget*) {};
        banco.desktop.finestre.SalvaArk = [&](QWidget*) { aperto = false; };
        FinestraPrincipale w(banco.desktop);
        QVERIFY(w.avvia());
        QVERIFY(w.voce("Mu_DataBase")->isEnabled());
        w.voce("Mu_SavDB")->trigger();
        QVERIFY(!w.voce("Mu_DataBase")->isEnabled());
        QVERIFY(!w.voce("Mu_DBbase")->isVisible());
    }

    void missingWindowsLeaveMenusDisabled_data() {
        QTest::addColumn<QString>("voce");
        for (const char* v : {"Mu_MrnEle", "Mu_Nazioni", "Mu_aggxls", "Mprg_base", "Mu_newexe"})
            QTest::newRow(v) << QString(v);
    }
    void missingWindowsLeaveMenusDisabled() {
        QFETCH(QString, voce);
        BancoDesktop banco;
        FinestraPrincipale w(banco.desktop);
        QVERIFY(w.avvia());
        QVERIFY(!w.voce(voce)->isEnabled());
        QVERIFY(w.voce("Mu_Mrn1")->isEnabled());
        QVERIFY(w.voce("Mu_Passwd")->isEnabled());
    }

    void startupOrder() {
        BancoDesktop banco;
        QStringList passi;
        const QString ini = banco.shell.FileIni;
        const QString temp = banco.cartella.filePath("TempFile");
        QVERIFY(ScriviRecordRiservato(FileRecordRiservato(banco.cartella.path()), "SEGRETO"));
        banco.desktop.database.caricaColori = [&] {
            // Nations are written before the colours are loaded.
            passi << (LeggiIni(ini, "NAZIONI", "CODICI").isEmpty() ? "colori senza nazioni" : "colori");
        };
        banco.desktop.database.preparaFile = [&] { passi << "file"; };
        banco.desktop.database.controllaRiferimento = [&](QWidget*) {
            passi << (QFileInfo::exists(temp) ? "riferimento dopo TempFile" : "riferimento");
            return true;
        };
        banco.desktop.database.apriDatabase = [&] {
            passi << (QFileInfo(temp).isDir() ? "database" : "database senza TempFile");
            return true;
        };
        banco.desktop.database.caricaNazioniCee = [&] { passi << "nazioni"; };
        QuandoSiApre("qv::GesPasWd", [&](QDialog* d) {
            passi << "password";
            auto* campo = static_cast<FinestraPassword*>(d)->txtPasswd[0];
            QTest::keyClicks(campo, "segreto");
            QTest::keyClick(campo, Qt::Key_Return);
        });
        FinestraPrincipale w(banco.desktop);
        QVERIFY(w.avvia());
        QCOMPARE(passi, QStringList({"colori", "password", "file", "riferimento", "database", "nazioni"}));
        QCOMPARE(banco.desktop.web.UrlExport.isEmpty(), false);
    }

    void upgradeNotDoneEndsTheProgram() {
        BancoDesktop banco;
        bool aperto = false;
        banco.desktop.database.controllaRiferimento = [&](QWidget*) {
            banco.messaggi.mostra("OCCORRE ESEGUIRE L'AGGIORNAMENTO DEL BATABASE", "Quorvan");
            return false;
        };
        banco.desktop.database.apriDatabase = [&] { return aperto = true; };
        FinestraPrincipale w(banco.desktop);
        QVERIFY(!w.avvia());
        QCOMPARE(banco.terminato, QList<int>({0}));
        QCOMPARE(banco.messaggi.mostrati().size(), 1);
        QVERIFY(!aperto);
    }

    void storedPosition_data() {
        QTest::addColumn<QString>("posx");
        QTest::addColumn<QString>("posy");
        QTest::addColumn<bool>("xZero");
        QTest::addColumn<bool>("yZero");
        // The reset rule's cases are in test_avvio_programma; here each axis
        // once against the real screen.
        QTest::newRow("inside") << "1500"
                                << "1500" << false << false;
        QTest::newRow("top at screen height") << "1500"
                                              << "12000" << false << true;
        QTest::newRow("left beyond the screen") << "99999"
                                                << "1500" << true << false;
    }
    void storedPosition() {
        QFETCH(QString, posx);
        QFETCH(QString, posy);
        QFETCH(bool, xZero);
        QFETCH(bool, yZero);
        BancoDesktop banco;
        ScriviIni(banco.shell.FileIni, "STARTUP", "POSX", posx);
        // The offscreen screen is 800 x 800 pixels: 12000 twips high.
        ScriviIni(banco.shell.FileIni, "STARTUP", "POSY", posy);
        FinestraPrincipale w(banco.desktop);
        QVERIFY(w.avvia());
        QCOMPARE(w.x() == 0, xZero);
        QCOMPARE(w.y() == 0, yZero);
        if (!xZero) QCOMPARE(w.x(), 100);
        if (!yZero) QCOMPARE(w.y(), 100);
    }

    void sizeSpringsBack() {
        BancoDesktop banco;
        FinestraPrincipale w(banco.desktop);
        QVERIFY(w.avvia());
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        const QSize fissa = w.size();
        QCOMPARE(w.frameGeometry().size(), QSize(440, 170));
        w.resize(fissa.width() + 120, fissa.height());
        QCOMPARE(w.size(), fissa);
        w.resize(fissa.width(), fissa.height() + 80);
        QCOMPARE(w.size(), fissa);
    }

    void shutdownRecordsPlacementAndRun() {
        BancoDesktop banco;
        FinestraPrincipale w(banco.desktop);
        QVERIFY(w.avvia());
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.move(60, 40);
        QVERIFY(w.close());
        const QString ini = banco.shell.FileIni;
        QCOMPARE(LeggiIni(ini, "Startup", "POSX"), QString("900"));
        QCOMPARE(LeggiIni(ini, "Startup", "POSY"), QString("600"));
        QCOMPARE(LeggiIni(ini, "Startup", "DIMX"), QString("6600"));
        QCOMPARE(LeggiIni(ini, "Startup", "DIMY"), QString("2550"));
        QCOMPARE(platform::userSetting("Quorvan", "Setting", "ExeVersion"), TestoVersione(Versione()));
        QCOMPARE(platform::userSetting("Quorvan", "Setting", "ExeRun"),
                 QDate::currentDate().toString("dd/MM/yyyy"));
        QCOMPARE(platform::userSetting("Quorvan", "Setting", "ExePath"),
                 QDir::toNativeSeparators(banco.cartella.path()));
    }

    void closedMaximisedWritesNoPlacement() {
        BancoDesktop banco;
        FinestraPrincipale w(banco.desktop);
        QVERIFY(w.avvia());
        w.show();
        w.setWindowState(Qt::WindowMaximized);
        QVERIFY(w.close());
        QCOMPARE(LeggiIni(banco.shell.FileIni, "Startup", "DIMX"), QString());
        QCOMPARE(platform::userSetting("Quorvan", "Setting", "ExeVersion"), TestoVersione(Versione()));
    }

    void f2ClosesTheMainWindow() {
        BancoDesktop banco;
        FinestraPrincipale w(banco.desktop);
        QVERIFY(w.avvia());
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QTest::keyClick(&w, Qt::Key_F2);
        QVERIFY(!w.isVisible());
        QCOMPARE(LeggiIni(banco.shell.FileIni, "Startup", "DIMX"), QString("6600"));
    }

    void forcedExit_data() {
        QTest::addColumn<int>("risposta");
        QTest::addColumn<bool>("finito");
        QTest::newRow("answered No") << int(Risposta::No) << false;
        QTest::newRow("answered Yes") << int(Risposta::Si) << true;
    }
    void forcedExit() {
        QFETCH(int, risposta);
        QFETCH(bool, finito);
        BancoDesktop banco;
        FinestraPrincipale w(banco.desktop);
        QVERIFY(w.avvia());
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        banco.messaggi.accoda(Risposta(risposta));
        QTest::keyClick(&w, Qt::Key_F2, Qt::ControlModifier);
        QCOMPARE(banco.messaggi.mostrati().size(), 1);
        QCOMPARE(banco.messaggi.mostrati().first().titolo, QString("USCITA FORZATA"));
        QCOMPARE(banco.terminato.isEmpty(), !finito);
        QVERIFY(w.isVisible());
        // Neither answer runs the shut-down steps.
        QCOMPARE(LeggiIni(banco.shell.FileIni, "Startup", "DIMX"), QString());
    }

    void ctrlF8TogglesCaption() {
        BancoDesktop banco;
        FinestraPrincipale w(banco.desktop);
        QVERIFY(w.avvia());
        w.show();
        const QString prima = w.windowTitle();
        QTest::keyClick(&w, Qt::Key_F8, Qt::ControlModifier);
        QCOMPARE(w.windowTitle(), QString("FinestraPrincipale !"));
        QTest::keyClick(&w, Qt::Key_F8, Qt::ControlModifier);
        QCOMPARE(w.windowTitle(), prima);
    }

    void singleEnquiryFromMenu() {
        BancoDesktop banco;
        FinestraPrincipale w(banco.desktop);
        QVERIFY(w.avvia());
        w.show();
        bool aperta = false;
        QuandoSiApre("qv::SingoloMrn", [&](QDialog* d) {
            aperta = true;
            QCOMPARE(d->windowTitle(), QString("INTERROGAZIONE STATO MRN"));
            QTest::keyClick(static_cast<FinestraSingoloMrn*>(d)->Text1, Qt::Key_F2);
        });
        w.voce("Mu_Mrn1")->trigger();
        QVERIFY(aperta);
        QVERIFY(w.isVisible());
    }

    void helpMenuOpensItsWindows_data() {
        QTest::addColumn<QString>("voce");
        QTest::addColumn<QString>("finestra");
        QTest::addColumn<QString>("titolo");
        QTest::newRow("Su Quorvan") << "Mu_gesedi"
                                    << "qv::frmAbout"
                                    << " Informazioni su Quorvan";
        QTest::newRow("Su ZENTRI without its program") << "Mu_zentri"
                                                       << "qv::InfDitta"
                                                       << "Informazioni sul produttore del SoftWare";
        QTest::newRow("PassWord") << "Mu_Passwd"
                                  << "qv::GesPasWd"
                                  << "MODIFICA DELLA PASSWORD";
    }
    void helpMenuOpensItsWindows() {
        QFETCH(QString, voce);
        QFETCH(QString, finestra);
        QFETCH(QString, titolo);
        BancoDesktop banco;
        FinestraPrincipale w(banco.desktop);
        QVERIFY(w.avvia());
        w.show();
        QString visto;
        const QByteArray classe = finestra.toLatin1();
        QuandoSiApre(classe.constData(), [&](QDialog* d) {
            visto = d->windowTitle();
            d->reject();
        });
        w.voce(voce)->trigger();
        QCOMPARE(visto, titolo);
    }

    void applicationEntryStartsItsProgram() {
        BancoDesktop banco;
        QFile programma(banco.cartella.filePath("editor"));
        QVERIFY(programma.open(QIODevice::WriteOnly));
        programma.close();
        ScriviIni(banco.shell.FileIni, "APPLICATIVI", "Varie1", programma.fileName());
        ScriviIni(banco.shell.FileIni, "APPLICATIVI", "NomeVarie3", "Sito");
        ScriviIni(banco.shell.FileIni, "APPLICATIVI", "Varie3", "www.example.org");
        FinestraPrincipale w(banco.desktop);
        QVERIFY(w.avvia());
        QVERIFY(w.voce("Mprg_var3")->isVisible());
        QCOMPARE(w.voce("Mprg_var3")->text(), QString("Sito"));
        w.voce("Mprg_var1")->trigger();
        w.voce("Mprg_var3")->trigger();
        QCOMPARE(banco.avviatore.avvii.size(), 1);
        QCOMPARE(banco.avviatore.avvii.first().programma, programma.fileName());
        QCOMPARE(banco.avviatore.indirizzi, QStringList({"http:\\\\www.example.org"}));
    }

    void applicationsWindowRebuildsTheMenu() {
        BancoDesktop banco;
        ScriviIni(banco.shell.FileIni, "APPLICATIVI", "Varie1", QCoreApplication::applicationFilePath());
        FinestraPrincipale w(banco.desktop);
        QVERIFY(w.avvia());
        QuandoSiApre("qv::GesAppl", [&](QDialog* d) {
            auto* g = static_cast<FinestraApplicativi*>(d);
            g->Txt[2]->setText("Posta");
            g->Txt[13]->setText("mailto:info@example.org");
            QTest::mouseClick(g->Command1[2], Qt::LeftButton);
            if (g->isVisible()) g->reject();
        });
        w.voce("Mu_ParAppl")->trigger();
        QVERIFY(w.voce("Mprg_var2")->isVisible());
        QCOMPARE(w.voce("Mprg_var2")->text(), QString("Posta"));
    }
};

QTEST_MAIN(TestStartup)
#include "test_startup.moc"
