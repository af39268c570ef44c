// Every kind of page through InterrogaCodice with a fake HTTP client: the
// outcome, the cells of the shared arrays, the failures shown and the
// requests sent.

#include "celle_attese.h"
#include "cliente_finto.h"
#include "dati_prova.h"
#include "enquiry/get_htm_page.h"
#include "enquiry/interroga_codice.h"
#include "pagine_prova.h"
#include "shell/elenco_nazioni.h"
#include "shell/file_ini.h"
#include "shell/messaggi.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

using namespace qv;
using namespace prova;

namespace {

const QString kMrnE = QStringLiteral("24IT123456789012E1");
const QString kMrnT = QStringLiteral("24IT123456789012T1");
const QString kVat = QStringLiteral("IT12345678901");

QString lontano(const QString& pagina) { return QString(33000, QLatin1Char(' ')) + pagina; }

} // namespace

using Guasti = QList<int>;

class TestEstrazione : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    ElencoNazioni elenco = nazioniPredefinite();

    struct Banco {
        StatoWeb web;
        ClienteFinto http;
        MessaggiRegistrati messaggi;
        AmbienteWeb ambiente;
    };
    void prepara(Banco& b) {
        b.web.UrlExport = kExport;
        b.web.UrlTransiti = kTransito;
        b.web.UrlVat = kVies;
        b.web.UrlVatPiva = QStringLiteral("&piva=");
        b.web.CartellaTemp = dir.path() + QLatin1Char('/');
        b.ambiente.fileIni = dir.filePath(QStringLiteral("Quorvan.ini"));
        b.ambiente.nazioni = &elenco;
        b.ambiente.http = &b.http;
        b.ambiente.messaggi = &b.messaggi;
    }
    static Guasti guastiMostrati(const MessaggiRegistrati& m) {
        Guasti g;
        for (const Messaggio& x : m.mostrati()) {
            g << x.testo.section(QStringLiteral(" - "), 0, 0).toInt();
            if (x.titolo != QStringLiteral("QUORVAN -ERRORE N. ") + QString::number(g.last()) ||
                x.pulsanti != Pulsanti::Ok)
                g << -1; // a box that does not look like an extraction failure
        }
        return g;
    }
