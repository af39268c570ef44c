// The status update on workbooks written by libxlsxwriter, with a scripted enquiry.

#include "archive/excel/aggiorna_excel.h"
#include "archive/excel/cartella_excel.h"
#include "archive/excel/conversione_office.h"
#include "archive/excel/stato_excel.h"
#include "cartelle_prova.h"
#include "shell/messaggi.h"
#include "shell/procedure_file.h"

#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

using namespace qv;

// Column A a number, B the MRN, C a note, D the status (used in row 1 only).
// Row 7 has a status, row 8 a formula there, row 10 no MRN; row 11 is
// missing, so row 12 is never reached. On "Vuoto" A1 is empty.
static const QByteArray kFoglio =
    "sheet Dati\ntext 1 1 N.\ntext 1 2 MRN\nbold 1 4 STATO\n"
    "number 2 1 1\ntext 2 2 24IT000000000001E1\nnumber 3 1 2\ntext 3 2  24it000000000002e5 \n"
    "number 4 1 3\ntext 4 2 24IT000000000003E7\nnumber 5 1 4\ntext 5 2 24IT000000000004T1\n"
    "number 6 1 5\ntext 6 2 24IT000000000005T5\ntext 6 3 nota\n"
    "number 7 1 6\ntext 7 2 24IT000000000006E1\ntext 7 4 fatto a mano\n"
    "number 8 1 7\ntext 8 2 24IT000000000007E1\nformula 8 4 =\"\"\n"
    "number 9 1 8\nnumber 9 2 123456\nnumber 10 1 9\nnumber 12 1 10\ntext 12 2 24IT000000000010E1\n"
    "sheet Vuoto\ntext 1 2 24IT000000000001E1\nnumber 2 1 1\ntext 2 2 24IT000000000001E1\n";

class TestAggiornamento : public QObject {
    Q_OBJECT

    QTemporaryDir cartella;
    std::array<QString, 20> esito;
    std::array<QString, 8> titolo;
    QStringList interrogati;
    int senzaReteDa = 0; // the enquiry of this number finds no connection
    FileAperti files;
    MessaggiRegistrati messaggi;

    // The result arrays of a page: values by index; "m" is label 2's message.
    void pagina(const QVariantMap& valori) {
        esito.fill({});
        titolo.fill({});
        for (auto it = valori.begin(); it != valori.end(); ++it)
            (it.key() == "m" ? titolo[2] : esito[size_t(it.key().toInt())]) = it.value().toString();
    }

    // Export MRNs ending in 1 have left, in 5 are pending, in 7 unknown;
    // transit ones ending in 1 discharged only, in 5 with an office date too;
    // anything else is rejected.
    RisultatoExcel aggiorna(const ParametriExcel& p, const CallbackExcel& cb = {}) {
        interrogati.clear();
        const Interroga interroga = [this](const QString& mrn) {
            interrogati << mrn;
            const QString fine = mrn.right(2);
            pagina(fine == "E1"   ? QVariantMap{{"19", "01/02/2024"}}
                   : fine == "E5" ? QVariantMap{{"m", "=== In attesa ==="}}
                   : fine == "T1" ? QVariantMap{{"4", "03/02/2024"}}
                   : fine == "T5" ? QVariantMap{{"3", "01/02/2024"}, {"8", "03/02/2024"}}
                                  : QVariantMap{{"m", "*** MRN non presente ***"}});
            if (interrogati.size() != senzaReteDa) return 0;
            titolo[2] = "# Connessione INTERNET non attiva #";
            return 9;
        };
        return AggiornaFileExcel(p, cartella.path() + '/', interroga, esito, titolo, files, messaggi, cb);
    }

    ParametriExcel parametri(const QByteArray& descrizione = kFoglio) {
        const QString p = cartella.filePath("mese.xlsx");
        return generaCartella(p, descrizione) ? ParametriExcel{p, "Dati", 2, 4} : ParametriExcel{};
    }

    bool converti(const QString& file, const QString& formato) { // LibreOffice with a profile of its own
        return esegue(
            ProgrammaOffice(),
            {"-env:UserInstallation=" + QUrl::fromLocalFile(cartella.filePath("profilo")).toString(),
             "--headless", "--convert-to", formato, "--outdir", cartella.path(), file});
    }

private slots:
    void init() { senzaReteDa = 0; }

