// The workbook status update window driven like a user: a workbook written
// by libxlsxwriter, enquiries to the demo server.

#include "../../excel/cartelle_prova.h"
#include "archive/excel/aggiorna_excel.h"
#include "archive/excel/stato_excel.h"
#include "archive/ui/finestra_excel.h"
#include "banco_archivio.h"

using namespace qv;
using namespace qv::prova;

namespace {

// ...E1 concluded, ...E5 pending, ...E7 an error page.
const QByteArray kCartella = "sheet Dati\nnumber 1 1 1\ntext 1 2 24IT000000000001E1\nnumber 2 1 2\n"
                             "text 2 2 24IT000000000005E5\nnumber 3 1 3\ntext 3 2 24IT000000000007E7\n";

// The bench without a database, the window open on stati.xlsx.
struct Banco : BancoArchivio {
    explicit Banco(const ServerAvviato& server) : BancoArchivio(false, &server) {
        generaCartella(percorso("stati.xlsx"), kCartella);
        ScriviParametriExcel(shell.FileIni, {percorso("stati.xlsx"), "Dati", 2, 3});
        w = mostrata(std::make_unique<FinestraExcel>(finestre, contesto));
        w->finestreEsterne.reset(altre = new FinestreFinte); // never the desktop's own windows
    }
    QStringList testi() const { return TestiMostrati(messaggi); }
    template <class T = QWidget> T* c(const QString& nome) const { return prova::c<T>(w.get(), nome); }
    QLineEdit* campo(int i) const { return c<QLineEdit>(QString("Txt_%1").arg(i)); }
    void clic(const char* nome) const { prova::clic(w.get(), nome); }
    std::unique_ptr<FinestraExcel> w;
    FinestreFinte* altre = nullptr;
};

} // namespace

class TestExcel : public QObject {
    Q_OBJECT
    ServerAvviato server;

private slots:
    void initTestCase() { QVERIFY2(server.avviato(), "quorvan-demo-server did not start"); }

    void controlliCampi_data() {
        QTest::addColumn<int>("numero");
        QTest::addColumn<QString>("testo");
        QTest::addColumn<int>("tasto");
        QTest::addColumn<QString>("messaggio"); // empty: the focus moves on
        // clang-format off
        QTest::newRow("sheet, Tab") << 1 << "Manca" << int(Qt::Key_Tab) << "Il Folgio  'Manca'  non esiste";
        QTest::newRow("MRN, Enter") << 2 << "0" << int(Qt::Key_Return) << "Indicare la colonna con i numeri MRN";
        QTest::newRow("status, Up") << 3 << "0" << int(Qt::Key_Up) << "Indicare la colonna dove aggiornare lo STATUS";
        QTest::newRow("MRN, Down, letters refused") << 2 << "x4" << int(Qt::Key_Down) << "";
        // clang-format on
    }
    // A field left with a wrong value: its message, the focus back on it, and
    // the click on AGGIORNA that left it does nothing more.
    void controlliCampi() {
        QFETCH(int, numero);
        QFETCH(QString, testo);
        QFETCH(int, tasto);
        QFETCH(QString, messaggio);
        Banco b(server);
        b.campo(numero)->setFocus();
        b.campo(numero)->clear();
        QTest::keyClicks(b.campo(numero), testo);
        QTest::keyClick(b.campo(numero), Qt::Key(tasto));
        const QStringList atteso = messaggio.isEmpty() ? QStringList{} : QStringList{messaggio};
        QCOMPARE(b.testi(), atteso);
        QCOMPARE(QApplication::focusWidget(), b.campo(messaggio.isEmpty() ? numero + 1 : numero));
        QCOMPARE(b.campo(numero)->text(), QString(testo).remove('x')); // digits only in the columns
        if (messaggio.isEmpty()) return;
        b.clic("cmdM_1");
        QCOMPARE(b.testi(), atteso + atteso);
    }

