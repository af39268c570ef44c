// The shared file procedures: existence checks, file-error messages, the opener by number.

#include "file_prova.h"
#include "shell/procedure_file.h"

#include <QDir>
#include <QTemporaryDir>

using namespace qv;

class TestProcedureFile : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    QString p(const QString& name) const { return dir.filePath(name); }

private slots:
    void esisteFile() {
        MessaggiRegistrati m;
        scriviFile(p("a.txt"), "x");
        QDir(dir.path()).mkdir("cartella");
        for (const QString& s : {p("a.txt"), "\"" + p("a.txt") + "\"", p("*.txt"), p("?.txt")})
            QVERIFY2(EsisteFile(m, s), qPrintable(s));
        for (const QString& s : {p("b.txt"), p("cartella"), QString(), QString("   ")})
            QVERIFY2(!EsisteFile(m, s), qPrintable(s));
        QVERIFY(EsisteFile(m, p("cartella"), kAttributoCartella));
        QVERIFY(m.mostrati().isEmpty());
    }

    void erroriFile() {
        MessaggiRegistrati m;
        QCOMPARE(ErroriFile(m, 68, "C:\\dati\\x.txt"), 2); // Ok only: given up
        QCOMPARE(m.mostrati()[0].testo, QString("Questo device non e' utilizzabile   C:"));
        m.accoda(Risposta::Riprova);
        m.accoda(Risposta::Annulla);
        QCOMPARE(ErroriFile(m, 71, "C:\\x"), 0); // Retry
        QCOMPARE(ErroriFile(m, 71, "C:\\x"), 2); // Cancel
        QCOMPARE(m.mostrati()[1].testo, QString::fromUtf8("Il disco non è pronto   C:"));
        QCOMPARE(ErroriFile(m, 999, "x"), 3); // not a file error: nothing shown
        QCOMPARE(m.mostrati().size(), 3);
    }

    void badNameTouchesNothing() {
        FileAperti files;
        MessaggiRegistrati m;
        QCOMPARE(ApriFile(files, m, p("z;b"), 1, ModoFile::Output), 0);
        QCOMPARE(m.mostrati().size(), 1);
        QCOMPARE(m.mostrati()[0].testo, "Il nome dell'archivio " + p("z;b") + " non e' corretto");
        QVERIFY(QDir(dir.path()).entryList({"z*"}, QDir::Files).isEmpty());
    }

    void questionsWithVerify() {
        FileAperti files;
        MessaggiRegistrati m;
        scriviFile(p("esiste.txt"), "vecchio");
        m.accoda(Risposta::No);
        QCOMPARE(ApriFile(files, m, p("esiste.txt"), 1, ModoFile::Output, 0, true), 0);
        QCOMPARE(m.mostrati().last().testo, "L'archivio " + p("esiste.txt") + " esiste gia'.\nLo vuoi sostituire?");
        m.accoda(Risposta::No);
        QCOMPARE(ApriFile(files, m, p("nuovo.txt"), 1, ModoFile::Input, 0, true), 0);
        QCOMPARE(m.mostrati().last().testo, "L'archivio " + p("nuovo.txt") + " non esiste.\nLo vuoi creare?");
        QVERIFY(!QFile::exists(p("nuovo.txt")));
        m.accoda(Risposta::Si);
        QCOMPARE(ApriFile(files, m, p("nuovo.txt"), 2, ModoFile::Append, 0, true), 2);
        QVERIFY(QFile::exists(p("nuovo.txt")));
    }

    void openWithoutVerify() {
        FileAperti files;
        MessaggiRegistrati m;
        scriviFile(p("x.txt"), "vecchio");
        QCOMPARE(ApriFile(files, m, p("manca.txt"), 1, ModoFile::Input), 0);
        QCOMPARE(ApriFile(files, m, p("x.txt"), 1, ModoFile(9)), 0);
        QCOMPARE(ApriFile(files, m, p("x.txt"), 1, ModoFile::Output), 1); // replaced without a question
        QCOMPARE(files.file(1)->size(), 0);
        QCOMPARE(ApriFile(files, m, p("y.txt"), 1, ModoFile::Output), 0); // number in use
        QCOMPARE(ApriFile(files, m, p("x.txt"), 2, ModoFile::Append), 0); // already open
        QCOMPARE(ApriFile(files, m, p("no/such/dir/z.txt"), 4, ModoFile::Output), 0);
        QCOMPARE(files.FreeFile(), 2);
        files.ChiudiTutti();
        QCOMPARE(files.quanti(), 0);
        QVERIFY(m.mostrati().isEmpty());
    }

    void pathParts() {
        QCOMPARE(QStringList({CartellaDi("C:\\A\\B\\x.txt"), NomeFileDi("/home/a/x.txt"), CartellaDi("x.txt"),
                              NomeFileDi("C:\\A\\"), TroncaAlNul(QString("abc") + QChar(0) + "def")}),
                 QStringList({"C:\\A\\B", "x.txt", "", "", "abc"}));
        const QString sys = CartellaSistema();
        QVERIFY(sys.endsWith(QDir::separator()) && !sys.endsWith(QString(QDir::separator()) + QDir::separator()));
    }
};

QTEST_GUILESS_MAIN(TestProcedureFile)
#include "test_procedure_file.moc"
