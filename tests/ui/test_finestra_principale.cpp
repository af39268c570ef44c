// The main window driven like a user: start-up, menus, shut-down.

#include "app/finestra_principale.h"
#include "banco_desktop.h"
#include "platform/user_settings.h"
#include "programmi_prova.h"
#include "shell/avvio_programma.h"
#include "shell/file_ini.h"
#include "shell/password.h"
#include "shell/ui/collocazione.h"
#include "shell/versione_programma.h"

#include <QtTest>

using namespace qv;
using namespace qv::prova;

namespace {

// The shipped files come from `cartella`; an empty folder ships no reference database.
struct FileSpediti {
    explicit FileSpediti(const QString& cartella) { qputenv("QUORVAN_SHARE_DIR", cartella.toLocal8Bit()); }
    ~FileSpediti() { qunsetenv("QUORVAN_SHARE_DIR"); }
};

} // namespace

class TestFinestraPrincipale : public QObject {
    Q_OBJECT

private slots:
    // A first start makes the archive; later, a missing archive stays missing, its menus off.
    void archiveMissingAtALaterStart() {
        FileSpediti spediti(cartellaProgrammi().path());
        BancoDesktop banco;
        const QString archivio = banco.cartella.filePath("Quorvan.mdb");
        {
            FinestraPrincipale w(banco.contesto);
            QVERIFY(w.avvia());
            QCOMPARE(w.windowTitle(), TitoloPrincipale(Versione()));
            QVERIFY(w.voce("Mu_DBbase")->isVisible());
            QVERIFY(banco.messaggi.mostrati().isEmpty());
            QVERIFY(w.close());
        }
        QVERIFY(QFile::remove(archivio));
        ContestoDesktop contesto(banco.cartella.path(), banco.messaggi, banco.avviatore);
        contesto.registra(IdFinestra::EleMRNok, [](QWidget*, const QString&) {});
        FinestraPrincipale w(contesto);
        QVERIFY(w.avvia());
        QVERIFY(!contesto.database.DatabaseAperto);
        QVERIFY(!w.voce("Mu_DataBase")->isEnabled());
        QVERIFY(!w.voce("Mu_DBbase")->isVisible());
        QVERIFY(!QFile::exists(archivio));
    }

    // Three wrong answers at start-up end the start-up by themselves; the request cannot be dismissed.
    void threeWrongPasswordsAtStartup() {
        BancoDesktop banco;
        QVERIFY(ScriviRecordRiservato(FileRecordRiservato(banco.cartella.path()), "SEGRETO"));
        QuandoSiApre("GesPasWd", [&](QDialog* d) {
            auto* risposta = campo(d, "txtPasswd_0");
            QVERIFY(!controllo<QGroupBox>(d, "Frame1_1")->isVisible()); // the request alone
            QTest::keyClick(risposta, Qt::Key_Escape);
            d->close();
            QVERIFY(d->isVisible());
            for (const char* r : {"uno", "due", "tre"}) {
                QVERIFY(risposta->hasFocus() && risposta->text().isEmpty()); // back, emptied, after each error
                Rispondi(risposta, r);
            }
            if (d->isVisible()) d->done(QDialog::Rejected); // never left waiting
        });
        FinestraPrincipale w(banco.contesto);
        QVERIFY(!w.avvia());
        QCOMPARE(banco.testiMostrati(), QStringList(3, "PASSWORD ERRATA"));
        QVERIFY(banco.terminato.isEmpty());
    }

