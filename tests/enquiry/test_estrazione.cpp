// Every kind of page through InterrogaCodice with a fake HTTP client: the
// outcome, the cells of the shared arrays, the failures shown and the
// requests sent.

#include "celle_attese.h"
#include "cliente_finto.h"
#include "enquiry/codici_web.h"
#include "file_prova.h"
#include "pagine_prova.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace qv;
using namespace prova;

namespace {

const QString kMrnE = QStringLiteral("24IT123456789012E1");
const QString kMrnT = QStringLiteral("24IT123456789012T1");
const QString kVat = QStringLiteral("IT12345678901");
const QString kSenzaRete = QStringLiteral("T2=# Connessione INTERNET non attiva #");

using Guasti = QList<int>;

// A code, the page its first address answers (null: no answer) and, for a
// transit MRN, its export page; then the outcome, cells, failures and requests.
struct Caso { QString codice, pagina, paginaExport; int esito; QStringList celle; Guasti guasti; int richieste; };

} // namespace
Q_DECLARE_METATYPE(Caso)

class TestEstrazione : public QObject {
    Q_OBJECT

    QTemporaryDir dir;

private slots:
    void pagine_data() {
        QTest::addColumn<Caso>("caso");
        auto riga = [](const char* nome, const QString& codice, const QString& pagina, int esito,
                       const QStringList& celle, const Guasti& guasti = {}, int richieste = 1,
                       const QString& paginaExport = {}) {
            QTest::newRow(nome) << Caso{codice, pagina, paginaExport, esito, celle, guasti, richieste};
        };
        const QString nessuna;
        const QStringList coppie = {"T5=Ufficio di esportazione", "E17=IT047100", "T6=Ufficio di uscita", "E18=IT277100"};
        const QStringList datiExport = coppie + QStringList{"T7=Uscita il", "E19=14/03/2025"};
        const QString err = QStringLiteral("<div class=\"err\">");

        riga("export data", kMrnE, pagine::exportDati(), 0, datiExport);
        riga("export exit label missing", kMrnE, pagine::exportDati(QString()), 0,
             coppie + QStringList{"T7=Uscita conclusa in data:", "E19=14/03/2025"});
        riga("export exit label ends at the tag", kMrnE, pagine::exportDati("Data di uscita", false), 0,
             coppie + QStringList{"T7=Data di uscita", "E19=14/03/2025"});
        riga("export pending, any case", kMrnE, pagine::messaggio("iN aTTESA x"), 0, {"T2==== iN aTTESA x ==="});
        riga("export short status is an error", kMrnE, pagine::messaggio("IN ATTES"), 0, {"T2=*** IN ATTES ***"});
        riga("export error without its end", kMrnE, err + "MRN non trovato", 0, {}, {1});
        riga("export labels without values", kMrnE, pagine::avvolgi("<td class=\"outexport1\">Ufficio&nbsp;</td>"),
             0, {"T5=Ufficio"}, {2});
        riga("export last value missing is no failure", kMrnE,
             pagine::avvolgi(pagine::coppiaExport("A", "1") + pagine::coppiaExport("B", "2") +
                             "<td class=\"outexport1\">C&nbsp;</td>"),
             0, {"T5=A", "E17=1", "T6=B", "E18=2", "T7=C"});
        riga("export without answer", kMrnE, nessuna, 9, {kSenzaRete});

        // Transit pages; the export page of a transit MRN is asked for after them.
        const QString exportVuoto = pagine::messaggio("Non e' un MRN di esportazione");
        const QStringList unaRiga = {"T1=Ufficio:", "T2=Ruolo:", "T3=Data:", "T4=Appuramento:",
                                     "E1=V11",      "E2=V12",    "E3=V13",   "E4=V14"};
        QStringList quattroRighe = unaRiga;
        for (int r = 2; r <= 4; ++r)
            for (int c = 1; c <= 4; ++c)
                quattroRighe << QStringLiteral("E%1=V%2%3").arg((r - 1) * 4 + c).arg(r).arg(c);
        riga("transit fifth office dropped", kMrnT, pagine::transito(5), 0, quattroRighe, {}, 2, exportVuoto);
        riga("transit with export data", kMrnT, pagine::transito(1), 0, unaRiga + datiExport, {}, 2,
             pagine::exportDati());
        riga("transit Per l'MRN", kMrnT, pagine::avvolgi(err + "Per l'MRN: <b>X</b></p>nessun transito</p></div>"), 0,
             {"T2=*** Per l'MRN: " + kMrnT + " ***", "T3=*** nessun transito ***"}, {}, 2, exportVuoto);
        riga("transit Per l'MRN without reason end", kMrnT, err + "Per l'MRN: <b>X</b></p>nessun transito", 0,
             {"T2=Per l'MRN:"}, {1}, 2, exportVuoto);
        riga("transit other error stays plain", kMrnT, pagine::messaggio("Servizio sospeso"), 0,
             {"T2=Servizio sospeso"}, {}, 2, exportVuoto);
        riga("transit then a broken export page", kMrnT, pagine::transito(1), 0, unaRiga, {2}, 2, "");
        riga("transit without its export answer", kMrnT, pagine::transito(1), 9, {kSenzaRete}, {}, 2, nessuna);

        // VIES pages: any extraction failure reads as a lost connection.
        const QStringList datiVies = {"T1=Esito:", "E1=Partita IVA valida", "T2=Stato", "E2=D2", "T3=Numero", "E3=D3",
                                      "T4=Data", "E4=D4", "T5=Nome", "E5=D5", "T6=Indirizzo", "E6=D6",
                                      "E7=Nota del servizio", "E8=02/01/2025 10:15"};
        riga("vies valid", kVat, pagine::vies(), 0, datiVies);
        riga("vies without date", kVat, pagine::vies(QString()), 0, datiVies.mid(0, 13));
        riga("vies error", kVat, pagine::viesErrore(), 0, {"T2=*** Servizio non disponibile"});
        riga("vies neither outcome nor error", kVat, pagine::avvolgi("<p>Manutenzione</p>"), 9, {kSenzaRete});
        riga("vies date shorter than its caption", kVat, pagine::vies("02/01</p>"), 9, {kSenzaRete});
        riga("vies without answer", kVat, nessuna, 9, {kSenzaRete});

        // A rejected code: nothing is fetched.
        riga("MRN of wrong kind", "24IT123456789012X1", pagine::exportDati(), 1,
             {"T2=*** Tipo MRN errato (T=Transito, E=Export)"}, {}, 0);
    }
    void pagine() {
        QFETCH(Caso, caso);
        BancoWeb b(dir.path());
        if (!caso.pagina.isNull())
            for (const QString& indirizzo : {kExport, kTransito, kVies})
                b.http.pagine.insert(indirizzo, caso.pagina);
        if (tipoMrn(caso.codice) == TipoMrn::Transito) {
            b.http.pagine.remove(kExport);
            if (!caso.paginaExport.isNull())
                b.http.pagine.insert(kExport, caso.paginaExport);
        }
        // Leftovers of an earlier enquiry must not survive.
        b.web.Esito.fill(QStringLiteral("old"));
        b.web.Titolo.fill(QStringLiteral("old"));
        b.web.Esito[0] = b.web.Titolo[0] = QString();
        QCOMPARE(b.interroga(caso.codice), caso.esito);
        verificaCelle(b.web, caso.celle);
        QCOMPARE(b.guasti(), caso.guasti);
        QCOMPARE(b.http.richieste.size(), caso.richieste);
    }

