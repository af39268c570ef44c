// The password window in its two modes and the applications window, driven
// like a user.

#include "banco_desktop.h"
#include "shell/file_ini.h"
#include "shell/password.h"
#include "shell/ui/finestra_applicativi.h"
#include "shell/ui/finestra_password.h"

#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QStorageInfo>
#include <QtTest>

#include <memory>

using namespace qv;
using namespace qv::prova;

namespace {

// Line 1 as start-up leaves it: a caption and an existing program.
void primaRiga(BancoDesktop& banco) {
    ScriviIni(banco.shell.FileIni, "APPLICATIVI", "NomeVarie1", "Editor di testi");
    ScriviIni(banco.shell.FileIni, "APPLICATIVI", "Varie1", QCoreApplication::applicationFilePath());
}

void rispondi(QLineEdit* campo, const QString& testo) {
    QTest::keyClicks(campo, testo);
    QTest::keyClick(campo, Qt::Key_Return);
}

} // namespace

class TestPasswordAppl : public QObject {
    Q_OBJECT

private slots:
    void requestLayout() {
        BancoDesktop banco;
        banco.shell.PasswordProgramma = "SEGRETO";
        auto w = Mostra<FinestraPassword>(banco, FinestraPassword::Modo::Richiesta);
        QCOMPARE(w->windowTitle(), QString("RICHIESTA DELLA PASSWORD"));
        QCOMPARE(w->Frame1[0]->title(), QString("PassWord"));
        QVERIFY(w->Frame1[0]->isVisible());
        QVERIFY(!w->Frame1[1]->isVisible() && !w->Frame1[2]->isVisible());
        QVERIFY(!w->Command2[0]->isVisible() && !w->Command2[1]->isVisible());
        QVERIFY(w->txtPasswd[0]->hasFocus());
        // Escape does not get past the request.
        QTest::keyClick(w->txtPasswd[0], Qt::Key_Escape);
        QVERIFY(w->isVisible());
    }

    void requestAnswers_data() {
        QTest::addColumn<QStringList>("risposte");
        QTest::addColumn<bool>("accettata");
        QTest::addColumn<int>("errori");
        QTest::addColumn<bool>("fine");
        QTest::newRow("lower case accepted") << QStringList{"segreto"} << true << 0 << false;
        QTest::newRow("two wrong then right") << QStringList{"uno", "due", "SEGRETO"} << true << 2 << false;
        QTest::newRow("three wrong end the program")
            << QStringList{"uno", "due", "tre"} << false << 3 << true;
    }
    void requestAnswers() {
        QFETCH(QStringList, risposte);
        QFETCH(bool, accettata);
        QFETCH(int, errori);
        QFETCH(bool, fine);
        BancoDesktop banco;
        banco.shell.PasswordProgramma = "SEGRETO";
        auto w = Mostra<FinestraPassword>(banco, FinestraPassword::Modo::Richiesta);
        for (const QString& r : risposte) {
            QVERIFY(w->txtPasswd[0]->hasFocus());
            QVERIFY(w->txtPasswd[0]->text().isEmpty()); // cleared each time it gets the focus
            rispondi(w->txtPasswd[0], r);
        }
        QCOMPARE(w->result() == QDialog::Accepted, accettata);
        QCOMPARE(banco.messaggi.mostrati().size(), errori);
        for (const Messaggio& m : banco.messaggi.mostrati())
            QCOMPARE(m.testo, QString("PASSWORD ERRATA"));
        QCOMPARE(banco.terminato, fine ? QList<int>{0} : QList<int>{});
    }

