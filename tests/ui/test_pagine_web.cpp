// The web enquiry's parameter windows driven like a user, and the page window against the demo server,
// printing on the program's PDF printer.

#include "app/programma_desktop.h"
#include "banco_desktop.h"
#include "enquiry/get_htm_page.h"
#include "enquiry/interroga_codice.h"
#include "enquiry/pagina_pdf.h"
#include "enquiry/pagina_web.h"
#include "enquiry/parametri_web.h"
#include "enquiry/ui/finestra_indirizzi_web.h"
#include "enquiry/ui/finestra_pagina_web.h"
#include "enquiry/ui/finestra_pagine_web.h"
#include "enquiry/ui/pagina_web_desktop.h"
#include "platform/web_engine.h"
#include "shell/file_ini.h"
#include "shell/ui/collocazione.h"

#include <QtTest>

using namespace qv;
using namespace qv::prova;

namespace {

const QString kMrn = "24IT123456789012E1";

// A click on a check box's box (its label does not fill the row).
void spunta(const QWidget* w, const char* nome) {
    QCheckBox* c = controllo<QCheckBox>(w, nome);
    QTest::mouseClick(c, Qt::LeftButton, {}, QPoint(6, c->height() / 2));
}

// Context 1 printing its pages on the program's own PDF printer, saving automatically in the test folder.
void stampaSuPdf(BancoDesktop& banco, int view) {
    ImpostaPiattaforma(banco.contesto);
    banco.contesto.web.ContestoWeb = 1;
    banco.contesto.web.Opzioni[1].View = view;
    banco.contesto.web.Opzioni[1].Print = 1;
    banco.contesto.shell.cartellaProgramma = banco.cartella.path();
    banco.contesto.shell.stampa.StampanteCorrente = NomeStampantePdf;
}

} // namespace

class TestPagineWeb : public QObject {
    Q_OBJECT
    ServerAvviato server;

public:
    static void initMain() { platform::prepareWebEngine(); }

private slots:
    void initTestCase() { QVERIFY2(server.avviato(), "quorvan-demo-server did not start"); }

    // GParHttp: a blank transit address is told and focused; a marker box takes 30 characters;
    // "&CONFERMA" saves the boxes to their keys; "&RIPRISTINA" then F2 writes nothing.
    void indirizziWeb() {
        BancoInterrogazione banco(server);
        auto w = Mostra<FinestraIndirizziWeb>(banco, banco.contesto.web);
        QCOMPARE(campo(w.get(), "Txt_1")->text(), server.urlExport());
        campo(w.get(), "Txt_2")->clear();
        QTest::mouseClick(pulsante(w.get(), "cmdend_1"), Qt::LeftButton);
        QCOMPARE(banco.testiMostrati(), QStringList{MessaggioIndirizzi(EsitoIndirizzi::MancaTransiti)});
        QVERIFY(w->isVisible() && campo(w.get(), "Txt_2")->hasFocus());
        QTest::mouseClick(pulsante(w.get(), "cmdend_2"), Qt::LeftButton);
        QCOMPARE(campo(w.get(), "Txt_1")->text(), IndirizziMarcatoriPredefiniti().UrlExport);
        campo(w.get(), "Txt_14")->clear();
        QTest::keyClicks(campo(w.get(), "Txt_14"), QString(40, 'x'));
        QCOMPARE(campo(w.get(), "Txt_14")->text(), QString(30, 'x'));
        QTest::mouseClick(pulsante(w.get(), "cmdend_1"), Qt::LeftButton);
        QCOMPARE(LeggiIni(banco.ini(), "PARAMWEB", "TR_DAT2FIN"), QString(30, 'x'));
        auto w2 = Mostra<FinestraIndirizziWeb>(banco, banco.contesto.web);
        QTest::mouseClick(pulsante(w2.get(), "cmdend_2"), Qt::LeftButton);
        QTest::keyClick(w2.get(), Qt::Key_F2);
        QVERIFY(!w2->isVisible());
        QCOMPARE(LeggiIni(banco.ini(), "PARAMWEB", "TR_DAT2FIN"), QString(30, 'x'));
    }

