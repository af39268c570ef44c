// The single enquiry window driven like a user, against the demo server, and its printout.

#include "banco_desktop.h"
#include "enquiry/codici_web.h"
#include "enquiry/ui/finestra_singolo_mrn.h"

#include <QPrinter>
#include <QtTest>

using namespace qv;
using namespace qv::prova;

namespace {

std::unique_ptr<FinestraSingoloMrn> apri(BancoDesktop& banco) {
    return Mostra<FinestraSingoloMrn>(banco, banco.contesto.web, banco.contesto.ambienteWeb);
}

QLineEdit* codice(const QWidget* w) {
    return controllo<QLineEdit>(w, "Text1");
}
QPushButton* analizza(const QWidget* w) {
    return controllo<QPushButton>(w, "cmdAnalizza");
}
QLabel* riga(const QWidget* w, int n) {
    return controllo<QLabel>(w, qPrintable(QString("Label2_%1").arg(n)));
}

QStringList righe(const QWidget* w) {
    QStringList r;
    for (int i = 1; i <= 19; ++i)
        if (riga(w, i)->isVisible()) r << riga(w, i)->text();
    while (!r.isEmpty() && r.last().isEmpty())
        r.removeLast();
    return r;
}

// The words of a PDF with their top left corners (points), as pdftotext places them.
QList<QPair<QString, QPointF>> paroleDelPdf(const QString& pdf) {
    QProcess p;
    p.start("pdftotext", {"-bbox", pdf, "-"});
    if (!p.waitForFinished(30000)) return {};
    static const QRegularExpression parola(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)"[^>]*>([^<]*)</word>)re");
    QList<QPair<QString, QPointF>> parole;
    for (auto it = parola.globalMatch(QString::fromUtf8(p.readAllStandardOutput())); it.hasNext();) {
        const auto m = it.next();
        parole.append({m.captured(3), QPointF(m.captured(1).toDouble(), m.captured(2).toDouble())});
    }
    return parole;
}

} // namespace

class TestSingoloMrn : public QObject {
    Q_OBJECT
    std::unique_ptr<ServerAvviato> server;

private slots:
    void initTestCase() {
        server = std::make_unique<ServerAvviato>(QStringList{"--latency", "300"});
        QVERIFY2(server->avviato(), "quorvan-demo-server did not start");
    }
    void cleanupTestCase() { server.reset(); }

    // The page options open through the opener once it is registered.
    void opensEmptyAndClosesWithF2() {
        BancoDesktop banco;
        auto w = apri(banco);
        QCOMPARE(banco.contesto.web.ContestoWeb, ContestoSingoloElemento);
        QVERIFY(codice(w.get())->text().isEmpty() && codice(w.get())->hasFocus());
        QVERIFY(!analizza(w.get())->isEnabled());
        QVERIFY(!controllo<QPushButton>(w.get(), "cmdPrt")->isEnabled());
        QVERIFY(righe(w.get()).isEmpty());
        QVERIFY(!controllo<QAction>(w.get(), "Mu_param")->isEnabled());
        QTest::keyClick(codice(w.get()), Qt::Key_F2);
        QVERIFY(!w->isVisible());
        QStringList aperture;
        banco.contesto.registra(IdFinestra::GWebPar, [&](QWidget* sopra, const QString&) {
            aperture << sopra->objectName() + ":" + banco.finestre().FinestraRiferimento->objectName();
        });
        w = apri(banco);
        controllo<QAction>(w.get(), "Mu_param")->trigger();
        QCOMPARE(aperture, QStringList{"SingoloMrn:SingoloMrn"});
        QVERIFY(banco.messaggi.mostrati().isEmpty()); // leaving the field for it checks nothing
    }

    void eighteenthCharacterMovesOn() {
        BancoDesktop banco;
        auto w = apri(banco);
        QTest::keyClicks(codice(w.get()), "24it000000000000e");
        QVERIFY(!analizza(w.get())->isEnabled());
        QCOMPARE(codice(w.get())->text(), QString("24IT000000000000E")); // typed as capitals
        QTest::keyClick(codice(w.get()), Qt::Key_1);
        QVERIFY(analizza(w.get())->isEnabled() && analizza(w.get())->hasFocus());
        QVERIFY(banco.messaggi.mostrati().isEmpty());
        QCOMPARE(w->codice(), QString("24IT000000000000E1"));
        premi(codice(w.get()), Qt::Key_Backspace);
        QVERIFY(!analizza(w.get())->isEnabled());
    }

    void leavingTheFieldChecksTheCode_data() {
        QTest::addColumn<QString>("digitato");
        QTest::addColumn<QString>("messaggio");
        QTest::newRow("incomplete, left with Tab") << "24IT0000" << "numero MRN incompleto";
        QTest::newRow("wrong kind, full: moves on") << "24IT000000000000X1" << "Tipo MRN errato (E/T)";
    }
    void leavingTheFieldChecksTheCode() {
        QFETCH(QString, digitato);
        QFETCH(QString, messaggio);
        BancoDesktop banco;
        auto w = apri(banco);
        QTest::keyClick(codice(w.get()), Qt::Key_Return); // after an enquiry "&STAMPA" takes the focus
        QTest::keyClicks(codice(w.get()), digitato);
        if (digitato.size() < 18)
            QTest::keyClick(codice(w.get()), Qt::Key_Tab); // a full one moves on by itself
        QCOMPARE(banco.testiMostrati(), QStringList{messaggio});
        QVERIFY(codice(w.get())->hasFocus());
    }

