// The shared file procedures: existence checks, the file-error messages and
// the opener by number with its name check and questions.

#include "file_prova.h"
#include "shell/procedure_file.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace qv;

class TestProcedureFile : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    QString p(const QString& name) const { return dir.filePath(name); }
    void touch(const QString& path, const QByteArray& content = "x") { scriviFile(path, content); }

private slots:
    void esisteFile() {
        MessaggiRegistrati m;
        touch(p("a.txt"));
        QDir(dir.path()).mkdir("cartella");
        QVERIFY(EsisteFile(m, p("a.txt")));
        QVERIFY(EsisteFile(m, "\"" + p("a.txt") + "\""));
        QVERIFY(EsisteFile(m, p("*.txt")));
        QVERIFY(EsisteFile(m, p("?.txt")));
        QVERIFY(!EsisteFile(m, p("b.txt")));
        QVERIFY(!EsisteFile(m, p("cartella")));
        QVERIFY(EsisteFile(m, p("cartella"), kAttributoCartella));
        QVERIFY(!EsisteFile(m, ""));
        QVERIFY(!EsisteFile(m, "   "));
        QVERIFY(m.mostrati().isEmpty());
    }

    void erroriFile_data() {
        QTest::addColumn<int>("error");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("buttons");
        QTest::newRow("68") << 68 << "Questo device non e' utilizzabile   C:" << int(Pulsanti::Ok);
        QTest::newRow("71") << 71 << QString::fromUtf8("Il disco non è pronto   C:") << int(Pulsanti::RiprovaAnnulla);
        QTest::newRow("57") << 57 << "Errore di I/O sul DEVICE del file   C:" << int(Pulsanti::RiprovaAnnulla);
        QTest::newRow("61") << 61 << QString::fromUtf8("Non c'è più spazio sul disco   C:") << int(Pulsanti::RiprovaAnnulla);
        QTest::newRow("52") << 52 << QString::fromUtf8("Il nome dell'archivio non è corretto.") << int(Pulsanti::Ok);
        QTest::newRow("64") << 64 << QString::fromUtf8("Il nome dell'archivio non è corretto.") << int(Pulsanti::Ok);
        QTest::newRow("76") << 76 << "Questo percorso non esiste." << int(Pulsanti::RiprovaAnnulla);
        QTest::newRow("54") << 54 << QString::fromUtf8("L'archivio non si può aprire per quel tipo di accesso.")
                            << int(Pulsanti::Ok);
        QTest::newRow("55") << 55 << QString::fromUtf8("L'archivio è già aperto.") << int(Pulsanti::RiprovaAnnulla);
        QTest::newRow("62") << 62
                            << QString::fromUtf8("L'archivio ha un fine-file non standard,\no è stata fatta una "
                                                 "lettura oltre la fine.")
                            << int(Pulsanti::Ok);
    }
    void erroriFile() {
        QFETCH(int, error);
        QFETCH(QString, text);
        QFETCH(int, buttons);
        MessaggiRegistrati m;
        const bool retry = Pulsanti(buttons) == Pulsanti::RiprovaAnnulla;
        if (retry)
            m.accoda(Risposta::Riprova);
        QCOMPARE(ErroriFile(m, error, "C:\\dati\\x.txt"), retry ? 0 : 2);
        QCOMPARE(m.mostrati().size(), 1);
        QCOMPARE(m.mostrati()[0].testo, text);
        QCOMPARE(m.mostrati()[0].titolo, QString("Errori su  C:\\dati\\x.txt"));
        QCOMPARE(int(m.mostrati()[0].pulsanti), buttons);
        QCOMPARE(m.mostrati()[0].icona, Icona::Esclamazione);
        if (retry) {
            m.accoda(Risposta::Annulla);
            QCOMPARE(ErroriFile(m, error, "C:\\dati\\x.txt"), 2); // Cancel gives up
        }
    }
    void erroriFileUnknown() {
        MessaggiRegistrati m;
        QCOMPARE(ErroriFile(m, 999, "x"), 3);
        QVERIFY(m.mostrati().isEmpty());
    }

    void badNameTouchesNothing_data() {
        QTest::addColumn<QString>("name");
        for (const char* n : {"z;b", "z<b", "z=b", "z>b", "z?b", "z[b", "z]b", "z*b"})
            QTest::newRow(n) << QString(n);
    }
    void badNameTouchesNothing() {
        QFETCH(QString, name);
        FileAperti files;
        MessaggiRegistrati m;
        QCOMPARE(ApriFile(files, m, p(name), 1, ModoFile::Output), 0);
        QCOMPARE(m.mostrati().size(), 1);
        QCOMPARE(m.mostrati()[0].titolo, QString("Nome errato"));
        QCOMPARE(m.mostrati()[0].testo, "Il nome dell'archivio " + p(name) + " non e' corretto");
        QVERIFY(QDir(dir.path()).entryList({"z*"}, QDir::Files).isEmpty());
    }

    void questionsWithVerify() {
        FileAperti files;
        MessaggiRegistrati m;
        touch(p("esiste.txt"), "vecchio");
        m.accoda(Risposta::No);
        QCOMPARE(ApriFile(files, m, p("esiste.txt"), 1, ModoFile::Output, 0, true), 0);
        QCOMPARE(m.mostrati().last().testo, "L'archivio " + p("esiste.txt") + " esiste gia'.\nLo vuoi sostituire?");
        QCOMPARE(m.mostrati().last().titolo, QString("Archivio esistente"));
        m.accoda(Risposta::No);
        QCOMPARE(ApriFile(files, m, p("nuovo.txt"), 1, ModoFile::Input, 0, true), 0);
        QCOMPARE(m.mostrati().last().testo, "L'archivio " + p("nuovo.txt") + " non esiste.\nLo vuoi creare?");
        QCOMPARE(m.mostrati().last().titolo, QString("Archivio inesistente"));
        QVERIFY(!QFile::exists(p("nuovo.txt")));
        m.accoda(Risposta::Si);
        QCOMPARE(ApriFile(files, m, p("nuovo.txt"), 2, ModoFile::Append, 0, true), 2);
        QVERIFY(QFile::exists(p("nuovo.txt")));
    }

    void outputWithoutVerifyReplacesSilently() {
        FileAperti files;
        MessaggiRegistrati m;
        touch(p("sost.txt"), "vecchio");
        QCOMPARE(ApriFile(files, m, p("sost.txt"), 3, ModoFile::Output), 3);
        QVERIFY(m.mostrati().isEmpty());
        QCOMPARE(files.file(3)->size(), 0);
        files.Chiudi(3);
        QVERIFY(!files.aperto(3));
    }

    void openFailures() {
        FileAperti files;
        MessaggiRegistrati m;
        QCOMPARE(ApriFile(files, m, p("manca.txt"), 1, ModoFile::Input), 0);
        QCOMPARE(ApriFile(files, m, p("x.txt"), 1, ModoFile(9)), 0);
        QCOMPARE(ApriFile(files, m, p("x.txt"), 1, ModoFile::Output), 1);
        QCOMPARE(ApriFile(files, m, p("y.txt"), 1, ModoFile::Output), 0);   // number in use
        QCOMPARE(ApriFile(files, m, p("x.txt"), 2, ModoFile::Append), 0);   // already open
        QCOMPARE(ApriFile(files, m, p("no/such/dir/z.txt"), 4, ModoFile::Output), 0);
        QCOMPARE(files.FreeFile(), 2);
        files.ChiudiTutti();
        QCOMPARE(files.quanti(), 0);
        QVERIFY(m.mostrati().isEmpty());
    }

    void pathParts_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("name");
        QTest::newRow("windows") << "C:\\A\\B\\x.txt" << "C:\\A\\B" << "x.txt";
        QTest::newRow("posix") << "/home/a/b/x.txt" << "/home/a/b" << "x.txt";
        QTest::newRow("no folder") << "x.txt" << "" << "x.txt";
        QTest::newRow("root") << "C:\\x.txt" << "C:" << "x.txt";
        QTest::newRow("trailing") << "C:\\A\\" << "C:\\A" << "";
    }
    void pathParts() {
        QFETCH(QString, path);
        QFETCH(QString, folder);
        QFETCH(QString, name);
        QCOMPARE(CartellaDi(path), folder);
        QCOMPARE(NomeFileDi(path), name);
    }

    void smallOnes() {
        QCOMPARE(TroncaAlNul(QString("abc") + QChar(0) + "def"), QString("abc"));
        QCOMPARE(TroncaAlNul("abc"), QString("abc"));
        const QString sys = CartellaSistema();
        QVERIFY(!sys.isEmpty());
        QVERIFY(sys.endsWith(QDir::separator()));
        QVERIFY(!sys.endsWith(QString(QDir::separator()) + QDir::separator()));
    }
};

QTEST_GUILESS_MAIN(TestProcedureFile)
#include "test_procedure_file.moc"