    // Codes are upper-cased before they are asked for; a VAT code split into nation and number.
    void indirizziRichiesti() {
        BancoWeb b(dir.path());
        b.http.pagine.insert(kExport, pagine::exportDati());
        b.http.pagine.insert(kVies, pagine::vies());
        GetHtmPage pagina(b.web, b.ambiente);
        InterrogaCodice(pagina, QStringLiteral("24it123456789012e123"));
        InterrogaCodice(pagina, QStringLiteral("nl123456789b01"));
        QCOMPARE(b.http.richieste, (QStringList{kExport + "24IT123456789012E123", kVies + "NL&piva=123456789B01"}));
        // The object reused for a rejected code keeps nothing of the last page.
        QCOMPARE(InterrogaCodice(pagina, QStringLiteral("XX1")), 1);
        QCOMPARE(pagina.pgHtml(), QString());
        QCOMPARE(pagina.pgEsito(1), QString());
    }

    void marcatoriDaIni() {
        BancoWeb b(dir.path());
        // A blank end marker is the default "<".
        scriviFile(b.ambiente.fileIni, "[PARAMWEB]\nEX_DAT1INI=<dt>\nEX_DAT1FIN=</dt\nEX_DAT2INI=<dd>\nEX_DAT2FIN=   \n");
        b.http.pagine.insert(kExport, QStringLiteral("<dl><dt>A</dt><dd>1</dd><dt>B</dt><dd>2</dd><dt>C</dt><dd>3</dd></dl>"));
        QCOMPARE(b.interroga(kMrnE), 0);
        verificaCelle(b.web, {"T5=A", "E17=1", "T6=B", "E18=2", "T7=C", "E19=3"});
        QFile::remove(b.ambiente.fileIni);
    }
};

QTEST_GUILESS_MAIN(TestEstrazione)
#include "test_estrazione.moc"
