// The rules of the two parameter windows and of the page window: addresses and markers written, the
// folder a context shows, placement, captions, the waiting question, the PDF printer and its files.

#include "enquiry/pagina_pdf.h"
#include "enquiry/pagina_web.h"
#include "enquiry/parametri_web.h"
#include "file_prova.h"
#include "shell/file_ini.h"
#include "shell/messaggi.h"

#include <QtTest>

using namespace qv;

class TestPagineWeb : public QObject {
    Q_OBJECT
    QTemporaryDir cartella;
    QString ini() const { return cartella.filePath("Quorvan.ini"); }

private slots:
    void init() { QFile::remove(ini()); }

    void confermaIndirizzi_data() {
        QTest::addColumn<QStringList>("r"); // export and transit typed; EXPORT, TRANSITI, EX_ERRINI written
        QTest::addColumn<int>("esito");
        QTest::newRow("both") << QStringList{" a ", "b", "a", "b", QString(30, 'm')}
                              << int(EsitoIndirizzi::Scritti);
        QTest::newRow("no transit") << QStringList{"a", " ", "a", "", ""}
                                    << int(EsitoIndirizzi::MancaTransiti);
        QTest::newRow("no export") << QStringList{"", "b", "", "", ""} << int(EsitoIndirizzi::MancaExport);
    }
    void confermaIndirizzi() {
        QFETCH(QStringList, r);
        StatoWeb web;
        // The other markers empty: written empty, they read back as their defaults.
        const EsitoIndirizzi esito = ConfermaIndirizziWeb(ini(), web, {r[0], r[1], {QString(40, 'm')}});
        QTEST(int(esito), "esito");
        QCOMPARE((QStringList{LeggiIni(ini(), "INDIRIZZIWEB", "EXPORT"),
                              LeggiIni(ini(), "INDIRIZZIWEB", "TRANSITI"),
                              LeggiIni(ini(), "PARAMWEB", "EX_ERRINI")}),
                 r.mid(2));
        QCOMPARE(web.UrlExport, r[2]); // the address in use
        QCOMPARE(LeggiIndirizziMarcatori(ini(), web).marcatori[1],
                 IndirizziMarcatoriPredefiniti().marcatori[1]);
    }

    void cartellaContesto_data() {
        QTest::addColumn<QStringList>("r"); // context, DirSave0..2, the folder shown
        QTest::newRow("own folder") << QStringList{"2", "z", "a", "b", "b"};
        QTest::newRow("2 takes 1's") << QStringList{"2", "z", "a", " ", "a"};
        QTest::newRow("1 takes 2's") << QStringList{"1", "z", "", "b", "b"};
        QTest::newRow("0 takes none") << QStringList{"0", "", "a", "b", ""};
    }
    void cartellaContesto() {
        QFETCH(QStringList, r);
        StatoWeb web;
        for (int c = 0; c < 3; ++c)
            web.Opzioni[c].DirSave = r[c + 1];
        QCOMPARE(CartellaPagineContesto(web, r[0].toInt()), r[4]);
    }

    void collocazione_data() {
        // View, context; POSY POSX DIMY DIMX saved; top left height width minimised
        QTest::addColumn<QStringList>("r");
        const QString angolo = "0 0 1200 1800 0";
        QTest::newRow("saved") << QStringList{"1", "1", "500 700 5000 9000", "500 700 5000 9000 0"};
        QTest::newRow("height 0, off screen") << QStringList{"1", "2", "-1 14500 0 20000", "0 0 4000 6000 0"};
        QTest::newRow("past the edges") << QStringList{"1", "1", "11601 14401 12001 0", "0 0 4000 6000 0"};
        QTest::newRow("context 0 minimised") << QStringList{"1", "0", "1 2 3 4", "1 2 3 4 1"};
        QTest::newRow("View 0: corner") << QStringList{"0", "1", "500 700 5000 9000", angolo};
        QTest::newRow("View 2: corner") << QStringList{"2", "1", "", angolo};
    }
    void collocazione() {
        QFETCH(QStringList, r);
        const QStringList salvati = r[2].split(' ', Qt::SkipEmptyParts);
        const char* chiavi[4] = {"POSY", "POSX", "DIMY", "DIMX"};
        for (int i = 0; i < salvati.size(); ++i)
            ScriviIni(ini(), "FrmWeb", chiavi[i], salvati[i]);
        const PosizionePaginaWeb p = CollocaPaginaWeb(ini(), r[0].toInt(), r[1].toInt(), 15000, 12000);
        QCOMPARE(QString::asprintf("%g %g %g %g %d", p.top, p.left, p.height, p.width, int(p.minimizzata)),
                 r[3]);
    }

