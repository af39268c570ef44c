// The rules of the two parameter windows and of the page window: addresses
// and markers written, the folder a context shows, placement, captions, the
// waiting question, the PDF printer's settings and file names, renaming.

#include "enquiry/pagina_pdf.h"
#include "enquiry/pagina_web.h"
#include "enquiry/parametri_web.h"
#include "file_prova.h"
#include "shell/file_ini.h"
#include "shell/messaggi.h"

#include <QtTest>

using namespace qv;

namespace {} // namespace

class TestPagineWeb : public QObject {
    Q_OBJECT
    QTemporaryDir cartella;
    QString ini() const { return cartella.filePath("Quorvan.ini"); }

private slots:
    void init() { QFile::remove(ini()); }

    void confermaIndirizzi_data() {
        QTest::addColumn<QString>("esportazioni");
        QTest::addColumn<QString>("transiti");
        QTest::addColumn<int>("esito");
        QTest::addColumn<QString>("exportScritto");
        QTest::addColumn<QString>("transitiScritto");
        QTest::addColumn<QString>("primoMarcatore");
        const QString niente;
        QTest::newRow("both") << " http://a/e " << QString("http://a/t") << int(EsitoIndirizzi::Scritti)
                              << QString("http://a/e") << QString("http://a/t") << QString(30, 'm');
        QTest::newRow("no transit address")
            << "http://a/e" << QString("  ") << int(EsitoIndirizzi::MancaTransiti) << QString("http://a/e")
            << niente << niente;
        QTest::newRow("no export address") << niente << QString("http://a/t")
                                           << int(EsitoIndirizzi::MancaExport) << niente << niente << niente;
    }
    void confermaIndirizzi() {
        QFETCH(QString, esportazioni);
        QFETCH(QString, transiti);
        StatoWeb web;
        IndirizziMarcatori v = IndirizziMarcatoriPredefiniti();
        v.UrlExport = esportazioni;
        v.UrlTransiti = transiti;
        v.marcatori[0] = QString(40, 'm');
        v.marcatori[1].clear();
        const EsitoIndirizzi esito = ConfermaIndirizziWeb(ini(), web, v);
        QTEST(int(esito), "esito");
        QFETCH(QString, exportScritto);
        QCOMPARE(LeggiIni(ini(), "INDIRIZZIWEB", "EXPORT"), exportScritto);
        QFETCH(QString, transitiScritto);
        QCOMPARE(LeggiIni(ini(), "INDIRIZZIWEB", "TRANSITI"), transitiScritto);
        QFETCH(QString, primoMarcatore);
        QCOMPARE(LeggiIni(ini(), "PARAMWEB", "EX_ERRINI"), primoMarcatore);
        QCOMPARE(MessaggioIndirizzi(esito).isEmpty(), esito == EsitoIndirizzi::Scritti);
        if (esito == EsitoIndirizzi::Scritti) {
            QCOMPARE(web.UrlExport, QString("http://a/e"));
            // An empty marker is written empty and reads back as its default.
            QCOMPARE(LeggiIndirizziMarcatori(ini(), web).marcatori[1],
                     IndirizziMarcatoriPredefiniti().marcatori[1]);
        }
    }

    void cartellaContesto_data() {
        QTest::addColumn<int>("contesto");
        QTest::addColumn<QStringList>("cartelle"); // DirSave0..2
        QTest::addColumn<QString>("attesa");
        QTest::newRow("own folder") << 2 << QStringList{"z", "a", "b"} << "b";
        QTest::newRow("2 takes 1's") << 2 << QStringList{"z", "a", " "} << "a";
        QTest::newRow("1 takes 2's") << 1 << QStringList{"z", "", "b"} << "b";
        QTest::newRow("0 takes none") << 0 << QStringList{"", "a", "b"} << "";
    }
    void cartellaContesto() {
        QFETCH(QStringList, cartelle);
        StatoWeb web;
        for (int c = 0; c < 3; ++c)
            web.Opzioni[c].DirSave = cartelle[c];
        QFETCH(int, contesto);
        QFETCH(QString, attesa);
        QCOMPARE(CartellaPagineContesto(web, contesto), attesa);
    }

