// The single enquiry window driven like a user against the demo server:
// typing, leaving the field, Enter, the result lines, the printout.

#include "banco_desktop.h"
#include "dispositivo_registrato.h"
#include "enquiry/codici_web.h"
#include "enquiry/ui/finestra_singolo_mrn.h"
#include "enquiry/ui/stampa_esito.h"
#include "platform/http_client.h"
#include "programmi_prova.h"

#include <QAction>
#include <QFile>
#include <QFontMetricsF>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QtTest>

#include <memory>

using namespace qv;
using namespace qv::prova;

namespace {

// A bench whose enquiries go to a demo server.
struct BancoInterrogazione : BancoDesktop {
    explicit BancoInterrogazione(const ServerAvviato& server) {
        web.UrlExport = server.urlExport();
        web.UrlTransiti = server.urlTransiti();
        web.UrlVat = server.urlVat();
        web.UrlVatPiva = UrlVatPivaPredefinito();
        web.CartellaTemp = cartella.path() + "/";
        nazioni = CaricaElencoNazioni(shell.FileIni);
        desktop.ambienteWeb.nazioni = &nazioni;
        desktop.ambienteWeb.http = &http;
    }
    ElencoNazioni nazioni;
    platform::NetworkHttpClient http{10000};
};

QStringList righe(const FinestraSingoloMrn& w) {
    QStringList r;
    for (int i = 1; i <= 19; ++i)
        r << w.Label2[i]->text();
    while (!r.isEmpty() && r.last().isEmpty())
        r.removeLast();
    return r;
}

const QString kUguali(90, '=');

} // namespace

// One word of a PDF as pdftotext places it (points from the page's top left).
struct ParolaPdf {
    QString testo;
    double x = 0;
    double y = 0;
};

QList<ParolaPdf> paroleDelPdf(const QString& pdf) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    if (!p.waitForFinished(30000))
        return {};
    static const QRegularExpression parola(
        QStringLiteral(R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="[\d.]+" yMax="[\d.]+">([^<]*)</word>)re"));
    QList<ParolaPdf> parole;
    const QString testo = QString::fromUtf8(p.readAllStandardOutput());
    for (auto it = parola.globalMatch(testo); it.hasNext();) {
        const auto m = it.next();
        parole << ParolaPdf{m.captured(3), m.captured(1).toDouble(), m.captured(2).toDouble()};
    }
    return parole;
}

class TestSingoloMrn : public QObject {
    Q_OBJECT
    std::unique_ptr<ServerAvviato> server;

    static std::unique_ptr<FinestraSingoloMrn> apri(BancoDesktop& banco) { return Mostra<FinestraSingoloMrn>(banco); }

private slots:
    void initTestCase() {
        server = std::make_unique<ServerAvviato>(QStringList{"--latency", "300"});
        QVERIFY2(server->avviato(), "quorvan-demo-server did not start");
    }
    void cleanupTestCase() { server.reset(); }

    void opensEmpty() {
        BancoDesktop banco;
        auto w = apri(banco);
        QCOMPARE(w->windowTitle(), QString("INTERROGAZIONE STATO MRN"));
        QCOMPARE(banco.web.ContestoWeb, ContestoSingoloElemento);
        QVERIFY(w->Text1->text().isEmpty());
        QCOMPARE(w->Text1->maxLength(), 18);
        QVERIFY(!w->cmdAnalizza->isEnabled());
        QVERIFY(!w->cmdPrt->isEnabled());
        for (int i = 1; i <= 19; ++i)
            QVERIFY(w->Label2[i]->isHidden());
        // The page options window is not there yet: its entry waits.
        QVERIFY(!w->Mu_param->isEnabled());
    }

    void eighteenthCharacterMovesOn() {
        BancoDesktop banco;
        auto w = apri(banco);
        QTest::keyClicks(w->Text1, "24it000000000000e");
        QVERIFY(!w->cmdAnalizza->isEnabled());
        QVERIFY(w->Text1->hasFocus());
        QCOMPARE(w->Text1->text(), QString("24IT000000000000E")); // typed letters become capitals
        QTest::keyClick(w->Text1, Qt::Key_1);
        QVERIFY(w->cmdAnalizza->isEnabled());
        QVERIFY(w->cmdAnalizza->hasFocus());
        QVERIFY(banco.messaggi.mostrati().isEmpty());
        QCOMPARE(w->codice(), QString("24IT000000000000E1"));
        // Deleting a character disables it again.
        w->Text1->setFocus();
        QTest::keyClick(w->Text1, Qt::Key_End);
        QTest::keyClick(w->Text1, Qt::Key_Backspace);
        QVERIFY(!w->cmdAnalizza->isEnabled());
    }

