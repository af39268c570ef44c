// The web enquiry's parameter windows and the page window driven like a
// user; the page window against the demo server, printing on the program's
// PDF printer.

#include "banco_desktop.h"
#include "enquiry/get_htm_page.h"
#include "enquiry/interroga_codice.h"
#include "enquiry/pagina_pdf.h"
#include "enquiry/ui/finestra_indirizzi_web.h"
#include "enquiry/ui/finestra_pagina_web.h"
#include "enquiry/ui/finestra_pagine_web.h"
#include "enquiry/ui/pagina_web_desktop.h"
#include "platform/http_client.h"
#include "platform/pdf_printer.h"
#include "platform/web_engine.h"
#include "programmi_prova.h"
#include "shell/file_ini.h"
#include "shell/ui/collocazione.h"

#include <QPrinter>
#include <QWebEngineView>
#include <QtTest>

using namespace qv;
using namespace qv::prova;

namespace {

QCheckBox* casella(const QWidget* w, int i) {
    return controllo<QCheckBox>(w, qPrintable(QString("Check1_%1").arg(i)));
}
// A click on a check box's box (its label does not fill the row).
void spunta(QCheckBox* c) {
    QTest::mouseClick(c, Qt::LeftButton, {}, QPoint(6, c->height() / 2));
}

QString testoPdf(const QString& pdf) {
    QProcess p;
    p.start("pdftotext", {pdf, "-"});
    return p.waitForFinished(30000) ? QString::fromUtf8(p.readAllStandardOutput()) : QString();
}

// The program's PDF printer current, saving automatically in the test folder.
void stampantePdf(BancoDesktop& banco) {
    banco.contesto.shell.cartellaProgramma = banco.cartella.path();
    banco.contesto.shell.stampa.StampanteCorrente = NomeStampantePdf;
    banco.finestre().preparaStampante = [&banco](QPrinter& p, const QString& documento) {
        const ImpostazioniPdf pdf = LeggiImpostazioniPdf(banco.ini(), banco.cartella.path());
        return platform::printToPdfFile(p, FilePdfAutomatico(pdf, documento));
    };
}

} // namespace

class TestPagineWeb : public QObject {
    Q_OBJECT
    std::unique_ptr<ServerAvviato> server;

public:
    static void initMain() { platform::prepareWebEngine(); }

private slots:
    void initTestCase() {
        server = std::make_unique<ServerAvviato>();
        QVERIFY2(server->avviato(), "quorvan-demo-server did not start");
    }
    void cleanupTestCase() { server.reset(); }

    void indirizziWeb() {
        BancoDesktop banco;
        server->indirizzi(banco.contesto.web);
        {
            auto w = Mostra<FinestraIndirizziWeb>(banco, banco.contesto.web);
            QCOMPARE(campo(w.get(), "Txt_1")->text(), server->urlExport());
            campo(w.get(), "Txt_3")->clear();
            QTest::keyClicks(campo(w.get(), "Txt_3"), QString(40, 'x'));
            QCOMPARE(campo(w.get(), "Txt_3")->text(), QString(30, 'x'));
            QTest::mouseClick(pulsante(w.get(), "cmdend_2"), Qt::LeftButton); // RIPRISTINA
            QVERIFY(campo(w.get(), "Txt_1")->text().contains("www.adm.gov.it"));
            QTest::mouseClick(pulsante(w.get(), "cmdend_0"), Qt::LeftButton); // ANNULLA
            QVERIFY(!w->isVisible());
            QVERIFY(!QFile::exists(banco.ini()));
        }
        auto w = Mostra<FinestraIndirizziWeb>(banco, banco.contesto.web);
        campo(w.get(), "Txt_2")->clear();
        QTest::mouseClick(pulsante(w.get(), "cmdend_1"), Qt::LeftButton);
        QCOMPARE(banco.testiMostrati(),
                 QStringList{"Indirizzo per appuramento Transiti (NCTS)non indicato!"});
        QVERIFY(w->isVisible() && campo(w.get(), "Txt_2")->hasFocus());
        QCOMPARE(LeggiIni(banco.ini(), "INDIRIZZIWEB", "EXPORT"), server->urlExport());
        QCOMPARE(LeggiIni(banco.ini(), "PARAMWEB", "EX_ERRINI"), QString());
    }