    // Caption, waiting question, and the name the page is moved to once its PDF is written.
    void testiPagina_data() {
        QTest::addColumn<QStringList>("r"); // kind, code, caption, what is asked for, moved to
        QTest::newRow("ex") << QStringList{"ex", "E1", "MRN Esportazione 'E1'", "MRN E1", "EX_E1.pdf"};
        QTest::newRow("tr") << QStringList{"tr", "T6", "MRN Transito 'T6'", "MRN T6", "TR_T6.pdf"};
        QTest::newRow("pi") << QStringList{"pi", "DE9", "P.IVA Comunitaria 'DE9'", "VAT  DE9", "DE_9.pdf"};
        QTest::newRow("another kind") << QStringList{"xx", "DE1", "  ERRORE", "MRN DE1", "DE_1.pdf"};
    }
    void testiPagina() {
        QFETCH(QStringList, r);
        QCOMPARE(DidascaliaPaginaWeb(r[0], r[1]), r[2]);
        QCOMPARE(DomandaAttesaPagina(r[0], r[1]),
                 "Pagina WEB per " + r[3] + "\nnon ricevuta\nAttendi ancora?");
        QCOMPARE(NomePdfPagina(r[0], r[1]), r[4]);
        // Printed with its fixed name as title, the page is written where the page window looks for it.
        const QString fisso = NomePdfCreator(r[0]);
        QCOMPARE(FilePdfAutomatico(LeggiImpostazioniPdf(ini(), "/p"), fisso.chopped(4)), "/p/PDF/" + fisso);
    }

    // The PDF printer's settings, the check before printing and the file it writes for "a/b:c".
    void stampantePdf_data() {
        QTest::addColumn<QStringList>("r"); // printer, settings; state | PDF folder | file | messages
        const QString P = "PDFCREATOR";
        QTest::newRow("defaults") << QStringList{P, "", "0|/prog/PDF|/prog/PDF/a_b_c.pdf"};
        QTest::newRow("own folder") << QStringList{P, "AutosaveDirectory=/srv/pdf/ ;UseAutosave=2",
                                                   "0|/srv/pdf|/srv/pdf/a_b_c.pdf"};
        QTest::newRow("other template") << QStringList{P, "AutosaveFilename=Doc <Title>",
                                                       "-1||/prog/PDF/Doc a_b_c.pdf|NOME DEL SALVATAGGIO "
                                                       "AUTOMATICO DIVERSO DA <Title>"};
        QTest::newRow("no autosave") << QStringList{P, "UseAutosave=0", "-1||"};
        QTest::newRow("another printer") << QStringList{"UFFICIO", "", "-1||/prog/PDF/a_b_c.pdf"};
    }
    void stampantePdf() {
        QFETCH(QStringList, r);
        for (const QString& i : r[1].split(';', Qt::SkipEmptyParts))
            ScriviIni(ini(), "PDFCREATOR", i.section('=', 0, 0), i.section('=', 1));
        const ImpostazioniPdf pdf = LeggiImpostazioniPdf(ini(), "/prog/");
        MessaggiRegistrati messaggi;
        const ControlloPdf c = ControllaPdfCreator(r[0], pdf, messaggi);
        QStringList esito{QString::number(c.Stato), c.CartellaPdf, FilePdfAutomatico(pdf, "a/b:c")};
        for (const Messaggio& m : messaggi.mostrati())
            esito << m.testo;
        QCOMPARE(esito.join('|'), r[2]);
    }

    void rinominaFile() {
        QCOMPARE(LimiteTentativi(3), std::chrono::milliseconds(20000)); // the page window's give-up
        const QString origine = cartella.filePath("origine.pdf");
        const QString destinazione = cartella.filePath("EX_1.pdf");
        for (const QString& f : {origine, destinazione})
            scriviFile(f, f.toUtf8());
        QVERIFY(RinominaFile(origine, destinazione, std::chrono::milliseconds(500)));
        QVERIFY(!QFile::exists(origine));
        QCOMPARE(leggiFile(destinazione), origine.toUtf8()); // the old destination was replaced
        // A source that never appears: it gives up once the limit has passed.
        const QDeadlineTimer limite(300);
        QVERIFY(!RinominaFile(origine, destinazione, std::chrono::milliseconds(300)));
        QVERIFY(limite.hasExpired());
        QVERIFY(!QFile::exists(destinazione)); // deleted first, as the rule has it
        QVERIFY(CancellaFile(destinazione, std::chrono::milliseconds(100))); // nothing to delete
    }
};

QTEST_GUILESS_MAIN(TestPagineWeb)
#include "test_pagine_web.moc"