    // The width counts the menu bar as laid out at the design width; stored place, fixed size.
    void menuBarThatWrapsWidensTheWindow_data() {
        QTest::addColumn<int>("punti"); // menu bar font; 0: the normal one
        QTest::addColumn<double>("larghezza");
        QTest::newRow("normal font, one line") << 0 << 6600.0;
        QTest::newRow("large font, the bar wraps") << 28 << 8100.0;
    }
    void menuBarThatWrapsWidensTheWindow() {
        QFETCH(int, punti);
        QFETCH(double, larghezza);
        BancoDesktop banco;
        ScriviIni(banco.ini(), "STARTUP", "POSX", "1500");
        ScriviIni(banco.ini(), "STARTUP", "POSY", "1500");
        FinestraPrincipale w(banco.contesto);
        if (punti > 0) {
            QFont f = w.menuBar()->font();
            f.setPointSize(punti);
            w.menuBar()->setFont(f);
        }
        QVERIFY(w.avvia());
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QVERIFY(punti == 0 || w.menuBar()->sizeHint().width() > 440); // more than one line's worth
        QCOMPARE(w.larghezzaFissa(), larghezza);
        QCOMPARE(w.pos(), QPoint(100, 100));
        if (punti == 0) QCOMPARE(w.frameGeometry().size(), QSize(440, 170));
        const QSize fissa = w.size();
        w.resize(fissa.width() + 120, fissa.height() + 80);
        QCOMPARE(w.size(), fissa);
    }

    // An entry is enabled once its window's opening is registered.
    void entriesFollowTheOpener_data() {
        QTest::addColumn<QString>("voce");
        QTest::addColumn<int>("finestra");
        QTest::addColumn<QString>("argomento");
        QTest::addColumn<bool>("database");
        QTest::newRow("Elenco") << "Mu_MrnEle" << int(IdFinestra::EleMrn) << "" << true;
        QTest::newRow("Archivio") << "Mu_DataBase" << int(IdFinestra::EleMRNok) << "" << true;
        QTest::newRow("Nazioni, database open") << "Mu_Nazioni" << int(IdFinestra::GesNazDB) << "" << true;
        QTest::newRow("Nazioni, no database") << "Mu_Nazioni" << int(IdFinestra::GesNaz) << "" << false;
        QTest::newRow("Indirizzi WEB") << "Mprg_base" << int(IdFinestra::GParHttp) << "1" << true;
    }
    void entriesFollowTheOpener() {
        QFETCH(QString, voce);
        QFETCH(int, finestra);
        QFETCH(QString, argomento);
        QFETCH(bool, database);
        QTemporaryDir vuota;
        FileSpediti spediti(database ? cartellaProgrammi().path() : vuota.path());
        BancoDesktop banco;
        {
            FinestraPrincipale senza(banco.contesto);
            QVERIFY(!senza.voce(voce)->isEnabled());
        }
        QStringList aperture;
        banco.contesto.registra(IdFinestra(finestra), [&](QWidget* sopra, const QString& a) {
            aperture << sopra->objectName() + ":" + a;
        });
        FinestraPrincipale w(banco.contesto);
        QVERIFY(w.avvia());
        QCOMPARE(banco.contesto.database.DatabaseAperto, database);
        w.voce(voce)->trigger(); // a disabled entry does nothing
        QCOMPARE(aperture, QStringList{"Startup:" + argomento});
    }

    void entriesOpenTheirWindows_data() {
        QTest::addColumn<QString>("voce");
        QTest::addColumn<QString>("finestra");
        QTest::newRow("Singolo") << "Mu_Mrn1" << "SingoloMrn";
        QTest::newRow("Su Quorvan") << "Mu_gesedi" << "frmAbout";
        QTest::newRow("Su ZENTRI without its program") << "Mu_zentri" << "InfDitta";
        QTest::newRow("PassWord") << "Mu_Passwd" << "GesPasWd";
    }
    void entriesOpenTheirWindows() {
        QFETCH(QString, voce);
        QFETCH(QString, finestra);
        BancoDesktop banco;
        FinestraPrincipale w(banco.contesto);
        QVERIFY(w.avvia());
        w.show();
        bool aperta = false;
        QuandoSiApre(finestra, [&](QDialog* d) {
            aperta = true;
            QTest::keyClick(d, Qt::Key_F2); // each of them closes with F2
        });
        w.voce(voce)->trigger();
        QVERIFY(aperta);
        QVERIFY(w.isVisible());
    }

