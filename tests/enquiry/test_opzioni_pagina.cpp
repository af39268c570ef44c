// The page options applied after a page is fetched: the page window, the
// saved "EX_"/"TR_"/"PI_" files, "tmp_html.htm" and opening it, each by the
// options of the current context only.

#include "cliente_finto.h"
#include "dati_prova.h"
#include "enquiry/get_htm_page.h"
#include "enquiry/interroga_codice.h"
#include "pagine_prova.h"
#include "platform/ansi_text.h"
#include "file_prova.h"
#include "shell/elenco_nazioni.h"
#include "shell/messaggi.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace qv;
using namespace prova;

namespace {
const QString kMrnE = QStringLiteral("24IT123456789012E1");
const QString kMrnT = QStringLiteral("24IT123456789012T5");
} // namespace

class TestOpzioniPagina : public QObject {
    Q_OBJECT

    // The temporary folder outlives the bench built on it.
    struct Cartelle {
        QTemporaryDir temp;
        QTemporaryDir salvate;
    };
    struct Banco : Cartelle, BancoWeb {
        FinestraFinta finestra;
        ApritoreFinto apritore;

        Banco() : BancoWeb(temp.path()) {
            web.ContestoWeb = ContestoSingoloElemento;
            http.pagine.insert(kExport, pagine::exportDati());
            http.pagine.insert(kTransito, pagine::transito(1));
            http.pagine.insert(kVies, pagine::vies());
            ambiente.finestraPagina = &finestra;
            ambiente.apriDocumento = &apritore;
        }
        QString tmpHtml() const { return web.CartellaTemp + QStringLiteral("tmp_html.htm"); }
        QStringList fileSalvati() const { return QDir(salvate.path()).entryList(QDir::Files, QDir::Name); }
    };

private slots:
    // One context's options decide; the other contexts' are set to the
    // opposite to show they are not looked at.
    void opzioni_data() {
        QTest::addColumn<int>("view");
        QTest::addColumn<int>("save");
        QTest::addColumn<bool>("cartella");
        QTest::addColumn<int>("print");
        QTest::addColumn<int>("ieskede");
        QTest::addColumn<int>("finestre");
        QTest::addColumn<bool>("tmpHtml");
        QTest::addColumn<QStringList>("salvati");
        QTest::addColumn<int>("aperti");

        const QStringList nessuno;
        const QStringList ex = {QStringLiteral("EX_") + kMrnE + QStringLiteral(".htm")};
        QTest::newRow("nothing") << 0 << 0 << true << 0 << 0 << 0 << false << nessuno << 0;
        QTest::newRow("view in the browser") << 1 << 0 << true << 0 << 0 << 0 << true << nessuno << 1;
        QTest::newRow("view in the page window") << 1 << 0 << true << 0 << 1 << 1 << false << nessuno << 0;
        QTest::newRow("view below 0 opens the window only") << -1 << 0 << true << 0 << 1 << 1 << false << nessuno << 0;
        QTest::newRow("print") << 0 << 0 << true << 1 << 0 << 1 << false << nessuno << 0;
        QTest::newRow("save") << 0 << 1 << true << 0 << 0 << 0 << false << ex << 0;
        QTest::newRow("save and view") << 1 << 1 << true << 0 << 0 << 0 << false << ex << 1;
        QTest::newRow("save without folder") << 0 << 1 << false << 0 << 0 << 0 << false << nessuno << 0;
    }
    void opzioni() {
        QFETCH(int, view);
        QFETCH(int, save);
        QFETCH(bool, cartella);
        QFETCH(int, print);
        QFETCH(int, ieskede);
        QFETCH(int, finestre);
        QFETCH(bool, tmpHtml);
        QFETCH(QStringList, salvati);
        QFETCH(int, aperti);

        Banco b;
        for (int c = 0; c < NumeroContesti; ++c)
            b.web.Opzioni[c] = OpzioniPagina{1 - view, 1 - save, b.salvate.path(), 1 - print, 0, QString()};
        b.web.Opzioni[1] = OpzioniPagina{view, save, (cartella ? "  " + b.salvate.path() : QString()) + " ", print, 0, {}};
        b.web.IESkede = ieskede;

        QCOMPARE(b.interroga(kMrnE), 0);
        QCOMPARE(b.finestra.mostrate.size(), finestre);
        if (finestre) {
            QCOMPARE(b.finestra.mostrate[0].url, kExport + kMrnE);
            QCOMPARE(b.finestra.mostrate[0].codice, kMrnE);
            QCOMPARE(b.finestra.mostrate[0].tipo, QStringLiteral("ex"));
        }
        QCOMPARE(QFile::exists(b.tmpHtml()), tmpHtml);
        QCOMPARE(b.fileSalvati(), salvati);
        QCOMPARE(b.apritore.aperti.size(), aperti);
        if (aperti)
            QCOMPARE(b.apritore.aperti[0], tmpHtml ? b.tmpHtml() : b.salvate.filePath(salvati[0]));
        QVERIFY(b.messaggi.mostrati().isEmpty());
    }

