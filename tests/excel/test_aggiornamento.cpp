// The status update on workbooks written by libxlsxwriter, with a scripted
// enquiry: which rows are collected, the state and word of each MRN, where
// the word lands, the summary, cancel and lost connection, and the checks
// that stop an update before it touches the workbook.

#include "archive/excel/aggiorna_excel.h"
#include "archive/excel/cartella_excel.h"
#include "archive/excel/stato_excel.h"
#include "cartelle_prova.h"
#include "shell/messaggi.h"
#include "shell/procedure_file.h"

#include <QTemporaryDir>
#include <QTest>

#include <array>

using namespace qv;

namespace {

// Result arrays of one page: values by index, label 2's message.
struct Pagina {
    int esito = 0;
    QMap<int, QString> valori;
    QString messaggio;
};

const Pagina kUscita{0, {{19, "01/02/2024"}}, {}};
const Pagina kInAttesa{0, {}, "=== In attesa di ricevere il messaggio di uscita ==="};
const Pagina kErrato{0, {}, "*** MRN non presente ***"};
const Pagina kScarico{0, {{4, "03/02/2024"}}, {}};
const Pagina kTransitoConcluso{0, {{3, "01/02/2024"}, {8, "03/02/2024"}}, {}};

// Columns: A progressive number, B the MRN, C a note, D the status (past
// the last used column but in row 1). Row 11 is missing, so row 12 is never reached.
const QByteArray kFoglio = "sheet Dati\n"
                           "text 1 1 N.\ntext 1 2 MRN\nbold 1 4 STATO\n"
                           "number 2 1 1\ntext 2 2 24IT000000000001E1\n"
                           "number 3 1 2\ntext 3 2  24it000000000002e5 \n"
                           "number 4 1 3\ntext 4 2 24IT000000000003E7\n"
                           "number 5 1 4\ntext 5 2 24IT000000000004T1\n"
                           "number 6 1 5\ntext 6 2 24IT000000000005T5\ntext 6 3 nota\n"
                           "number 7 1 6\ntext 7 2 24IT000000000006E1\ntext 7 4 fatto a mano\n"
                           "number 8 1 7\ntext 8 2 24IT000000000007E1\nformula 8 4 =\"\"\n"
                           "number 9 1 8\nnumber 9 2 123456\n"
                           "number 10 1 9\n"
                           "number 12 1 10\ntext 12 2 24IT000000000010E1\n"
                           "sheet Altro\ntext 1 1 24IT000000000003E7\n";

} // namespace

class TestAggiornamento : public QObject {
    Q_OBJECT

    QTemporaryDir cartella;
    QString python;
    std::array<QString, 20> esito;
    std::array<QString, 8> titolo;
    QMap<QString, Pagina> pagine;
    QStringList interrogati;
    int senzaReteDa = 0; // the enquiry of this number finds no connection
    FileAperti files;
    MessaggiRegistrati messaggi;

    Interroga interroga() {
        return [this](const QString& codice) {
            interrogati << codice;
            esito.fill(QString());
            titolo.fill(QString());
            if (interrogati.size() == senzaReteDa) {
                titolo[2] = QStringLiteral("# Connessione INTERNET non attiva #");
                return 9;
            }
            const Pagina p = pagine.value(codice, Pagina{1, {}, "*** CODICE NON VALIDO ***"});
            for (auto it = p.valori.begin(); it != p.valori.end(); ++it)
                esito[size_t(it.key())] = it.value();
            titolo[2] = p.messaggio;
            return p.esito;
        };
    }

    ParametriExcel parametri(const QString& nome, const QByteArray& descrizione = kFoglio) {
        const QString p = cartella.filePath(nome);
        QFile::remove(p);
        if (!generaCartella(p, descrizione))
            return {};
        return {p, QStringLiteral("Dati"), 2, 4};
    }

    RisultatoExcel aggiorna(const ParametriExcel& p, const CallbackExcel& cb = {}) {
        interrogati.clear();
        return AggiornaFileExcel(p, cartella.path() + QLatin1Char('/'), interroga(), esito, titolo, files, messaggi, cb);
    }

private slots:
    void initTestCase() {
        python = pythonConOpenpyxl();
        pagine = {{"24IT000000000001E1", kUscita},  {"24IT000000000002E5", kInAttesa},
                  {"24IT000000000003E7", kErrato},  {"24IT000000000004T1", kScarico},
                  {"24IT000000000005T5", kTransitoConcluso}, {"24IT000000000006E1", kUscita},
                  {"24IT000000000007E1", kUscita}, {"24IT000000000010E1", kUscita}};
    }
    void init() { senzaReteDa = 0; }