    void enterOnAnEmptyFieldAsksForAVatNumber() {
        BancoInterrogazione banco(*server);
        auto w = apri(banco);
        QTest::keyClick(codice(w.get()), Qt::Key_Return);
        QCOMPARE(righe(w.get()).value(1), QString("*** Codice VAT non indicato"));
        QCOMPARE(riga(w.get(), 2)->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
        QVERIFY(controllo<QPushButton>(w.get(), "cmdPrt")->isEnabled());
        QVERIFY(codice(w.get())->hasFocus());
        QTest::keyClick(codice(w.get()), Qt::Key_A); // typing clears the result
        QVERIFY(righe(w.get()).isEmpty());
    }

    // Controls off while the page is fetched; printed: heading on line 2, result from 14, every two.
    void exportEnquiryFetchedAndPrinted() {
        BancoInterrogazione banco(*server);
        const QString pdf = banco.cartella.filePath("esito.pdf");
        banco.finestre().preparaStampante = [&](QPrinter& p, const QString&) {
            p.setOutputFormat(QPrinter::PdfFormat);
            p.setOutputFileName(pdf);
            return true;
        };
        auto w = apri(banco);
        QTest::keyClicks(codice(w.get()), "24IT000000000000E1");
        int battiti = 0;
        bool disattivi = true;
        QTimer orologio;
        connect(&orologio, &QTimer::timeout, this, [&] {
            if (!w->occupata()) return;
            ++battiti;
            disattivi = disattivi && !codice(w.get())->isEnabled() && !analizza(w.get())->isEnabled() &&
                        !controllo<QAction>(w.get(), "Mu_end")->isEnabled();
            w->close(); // ignored while the page is awaited
            w->repaint();
        });
        orologio.start(40);
        QTest::mouseClick(analizza(w.get()), Qt::LeftButton);
        orologio.stop();
        QVERIFY2(battiti >= 3, "the event loop did not run during the request");
        QVERIFY(disattivi && w->isVisible() && codice(w.get())->isEnabled());
        const QStringList mostrate = righe(w.get());
        QCOMPARE(mostrate.size(), 3);
        QVERIFY2(mostrate.first().startsWith("Ufficio di esportazione IT277100"),
                 qPrintable(mostrate.first()));
        QCOMPARE(riga(w.get(), 2)->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
        QTest::mouseClick(controllo<QPushButton>(w.get(), "cmdPrt"), Qt::LeftButton);
        QVERIFY(codice(w.get())->hasFocus());

        const auto parole = paroleDelPdf(pdf);
        const auto cerca = [&](const QString& testo, double sotto) {
            for (const auto& p : parole)
                if (p.first == testo && p.second.y() > sotto + 0.5) return p.second;
            return QPointF(-1, -1);
        };
        const QPointF titolo = cerca("Risultato", -1);
        QVERIFY2(titolo.y() >= 0, "no heading read back from the printout");
        QCOMPARE(cerca("24IT000000000000E1", -1).y(), titolo.y());
        const QPointF prima = cerca(mostrate.first().section(' ', 0, 0), titolo.y());
        const QPointF ultima = cerca(mostrate.last().section(' ', 0, 0), prima.y());
        QVERIFY(qAbs(prima.x() - titolo.x()) < 0.5 && qAbs(ultima.x() - titolo.x()) < 0.5);
        QVERIFY(prima.y() > titolo.y()); // lines 2, 14 and 18: 12 and 16 lines down
        QVERIFY(qAbs((ultima.y() - titolo.y()) * 12 - (prima.y() - titolo.y()) * 16) < 16.0);
    }

    void printerMenuAndAPrinterThatCannotPrint() {
        BancoDesktop banco;
        auto w = apri(banco);
        banco.sceltaDialogo = "Spedizioni";
        controllo<QAction>(w.get(), "Mu_print")->trigger();
        banco.sceltaDialogo.clear(); // cancelled: nothing changes
        controllo<QAction>(w.get(), "Mu_print")->trigger();
        QCOMPARE(banco.finestre().stampanteCorrente(), QString("Spedizioni"));
        banco.finestre().preparaStampante = [](QPrinter& p, const QString&) {
            p.setOutputFormat(QPrinter::PdfFormat);
            p.setOutputFileName("/nessuna/cartella/esito.pdf");
            return true;
        };
        QTest::keyClicks(codice(w.get()), "24IT000000000000E1");
        QTest::keyClick(analizza(w.get()), Qt::Key_Return); // no HTTP client: no connection
        QTest::mouseClick(controllo<QPushButton>(w.get(), "cmdPrt"), Qt::LeftButton);
        QVERIFY2(banco.messaggi.mostrati().isEmpty(), qPrintable(banco.testiMostrati().join('|')));
        QVERIFY(w->isVisible());
    }
};

QTEST_MAIN(TestSingoloMrn)
#include "test_singolo_mrn.moc"