    void contenutoDelFile() {
        Banco b;
        b.web.Opzioni[1].View = 1;
        const QString pagina = QStringLiteral("<p>citt\u00e0 \u20ac \u0107</p>\r\n<p>2</p>");
        b.http.pagine.insert(kExport, pagina);
        b.interroga(kMrnE);
        // One line of Windows-1252 text ended by CR LF; characters it lacks become "?".
        QCOMPARE(leggiFile(b.tmpHtml()), QByteArray("<p>citt\xe0 \x80 ?</p>\r\n<p>2</p>\r\n"));
        // The next page replaces it.
        b.http.pagine.insert(kExport, pagine::exportDati());
        b.interroga(kMrnE);
        QCOMPARE(leggiFile(b.tmpHtml()), platform::toAnsi(pagine::exportDati()) + "\r\n");
        QCOMPARE(b.apritore.aperti, (QStringList{b.tmpHtml(), b.tmpHtml()}));
    }

    void transitoEdExport() {
        Banco b;
        b.web.Opzioni[1].Save = 1;
        b.web.Opzioni[1].DirSave = b.salvate.path() + QLatin1Char('/');
        b.web.Opzioni[1].Print = 1;
        QCOMPARE(b.interroga(kMrnT), 0);
        QCOMPARE(b.fileSalvati(), (QStringList{"EX_" + kMrnT + ".htm", "TR_" + kMrnT + ".htm"}));
        QStringList mostrate;
        for (const PaginaMostrata& p : b.finestra.mostrate)
            mostrate << p.tipo + " " + p.url;
        QCOMPARE(mostrate, (QStringList{"tr " + kTransito + kMrnT, "ex " + kExport + kMrnT}));
    }

    void soloPagineConDati_data() {
        QTest::addColumn<QString>("codice");
        QTest::addColumn<QString>("pagina"); // transit or VIES page; null: the usual one
        QTest::addColumn<QString>("paginaExport"); // null: the usual one
        QTest::addColumn<QStringList>("salvati");
        const QString rotta = QStringLiteral("<div class=\"err\">senza fine");
        QTest::newRow("vies valid") << "IT12345678901" << QString() << QString() << QStringList{"PI_IT12345678901.htm"};
        QTest::newRow("vies error") << "IT12345678901" << pagine::viesErrore() << QString() << QStringList{};
        QTest::newRow("export message") << kMrnE << QString() << pagine::messaggio("MRN non trovato") << QStringList{};
        // A failed extraction on the data path still counts as data.
        QTest::newRow("export broken") << kMrnE << QString() << QString("") << QStringList{"EX_" + kMrnE + ".htm"};
        // A transit MRN's export extraction that fails before deciding whether
        // the page holds data leaves the transit page's verdict in force.
        QTest::newRow("transit data, export broken") << kMrnT << QString() << rotta
                                                     << QStringList{"EX_" + kMrnT + ".htm", "TR_" + kMrnT + ".htm"};
        QTest::newRow("transit message, export broken") << kMrnT << pagine::messaggio("Servizio sospeso") << rotta
                                                        << QStringList{};
    }
    void soloPagineConDati() {
        QFETCH(QString, codice);
        QFETCH(QString, pagina);
        QFETCH(QString, paginaExport);
        QFETCH(QStringList, salvati);
        Banco b;
        if (!pagina.isNull()) {
            b.http.pagine.insert(kTransito, pagina);
            b.http.pagine.insert(kVies, pagina);
        }
        if (!paginaExport.isNull())
            b.http.pagine.insert(kExport, paginaExport);
        b.web.Opzioni[1].Save = 1;
        b.web.Opzioni[1].DirSave = b.salvate.path();
        QCOMPARE(b.interroga(codice), 0);
        QCOMPARE(b.fileSalvati(), salvati);
    }

    void passoFallitoNonFermaGliAltri_data() {
        QTest::addColumn<QString>("codice");
        QTest::addColumn<QString>("cartella"); // under the folder for saved pages
        QTest::addColumn<int>("messaggi");
        QTest::newRow("name refused by the shared opener") << "IT12345678?01" << "" << 1;
        QTest::newRow("folder missing") << kMrnE << "manca/ancora" << 0;
    }
    void passoFallitoNonFermaGliAltri() {
        QFETCH(QString, codice);
        QFETCH(QString, cartella);
        QFETCH(int, messaggi);
        Banco b;
        b.web.Opzioni[1] = OpzioniPagina{1, 1, b.salvate.filePath(cartella), 0, 0, {}};
        QCOMPARE(b.interroga(codice), 0);
        QCOMPARE(b.messaggi.mostrati().size(), messaggi);
        if (messaggi)
            QCOMPARE(b.messaggi.mostrati()[0].titolo, QStringLiteral("Nome errato"));
        QVERIFY(b.fileSalvati().isEmpty());
        QVERIFY(QFileInfo(b.salvate.path()).isDir() && !QFile::exists(b.salvate.filePath("manca")));
        QCOMPARE(b.apritore.aperti.size(), 1); // the page is still shown
    }

    void senzaSeam() {
        // No page window and no opener (the CLI): the file is still written.
        Banco b;
        b.ambiente.finestraPagina = nullptr;
        b.ambiente.apriDocumento = nullptr;
        b.web.Opzioni[1].View = 1;
        b.web.Opzioni[1].Print = 1;
        QCOMPARE(b.interroga(kMrnE), 0);
        QVERIFY(QFile::exists(b.tmpHtml()));
    }
};

QTEST_GUILESS_MAIN(TestOpzioniPagina)
#include "test_opzioni_pagina.moc"