    void statoMrn_data() {
        QTest::addColumn<QString>("mrn");
        QTest::addColumn<QVariantMap>("valori");
        QTest::addColumn<int>("stato");
        // clang-format off
        QTest::newRow("export with exit date") << "24IT000000000001E1" << QVariantMap{{"19", "01/02/2024"}} << 3;
        QTest::newRow("export pending") << "24IT000000000001E1" << QVariantMap{{"19", "01/02/2024"}, {"m", "=== x ==="}} << 0;
        QTest::newRow("page error") << "24IT000000000001E1" << QVariantMap{{"19", "01/02/2024"}, {"m", "*** x ***"}} << 2;
        QTest::newRow("export with a transit date") << "24IT000000000001E1" << QVariantMap{{"3", "01/02/2024"}} << 0;
        QTest::newRow("transit discharged only") << "24IT000000000004T1" << QVariantMap{{"16", "03/02/2024"}} << 1;
        QTest::newRow("transit office date and discharge") << "24IT000000000005T5" << QVariantMap{{"11", "01/02/2024"}, {"4", "03/02/2024"}} << 3;
        QTest::newRow("transit discharge under ===") << "24IT000000000005T5" << QVariantMap{{"3", "01/02/2024"}, {"4", "03/02/2024"}, {"m", "=== x"}} << 1;
        QTest::newRow("transit value not a date") << "24IT000000000005T5" << QVariantMap{{"3", "IT123"}} << 0;
        // clang-format on
    }
    void statoMrn() {
        QFETCH(QString, mrn);
        QFETCH(QVariantMap, valori);
        pagina(valori);
        QTEST(StatoMrnExcel(mrn, esito, titolo), "stato");
    }

    // Everything else in the workbook unchanged: only the new status cells and their sheet's entry differ.
    void aggiornamento() {
        if (!haOpenpyxl()) QSKIP("python3-openpyxl is not installed");
        const ParametriExcel p = parametri();
        const QString prima = copiaPrima(p.file);
        const RisultatoExcel r = aggiorna(p);
        const QByteArray raccolti = "24IT000000000001E1\r\n24it000000000002e5\r\n24IT000000000003E7\r\n"
                                    "24IT000000000004T1\r\n24IT000000000005T5\r\n123456\r\n"; // trimmed
        QCOMPARE(leggiFile(cartella.filePath(kFileXlsChk)), raccolti);
        QCOMPARE(RiepilogoExcel(r), TestoRiepilogoExcel(6, {1, 1, 2, 2}));
        // Each count padded to six; a wider one is not cut.
        QCOMPARE(TestoRiepilogoExcel(7, {7, 1234567, 0, 0}).section("\r\n", 0, 3),
                 "Elaborati 7 MRN\r\n" + QString(54, u'-') +
                     "\r\n Sospesi    = 7     \r\n Cancellati = 1234567");
        QStringList attese;
        for (const char* c : {"D2='OK'", "D4='ERR'", "D5='DEL'", "D6='OK'", "D9='ERR'"})
            attese << "Dati!" + QString(c) + "|False|00000000"; // new cells, without style
        QCOMPARE(differenze(prima, p.file), attese << "zip:xl/worksheets/sheet1.xml");
    }

    // After the row of the previous word, then from row 1, whether or not the
    // row found was collected; only a row found ahead moves the starting point.
    void ricercaCircolare() {
        const ParametriExcel p = parametri("sheet Dati\ntext 1 1 A\ntext 2 1 B\ntext 3 1 A\ntext 4 1 C\n");
        ErroreExcel e;
        auto c = CartellaExcel::apri(p.file, CartellaExcel::Modo::Lettura, e);
        FoglioExcel* f = c->foglio(p.foglio, e);
        qint64 precedente = 1;
        QVERIFY(ScriviStatoExcel(*f, "A", 1, 2, "OK", precedente));
        QCOMPARE(f->testo(3, 2) + QString::number(precedente), "OK3");
        QVERIFY(ScriviStatoExcel(*f, "B", 1, 2, "DEL", precedente));
        QCOMPARE(f->testo(2, 2) + QString::number(precedente), "DEL3");
        QVERIFY(!ScriviStatoExcel(*f, "D", 1, 2, "OK", precedente));
    }