    void startupAsksOnlyWhenAPasswordIsSet_data() {
        QTest::addColumn<QString>("registrata");
        QTest::addColumn<QString>("attesa");
        QTest::newRow("none") << ""
                              << "";
        QTest::newRow("unexpected characters count as none") << "AB-1"
                                                             << "";
        QTest::newRow("set") << "xy7"
                             << "XY7";
    }
    void startupAsksOnlyWhenAPasswordIsSet() {
        QFETCH(QString, registrata);
        QFETCH(QString, attesa);
        BancoDesktop banco;
        ScriviRecordRiservato(FileRecordRiservato(banco.cartella.path()), registrata);
        bool chiesta = false;
        if (!attesa.isEmpty())
            QuandoSiApre("qv::GesPasWd", [&](QDialog* d) {
                chiesta = true;
                rispondi(static_cast<FinestraPassword*>(d)->txtPasswd[0], attesa.toLower());
            });
        RichiestaPassword(banco.desktop, nullptr);
        QCOMPARE(banco.shell.PasswordProgramma, attesa);
        QCOMPARE(chiesta, !attesa.isEmpty());
        QVERIFY(banco.terminato.isEmpty());
    }

    void changeLayout() {
        BancoDesktop banco;
        auto w = Mostra<FinestraPassword>(banco, FinestraPassword::Modo::Modifica);
        QCOMPARE(w->windowTitle(), QString("MODIFICA DELLA PASSWORD"));
        QCOMPARE(w->Frame1[0]->title(), QString("Vecchia  PassWord"));
        QCOMPARE(w->Frame1[1]->title(), QString("Nuova  PassWord"));
        QCOMPARE(w->Frame1[2]->title(), QString("Riperi  nuova  PassWord"));
        QVERIFY(w->Command2[0]->isVisible() && w->Command2[1]->isVisible());
    }

    void change_data() {
        QTest::addColumn<QString>("attuale");
        QTest::addColumn<QString>("vecchia");
        QTest::addColumn<QString>("nuova");
        QTest::addColumn<QString>("ripetuta");
        QTest::addColumn<QString>("messaggio");
        QTest::addColumn<QString>("registrata"); // what the record holds afterwards
        QTest::newRow("first password, no old one") << ""
                                                    << ""
                                                    << "  nuova1 "
                                                    << "  nuova1 "
                                                    << ""
                                                    << "NUOVA1";
        QTest::newRow("old in lower case") << "VECCHIA"
                                           << "vecchia"
                                           << "altra"
                                           << "altra"
                                           << ""
                                           << "ALTRA";
        QTest::newRow("empty new password removes it") << "VECCHIA"
                                                       << "VECCHIA"
                                                       << ""
                                                       << ""
                                                       << ""
                                                       << "";
        QTest::newRow("old wrong") << "VECCHIA"
                                   << "sbagliata"
                                   << "x"
                                   << "x"
                                   << "VECCHIA PASSWORD ERRATA"
                                   << "VECCHIA";
        QTest::newRow("repetition differs") << "VECCHIA"
                                            << "VECCHIA"
                                            << "uno"
                                            << "due"
                                            << "LA NUOVA PASSWORD E LA SUA CONFERMA NON COINCIDONO"
                                            << "VECCHIA";
    }
    void change() {
        QFETCH(QString, attuale);
        QFETCH(QString, vecchia);
        QFETCH(QString, nuova);
        QFETCH(QString, ripetuta);
        QFETCH(QString, messaggio);
        QFETCH(QString, registrata);
        BancoDesktop banco;
        const QString record = FileRecordRiservato(banco.cartella.path());
        ScriviRecordRiservato(record, attuale);
        banco.shell.PasswordProgramma = attuale;
        auto w = Mostra<FinestraPassword>(banco, FinestraPassword::Modo::Modifica);
        rispondi(w->txtPasswd[0], vecchia);
        QVERIFY(w->txtPasswd[1]->hasFocus()); // Enter moved on
        rispondi(w->txtPasswd[1], nuova);
        QTest::keyClicks(w->txtPasswd[2], ripetuta);
        QTest::mouseClick(w->Command2[1], Qt::LeftButton);
        QCOMPARE(banco.testiMostrati(), messaggio.isEmpty() ? QStringList() : QStringList{messaggio});
        QCOMPARE(w->result() == QDialog::Accepted, messaggio.isEmpty());
        QCOMPARE(LeggiRecordRiservato(record), registrata);
        if (messaggio.startsWith("LA NUOVA")) {
            QVERIFY(w->txtPasswd[1]->text().isEmpty() && w->txtPasswd[2]->text().isEmpty());
            QVERIFY(w->txtPasswd[1]->hasFocus());
        }
        // A change takes effect at the next start.
        QCOMPARE(banco.shell.PasswordProgramma, attuale);
    }