    void pagineWeb() {
        BancoDesktop banco;
        banco.contesto.web.ContestoWeb = 1;
        auto w = Mostra<FinestraPagineWeb>(banco, banco.contesto.web);
        QCOMPARE(controllo<QLabel>(w.get(), "Label1")->text(), QString("INTERROGAZIONE SINGOLO ELEMENTO"));
        QVERIFY(!controllo<QGroupBox>(w.get(), "frmPrint")->isEnabled());
        spunta(casella(w.get(), 2));
        spunta(casella(w.get(), 1)); // printing unchecks saving
        QVERIFY(!casella(w.get(), 2)->isChecked() && controllo<QGroupBox>(w.get(), "frmPrint")->isEnabled());
        spunta(casella(w.get(), 0));
        spunta(controllo<QCheckBox>(w.get(), "chkChiedi"));
        w->sceltaCartella = [](QWidget*, const QString& titolo, const QString&) {
            return titolo == "Cartella salvataggio pagine HTML" ? QString("/srv/pagine") : QString();
        };
        QTest::mouseClick(controllo<QLabel>(w.get(), "lbPath"), Qt::LeftButton);
        // The printer label: frmPRT, where "&MODIFICA" changes the program's printer.
        banco.sceltaDialogo = "Spedizioni";
        QuandoSiApre("frmPRT", [](QDialog* prt) {
            QTest::mouseClick(pulsante(prt, "Command1"), Qt::LeftButton);
            QTest::keyClick(prt, Qt::Key_F2);
        });
        QTest::mouseClick(controllo<QLabel>(w.get(), "lbPrinter"), Qt::LeftButton);
        QCOMPARE(controllo<QLabel>(w.get(), "lbPrinter")->text(), QString("Spedizioni"));
        QCOMPARE(LeggiIni(banco.ini(), "STAMPA", "STAMPANTE"), QString("Spedizioni"));
        QTest::mouseClick(pulsante(w.get(), "Command1_1"), Qt::LeftButton);
        QStringList scritti;
        for (const char* k : {"View1", "Save1", "DirSave1", "Print1", "ChPrt1", "Stampante1"})
            scritti << LeggiIni(banco.ini(), "WEBPARAM", k);
        QCOMPARE(scritti, (QStringList{"1", "0", "/srv/pagine", "1", "1", "Spedizioni"}));

        // Context 2 without a folder shows context 1's and stores it.
        banco.contesto.web.ContestoWeb = 2;
        auto w2 = Mostra<FinestraPagineWeb>(banco, banco.contesto.web);
        QCOMPARE(controllo<QLabel>(w2.get(), "lbPath")->text(), QString("/srv/pagine"));
        QTest::keyClick(w2.get(), Qt::Key_F2); // ANNULLA: nothing written
        QCOMPARE(LeggiIni(banco.ini(), "WEBPARAM", "DirSave2"), QString());
        auto w3 = Mostra<FinestraPagineWeb>(banco, banco.contesto.web);
        QTest::mouseClick(pulsante(w3.get(), "Command1_1"), Qt::LeftButton);
        QCOMPARE(LeggiIni(banco.ini(), "WEBPARAM", "DirSave2"), QString("/srv/pagine"));
    }

    void captionsAndPlacement_data() {
        QTest::addColumn<QString>("codice");
        QTest::addColumn<QString>("tipo");
        QTest::addColumn<QString>("didascalia");
        QTest::newRow("ex") << "24IT123456789012E1"
                            << "ex"
                            << "MRN Esportazione '24IT123456789012E1'";
        QTest::newRow("pi") << "DE123456781"
                            << "pi"
                            << "P.IVA Comunitaria 'DE123456781'";
    }
    void captionsAndPlacement() {
        QFETCH(QString, codice);
        QFETCH(QString, tipo);
        BancoDesktop banco;
        banco.contesto.web.ContestoWeb = 1;
        banco.contesto.web.Opzioni[1].View = 1;
        ScriviIni(banco.ini(), "FrmWeb", "DIMY", "0");
        FinestraPaginaWeb w(banco.finestre(), banco.contesto.web);
        w.plUrl(tipo == "pi" ? server->urlVat() + "DE&piva=123456781" : server->urlExport() + codice);
        w.plObject(codice);
        w.plTipo(tipo);
        QString titolo;
        double altezza = 0;
        QuandoSiApre("FrmWeb", [&](QDialog* d) {
            titolo = d->windowTitle();
            altezza = RettangoloDi(d).height;
            QTest::keyClick(d, Qt::Key_F2);
        });
        w.mostra();
        QTEST(titolo, "didascalia");
        QCOMPARE(w.Stato(), 6);
        QVERIFY2(qAbs(altezza - 4000) <= 100, qPrintable(QString::number(altezza)));
        QVERIFY(!LeggiIni(banco.ini(), "FrmWeb", "DIMY").isEmpty()); // saved on closing
        QVERIFY(banco.messaggi.mostrati().isEmpty());
    }