    void leavingTheFieldChecksTheCode_data() {
        QTest::addColumn<QString>("digitato");
        QTest::addColumn<QString>("messaggio");
        QTest::newRow("incomplete") << "24IT0000"
                                    << "numero MRN incompleto";
        QTest::newRow("wrong kind") << "24IT000000000000X1"
                                    << "Tipo MRN errato (E/T)";
        QTest::newRow("export") << "24IT000000000000E1"
                                << "";
        QTest::newRow("transit, lower case") << "24it000000000000t1"
                                             << "";
    }
    void leavingTheFieldChecksTheCode() {
        QFETCH(QString, digitato);
        QFETCH(QString, messaggio);
        BancoDesktop banco;
        auto w = apri(banco);
        // After a first enquiry the print button can take the focus.
        QTest::keyClick(w->Text1, Qt::Key_Return);
        QVERIFY(w->cmdPrt->isEnabled());
        QTest::keyClicks(w->Text1, digitato);
        // A full field moves on by itself; a shorter one is left with Tab.
        if (digitato.size() < 18) QTest::keyClick(w->Text1, Qt::Key_Tab);
        if (messaggio.isEmpty()) {
            QVERIFY(banco.messaggi.mostrati().isEmpty());
            return;
        }
        QCOMPARE(banco.testiMostrati(), QStringList({messaggio}));
        QCOMPARE(banco.messaggi.mostrati().first().titolo, QString("Quorvan"));
        QVERIFY(w->Text1->hasFocus());
    }