    void statoMrn_data() {
        QTest::addColumn<QString>("mrn");
        QTest::addColumn<QVariantMap>("valori");
        QTest::addColumn<QString>("messaggio");
        QTest::addColumn<int>("stato");
        QTest::newRow("export with exit date") << "24IT000000000001E1" << QVariantMap{{"19", "01/02/2024"}} << "" << 3;
        QTest::newRow("export without date") << "24IT000000000001E1" << QVariantMap{} << "" << 0;
        QTest::newRow("export pending") << "24IT000000000001E1" << QVariantMap{{"19", "01/02/2024"}} << "=== In attesa ===" << 0;
        QTest::newRow("page error") << "24IT000000000001E1" << QVariantMap{{"19", "01/02/2024"}} << "*** MRN non presente ***" << 2;
        QTest::newRow("export with a transit date") << "24IT000000000001E1" << QVariantMap{{"3", "01/02/2024"}} << "" << 0;
        QTest::newRow("transit discharged only") << "24IT000000000004T1" << QVariantMap{{"16", "03/02/2024"}} << "" << 1;
        QTest::newRow("transit office date and discharge: OK") << "24IT000000000005T5"
                                                               << QVariantMap{{"11", "01/02/2024"}, {"4", "03/02/2024"}} << "" << 3;
        QTest::newRow("transit discharge under ===") << "24IT000000000005T5"
                                                     << QVariantMap{{"3", "01/02/2024"}, {"4", "03/02/2024"}} << "=== x ===" << 1;
        QTest::newRow("transit, value not a date") << "24IT000000000005T5" << QVariantMap{{"3", "IT123"}} << "" << 0;
    }
    void statoMrn() {
        QFETCH(QString, mrn);
        QFETCH(QVariantMap, valori);
        QFETCH(QString, messaggio);
        QFETCH(int, stato);
        esito.fill(QString());
        titolo.fill(QString());
        for (auto it = valori.begin(); it != valori.end(); ++it)
            esito[size_t(it.key().toInt())] = it.value().toString();
        titolo[2] = messaggio;
        QCOMPARE(StatoMrnExcel(mrn, esito, titolo), stato);
        QCOMPARE(ParolaStato(stato), QStringList({"", "DEL", "ERR", "OK"}).at(stato));
    }

    void riepilogo() {
        QCOMPARE(TestoRiepilogoExcel(10, {7, 1, 1, 1}),
                 QStringLiteral("Elaborati 10 MRN\r\n") + QString(54, u'-') +
                     "\r\n Sospesi    = 7     \r\n Cancellati = 1     \r\n Errati     = 1     \r\n Appurati   = 1     ");
        QCOMPARE(RiempiSpazi(QStringLiteral("1234567")), QStringLiteral("1234567"));
    }

    void aggiornamento() {
        if (python.isEmpty())
            QSKIP("python3-openpyxl is not installed");
        const ParametriExcel p = parametri(QStringLiteral("mese.xlsx"));
        const QMap<QString, QString> prima = leggiCartella(python, p.file);
        QStringList fasi;
        QString ultimo;
        CallbackExcel cb;
        cb.fase = [&](const QString& t) { fasi << t; };
        cb.avanzamento = [&](const AvanzamentoElenco& a) { ultimo = TestoAvanzamento(a); };
        const RisultatoExcel r = aggiorna(p, cb);
        QCOMPARE(int(r.fine), int(FineExcel::Completato));
        QVERIFY(r.salvato);
        // Rows 2-6 and 9; not 7 (text) nor 8 (formula) nor 10 (no MRN) nor 12 (after the gap).
        QCOMPARE(leggiFile(cartella.filePath(QString::fromLatin1(kFileXlsChk))),
                 QByteArray("24IT000000000001E1\r\n24it000000000002e5\r\n24IT000000000003E7\r\n24IT000000000004T1\r\n"
                            "24IT000000000005T5\r\n123456\r\n"));
        QCOMPARE(interrogati, QStringList({"24IT000000000001E1", "24IT000000000002E5", "24IT000000000003E7",
                                           "24IT000000000004T1", "24IT000000000005T5", "123456"}));
        QCOMPARE(fasi, QStringList({"Estrazione MRN da appurare in corso ...", "Elaborazione di 6 MRN in corso ..."}));
        QCOMPARE(ultimo, QStringLiteral("Interrogo MRN numero 123456     (6/6)"));
        QCOMPARE(RiepilogoExcel(r), TestoRiepilogoExcel(6, {1, 1, 2, 2}));
        QCOMPARE(MessaggioFineExcel(r), QStringLiteral("Aggiornamento regolarmente eseguito"));

        const QMap<QString, QString> dopo = leggiCartella(python, p.file);
        QCOMPARE(differenze(prima, dopo),
                 QStringList({"Dati!D2", "Dati!D4", "Dati!D5", "Dati!D6", "Dati!D9", "zip:xl/worksheets/sheet1.xml"}));
        QCOMPARE(dopo.value("Dati!D2"), QStringLiteral("'OK'|False|00000000"));
        QCOMPARE(dopo.value("Dati!D4"), QStringLiteral("'ERR'|False|00000000"));
        QCOMPARE(dopo.value("Dati!D5"), QStringLiteral("'DEL'|False|00000000"));
        QCOMPARE(dopo.value("Dati!D6"), QStringLiteral("'OK'|False|00000000"));
        QCOMPARE(dopo.value("Dati!D9"), QStringLiteral("'ERR'|False|00000000"));

        // The next update asks again only for the pending MRN.
        QCOMPARE(aggiorna(p).totale, qint64(1));
        QCOMPARE(interrogati, QStringList({"24IT000000000002E5"}));
    }