    void collocazione_data() {
        QTest::addColumn<int>("view");
        QTest::addColumn<int>("contesto");
        QTest::addColumn<QStringList>("salvati");  // POSY, POSX, DIMY, DIMX
        QTest::addColumn<QList<double>>("attesi"); // top, left, height, width
        QTest::addColumn<bool>("minimizzata");
        const QList<double> angolo{0, 0, 1200, 1800};
        QTest::newRow("saved") << 1 << 1 << QStringList{"500", "700", "5000", "9000"}
                               << QList<double>{500, 700, 5000, 9000} << false;
        QTest::newRow("height 0, off screen")
            << 1 << 2 << QStringList{"-1", "14500", "0", "20000"} << QList<double>{0, 0, 4000, 6000} << false;
        QTest::newRow("past the edges less 400/600") << 1 << 1 << QStringList{"11601", "14401", "12001", "0"}
                                                     << QList<double>{0, 0, 4000, 6000} << false;
        QTest::newRow("context 0 minimised")
            << 1 << 0 << QStringList{"1", "2", "3", "4"} << QList<double>{1, 2, 3, 4} << true;
        QTest::newRow("View 0: corner")
            << 0 << 1 << QStringList{"500", "700", "5000", "9000"} << angolo << false;
        QTest::newRow("View 2: corner") << 2 << 1 << QStringList{} << angolo << false;
    }
    void collocazione() {
        QFETCH(QStringList, salvati);
        const char* chiavi[4] = {"POSY", "POSX", "DIMY", "DIMX"};
        for (int i = 0; i < salvati.size(); ++i)
            ScriviIni(ini(), "FrmWeb", chiavi[i], salvati[i]);
        QFETCH(int, view);
        QFETCH(int, contesto);
        const PosizionePaginaWeb p = CollocaPaginaWeb(ini(), view, contesto, 15000, 12000);
        QFETCH(QList<double>, attesi);
        QCOMPARE((QList<double>{p.top, p.left, p.height, p.width}), attesi);
        QFETCH(bool, minimizzata);
        QCOMPARE(p.minimizzata, minimizzata);
    }

    void testiPagina_data() {
        QTest::addColumn<QString>("tipo");
        QTest::addColumn<QString>("codice");
        QTest::addColumn<QString>("didascalia");
        QTest::addColumn<QString>("domanda");
        QTest::addColumn<QString>("pdfCreator");
        QTest::addColumn<QString>("pdf");
        // The question is "Pagina WEB per " + what is asked for + "\nnon ricevuta\nAttendi ancora?".
        const QString adm = "http___www.adm.gov.it_ed_servizi_",
                      vies = "http___www1.agenziaentrate.gov.it_servizi_vies_vies.htm_act=piva&st.pdf";
        const QStringList righe[] = {
            {"ex", "24IT123456789012E1", "MRN Esportazione '24IT123456789012E1'", "MRN 24IT123456789012E1",
             adm + "esportazione_export.pdf", "EX_24IT123456789012E1.pdf"},
            {"tr", "24IT123456789012T6", "MRN Transito '24IT123456789012T6'", "MRN 24IT123456789012T6",
             adm + "transito_mrn_transito.pdf", "TR_24IT123456789012T6.pdf"},
            {"pi", "DE123456789", "P.IVA Comunitaria 'DE123456789'", "VAT  DE123456789", vies,
             "DE_123456789.pdf"},
            {"xx", "DE1", "  ERRORE", "MRN DE1", vies, "DE_1.pdf"}, // another kind
        };
        for (const QStringList& r : righe)
            QTest::newRow(qPrintable(r[0]))
                << r[0] << r[1] << r[2] << "Pagina WEB per " + r[3] + "\nnon ricevuta\nAttendi ancora?"
                << r[4] << r[5];
    }
    void testiPagina() {
        QFETCH(QString, tipo);
        QFETCH(QString, codice);
        QFETCH(QString, didascalia);
        QCOMPARE(DidascaliaPaginaWeb(tipo, codice), didascalia);
        QFETCH(QString, domanda);
        QCOMPARE(DomandaAttesaPagina(tipo, codice), domanda);
        QFETCH(QString, pdfCreator);
        QCOMPARE(NomePdfCreator(tipo), pdfCreator);
        QFETCH(QString, pdf);
        QCOMPARE(NomePdfPagina(tipo, codice), pdf);
    }