    void enterOnEmptyFieldAsksForAVatNumber() {
        BancoInterrogazione banco(*server);
        auto w = apri(banco);
        QTest::keyClick(w->Text1, Qt::Key_Return);
        QCOMPARE(righe(*w), QStringList({kUguali, "*** Codice VAT non indicato", kUguali}));
        QCOMPARE(w->Label2[2]->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
        QVERIFY(w->Label2[19]->isVisible());
        QVERIFY(w->cmdPrt->isEnabled());
        QVERIFY(w->Text1->hasFocus());
    }

    void results_data() {
        QTest::addColumn<QString>("mrn");
        QTest::addColumn<QStringList>("attese");
        QTest::newRow("export: three pairs")
            << "24IT000000000000E1"
            << QStringList{"Ufficio di esportazione IT277100 - MALPENSA",
                           "Ufficio di uscita IT261101 - VERONA", "Data di uscita 11/03/2025"};
        QStringList transito;
        // Labels come trimmed from the enquiry: "Ufficio:" and a blank before the value.
        const QStringList etichette{"Ufficio:", "Ruolo:", "Data:", "Data appuramento:"};
        const QStringList righe1{"IT261101 - VERONA", "Partenza", "01/02/2025", "02/02/2025"};
        const QStringList righe2{QString::fromUtf8("DE004352 - MÜNCHEN"), "Destinazione", "02/02/2025",
                                 "03/02/2025"};
        for (int i = 0; i < 4; ++i)
            transito << etichette[i] + " " + righe1[i];
        for (int i = 0; i < 4; ++i)
            transito << etichette[i] + " " + righe2[i];
        transito << "Ufficio di esportazione IT047100 - MILANO 2"
                 << "Ufficio di uscita IT277100 - MALPENSA"
                 << "Data di uscita 16/03/2025";
        QTest::newRow("transit: two rows then the export page") << "24IT000000000000T6" << transito;
        QTest::newRow("export still pending")
            << "24IT000000000000E5" << QStringList{"=== In attesa di ricevere il messaggio di uscita ==="};
    }
    void results() {
        QFETCH(QString, mrn);
        QFETCH(QStringList, attese);
        BancoInterrogazione banco(*server);
        auto w = apri(banco);
        QTest::keyClicks(w->Text1, mrn);
        QVERIFY(w->cmdAnalizza->hasFocus());
        QTest::keyClick(w->cmdAnalizza, Qt::Key_Return);
        QCOMPARE(righe(*w), attese);
        QCOMPARE(w->Label2[2]->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
    }

    void noConnectionIsFramed() {
        BancoDesktop banco; // no HTTP client: every request fails
        auto w = apri(banco);
        QTest::keyClicks(w->Text1, "24IT000000000000E1");
        QTest::mouseClick(w->cmdAnalizza, Qt::LeftButton);
        QCOMPARE(righe(*w), QStringList({kUguali, "# Connessione INTERNET non attiva #", kUguali}));
    }

    void typingClearsTheResult() {
        BancoInterrogazione banco(*server);
        auto w = apri(banco);
        QTest::keyClick(w->Text1, Qt::Key_Return);
        QVERIFY(!righe(*w).isEmpty());
        QTest::keyClick(w->Text1, Qt::Key_A);
        QVERIFY(righe(*w).isEmpty());
        QVERIFY(w->Label2[1]->isHidden());
    }

    void windowKeepsRespondingWhileFetching() {
        BancoInterrogazione banco(*server);
        auto w = apri(banco);
        QTest::keyClicks(w->Text1, "24IT000000000000E1");
        int battiti = 0;
        bool campoDisattivo = true;
        QTimer orologio;
        connect(&orologio, &QTimer::timeout, this, [&] {
            if (!w->occupata()) return;
            ++battiti;
            campoDisattivo = campoDisattivo && !w->Text1->isEnabled() && !w->cmdAnalizza->isEnabled() &&
                             !w->Mu_end->isEnabled();
            w->close(); // ignored while the page is awaited
            w->repaint();
        });
        orologio.start(40);
        QTest::mouseClick(w->cmdAnalizza, Qt::LeftButton);
        orologio.stop();
        QVERIFY2(battiti >= 3, "the event loop did not run during the request");
        QVERIFY(campoDisattivo);
        QVERIFY(w->isVisible());
        QCOMPARE(righe(*w).size(), 3);
        QVERIFY(w->Text1->isEnabled());
    }

    void f2Closes() {
        BancoDesktop banco;
        auto w = apri(banco);
        QTest::keyClick(w->Text1, Qt::Key_F2);
        QVERIFY(!w->isVisible());
    }

    void ctrlF2AnsweredNoKeepsTheWindow() {
        BancoDesktop banco;
        auto w = apri(banco);
        QTest::keyClicks(w->Text1, "24IT");
        banco.messaggi.accoda(Risposta::No);
        QTest::keyClick(w->Text1, Qt::Key_F2, Qt::ControlModifier);
        QVERIFY(banco.terminato.isEmpty());
        QVERIFY(w->isVisible());
        QCOMPARE(w->Text1->text(), QString("24IT"));
    }

    void printerMenuChangesTheCurrentPrinter() {
        BancoDesktop banco;
        auto w = apri(banco);
        banco.sceltaDialogo = "Spedizioni";
        w->Mu_print->trigger();
        QCOMPARE(banco.desktop.stampanteCorrente(), QString("Spedizioni"));
        banco.sceltaDialogo.clear(); // cancelled: nothing changes
        w->Mu_print->trigger();
        QCOMPARE(banco.desktop.stampanteCorrente(), QString("Spedizioni"));
    }

    void printoutLinesAtCharacterCells() {
        DispositivoRegistrato foglio;
        QStringList r(19);
        r[0] = "Ufficio di esportazione IT277100 - MALPENSA   ";
        r[1] = "   "; // blank: not printed
        r[18] = "Ultima riga";
        StampaEsito(foglio, "24IT000000000000E1", r);
        const QList<TestoDisegnato>& t = foglio.motore.testi;
        QCOMPARE(t.size(), 4);
        QCOMPARE(t[0].testo, QString("Risultato MRN numero: "));
        QCOMPARE(t[1].testo, QString("24IT000000000000E1"));
        QVERIFY(t[1].carattere.bold());
        QVERIFY(!t[0].carattere.bold());
        QCOMPARE(t[2].testo, QString("Ufficio di esportazione IT277100 - MALPENSA")); // trailing blanks gone
        QCOMPARE(t[3].testo, QString("Ultima riga"));
        QCOMPARE(t[0].carattere.pointSize(), 12);

        const QFontMetricsF m(t[0].carattere, &foglio);
        const double cella = m.horizontalAdvance('H');
        const double linea = m.height();
        auto lineaDi = [&](const TestoDisegnato& x) { return (x.base.y() - m.ascent()) / linea; };
        auto colonnaDi = [&](const TestoDisegnato& x) { return x.base.x() / cella; };
        QCOMPARE(qRound(lineaDi(t[0]) * 100), 200);
        QCOMPARE(qRound(colonnaDi(t[0]) * 100), 300);
        QCOMPARE(qRound(colonnaDi(t[1]) * 100), 2800);
        QCOMPARE(qRound(lineaDi(t[1]) * 100), 200);
        QCOMPARE(qRound(lineaDi(t[2]) * 100), 1400); // line 1 at 2 * 1 + 12
        QCOMPARE(qRound(lineaDi(t[3]) * 100), 5000); // line 19 at 2 * 19 + 12
        QCOMPARE(qRound(colonnaDi(t[3]) * 100), 300);
    }

    void printsToThePrinterItIsGiven() {
        BancoInterrogazione banco(*server);
        const QString pdf = banco.cartella.filePath("esito.pdf");
        banco.desktop.preparaStampante = [&](QPrinter& p) {
            p.setOutputFormat(QPrinter::PdfFormat);
            p.setOutputFileName(pdf);
        };
        auto w = apri(banco);
        QTest::keyClicks(w->Text1, "24IT000000000000E1");
        QTest::keyClick(w->cmdAnalizza, Qt::Key_Return);
        QTest::mouseClick(w->cmdPrt, Qt::LeftButton);
        QFile f(pdf);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray contenuto = f.readAll();
        QVERIFY(contenuto.startsWith("%PDF"));
        QVERIFY(contenuto.contains("/Courier") || contenuto.contains("Mono") ||
                contenuto.contains("/FontFile"));
        QVERIFY(w->Text1->hasFocus());

        // Read the printout back: the heading on the first printed line, then
        // each result line two lines further down, all from the same column.
        const QList<ParolaPdf> parole = paroleDelPdf(pdf);
        QVERIFY2(!parole.isEmpty(), "pdftotext read nothing back from the printout");
        // The first word `testo` below `sopra` (pdftotext lists words top down).
        auto prima = [&](const QString& testo, double sopra = -1) {
            for (const ParolaPdf& p : parole)
                if (p.testo == testo && p.y > sopra + 0.5)
                    return p;
            return ParolaPdf{};
        };
        const ParolaPdf titolo = prima("Risultato");
        QVERIFY(!titolo.testo.isEmpty());
        QVERIFY(!prima("24IT000000000000E1").testo.isEmpty());
        QList<ParolaPdf> inizi; // first word of each result line
        for (int i = 1; i <= 19; ++i) {
            const QString riga = w->Label2[i]->text();
            if (riga.trimmed().isEmpty())
                continue;
            const ParolaPdf p = prima(riga.trimmed().section(' ', 0, 0), inizi.isEmpty() ? titolo.y : inizi.last().y);
            QVERIFY2(!p.testo.isEmpty(), qPrintable(riga));
            inizi << p;
        }
        QVERIFY(inizi.size() >= 3);
        const double passo = inizi[1].y - inizi[0].y;
        QVERIFY(passo > 0);
        QVERIFY(qAbs((inizi[0].y - titolo.y) - 6 * passo) < 1.0); // heading on line 2, result line 1 on 14
        for (qsizetype i = 0; i < inizi.size(); ++i) {
            QVERIFY(qAbs(inizi[i].x - titolo.x) < 0.5);
            QVERIFY(qAbs(inizi[i].y - inizi[0].y - i * passo) < 0.5);
        }
    }

    void printingWithoutAPrinterIsIgnored() {
        BancoDesktop banco;
        banco.desktop.preparaStampante = [](QPrinter& p) {
            p.setOutputFormat(QPrinter::PdfFormat);
            p.setOutputFileName("/nessuna/cartella/esito.pdf");
        };
        auto w = apri(banco);
        QTest::keyClicks(w->Text1, "24IT000000000000E1");
        QTest::keyClick(w->cmdAnalizza, Qt::Key_Return);
        QTest::mouseClick(w->cmdPrt, Qt::LeftButton);
        QVERIFY2(banco.messaggi.mostrati().isEmpty(), qPrintable(banco.testiMostrati().join("|")));
        QVERIFY(w->isVisible());
    }
};

QTEST_MAIN(TestSingoloMrn)
#include "test_singolo_mrn.moc"