    void a1Vuota() {
        const ParametriExcel p = parametri(QStringLiteral("a1.xlsx"), "sheet Dati\ntext 1 2 24IT000000000001E1\n"
                                                                     "number 2 1 1\ntext 2 2 24IT000000000001E1\n");
        const QByteArray prima = leggiFile(p.file);
        const RisultatoExcel r = aggiorna(p);
        QCOMPARE(r.totale, qint64(0));
        QVERIFY(interrogati.isEmpty());
        QVERIFY(!r.salvato);
        QCOMPARE(leggiFile(p.file), prima);
        QCOMPARE(RiepilogoExcel(r), TestoRiepilogoExcel(0, {0, 0, 0, 0}));
    }

    // The word goes to the first row the search meets holding the MRN,
    // even when that row was not collected; the collected row stays blank.
    void stessoMrnDueRighe() {
        const ParametriExcel p = parametri(QStringLiteral("doppio.xlsx"),
                                           "sheet Dati\nnumber 1 1 1\ntext 1 2 24IT000000000001E1\ntext 1 4 vecchio\n"
                                           "number 2 1 2\ntext 2 2 24IT000000000001E1\n");
        const RisultatoExcel r = aggiorna(p);
        QCOMPARE(r.totale, qint64(1));
        QCOMPARE(r.scritti, qint64(1));
        ErroreExcel e;
        auto c = CartellaExcel::apri(p.file, CartellaExcel::Modo::Lettura, e);
        FoglioExcel* f = c->foglio(p.foglio, e);
        QCOMPARE(f->testo(1, 4), QStringLiteral("OK"));
        QCOMPARE(f->testo(2, 4), QString());
    }

    // After the row of the previous word, then from row 1; only a row found
    // ahead moves the starting point.
    void ricercaCircolare() {
        const ParametriExcel p = parametri(QStringLiteral("giro.xlsx"),
                                           "sheet Dati\ntext 1 1 A\ntext 2 1 B\ntext 3 1 A\ntext 4 1 C\n");
        ErroreExcel e;
        auto c = CartellaExcel::apri(p.file, CartellaExcel::Modo::Lettura, e);
        FoglioExcel* f = c->foglio(p.foglio, e);
        qint64 precedente = 1;
        QVERIFY(ScriviStatoExcel(*f, "A", 1, 2, "OK", precedente));
        QCOMPARE(f->testo(3, 2), QStringLiteral("OK"));
        QCOMPARE(precedente, qint64(3));
        QVERIFY(ScriviStatoExcel(*f, "B", 1, 2, "DEL", precedente));
        QCOMPARE(f->testo(2, 2), QStringLiteral("DEL"));
        QCOMPARE(precedente, qint64(3));
        QVERIFY(!ScriviStatoExcel(*f, "D", 1, 2, "OK", precedente));
    }