    // View 0, Print 1 on the PDF printer: never on screen, the file named after the code.
    void pdfCapture_data() {
        QTest::addColumn<QString>("codice");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("dato");
        QTest::newRow("export") << "24IT123456789012E1"
                                << "EX_24IT123456789012E1.pdf"
                                << "IT277100";
        QTest::newRow("VAT") << "DE123456781"
                             << "DE_123456781.pdf"
                             << "Partita IVA valida";
    }
    void pdfCapture() {
        QFETCH(QString, codice);
        BancoDesktop banco;
        server->indirizzi(banco.contesto.web);
        banco.contesto.nazioni = CaricaElencoNazioni(banco.ini());
        platform::NetworkHttpClient http(10000);
        banco.contesto.ambienteWeb.http = &http;
        banco.contesto.web.ContestoWeb = 1;
        banco.contesto.web.Opzioni[1].Print = 1;
        stampantePdf(banco);
        PaginaWebDesktop pagine(banco.finestre(), banco.contesto.web);
        banco.contesto.ambienteWeb.finestraPagina = &pagine;
        bool vista = false;
        QTimer orologio;
        connect(&orologio, &QTimer::timeout, this, [&] {
            if (auto* f = QApplication::activeModalWidget()) vista = vista || f->objectName() == "FrmWeb";
        });
        orologio.start(20);
        GetHtmPage pagina(banco.contesto.web, banco.contesto.ambienteWeb);
        QCOMPARE(InterrogaCodice(pagina, codice), 0);
        orologio.stop();
        QVERIFY(!vista);
        QFETCH(QString, file);
        const QString scritto = banco.cartella.filePath("PDF/") + file;
        QVERIFY2(QFile::exists(scritto),
                 qPrintable(QDir(banco.cartella.filePath("PDF")).entryList().join(' ') +
                            banco.avviatore.documenti.join(' ')));
        QFETCH(QString, dato);
        QVERIFY2(testoPdf(scritto).contains(dato), qPrintable(testoPdf(scritto)));
        QCOMPARE(QDir(banco.cartella.filePath("PDF")).entryList(QDir::Files).size(), 1);
        QVERIFY2(banco.messaggi.mostrati().isEmpty(), qPrintable(banco.testiMostrati().join('|')));
    }

    // A template other than "<Title>": told, printed, not moved.
    void otherTemplate() {
        BancoDesktop banco;
        banco.contesto.web.ContestoWeb = 1;
        banco.contesto.web.Opzioni[1].Print = 1;
        stampantePdf(banco);
        ScriviIni(banco.ini(), "PDFCREATOR", "AutosaveFilename", "Pagina");
        FinestraPaginaWeb w(banco.finestre(), banco.contesto.web);
        w.plUrl(server->urlExport() + "24IT123456789012E1");
        w.plObject("24IT123456789012E1");
        w.plTipo("ex");
        w.mostra();
        QCOMPARE(banco.testiMostrati(), QStringList{"NOME DEL SALVATAGGIO AUTOMATICO DIVERSO DA <Title>"});
        QCOMPARE(w.Stato(), -1);
        QCOMPARE(QDir(banco.cartella.filePath("PDF")).entryList(QDir::Files), QStringList{"Pagina.pdf"});
    }

    // A page that does not come: asked again while Yes, No hands it to the browser, nothing printed.
    void waitingQuestion() {
        ServerAvviato lento({"--latency", "4000"});
        QVERIFY(lento.avviato());
        BancoDesktop banco;
        banco.contesto.web.ContestoWeb = 1;
        banco.contesto.web.Opzioni[1].View = 1;
        banco.contesto.web.Opzioni[1].Print = 1;
        stampantePdf(banco);
        banco.messaggi.accoda(Risposta::Si);
        banco.messaggi.accoda(Risposta::No);
        FinestraPaginaWeb w(banco.finestre(), banco.contesto.web);
        w.limiteAttesa = std::chrono::milliseconds(300);
        const QString url = lento.urlExport() + "24IT123456789012E1";
        w.plUrl(url);
        w.plObject("24IT123456789012E1");
        w.plTipo("ex");
        QuandoSiApre("FrmWeb", [](QDialog* d) { pulsante(d, "Command1")->click(); });
        w.mostra();
        QCOMPARE(banco.testiMostrati(),
                 QStringList(2, "Pagina WEB per MRN 24IT123456789012E1\nnon ricevuta\nAttendi ancora?"));
        QCOMPARE(banco.messaggi.mostrati().first().titolo, QString("ATTESA PAGINA WEB"));
        QCOMPARE(banco.avviatore.documenti, QStringList{url});
        QCOMPARE(w.Stato(), 42); // the shell's answer
        QVERIFY(!QDir(banco.cartella.filePath("PDF")).exists());
        QCOMPARE(w.windowTitle(), QString("Pagina WEB"));
    }
};

QTEST_MAIN(TestPagineWeb)
#include "test_pagine_web.moc"