    void threeWrongOldPasswordsEndTheProgram() {
        BancoDesktop banco;
        banco.shell.PasswordProgramma = "VECCHIA";
        auto w = Mostra<FinestraPassword>(banco, FinestraPassword::Modo::Modifica);
        for (int i = 0; i < 3; ++i) {
            w->txtPasswd[0]->setFocus();
            QTest::keyClicks(w->txtPasswd[0], "no");
            QTest::mouseClick(w->Command2[1], Qt::LeftButton);
        }
        QCOMPARE(banco.messaggi.mostrati().size(), 3);
        QCOMPARE(banco.terminato, QList<int>{0});
    }

    void abandonWritesNothing() {
        BancoDesktop banco;
        auto w = Mostra<FinestraPassword>(banco, FinestraPassword::Modo::Modifica);
        w->txtPasswd[1]->setText("X");
        w->txtPasswd[2]->setText("X");
        QTest::mouseClick(w->Command2[0], Qt::LeftButton);
        QVERIFY(!w->isVisible());
        QVERIFY(!QFile::exists(FileRecordRiservato(banco.cartella.path())));
    }

    void applicationsOpening() {
        BancoDesktop banco;
        const QString ini = banco.shell.FileIni;
        ScriviIni(ini, "APPLICATIVI", "NomeVarie1", "Editor");
        ScriviIni(ini, "APPLICATIVI", "Varie1", QCoreApplication::applicationFilePath());
        ScriviIni(ini, "APPLICATIVI", "NomeVarie2", "Senza programma");
        auto w = Mostra<FinestraApplicativi>(banco);
        QCOMPARE(w->windowTitle(), QString(" GESTIONE APPLICATIVI"));
        QCOMPARE(w->Txt[1]->text(), QString("Editor"));
        QCOMPARE(w->Txt[12]->text(), QCoreApplication::applicationFilePath());
        QCOMPARE(w->Txt[2]->text(), QString()); // a caption without a program is cleared
        QVERIFY(w->cmdTrova[1]->isEnabled());
        QVERIFY(!w->cmdTrova[2]->isEnabled());
    }

    void applicationsErrors_data() {
        QTest::addColumn<int>("riga");
        QTest::addColumn<QString>("titolo");
        QTest::addColumn<QString>("programma");
        QTest::addColumn<QString>("errore");
        QTest::addColumn<int>("campo"); // the field that gets the focus back
        QTest::newRow("program without caption") << 3 << ""
                                                 << "www.example.org"
                                                 << "ERRORE N. 3" << 3;
        QTest::newRow("missing file") << 4 << "Prova"
                                      << "/nessun/programma.exe"
                                      << "ERRORE N. 15" << 15;
        QTest::newRow("last line") << 11 << "Prova"
                                   << "/nessun/programma.exe"
                                   << "ERRORE N. 22" << 22;
    }
    void applicationsErrors() {
        QFETCH(int, riga);
        QFETCH(QString, titolo);
        QFETCH(QString, programma);
        QFETCH(QString, errore);
        QFETCH(int, campo);
        BancoDesktop banco;
        primaRiga(banco);
        auto w = Mostra<FinestraApplicativi>(banco);
        w->Txt[riga]->setText(titolo);
        w->Txt[riga + 11]->setText(programma);
        QTest::mouseClick(w->Command1[2], Qt::LeftButton);
        QCOMPARE(banco.messaggi.mostrati().size(), 1);
        QCOMPARE(banco.messaggi.mostrati().first().titolo, errore);
        QCOMPARE(banco.messaggi.mostrati().first().icona, Icona::Critica);
        QVERIFY(w->isVisible());
        QVERIFY(w->Txt[campo]->hasFocus());
        QCOMPARE(LeggiIni(banco.shell.FileIni, "APPLICATIVI", QString("Varie%1").arg(riga)), QString());
    }