    // Runs stopped, or that cannot start (nothing asked, the workbook as it was, no .bak beside it).
    void fermato_data() {
        QTest::addColumn<QString>("voci");    // workbook|sheet|MRN column|status column[|lock file beside it]
        QTest::addColumn<int>("annullaDopo"); // enquiries before the cancel flag is set; -1: never
        QTest::addColumn<int>("senzaRete");   // the enquiry that finds no connection; 0: none
        QTest::addColumn<int>("campo");       // where the field check sends the focus back
        QTest::addColumn<FineExcel>("fine");
        QTest::addColumn<QString>("messaggio"); // the check's; with campo 0, how the update's begins
        using F = FineExcel;
        const QString bene = "Aggiornamento regolarmente eseguito",
                      annullato = "Aggiornamento annullato dall'Operatore";
        // clang-format off
        QTest::newRow("A1 empty: no MRNs") << "mese.xlsx|Vuoto|2|4" << -1 << 0 << 0 << F::Completato << bene;
        QTest::newRow("cancel while collecting") << "mese.xlsx|Dati|2|4" << 0 << 0 << 0 << F::Annullato << annullato;
        QTest::newRow("connection lost at the third") << "mese.xlsx|Dati|2|4" << -1 << 3 << 0 << F::SenzaRete << bene;
        QTest::newRow("missing workbook") << "no.xlsx|Dati|2|4" << -1 << 0 << CampoFoglio << F::ErroreLettura << "Il file Excel  '" + cartella.filePath("no.xlsx") + "'  non esiste";
        QTest::newRow("missing sheet") << "mese.xlsx|Gennaio|2|4" << -1 << 0 << CampoFoglio << F::ErroreLettura << "Il Folgio  'Gennaio'  non esiste";
        QTest::newRow("MRN column 0") << "mese.xlsx|Dati|0|4" << -1 << 0 << CampoColonnaMrn << F::ErroreLettura << "Indicare la colonna con i numeri MRN";
        QTest::newRow("status column 0") << "mese.xlsx|Dati|2|0" << -1 << 0 << CampoColonnaStato << F::ErroreLettura << "Indicare la colonna dove aggiornare lo STATUS";
        QTest::newRow(".xls without LibreOffice") << "vecchio.xls|Dati|2|4" << -1 << 0 << CampoFoglio << F::ErroreLettura << "Errore: 11 - Per i file .xls e .ods serve LibreOffice: installare il pacchetto libreoffice-calc-nogui";
        QTest::newRow("open in Excel") << "mese.xlsx|Dati|2|4|~$mese.xlsx" << -1 << 0 << 0 << F::ErroreLettura << "Errore: 10 - ";
        // clang-format on
    }
    void fermato() {
        QFETCH(QString, voci);
        QFETCH(int, annullaDopo);
        QFETCH(int, campo);
        QFETCH(QString, messaggio);
        const QStringList v = voci.split('|');
        const ParametriExcel p{cartella.filePath(v[0]), v[1], v[2].toInt(), v[3].toInt()};
        parametri();
        scriviFile(cartella.filePath("vecchio.xls"), "not looked at");
        if (v.size() > 4) scriviFile(cartella.filePath(v[4]), "x");
        const QByteArray prima = leggiFile(p.file), path = qgetenv("PATH");
        QFETCH(int, senzaRete);
        senzaReteDa = senzaRete;
        CallbackExcel cb;
        cb.annullato = [&] { return annullaDopo >= 0 && interrogati.size() >= annullaDopo; };
        qputenv("PATH", cartella.filePath("vuota").toLocal8Bit()); // no LibreOffice
        const ControlloExcel c = ControllaParametri(p);
        const RisultatoExcel r = aggiorna(p, cb);
        qputenv("PATH", path);
        if (v.size() > 4) QFile::remove(cartella.filePath(v[4]));
        QCOMPARE(c.campo, campo);
        QCOMPARE(campo ? c.messaggio : MessaggioFineExcel(r).left(messaggio.size()), messaggio);
        QCOMPARE(TitoloControlloExcel("quorvan", campo), "QUORVAN -ERRORE N. " + QString::number(campo));
        QTEST(r.fine, "fine");
        if (interrogati.isEmpty()) { // nothing asked, nothing written
            QVERIFY(r.totale == 0 && !r.salvato);
            QVERIFY(leggiFile(p.file) == prima && !QFile::exists(p.file + ".bak"));
            return;
        }
        // The words of the MRNs answered are saved; the rest stay blank.
        ErroreExcel e;
        const auto dopo = CartellaExcel::apri(p.file, CartellaExcel::Modo::Lettura, e);
        QCOMPARE(dopo->foglio("Dati", e)->testo(2, 4) + '/' + dopo->foglio("Dati", e)->testo(4, 4), "OK/");
    }

    // Converted, updated, converted back; the original kept as ".bak".
    void xlsAggiornato() {
        if (ProgrammaOffice().isEmpty()) QSKIP("LibreOffice (libreoffice-calc-nogui) is not installed");
        const QString xls = cartella.filePath("registro.xls");
        QVERIFY(generaCartella(cartella.filePath("registro.xlsx"),
                               "sheet Dati\ntext 1 1 MRN\ntext 1 2 STATO\ntext 2 1 24IT000000000001E1\n"
                               "text 3 1 24IT000000000002E5\n"));
        QVERIFY(converti(cartella.filePath("registro.xlsx"), "xls"));
        const QByteArray prima = leggiFile(xls);
        QCOMPARE(RiepilogoExcel(aggiorna({xls, "Dati", 1, 2})), TestoRiepilogoExcel(2, {1, 0, 0, 1}));
        QCOMPARE(leggiFile(xls + ".bak"), prima);
        QVERIFY(converti(xls, "csv"));
        QCOMPARE(leggiFile(cartella.filePath("registro.csv")),
                 QByteArray("MRN,STATO\n24IT000000000001E1,OK\n24IT000000000002E5,\n"));
    }
};

QTEST_GUILESS_MAIN(TestAggiornamento)
#include "test_aggiornamento.moc"