    void fermato_data() {
        QTest::addColumn<int>("annullaDopo"); // enquiries before the cancel flag is set; -1: never
        QTest::addColumn<int>("senzaRete");
        QTest::addColumn<int>("fine");
        QTest::addColumn<QString>("messaggio");
        QTest::newRow("cancel while collecting") << 0 << 0 << int(FineExcel::Annullato) << "Aggiornamento annullato dall'Operatore";
        QTest::newRow("cancel after two MRNs") << 2 << 0 << int(FineExcel::Annullato) << "Aggiornamento annullato dall'Operatore";
        QTest::newRow("connection lost at the third") << -1 << 3 << int(FineExcel::SenzaRete) << "Aggiornamento regolarmente eseguito";
    }
    void fermato() {
        QFETCH(int, annullaDopo);
        QFETCH(int, senzaRete);
        QFETCH(int, fine);
        QFETCH(QString, messaggio);
        const ParametriExcel p = parametri(QStringLiteral("fermato.xlsx"));
        const QByteArray prima = leggiFile(p.file);
        senzaReteDa = senzaRete;
        CallbackExcel cb;
        cb.annullato = [&] { return annullaDopo >= 0 && interrogati.size() >= annullaDopo; };
        const RisultatoExcel r = aggiorna(p, cb);
        QCOMPARE(int(r.fine), fine);
        QCOMPARE(MessaggioFineExcel(r), messaggio);
        ErroreExcel e;
        auto c = CartellaExcel::apri(p.file, CartellaExcel::Modo::Lettura, e);
        FoglioExcel* f = c->foglio(p.foglio, e);
        if (annullaDopo == 0) {
            QVERIFY(interrogati.isEmpty());
            QCOMPARE(leggiFile(p.file), prima);
            return;
        }
        // The words of the MRNs answered are saved; the rest stay blank.
        QCOMPARE(f->testo(2, 4), QStringLiteral("OK"));
        QCOMPARE(f->testo(4, 4), QString());
        if (senzaRete)
            QCOMPARE(r.messaggio, QStringLiteral("# Connessione INTERNET non attiva #"));
    }

    void controlli_data() {
        QTest::addColumn<QString>("foglio");
        QTest::addColumn<int>("colMrn");
        QTest::addColumn<int>("colSts");
        QTest::addColumn<int>("campo");
        QTest::addColumn<QString>("messaggio");
        QTest::newRow("missing sheet") << "Gennaio" << 2 << 4 << CampoFoglio << "Il Folgio  'Gennaio'  non esiste";
        QTest::newRow("MRN column 0") << "Dati" << 0 << 4 << CampoColonnaMrn << "Indicare la colonna con i numeri MRN";
        QTest::newRow("status column 0") << "Dati" << 2 << 0 << CampoColonnaStato << "Indicare la colonna dove aggiornare lo STATUS";
    }
    void controlli() {
        QFETCH(QString, foglio);
        QFETCH(int, colMrn);
        QFETCH(int, colSts);
        QFETCH(int, campo);
        QFETCH(QString, messaggio);
        ParametriExcel p = parametri(QStringLiteral("controlli.xlsx"));
        p.foglio = foglio;
        p.colMrn = colMrn;
        p.colSts = colSts;
        const QByteArray prima = leggiFile(p.file);
        const ControlloExcel c = ControllaParametri(p);
        QCOMPARE(c.campo, campo);
        QCOMPARE(c.messaggio, messaggio);
        QVERIFY(!ControllaParametri(p, campo));
        const RisultatoExcel r = aggiorna(p);
        QCOMPARE(int(r.fine), int(FineExcel::ErroreLettura));
        QVERIFY(interrogati.isEmpty());
        QCOMPARE(leggiFile(p.file), prima);
    }

    void cartellaMancanteOAperta() {
        ParametriExcel p = parametri(QStringLiteral("aperta.xlsx"));
        QCOMPARE(ControllaParametri({cartella.filePath("no.xlsx"), "Dati", 2, 4}).messaggio,
                 QStringLiteral("Il file Excel  '") + cartella.filePath("no.xlsx") + "'  non esiste");
        QCOMPARE(TitoloControlloExcel(QStringLiteral("quorvan"), 2), QStringLiteral("QUORVAN -ERRORE N. 2"));
        scriviFile(cartella.filePath(QStringLiteral(".~lock.aperta.xlsx#")), "utente,host");
        const QByteArray prima = leggiFile(p.file);
        const RisultatoExcel r = aggiorna(p);
        QCOMPARE(r.errore.codice, CodiceErroreExcel::CartellaAperta);
        QVERIFY(MessaggioFineExcel(r).startsWith(QStringLiteral("Errore: 10 - ")));
        QVERIFY(interrogati.isEmpty());
        QCOMPARE(leggiFile(p.file), prima);
    }

    void chiaviIni() {
        const QString ini = cartella.filePath(QStringLiteral("Quorvan.ini"));
        QCOMPARE(LeggiParametriExcel(ini).colMrn, 0);
        ScriviParametriExcel(ini, {QStringLiteral("/dati/mese.xlsx"), QStringLiteral("Dati"), 2, 4});
        const ParametriExcel p = LeggiParametriExcel(ini);
        QCOMPARE(p.file, QStringLiteral("/dati/mese.xlsx"));
        QCOMPARE(p.foglio, QStringLiteral("Dati"));
        QCOMPARE(p.colMrn, 2);
        QCOMPARE(p.colSts, 4);
        QVERIFY(leggiFile(ini).contains("[AGGEXCEL]"));
    }
};

QTEST_GUILESS_MAIN(TestAggiornamento)
#include "test_aggiornamento.moc"