    void leavingAProgramFieldChecksItsLine() {
        BancoDesktop banco;
        primaRiga(banco);
        auto w = Mostra<FinestraApplicativi>(banco);
        w->Txt[16]->setFocus();
        QTest::keyClicks(w->Txt[16], "/nessun/file");
        QTest::keyClick(w->Txt[16], Qt::Key_Return);
        QCOMPARE(banco.testiMostrati(),
                 QStringList({"INDICARE IL NOME DEL PROGRAMMA\nDA VISUALIZZARE NEL MENU"}));
        QVERIFY(w->Txt[5]->hasFocus());
    }

    void confirmSavesAndReloadRestores() {
        BancoDesktop banco;
        const QString ini = banco.shell.FileIni;
        primaRiga(banco);
        auto w = Mostra<FinestraApplicativi>(banco);
        w->Txt[2]->setText("Sito");
        w->Txt[13]->setText("  www.example.org ");
        QTest::mouseClick(w->Command1[1], Qt::LeftButton); // RIPRISTINA: back to the file
        QCOMPARE(w->Txt[2]->text(), QString());
        w->Txt[2]->setText("Sito");
        w->Txt[13]->setText("  www.example.org ");
        QList<int> cambiati;
        connect(w.get(), &FinestraApplicativi::menuCambiato, this, [&](int n, const QString&, bool visibile) {
            if (visibile) cambiati << n;
        });
        QTest::mouseClick(w->Command1[2], Qt::LeftButton);
        QVERIFY(banco.messaggi.mostrati().isEmpty());
        QCOMPARE(w->result(), int(QDialog::Accepted));
        QCOMPARE(LeggiIni(ini, "APPLICATIVI", "NomeVarie2"), QString("Sito"));
        QCOMPARE(LeggiIni(ini, "APPLICATIVI", "Varie2"), QString("www.example.org"));
        QCOMPARE(cambiati, QList<int>({1, 2}));
    }

    void exitWritesNothing() {
        BancoDesktop banco;
        auto w = Mostra<FinestraApplicativi>(banco);
        w->Txt[5]->setText("Cinque");
        QTest::keyClick(w->Txt[5], Qt::Key_F2); // F2 presses "&USCITA"
        QVERIFY(!w->isVisible());
        QCOMPARE(LeggiIni(banco.shell.FileIni, "APPLICATIVI", "NomeVarie5"), QString());
    }

    void browseFillsTheProgram() {
        BancoDesktop banco;
        primaRiga(banco);
        auto w = Mostra<FinestraApplicativi>(banco);
        banco.programmaScelto = "/opt/prova/strumento.exe";
        QTest::mouseClick(w->cmdTrova[1], Qt::LeftButton);
        QCOMPARE(w->Txt[12]->text(), banco.programmaScelto);
        QCOMPARE(banco.cartellaSceltaProgramma, QCoreApplication::applicationDirPath());
        banco.programmaScelto.clear(); // cancelled: nothing changes
        QTest::mouseClick(w->cmdTrova[1], Qt::LeftButton);
        QCOMPARE(w->Txt[12]->text(), QString("/opt/prova/strumento.exe"));
        // A line without a program starts from "Programmi" at the root of the drive;
        // its button is there once the line has a caption.
        QVERIFY(!w->cmdTrova[3]->isEnabled());
        w->Txt[3]->setFocus();
        QTest::keyClicks(w->Txt[3], "Terzo");
        QTest::keyClick(w->Txt[3], Qt::Key_Return);
        QVERIFY(w->cmdTrova[3]->isEnabled());
        QTest::mouseClick(w->cmdTrova[3], Qt::LeftButton);
        QCOMPARE(banco.cartellaSceltaProgramma,
                 QDir(QStorageInfo(banco.cartella.path()).rootPath()).filePath("Programmi"));
    }
};

QTEST_MAIN(TestPasswordAppl)
#include "test_password_appl.moc"