    // GWebPar: printing and saving exclude each other; the folder, and the printer through frmPRT, chosen
    // by clicking their labels; the boxes saved to their keys; context 2 without a folder shows 1's.
    void pagineWeb() {
        BancoDesktop banco;
        banco.contesto.web.ContestoWeb = 1;
        auto w = Mostra<FinestraPagineWeb>(banco, banco.contesto.web);
        QCOMPARE(controllo<QLabel>(w.get(), "Label1")->text(), DidascaliaContesto(1));
        QVERIFY(!controllo<QGroupBox>(w.get(), "frmPrint")->isEnabled());
        spunta(w.get(), "Check1_2");
        spunta(w.get(), "Check1_1");
        QVERIFY(!controllo<QCheckBox>(w.get(), "Check1_2")->isChecked());
        QVERIFY(controllo<QGroupBox>(w.get(), "frmPrint")->isEnabled());
        spunta(w.get(), "Check1_0");
        spunta(w.get(), "chkChiedi");
        w->sceltaCartella = [](QWidget*, const QString&, const QString&) { return QString("/srv/pagine"); };
        QTest::mouseClick(controllo<QLabel>(w.get(), "lbPath"), Qt::LeftButton);
        banco.sceltaDialogo = "Spedizioni";
        QuandoSiApre("frmPRT", [](QDialog* prt) {
            QTest::mouseClick(pulsante(prt, "Command1"), Qt::LeftButton);
            QTest::keyClick(prt, Qt::Key_F2);
        });
        QTest::mouseClick(controllo<QLabel>(w.get(), "lbPrinter"), Qt::LeftButton);
        QTest::mouseClick(pulsante(w.get(), "Command1_1"), Qt::LeftButton);
        QStringList scritti;
        for (const char* k : {"View1", "Save1", "DirSave1", "Print1", "ChPrt1", "Stampante1"})
            scritti << LeggiIni(banco.ini(), "WEBPARAM", k);
        QCOMPARE(scritti, (QStringList{"1", "0", "/srv/pagine", "1", "1", "Spedizioni"}));
        banco.contesto.web.ContestoWeb = 2;
        auto w2 = Mostra<FinestraPagineWeb>(banco, banco.contesto.web);
        QCOMPARE(controllo<QLabel>(w2.get(), "lbPath")->text(), QString("/srv/pagine"));
    }

    // An enquiry printing its page as PDF. Not viewed: never on screen, the file moved to the code's name.
    // Viewed: caption, 4000 high for a saved 0, F2 closes and saves; another template: printed, not moved.
    void pagina_data() {
        QTest::addColumn<int>("view");
        QTest::addColumn<QStringList>("r"); // template, the file left, the messages
        QTest::newRow("printed only") << 0 << QStringList{"<Title>", NomePdfPagina("ex", kMrn), "0"};
        QTest::newRow("shown") << 1 << QStringList{"Pagina", "Pagina.pdf", "1"};
    }
    void pagina() {
        QFETCH(int, view);
        QFETCH(QStringList, r);
        BancoInterrogazione banco(server);
        stampaSuPdf(banco, view);
        ScriviIni(banco.ini(), "PDFCREATOR", "AutosaveFilename", r[0]);
        ScriviIni(banco.ini(), "FrmWeb", "DIMY", "0");
        PaginaWebDesktop pagine(banco.finestre(), banco.contesto.web);
        banco.contesto.ambienteWeb.finestraPagina = &pagine;
        QString titolo;
        double altezza = 0;
        QTimer orologio; // what comes on screen, closed with F2
        connect(&orologio, &QTimer::timeout, this, [&] {
            if (QWidget* f = QApplication::activeModalWidget()) {
                titolo = f->windowTitle();
                altezza = RettangoloDi(f).height;
                QTest::keyClick(f, Qt::Key_F2);
            }
        });
        orologio.start(20);
        GetHtmPage pagina(banco.contesto.web, banco.contesto.ambienteWeb);
        QCOMPARE(InterrogaCodice(pagina, kMrn), 0);
        QCOMPARE(titolo, view ? DidascaliaPaginaWeb("ex", kMrn) : QString());
        const double salvata = ValoreNumerico(LeggiIni(banco.ini(), "FrmWeb", "DIMY"));
        QVERIFY2(qAbs(altezza - 4000 * view) <= 100 && qAbs(salvata - 4000 * view) <= 100,
                 qPrintable(QString("%1 %2").arg(altezza).arg(salvata)));
        QCOMPARE(QDir(banco.cartella.filePath("PDF")).entryList(QDir::Files), QStringList{r[1]});
        QProcess pdftotext; // the page's data are in the file
        pdftotext.start("pdftotext", {banco.cartella.filePath("PDF/" + r[1]), "-"});
        QVERIFY(pdftotext.waitForFinished(30000));
        const QString testo = QString::fromUtf8(pdftotext.readAllStandardOutput());
        QVERIFY2(testo.contains("IT277100"), qPrintable(testo));
        QCOMPARE(QString::number(banco.messaggi.mostrati().size()), r[2]);
    }

    // A page that does not come: asked again while Yes, No hands it to the browser, nothing printed.
    void attesaPagina() {
        ServerAvviato lento({"--latency", "4000"});
        QVERIFY(lento.avviato());
        BancoDesktop banco;
        stampaSuPdf(banco, 0);
        banco.messaggi.accoda(Risposta::Si);
        banco.messaggi.accoda(Risposta::No);
        FinestraPaginaWeb w(banco.finestre(), banco.contesto.web);
        w.limiteAttesa = std::chrono::milliseconds(300);
        w.plUrl(lento.urlExport() + kMrn);
        w.plObject(kMrn);
        w.plTipo("ex");
        w.mostra();
        QCOMPARE(banco.testiMostrati(), QStringList(2, DomandaAttesaPagina("ex", kMrn)));
        QCOMPARE(banco.messaggi.mostrati().first().titolo, TitoloAttesaPagina());
        QCOMPARE(banco.avviatore.documenti, QStringList{lento.urlExport() + kMrn});
        QCOMPARE(w.Stato(), 42); // the shell's answer
        QVERIFY(!QDir(banco.cartella.filePath("PDF")).exists());
        QVERIFY(w.windowTitle() != DidascaliaPaginaWeb("ex", kMrn));
    }
};

QTEST_MAIN(TestPagineWeb)
#include "test_pagine_web.moc"