private slots:
    void pagine_data() {
        QTest::addColumn<QString>("codice");
        QTest::addColumn<QString>("paginaExport"); // null: no answer
        QTest::addColumn<QString>("paginaTransito");
        QTest::addColumn<QString>("paginaVies");
        QTest::addColumn<int>("esito");
        QTest::addColumn<QStringList>("celle");
        QTest::addColumn<Guasti>("guasti");
        QTest::addColumn<int>("richieste");

        const QString nessuna;
        const QStringList datiExport = {"T5=Ufficio di esportazione", "E17=IT047100", "T6=Ufficio di uscita",
                                        "E18=IT277100", "T7=Uscita il", "E19=14/03/2025"};
        const QString senzaRete = QStringLiteral("T2=# Connessione INTERNET non attiva #");

        // Export pages.
        QTest::newRow("export data") << kMrnE << pagine::exportDati() << nessuna << nessuna << 0 << datiExport
                                     << Guasti{} << 1;
        QTest::newRow("export exit label missing")
            << kMrnE << pagine::exportDati(QString()) << nessuna << nessuna << 0
            << QStringList{"T5=Ufficio di esportazione", "E17=IT047100", "T6=Ufficio di uscita", "E18=IT277100",
                           "T7=Uscita conclusa in data:", "E19=14/03/2025"}
            << Guasti{} << 1;
        QTest::newRow("export exit label ends at the tag")
            << kMrnE << pagine::exportDati(QStringLiteral("Data di uscita"), false) << nessuna << nessuna << 0
            << QStringList{"T5=Ufficio di esportazione", "E17=IT047100", "T6=Ufficio di uscita", "E18=IT277100",
                           "T7=Data di uscita", "E19=14/03/2025"}
            << Guasti{} << 1;
        QTest::newRow("export pending")
            << kMrnE << pagine::messaggio(QStringLiteral("In attesa del messaggio di uscita")) << nessuna << nessuna
            << 0 << QStringList{"T2==== In attesa del messaggio di uscita ==="} << Guasti{} << 1;
        QTest::newRow("export pending, mixed case")
            << kMrnE << pagine::messaggio(QStringLiteral("iN aTTESA x")) << nessuna << nessuna << 0
            << QStringList{"T2==== iN aTTESA x ==="} << Guasti{} << 1;
        QTest::newRow("export error")
            << kMrnE << pagine::messaggio(QStringLiteral("MRN non trovato")) << nessuna << nessuna << 0
            << QStringList{"T2=*** MRN non trovato ***"} << Guasti{} << 1;
        QTest::newRow("export short status is an error")
            << kMrnE << pagine::messaggio(QStringLiteral("IN ATTES")) << nessuna << nessuna << 0
            << QStringList{"T2=*** IN ATTES ***"} << Guasti{} << 1;
        QTest::newRow("export error without its end")
            << kMrnE << QStringLiteral("<div class=\"err\">MRN non trovato") << nessuna << nessuna << 0
            << QStringList{} << Guasti{1} << 1;
        QTest::newRow("export labels without values")
            << kMrnE << pagine::avvolgi(QStringLiteral("<td class=\"outexport1\">Ufficio&nbsp;</td>")) << nessuna
            << nessuna << 0 << QStringList{"T5=Ufficio"} << Guasti{2} << 1;
        QTest::newRow("export value without its end")
            << kMrnE
            << QStringLiteral("<td class=\"outexport1\">Ufficio&nbsp;</td><td class=\"outexport2\">") +
                   QString(300, QLatin1Char('x'))
            << nessuna << nessuna << 0 << QStringList{"T5=Ufficio"} << Guasti{1} << 1;
        QTest::newRow("export last value missing is no failure")
            << kMrnE
            << pagine::avvolgi(pagine::coppiaExport("A", "1") + pagine::coppiaExport("B", "2") +
                               QStringLiteral("<td class=\"outexport1\">C&nbsp;</td>"))
            << nessuna << nessuna << 0 << QStringList{"T5=A", "E17=1", "T6=B", "E18=2", "T7=C"} << Guasti{} << 1;
        QTest::newRow("question mark in a value")
            << kMrnE << pagine::avvolgi(pagine::coppiaExport("Stato", "Conclus? ok")) << nessuna << nessuna << 0
            << QStringList{"T5=Stato", "E17=Concluse' s ok"} << Guasti{2} << 1;
        QTest::newRow("empty body") << kMrnE << QString("") << nessuna << nessuna << 0 << QStringList{}
                                    << Guasti{2} << 1;
        QTest::newRow("server error page")
            << kMrnE << QStringLiteral("<html><body><h1>500 Internal Server Error</h1></body></html>") << nessuna
            << nessuna << 0 << QStringList{} << Guasti{2} << 1;
        QTest::newRow("export markers past 32767") << kMrnE << lontano(pagine::exportDati()) << nessuna << nessuna
                                                   << 0 << QStringList{} << Guasti{3} << 1;
        QTest::newRow("export error past 32767")
            << kMrnE << lontano(pagine::messaggio(QStringLiteral("MRN non trovato"))) << nessuna << nessuna << 0
            << QStringList{} << Guasti{3} << 1;
        QTest::newRow("export without answer")
            << kMrnE << nessuna << nessuna << nessuna << 9 << QStringList{senzaRete} << Guasti{} << 1;

        // Transit pages; the export page of a transit MRN is asked for too.
        const QString exportVuoto = pagine::messaggio(QStringLiteral("Non e' un MRN di esportazione"));
        const QStringList etichette = {"T1=Ufficio:", "T2=Ruolo:", "T3=Data:", "T4=Appuramento:"};
        QStringList unaRiga = etichette + QStringList{"E1=V11", "E2=V12", "E3=V13", "E4=V14"};
        QStringList dueRighe = unaRiga + QStringList{"E5=V21", "E6=V22", "E7=V23", "E8=V24"};
        QStringList quattroRighe = dueRighe;
        for (int r = 3; r <= 4; ++r)
            for (int c = 1; c <= 4; ++c)
                quattroRighe << QStringLiteral("E%1=V%2%3").arg((r - 1) * 4 + c).arg(r).arg(c);
        QTest::newRow("transit one office") << kMrnT << exportVuoto << pagine::transito(1) << nessuna << 0
                                            << unaRiga << Guasti{} << 2;
        QTest::newRow("transit two offices") << kMrnT << exportVuoto << pagine::transito(2) << nessuna << 0
                                             << dueRighe << Guasti{} << 2;
        QTest::newRow("transit four offices") << kMrnT << exportVuoto << pagine::transito(4) << nessuna << 0
                                              << quattroRighe << Guasti{} << 2;
        QTest::newRow("transit fifth office dropped") << kMrnT << exportVuoto << pagine::transito(5) << nessuna
                                                      << 0 << quattroRighe << Guasti{} << 2;
        QTest::newRow("transit with export data") << kMrnT << pagine::exportDati() << pagine::transito(2) << nessuna
                                                  << 0 << dueRighe + datiExport << Guasti{} << 2;
        QTest::newRow("transit Per l'MRN")
            << kMrnT << exportVuoto
            << pagine::avvolgi(QStringLiteral("<div class=\"err\">Per l'MRN: <b>X</b></p>nessun transito</p></div>"))
            << nessuna << 0
            << QStringList{"T2=*** Per l'MRN: " + kMrnT + " ***", "T3=*** nessun transito ***"} << Guasti{} << 2;
        QTest::newRow("transit Per l'MRN, empty reason")
            << kMrnT << exportVuoto
            << pagine::avvolgi(QStringLiteral("<div class=\"err\">Per l'MRN: <b>X</b></p></div>")) << nessuna << 0
            << QStringList{"T2=*** Per l'MRN: " + kMrnT + " ***", "T3=***  ***"} << Guasti{} << 2;
        QTest::newRow("transit Per l'MRN without reason end")
            << kMrnT << exportVuoto
            << QStringLiteral("<div class=\"err\">Per l'MRN: <b>X</b></p>nessun transito") << nessuna << 0
            << QStringList{"T2=Per l'MRN:"} << Guasti{1} << 2;
        QTest::newRow("transit other error stays plain")
            << kMrnT << exportVuoto << pagine::messaggio(QStringLiteral("Servizio sospeso")) << nessuna << 0
            << QStringList{"T2=Servizio sospeso"} << Guasti{} << 2;
        QTest::newRow("transit label without its end")
            << kMrnT << exportVuoto << QStringLiteral("<th class=\"dati1\">") + QString(200, QLatin1Char('x'))
            << nessuna << 0 << QStringList{} << Guasti{1} << 2;
        QTest::newRow("transit values past 32767")
            << kMrnT << exportVuoto
            << QStringLiteral("<th class=\"dati1\">Ufficio</th>") + lontano(QStringLiteral("<td class=\"dati2\">V</td>"))
            << nessuna << 0 << QStringList{"T1=Ufficio:"} << Guasti{3} << 2;
        QTest::newRow("transit then a broken export page")
            << kMrnT << QString("") << pagine::transito(1) << nessuna << 0 << unaRiga << Guasti{2} << 2;
        QTest::newRow("transit without its export answer")
            << kMrnT << nessuna << pagine::transito(1) << nessuna << 9 << QStringList{senzaRete} << Guasti{} << 2;
        QTest::newRow("transit without answer")
            << kMrnT << exportVuoto << nessuna << nessuna << 9 << QStringList{senzaRete} << Guasti{} << 1;

        // VIES pages: any extraction failure reads as a lost connection.
        const QStringList datiVies = {"T1=Esito:", "E1=Partita IVA valida", "T2=Stato", "E2=D2", "T3=Numero", "E3=D3",
                                      "T4=Data", "E4=D4", "T5=Nome", "E5=D5", "T6=Indirizzo", "E6=D6",
                                      "E7=Nota del servizio", "E8=02/01/2025 10:15"};
        QTest::newRow("vies valid") << kVat << nessuna << nessuna << pagine::vies() << 0 << datiVies << Guasti{}
                                    << 1;
        QTest::newRow("vies error") << kVat << nessuna << nessuna << pagine::viesErrore() << 0
                                    << QStringList{"T2=*** Servizio non disponibile"} << Guasti{} << 1;
        QTest::newRow("vies error without its end")
            << kVat << nessuna << nessuna << pagine::viesErrore(QStringLiteral("Servizio non disponibile")) << 9
            << QStringList{senzaRete} << Guasti{} << 1;
        QTest::newRow("vies neither outcome nor error")
            << kVat << nessuna << nessuna << pagine::avvolgi(QStringLiteral("<p>Manutenzione</p>")) << 9
            << QStringList{senzaRete} << Guasti{} << 1;
        QTest::newRow("vies without date") << kVat << nessuna << nessuna << pagine::vies("Partita IVA valida", true, QString())
                                           << 0 << datiVies.mid(0, 13) << Guasti{} << 1;
        QTest::newRow("vies without note")
            << kVat << nessuna << nessuna << pagine::vies("Partita IVA valida", false) << 9
            << QStringList{senzaRete} << Guasti{} << 1;
        QTest::newRow("vies date without end")
            << kVat << nessuna << nessuna << pagine::vies("Partita IVA valida", true, "Data della richiesta: 02/01")
            << 9 << QStringList{senzaRete} << Guasti{} << 1;
        QTest::newRow("vies date shorter than its caption")
            << kVat << nessuna << nessuna << pagine::vies("Partita IVA valida", true, "02/01</p>") << 9
            << QStringList{senzaRete} << Guasti{} << 1;
        QTest::newRow("vies markers past 32767") << kVat << nessuna << nessuna << lontano(pagine::vies()) << 9
                                                 << QStringList{senzaRete} << Guasti{} << 1;
        QTest::newRow("vies without answer") << kVat << nessuna << nessuna << nessuna << 9
                                             << QStringList{senzaRete} << Guasti{} << 1;

        // Rejected codes: nothing is fetched.
        QTest::newRow("MRN of wrong kind")
            << "24IT123456789012X1" << pagine::exportDati() << nessuna << nessuna << 1
            << QStringList{"T2=*** Tipo MRN errato (T=Transito, E=Export)"} << Guasti{} << 0;
        QTest::newRow("17 characters is a VAT number")
            << "24IT123456789012E" << pagine::exportDati() << nessuna << pagine::vies() << 1
            << QStringList{"T2=*** Nazione CEE  '24'  inesistente "} << Guasti{} << 0;
        QTest::newRow("empty code") << "" << nessuna << nessuna << pagine::vies() << 1
                                    << QStringList{"T2=*** Codice VAT non indicato "} << Guasti{} << 0;
        QTest::newRow("VAT of wrong length") << "IT123" << nessuna << nessuna << pagine::vies() << 1
                                             << QStringList{"T2=*** Lunghezza VAT errata 11-11"} << Guasti{} << 0;
        QTest::newRow("18 blanks") << QString(18, QLatin1Char(' ')) << pagine::exportDati() << nessuna << nessuna
                                   << 1 << QStringList{"T2=*** Lunghezza numero MRN errata (18 caratteri)"}
                                   << Guasti{} << 0;
        QTest::newRow("lower case is upper-cased") << "24it123456789012e1" << pagine::exportDati() << nessuna
                                                   << nessuna << 0 << datiExport << Guasti{} << 1;
    }

    void pagine() {
        QFETCH(QString, codice);
        QFETCH(QString, paginaExport);
        QFETCH(QString, paginaTransito);
        QFETCH(QString, paginaVies);
        QFETCH(int, esito);
        QFETCH(QStringList, celle);
        QFETCH(Guasti, guasti);
        QFETCH(int, richieste);

        Banco b;
        prepara(b);
        if (!paginaExport.isNull())
            b.http.pagine.insert(kExport, paginaExport);
        if (!paginaTransito.isNull())
            b.http.pagine.insert(kTransito, paginaTransito);
        if (!paginaVies.isNull())
            b.http.pagine.insert(kVies, paginaVies);
        // Leftovers of an earlier enquiry must not survive.
        b.web.Esito.fill(QStringLiteral("old"));
        b.web.Titolo.fill(QStringLiteral("old"));
        b.web.Esito[0].clear();
        b.web.Titolo[0].clear();

        GetHtmPage pagina(b.web, b.ambiente);
        QCOMPARE(InterrogaCodice(pagina, codice), esito);
        verificaCelle(b.web, celle);
        QCOMPARE(guastiMostrati(b.messaggi), guasti);
        QCOMPARE(b.http.richieste.size(), richieste);
    }

    void indirizziRichiesti() {
        Banco b;
        prepara(b);
        b.http.pagine.insert(kExport, pagine::exportDati());
        b.http.pagine.insert(kTransito, pagine::transito(1));
        b.http.pagine.insert(kVies, pagine::vies());
        GetHtmPage pagina(b.web, b.ambiente);
        InterrogaCodice(pagina, QStringLiteral("24it123456789012e123"));
        InterrogaCodice(pagina, kMrnT);
        InterrogaCodice(pagina, QStringLiteral("nl123456789b01"));
        QCOMPARE(b.http.richieste,
                 (QStringList{kExport + "24IT123456789012E123", kTransito + kMrnT, kExport + kMrnT,
                              kVies + "NL&piva=123456789B01"}));
        QCOMPARE(pagina.pgUrl(), kVies + "NL&piva=123456789B01");
        QCOMPARE(pagina.pgTipo(), QStringLiteral("pi"));
        QCOMPARE(pagina.pgCodice(), QStringLiteral("NL123456789B01"));
    }

    void tipoMinuscoloDiretto() {
        // Only InterrogaCodice upper-cases: the object itself is case-sensitive.
        Banco b;
        prepara(b);
        b.http.pagine.insert(kExport, pagine::exportDati());
        GetHtmPage pagina(b.web, b.ambiente);
        pagina.plMRN(QStringLiteral("24IT123456789012e1"));
        QCOMPARE(pagina.xGetPaginaMRN(), QStringLiteral("*** Tipo MRN errato (T=Transito, E=Export)"));
        QVERIFY(b.http.richieste.isEmpty());
        QCOMPARE(pagina.pgTipo(), QString());
    }

    void oggettoRiusato() {
        Banco b;
        prepara(b);
        b.http.pagine.insert(kExport, pagine::exportDati());
        GetHtmPage pagina(b.web, b.ambiente);
        QCOMPARE(InterrogaCodice(pagina, kMrnE), 0);
        QCOMPARE(pagina.pgEsito(17), QStringLiteral("IT047100"));
        QCOMPARE(InterrogaCodice(pagina, QStringLiteral("XX1")), 1);
        for (int i = 1; i <= 19; ++i)
            QCOMPARE(pagina.pgEsito(i), QString());
        QCOMPARE(pagina.pgHtml(), QString());
        verificaCelle(b.web, {"T2=*** Nazione CEE  'XX'  inesistente "});
        QCOMPARE(pagina.pgEsito(20), QString());
        QCOMPARE(pagina.pgTitolo(-1), QString());
    }

    void senzaCliente() {
        StatoWeb web;
        web.UrlExport = kExport;
        GetHtmPage pagina(web, AmbienteWeb{});
        QCOMPARE(InterrogaCodice(pagina, kMrnE), 9);
        QCOMPARE(web.Titolo[2], QStringLiteral("# Connessione INTERNET non attiva #"));
        // Without a nation list every nation is unknown.
        QCOMPARE(InterrogaCodice(pagina, kVat), 1);
    }

    void marcatoriDaIni() {
        Banco b;
        prepara(b);
        QFile::remove(b.ambiente.fileIni);
        ScriviIni(b.ambiente.fileIni, "PARAMWEB", "EX_DAT1INI", "<dt>");
        ScriviIni(b.ambiente.fileIni, "PARAMWEB", "EX_DAT1FIN", "</dt");
        ScriviIni(b.ambiente.fileIni, "PARAMWEB", "EX_DAT2INI", "<dd>");
        b.http.pagine.insert(kExport, QStringLiteral("<dl><dt>A</dt><dd>1</dd><dt>B</dt><dd>2</dd><dt>C</dt><dd>3</dd></dl>"));
        GetHtmPage pagina(b.web, b.ambiente);
        QCOMPARE(InterrogaCodice(pagina, kMrnE), 0);
        verificaCelle(b.web, {"T5=A", "E17=1", "T6=B", "E18=2", "T7=C", "E19=3"});
        QFile::remove(b.ambiente.fileIni);
    }

    void paginaEnorme_data() {
        QTest::addColumn<bool>("datiInTesta");
        QTest::addColumn<Guasti>("guasti");
        QTest::newRow("10 MB, fields at the top") << true << Guasti{};
        QTest::newRow("10 MB, no markers") << false << Guasti{2};
    }
    void paginaEnorme() {
        QFETCH(bool, datiInTesta);
        QFETCH(Guasti, guasti);
        Banco b;
        prepara(b);
        QString pagina = datiInTesta ? pagine::exportDati() : QString();
        pagina += QString(10 * 1024 * 1024, QLatin1Char('x'));
        b.http.pagine.insert(kExport, pagina);
        GetHtmPage p(b.web, b.ambiente);
        QCOMPARE(InterrogaCodice(p, kMrnE), 0);
        QCOMPARE(guastiMostrati(b.messaggi), guasti);
        QCOMPARE(b.web.Esito[19].isEmpty(), !datiInTesta);
    }

    void paginaBinaria() {
        Banco b;
        prepara(b);
        QByteArray bytes(64 * 1024, '\0');
        QRandomGenerator gen(42);
        for (char& c : bytes)
            c = static_cast<char>(gen.bounded(256));
        QString testo = QString::fromLatin1(bytes);
        b.http.pagine.insert(kExport, testo);
        b.http.pagine.insert(kTransito, testo);
        b.http.pagine.insert(kVies, testo);
        GetHtmPage p(b.web, b.ambiente);
        QCOMPARE(InterrogaCodice(p, kMrnE), 0);
        QCOMPARE(InterrogaCodice(p, kMrnT), 0);
        QCOMPARE(InterrogaCodice(p, kVat), 9);
        QCOMPARE(b.http.richieste.size(), 4);
    }
};

QTEST_GUILESS_MAIN(TestEstrazione)
#include "test_estrazione.moc"