    void stampantePdf_data() {
        QTest::addColumn<QString>("stampante");
        QTest::addColumn<QStringList>("impostazioni");
        QTest::addColumn<int>("stato");
        QTest::addColumn<QString>("cartellaPdf"); // relative to the program folder
        QTest::addColumn<QString>("file");        // of the document "a/b:c"
        QTest::addColumn<bool>("messaggio");
        QTest::newRow("defaults") << "PDFCREATOR" << QStringList{} << 0 << "/PDF"
                                  << "/PDF/a_b_c.pdf" << false;
        QTest::newRow("own folder, separator dropped")
            << "PDFCREATOR" << QStringList{"AutosaveDirectory=/srv/pdf/ ", "UseAutosave=2"} << 0 << "/srv/pdf"
            << "/srv/pdf/a_b_c.pdf" << false;
        QTest::newRow("other template")
            << "PDFCREATOR" << QStringList{"AutosaveFilename=Doc <Title>"} << -1 << ""
            << "/PDF/Doc a_b_c.pdf" << true;
        QTest::newRow("no autosave") << "PDFCREATOR" << QStringList{"UseAutosave=0"} << -1 << ""
                                     << "" << false;
        QTest::newRow("not a number: off") << "PDFCREATOR" << QStringList{"UseAutosave=no"} << -1 << ""
                                           << "" << false;
        QTest::newRow("another printer") << "UFFICIO" << QStringList{} << -1 << ""
                                         << "/PDF/a_b_c.pdf" << false;
    }
    void stampantePdf() {
        QFETCH(QStringList, impostazioni);
        for (const QString& i : impostazioni)
            ScriviIni(ini(), "PDFCREATOR", i.section('=', 0, 0), i.section('=', 1));
        const QString programma = cartella.path();
        const ImpostazioniPdf pdf = LeggiImpostazioniPdf(ini(), programma + "/");
        MessaggiRegistrati messaggi;
        QFETCH(QString, stampante);
        const ControlloPdf c = ControllaPdfCreator(stampante, pdf, messaggi);
        QFETCH(int, stato);
        QCOMPARE(c.Stato, stato);
        QFETCH(QString, cartellaPdf);
        QCOMPARE(c.CartellaPdf, cartellaPdf.startsWith("/PDF") ? programma + cartellaPdf : cartellaPdf);
        QFETCH(QString, file);
        QCOMPARE(FilePdfAutomatico(pdf, "a/b:c"), file.startsWith("/PDF") ? programma + file : file);
        QFETCH(bool, messaggio);
        QCOMPARE(messaggi.mostrati().size(), messaggio ? 1 : 0);
        if (!messaggi.mostrati().isEmpty())
            QCOMPARE(messaggi.mostrati().first().testo,
                     QString("NOME DEL SALVATAGGIO AUTOMATICO DIVERSO DA <Title>"));
    }

    void rinominaFile() {
        QCOMPARE(LimiteTentativi(3), std::chrono::milliseconds(20000));
        const QString origine = cartella.filePath("origine.pdf");
        const QString destinazione = cartella.filePath("EX_1.pdf");
        for (const QString& f : {origine, destinazione})
            scriviFile(f, f.toUtf8());
        QVERIFY(RinominaFile(origine, destinazione, std::chrono::milliseconds(500)));
        QVERIFY(!QFile::exists(origine));
        QCOMPARE(leggiFile(destinazione), origine.toUtf8()); // the old destination was replaced
        // A source that never appears: it gives up once the limit has passed.
        QElapsedTimer t;
        t.start();
        QVERIFY(!RinominaFile(origine, destinazione, std::chrono::milliseconds(300)));
        QVERIFY(t.elapsed() >= 300);
        QVERIFY(!QFile::exists(destinazione)); // deleted first, as the rule has it
        QVERIFY(CancellaFile(destinazione, std::chrono::milliseconds(100))); // nothing to delete
    }
};

QTEST_GUILESS_MAIN(TestPagineWeb)
#include "test_pagine_web.moc"