    // A window opened during start-up (the password, a due upgrade) sits where it would once the main
    // window shows, not where its central widget's size before any layout would put it.
    void windowOpenedBeforeTheMainWindowShows() {
        BancoDesktop banco;
        QVERIFY(ScriviRecordRiservato(FileRecordRiservato(banco.cartella.path()), NormalizzaPassword("x")));
        FinestraPrincipale w(banco.contesto);
        QPoint allAvvio;
        QSize misura; // the same size, so that the screen's edges move both alike
        QuandoSiApre("GesPasWd", [&](QDialog* d) {
            allAvvio = d->pos() - w.pos();
            misura = d->size();
            Rispondi(campo(d, "txtPasswd_0"), "x");
        });
        QVERIFY(w.avvia() && attiva(&w));
        QDialog d;
        d.setObjectName("Prova");
        d.resize(misura);
        RipristinaFinestra(&d, banco.finestre(), false);
        const QPoint dopo = d.pos() - w.pos(); // the frame the shown window has moves it a little
        QVERIFY2((allAvvio - dopo).manhattanLength() <= 8,
                 qPrintable(QString("at start-up %1,%2, shown %3,%4")
                                .arg(allAvvio.x()).arg(allAvvio.y()).arg(dopo.x()).arg(dopo.y())));
    }

    // The menus follow "Imposta Applicativi" and a window that closes the database; F2 shuts down.
    void menusFollowWhatAWindowDid() {
        BancoDesktop banco;
        banco.contesto.registra(IdFinestra::EleMRNok, [](QWidget*, const QString&) {});
        banco.contesto.registra(IdFinestra::SalvaArk, [&](QWidget*, const QString&) {
            banco.contesto.database.DatabaseAperto = false;
        });
        FinestraPrincipale w(banco.contesto);
        QVERIFY(w.avvia());
        QVERIFY(!w.voce("Mprg_var2")->isVisible());
        QuandoSiApre("GesAppl", [&](QDialog* d) {
            campo(d, "Txt_12")->setText(QCoreApplication::applicationFilePath());
            campo(d, "Txt_2")->setText("Posta");
            campo(d, "Txt_13")->setText("mailto:info@example.org");
            QTest::mouseClick(pulsante(d, "Command1_2"), Qt::LeftButton);
            if (d->isVisible()) d->reject();
        });
        w.voce("Mu_ParAppl")->trigger();
        QVERIFY(w.voce("Mprg_var2")->isVisible());
        QCOMPARE(w.voce("Mprg_var2")->text(), QString("Posta"));
        w.voce("Mprg_var2")->trigger();
        QCOMPARE(banco.avviatore.indirizzi, QStringList{"mailto:info@example.org"});
        QVERIFY(w.voce("Mu_DataBase")->isEnabled());
        w.voce("Mu_SavDB")->trigger();
        QVERIFY(!w.voce("Mu_DataBase")->isEnabled());
        QVERIFY(!w.voce("Mu_DBbase")->isVisible());
        banco.contesto.database.DatabaseAperto = true; // the stand-in closed nothing: open again to shut down
        QVERIFY(attiva(&w));
        w.move(60, 40);
        QVERIFY(banco.contesto.database.DbLavoro.isOpen());
        QTest::keyClick(&w, Qt::Key_F2);
        QVERIFY(!w.isVisible());
        QStringList posizione;
        for (const char* chiave : {"POSX", "POSY", "DIMX", "DIMY"})
            posizione << LeggiIni(banco.ini(), "Startup", chiave);
        QCOMPARE(posizione, QStringList({"900", "600", "6600", "2550"}));
        QCOMPARE(platform::userSetting("Quorvan", "Setting", "ExeVersion"), TestoVersione(Versione()));
        QVERIFY(!banco.contesto.database.DbLavoro.isOpen());
    }
};

QTEST_MAIN(TestFinestraPrincipale)
#include "test_finestra_principale.moc"