    // The workbook open elsewhere (a lock file): without a window to close, the message; with one,
    // the question, and Yes closes it and goes on once the lock file has gone.
    void excelAperto_data() {
        QTest::addColumn<bool>("finestra");
        QTest::addColumn<Risposta>("risposta");
        QTest::addColumn<QStringList>("testi");
        const QString domanda = "File Excel gia' aperto\nLo chiudo e continuo l'elaborazione";
        // clang-format off
        QTest::newRow("no window") << false << Risposta::Si << QStringList{"Il file Excel e' aperto in un altro programma: chiuderlo e ripetere l'aggiornamento"};
        QTest::newRow("No") << true << Risposta::No << QStringList{domanda};
        QTest::newRow("Yes") << true << Risposta::Si << QStringList{domanda, "Aggiornamento regolarmente eseguito"};
        // clang-format on
    }
    void excelAperto() {
        QFETCH(bool, finestra);
        QFETCH(Risposta, risposta);
        Banco b(server);
        b.altre->blocco = b.percorso(".~lock.stati.xlsx#");
        scriviFile(b.altre->blocco, "x");
        if (finestra) b.altre->finestre = {{7, "Posta"}, {9, "STATI.xlsx - LibreOffice Calc"}};
        const QByteArray prima = leggiFile(b.percorso("stati.xlsx"));
        b.messaggi.accoda(risposta);
        b.clic("cmdM_1");
        QTEST(b.testi(), "testi");
        const Messaggio m = b.messaggi.mostrati().value(0);
        QCOMPARE(m.titolo == "EXCEL APERTO" && m.pulsanti == Pulsanti::SiNo, finestra);
        const bool chiusa = finestra && risposta == Risposta::Si;
        QCOMPARE(b.altre->chiuse, chiusa ? QList<quint64>{9} : QList<quint64>{});
        QCOMPARE(leggiFile(b.percorso("stati.xlsx")) != prima, chiusa); // updated only once let go
    }

    // The keys into the fields at opening; ANNULLA while the first MRN is queried stops the run
    // before the second; the summary and the closing messages.
    void aggiornamento() {
        Banco b(server);
        QCOMPARE(b.campo(1)->text() + b.campo(2)->text() + b.campo(3)->text(), "Dati23");
        bool visto = false;
        connect(b.c<QLineEdit>("Text1"), &QLineEdit::textChanged, b.w.get(), [&](const QString& t) {
            if (visto || !t.startsWith("Interrogo MRN numero")) return;
            visto = b.c("pctChk")->isVisible() && b.w->inCorso();
            b.clic("cmdAnnulla");
            visto = visto && !b.w->close(); // the window stays while the run goes on
        });
        b.clic("cmdM_1");
        QVERIFY(visto);
        QCOMPARE(b.testi(), QStringList{"Aggiornamento annullato dall'Operatore"});
        QVERIFY(b.c<QLabel>("pctResult")->text().contains(" Appurati   = 1 "));
        b.messaggi.svuota(); // the run again: the concluded MRN is not collected any more
        b.clic("cmdM_1");
        QCOMPARE(b.testi(), QStringList{"Aggiornamento regolarmente eseguito"});
        auto* risultato = b.c<QLabel>("pctResult");
        QVERIFY(risultato->isVisible() && !b.c("pctChk")->isVisible() &&
                QFontInfo(risultato->font()).fixedPitch());
        QCOMPARE(risultato->text(), TestoRiepilogoExcel(2, {1, 0, 1, 0}).replace("\r\n", "\n"));
        // "&Apri": the window holding the workbook to the front, else the desktop or the Excel
        // program; AGGIORNA with a blank field, then with the workbook gone.
        b.altre->finestre = {{4, "stati.xlsx - Calc"}};
        b.clic("Command1");
        QVERIFY(b.altre->mostrate == QList<quint64>{4} && b.avviatore.documenti.isEmpty());
        b.altre->lista = false;
        b.messaggi.svuota();
        b.clic("Command1");
        b.shell.applicativi.ProgrammaExcel = "EXCEL.EXE";
        b.clic("Command1");
        QCOMPARE(b.avviatore.documenti, QStringList{b.percorso("stati.xlsx")});
        QCOMPARE(b.avviatore.avvii.size(), 1);
        b.campo(3)->clear();
        b.w->aggiorna();
        QCOMPARE(b.testi(), QStringList{"Valore necessario"});
        QCOMPARE(QApplication::focusWidget(), b.campo(3));
        b.w->sceltaFile = [&](QWidget*, const QString& c) { return c + "/n.xlsx"; }; // the workbook's folder
        QFile::remove(b.percorso("stati.xlsx"));
        b.w->aggiorna();
        QCOMPARE(b.testi(), QStringList({"Valore necessario", "Non esiste il file EXCEL"}));
        QCOMPARE(b.c<QLabel>("LbFile")->text(), QDir::toNativeSeparators(b.percorso("n.xlsx")));
    }
};

QTEST_MAIN(TestExcel)
#include "test_excel.moc"
