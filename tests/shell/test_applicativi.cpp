// The applications menu entries, their line checks, the launcher's search, RunFile's messages.

#include "avviatore_registrato.h"
#include "file_prova.h"
#include "shell/applicativi.h"
#include "shell/file_ini.h"
#include "shell/informazioni.h"

#include <QtTest>

using namespace qv;
using qv::prova::AvviatoreRegistrato;

class TestApplicativi : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    AvviatoreRegistrato avviatore;
    MessaggiRegistrati messaggi;
    QString ini() const { return dir.filePath("Quorvan.ini"); }
    QString programma() const { return dir.filePath("strumento"); }
    static bool esiste(const QString& p) { return QFileInfo(p).isFile(); }
    QString primoAvvio() const {
        return avviatore.avvii.isEmpty() ? QString() : avviatore.avvii.first().programma;
    }
    QString testo() const {
        return messaggi.mostrati().isEmpty() ? QString() : messaggi.mostrati().first().testo;
    }

private slots:
    void init() {
        avviatore = AvviatoreRegistrato();
        messaggi = MessaggiRegistrati();
        QFile::remove(ini());
        for (const char* f : {"Varie5.EXE", "Varie5"})
            QFile::remove(dir.filePath(f));
        scriviFile(programma(), {});
    }

    void systemInformationProgram_data() {
        QTest::addColumn<QString>("percorso");
        QTest::addColumn<bool>("cartellaConFile");
        QTest::addColumn<bool>("avviato");
        QTest::newRow("program path known") << "/opt/info/sysinfo" << false << true;
        QTest::newRow("only the folder, file in place") << "" << true << true;
        QTest::newRow("only the folder, file missing") << "" << false << false;
    }
    void systemInformationProgram() {
        QFETCH(QString, percorso);
        QFETCH(bool, cartellaConFile);
        QFETCH(bool, avviato);
        const QString file = dir.path() + "\\MSINFO32.EXE"; // the folder as the registry gives it
        QFile::remove(file);
        if (cartellaConFile) scriviFile(file, "");
        AvviaInfoSistema(avviatore, messaggi, percorso, dir.path(), esiste);
        QCOMPARE(primoAvvio(), !avviato ? QString() : percorso.isEmpty() ? file : percorso);
        QCOMPARE(messaggi.mostrati().isEmpty(), avviato); // not available: the message instead
    }

    void freshFileGetsTheTextEditor() {
        StatoApplicativi stato;
        const QList<VoceApplicativo> voci = CaricaApplicativi(ini(), "/usr/bin/editor-di-prova", stato);
        QCOMPARE(QStringList({LeggiIni(ini(), "APPLICATIVI", "NomeVarie1"),
                              LeggiIni(ini(), "APPLICATIVI", "Varie1")}),
                 QStringList({"Editor di testi", "/usr/bin/editor-di-prova"}));
        QCOMPARE(voci.size(), 11);
        QCOMPARE(voci[0].titolo, QString("Editor di testi"));
        QVERIFY(voci[0].visibile && !voci[10].visibile);
    }

    void entries_data() {
        QTest::addColumn<QString>("titolo");
        QTest::addColumn<QString>("programma");
        QTest::addColumn<bool>("visibile");
        QTest::addColumn<QString>("excel");
        QTest::newRow("caption without program") << "Vuota" << "" << false << "";
        QTest::newRow("program without caption") << "" << "/bin/true" << false << "";
        QTest::newRow("excel remembered") << "Foglio" << "C:\\Office\\excel.exe" << true << "C:\\Office\\excel.exe";
        QTest::newRow("blanks trimmed") << "  Spazi  " << "  /bin/true " << true << "";
    }
    void entries() {
        QFETCH(QString, titolo);
        QFETCH(QString, programma);
        QFETCH(bool, visibile);
        QFETCH(QString, excel);
        ScriviIni(ini(), "APPLICATIVI", "NomeVarie3", titolo);
        ScriviIni(ini(), "APPLICATIVI", "Varie3", programma);
        StatoApplicativi stato;
        const QList<VoceApplicativo> voci = CaricaApplicativi(ini(), "/e", stato);
        QCOMPARE(voci[2].visibile, visibile);
        if (visibile) QCOMPARE(voci[2].titolo, titolo.trimmed());
        QCOMPARE(stato.ProgrammaExcel, excel);
    }

    void gesApplLinesClearCaptionsWithoutProgram() {
        ScriviIni(ini(), "APPLICATIVI", "NomeVarie1", "Uno");
        ScriviIni(ini(), "APPLICATIVI", "NomeVarie2", "Due senza programma");
        ScriviIni(ini(), "APPLICATIVI", "NomeVarie3", "Tre");
        ScriviIni(ini(), "APPLICATIVI", "Varie3", "www.example.org");
        const QList<VoceApplicativo> righe = RigheApplicativi(ini());
        QCOMPARE((QStringList{righe[0].titolo, righe[1].titolo, righe[2].titolo}),
                 (QStringList{"Uno", "", "Tre"}));
        QVERIFY(righe[0].visibile && !righe[1].visibile && righe[2].visibile); // line 1 always
    }

    void lineCheck_data() {
        QTest::addColumn<int>("riga");
        QTest::addColumn<QString>("titolo");
        QTest::addColumn<QString>("programma");
        QTest::addColumn<int>("errore");
        QTest::newRow("caption only") << 4 << "Solo titolo" << "" << 0;
        QTest::newRow("blank caption") << 4 << "   " << "www.example.org" << 4;
        QTest::newRow("web address") << 4 << "Sito" << "www.example.org" << 0;
        QTest::newRow("mail address") << 4 << "Posta" << "mailto:info@example.org" << 0;
        QTest::newRow("line 11 missing file") << 11 << "Prog" << "/nessun/programma" << 22;
        QTest::newRow("arguments after a quote are cut") << 4 << "Prog" << "@ \"argomento\"" << 0;
    }
    void lineCheck() {
        QFETCH(int, riga);
        QFETCH(QString, titolo);
        QFETCH(QString, programma);
        QFETCH(int, errore);
        programma.replace("@", this->programma());
        QCOMPARE(ControllaRiga(riga, titolo, programma, esiste), errore);
    }

    void saveWritesElevenLinesTrimmed() {
        QList<VoceApplicativo> righe(11);
        righe[0] = {" Editor ", " /e ", true};
        righe[5] = {"Sei", "www.example.org", true};
        SalvaApplicativi(ini(), righe);
        QCOMPARE(LeggiIni(ini(), "APPLICATIVI", "NomeVarie1"), QString("Editor"));
        QCOMPARE(LeggiIni(ini(), "APPLICATIVI", "Varie6"), QString("www.example.org"));
        QFile f(ini());
        QVERIFY(f.open(QIODevice::ReadOnly));
        QVERIFY(f.readAll().contains("NomeVarie11="));
    }

    void launch_data() {
        QTest::addColumn<QString>("valore"); // value of the key; "%P" is the program folder
        QTest::addColumn<QString>("file");   // made in the program folder first
        QTest::addColumn<QString>("atteso"); // address handed to the desktop | program started
        QTest::addColumn<QString>("messaggio");
        QTest::newRow("www gets http:\\\\") << "www.example.org" << "" << "http:\\\\www.example.org|" << "";
        QTest::newRow("mail as is") << "mailto:a@b.example" << "" << "mailto:a@b.example|" << "";
        QTest::newRow("existing program") << "%P/strumento" << "" << "|%P/strumento" << "";
        QTest::newRow("no value: key + .EXE in the folder") << "" << "Varie5.EXE" << "|%P/Varie5.EXE" << "";
        QTest::newRow("value not found: key alone in the folder")
            << "/nessun/programma" << "Varie5" << "|%P/Varie5" << "";
        QTest::newRow("missing program")
            << "/nessun/programma" << "" << "|" << "Varie5 non presente su %P/Quorvan.ini";
    }
    void launch() {
        QFETCH(QString, valore);
        QFETCH(QString, file);
        QFETCH(QString, atteso);
        QFETCH(QString, messaggio);
        for (QString* t : {&valore, &atteso, &messaggio})
            t->replace("%P", dir.path());
        if (!file.isEmpty()) scriviFile(dir.filePath(file), {});
        ScriviIni(ini(), "APPLICATIVI", "Varie5", valore);
        StatoApplicativi stato;
        AvviaApplicativo("Varie5", ini(), dir.path(), stato, avviatore, messaggi, esiste);
        QCOMPARE(avviatore.indirizzi.value(0) + "|" + primoAvvio(), atteso);
        QCOMPARE(testo(), messaggio);
    }

    void argumentsNeverCarryOver() {
        ScriviIni(ini(), "APPLICATIVI", "Varie1", programma());
        StatoApplicativi stato;
        stato.ArgomentiApplicativo = "lista.txt";
        stato.StileFinestraApplicativo = 3;
        AvviaApplicativo("Varie1", ini(), dir.path(), stato, avviatore, messaggi, esiste);
        QCOMPARE(std::pair(avviatore.avvii[0].argomenti, avviatore.avvii[0].stile),
                 std::pair(QString("lista.txt"), 3));
        // A start that fails says so, and resets them all the same.
        stato.ArgomentiApplicativo = "x";
        avviatore.esitoAvvio = 0;
        ModuliOpzionali m(ini(), dir.path(), stato, avviatore, messaggi, esiste);
        m.lanciaProcedura(programma());
        QCOMPARE(m.task(), 0);
        QCOMPARE(messaggi.mostrati().size(), 1);
        QCOMPARE(testo(), programma() + " non trovato");
        QCOMPARE(avviatore.avvii[1].argomenti, QString("x"));
        QCOMPARE(std::pair(stato.ArgomentiApplicativo, stato.StileFinestraApplicativo),
                 std::pair(QString(), 1));
    }

    void runFile_data() {
        QTest::addColumn<int>("codice");
        QTest::addColumn<int>("errore");
        QTest::addColumn<QString>("cartella");
        QTest::addColumn<QString>("parametri");
        QTest::addColumn<QString>("atteso"); // empty: no message
        const QString coda = "\r\rPercorso: 'doc.txt'\r";
        QTest::newRow("32 is success") << 32 << 0 << "" << "" << "";
        QTest::newRow("out of memory") << 0 << 0 << "" << "" << "Memoria o risorse del sistema esaurite. " + coda;
        QTest::newRow("folder not found with folder")
            << 3 << 0 << " /tmp/x " << "" << "Impossibile trovare la cartella. " + coda + "Cartella: '/tmp/x'\r";
        QTest::newRow("bad format with parameters") << 11 << 0 << "" << " -a "
            << QString::fromUtf8("Il formato del file non è valido. ") + coda + "Parametri: '-a'";
        QTest::newRow("other code below 32 says nothing") << 5 << 0 << "" << "" << "";
        QTest::newRow("call failure") << 0 << 53 << "" << "" << "[53]: guasto" + coda;
    }
    void runFile() {
        QFETCH(int, codice);
        QFETCH(int, errore);
        QFETCH(QString, cartella);
        QFETCH(QString, parametri);
        QFETCH(QString, atteso);
        avviatore.esitoDocumento = {codice, errore, "guasto"};
        QCOMPARE(RunFile(avviatore, messaggi, " doc.txt ", parametri, cartella, 1), codice);
        QCOMPARE(messaggi.mostrati().size(), atteso.isEmpty() ? 0 : 1);
        QCOMPARE(testo(), atteso);
    }

    void runFileNoAssociationExplainsInSixLines() {
        avviatore.esitoDocumento = {31, 0, {}};
        RunFile(avviatore, messaggi, "doc.xyz", "", "", 1);
        const QStringList righe = testo().split('\r');
        QCOMPARE(righe[0],
                 QString("Il sistema in uso non presenta alcuna associazione per questo tipo di file. "));
        QCOMPARE(righe.mid(7, 2), QStringList({"", "Percorso: 'doc.xyz'"}));
    }
};

QTEST_GUILESS_MAIN(TestApplicativi)
#include "test_applicativi.moc"
