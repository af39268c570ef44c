// The workbook status update window driven like a user: a workbook written
// by libxlsxwriter, enquiries to the demo server. What the update does to the
// workbook is excel_aggiornamento's; here the wiring, the keys and the focus.

#include "../../excel/cartelle_prova.h"
#include "archive/excel/aggiorna_excel.h"
#include "archive/excel/stato_excel.h"
#include "archive/ui/finestra_excel.h"
#include "banco_archivio.h"
#include "shell/nome_programma.h"

using namespace qv;
using namespace qv::prova;

namespace {

// The bench without a database, the window open on stati.xlsx: ...E1 concluded,
// ...E5 pending, ...E7 an error page.
struct Banco : BancoArchivio {
    explicit Banco(const ServerAvviato& server) : BancoArchivio(false, &server) {
        generaCartella(percorso("stati.xlsx"),
                       "sheet Dati\nnumber 1 1 1\ntext 1 2 24IT000000000001E1\nnumber 2 1 2\n"
                       "text 2 2 24IT000000000005E5\nnumber 3 1 3\ntext 3 2 24IT000000000007E7\n");
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
        QTest::addColumn<bool>("rifiutato"); // else the focus moves on
        // clang-format off
        QTest::newRow("sheet, Tab") << 1 << "Manca" << int(Qt::Key_Tab) << true;
        QTest::newRow("MRN, Enter") << 2 << "0" << int(Qt::Key_Return) << true;
        QTest::newRow("status, Up") << 3 << "0" << int(Qt::Key_Up) << true;
        QTest::newRow("MRN, Down, letters refused") << 2 << "x4" << int(Qt::Key_Down) << false;
        // clang-format on
    }
    // A field left with a wrong value: its check's message, the focus back on
    // it, and the click on AGGIORNA that left it does nothing more.
    void controlliCampi() {
        QFETCH(int, numero);
        QFETCH(QString, testo);
        QFETCH(bool, rifiutato);
        Banco b(server);
        b.campo(numero)->setFocus();
        b.campo(numero)->clear();
        QTest::keyClicks(b.campo(numero), testo);
        QFETCH(int, tasto);
        QTest::keyClick(b.campo(numero), Qt::Key(tasto));
        QCOMPARE(b.campo(numero)->text(), QString(testo).remove('x')); // digits only in the columns
        QCOMPARE(QApplication::focusWidget(), b.campo(rifiutato ? numero : numero + 1));
        QCOMPARE(b.messaggi.mostrati().size(), int(rifiutato));
        if (!rifiutato) return;
        QCOMPARE(b.messaggi.mostrati()[0].titolo, TitoloControlloExcel(NomeProgramma, numero));
        b.clic("cmdM_1"); // checked again as the focus leaves, and no update
        QCOMPARE(b.testi(), QStringList(2, b.testi().value(0)));
    }

    // Driven like a user: the keys into the fields at opening; the workbook open in another program
    // (a lock file), with no window to close, then with one: No leaves it, Yes closes it and the run
    // starts; ANNULLA while the first MRN is queried stops it before the second; the run again and
    // its summary; "&Apri"; AGGIORNA with a blank field and with the workbook gone; F2.
    void aggiornamento() {
        Banco b(server);
        QCOMPARE(b.campo(1)->text() + b.campo(2)->text() + b.campo(3)->text(), "Dati23");
        const QByteArray prima = leggiFile(b.percorso("stati.xlsx"));
        scriviFile(b.altre->blocco = b.percorso(".~lock.stati.xlsx#"), "x");
        b.clic("cmdM_1");
        QCOMPARE(b.testi(), QStringList{"Il file Excel e' aperto in un altro programma: chiuderlo e ripetere "
                                        "l'aggiornamento"});
        b.altre->finestre = {{7, "Posta"}, {9, "STATI.xlsx - LibreOffice Calc"}};
        b.messaggi.accoda(Risposta::No);
        b.clic("cmdM_1");
        const Messaggio domanda = b.messaggi.mostrati().last();
        QVERIFY(domanda.titolo == "EXCEL APERTO" && domanda.pulsanti == Pulsanti::SiNo &&
                b.altre->chiuse.isEmpty());
        QCOMPARE(leggiFile(b.percorso("stati.xlsx")), prima);
        b.messaggi.svuota();
        b.messaggi.accoda(Risposta::Si);
        bool visto = false;
        connect(b.c<QLineEdit>("Text1"), &QLineEdit::textChanged, b.w.get(), [&](const QString& t) {
            if (visto || !t.startsWith("Interrogo MRN numero")) return;
            visto = b.c("pctChk")->isVisible() && b.w->inCorso();
            b.clic("cmdAnnulla");
            visto = visto && !b.w->close(); // the window stays while the run goes on
        });
        b.clic("cmdM_1");
        QVERIFY(visto && b.altre->chiuse == QList<quint64>{9});
        QCOMPARE(b.testi(), QStringList({domanda.testo, "Aggiornamento annullato dall'Operatore"}));
        QVERIFY(b.c<QLabel>("pctResult")->text().contains(" Appurati   = 1 "));
        QVERIFY(leggiFile(b.percorso("stati.xlsx")) != prima); // the concluded MRN's word saved
        b.messaggi.svuota(); // the run again: that MRN is not collected any more
        b.clic("cmdM_1");
        QCOMPARE(b.testi(), QStringList{"Aggiornamento regolarmente eseguito"});
        auto* risultato = b.c<QLabel>("pctResult");
        QVERIFY(risultato->isVisible() && !b.c("pctChk")->isVisible() &&
                QFontInfo(risultato->font()).fixedPitch());
        QCOMPARE(risultato->text(), TestoRiepilogoExcel(2, {1, 0, 1, 0}).replace("\r\n", "\n"));
        // "&Apri": the window holding the workbook to the front, else the desktop or the Excel program.
        b.altre->finestre = {{4, "stati.xlsx - Calc"}};
        b.clic("Command1");
        QVERIFY(b.altre->mostrate == QList<quint64>{4} && b.avviatore.documenti.isEmpty());
        b.altre->lista = false;
        b.clic("Command1");
        b.shell.applicativi.ProgrammaExcel = "EXCEL.EXE";
        b.clic("Command1");
        QCOMPARE(b.avviatore.documenti, QStringList{b.percorso("stati.xlsx")});
        QCOMPARE(b.avviatore.avvii.size(), 1);
        b.messaggi.svuota();
        b.campo(3)->clear();
        b.w->aggiorna();
        QCOMPARE(QApplication::focusWidget(), b.campo(3));
        b.w->sceltaFile = [&](QWidget*, const QString& c) { return c + "/n.xlsx"; }; // the workbook's folder
        QFile::remove(b.percorso("stati.xlsx"));
        b.w->aggiorna();
        QCOMPARE(b.testi(), QStringList({"Valore necessario", "Non esiste il file EXCEL"}));
        QCOMPARE(b.c<QLabel>("LbFile")->text(), QDir::toNativeSeparators(b.percorso("n.xlsx")));
        QVERIFY(b.w->isVisible());
        QTest::keyClick(b.campo(1), Qt::Key_F2);
        QTRY_VERIFY(!b.w->isVisible());
    }
};

QTEST_MAIN(TestExcel)
#include "test_excel.moc"
