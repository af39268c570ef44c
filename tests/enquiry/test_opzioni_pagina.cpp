// The page options applied after a page is fetched: the page window, the
// saved "EX_"/"TR_"/"PI_" files, "tmp_html.htm" and opening it, each by the
// options of the current context only.

#include "cliente_finto.h"
#include "pagine_prova.h"
#include "platform/ansi_text.h"
#include "file_prova.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

using namespace qv;
using namespace prova;

namespace {
const QString kMrnE = QStringLiteral("24IT123456789012E1");
const QString kMrnT = QStringLiteral("24IT123456789012T5");
// The options of context 1, then what they must bring about.
struct Caso { int view, save; bool cartella; int print, ieskede, finestre; bool tmpHtml, salvato; int aperti; };
} // namespace
Q_DECLARE_METATYPE(Caso)

class TestOpzioniPagina : public QObject {
    Q_OBJECT

    // The temporary folder outlives the bench built on it.
    struct Cartelle {
        QTemporaryDir temp, salvate;
    };
    struct Banco : Cartelle, BancoWeb {
        Banco() : BancoWeb(temp.path()) {
            web.ContestoWeb = ContestoSingoloElemento;
            http.pagine.insert(kExport, pagine::exportDati());
            http.pagine.insert(kTransito, pagine::transito(1));
            http.pagine.insert(kVies, pagine::vies());
        }
        QStringList fileSalvati() const { return QDir(salvate.path()).entryList(QDir::Files, QDir::Name); }
    };

private slots:
    // One context's options decide; the other contexts' are set to the
    // opposite to show they are not looked at.
    void opzioni_data() {
        QTest::addColumn<Caso>("caso");
        QTest::newRow("nothing") << Caso{0, 0, true, 0, 0, 0, false, false, 0};
        QTest::newRow("view in the browser") << Caso{1, 0, true, 0, 0, 0, true, false, 1};
        QTest::newRow("view in the page window") << Caso{1, 0, true, 0, 1, 1, false, false, 0};
        QTest::newRow("view below 0 opens the window only") << Caso{-1, 0, true, 0, 1, 1, false, false, 0};
        QTest::newRow("print") << Caso{0, 0, true, 1, 0, 1, false, false, 0};
        QTest::newRow("save") << Caso{0, 1, true, 0, 0, 0, false, true, 0};
        QTest::newRow("save and view opens the saved file") << Caso{1, 1, true, 0, 0, 0, false, true, 1};
        QTest::newRow("save without folder") << Caso{0, 1, false, 0, 0, 0, false, false, 0};
    }
    void opzioni() {
        QFETCH(Caso, caso);
        Banco b;
        for (int c = 0; c < NumeroContesti; ++c)
            b.web.Opzioni[c] = OpzioniPagina{1 - caso.view, 1 - caso.save, b.salvate.path(), 1 - caso.print, 0, {}};
        const QString cartella = (caso.cartella ? "  " + b.salvate.path() : QString()) + " ";
        b.web.Opzioni[1] = OpzioniPagina{caso.view, caso.save, cartella, caso.print, 0, {}};
        b.web.IESkede = caso.ieskede;
        QCOMPARE(b.interroga(kMrnE), 0);
        QCOMPARE(b.finestra.mostrate.size(), caso.finestre);
        QCOMPARE(QFile::exists(b.tmpHtml()), caso.tmpHtml);
        const QString salvato = b.salvate.filePath("EX_" + kMrnE + ".htm");
        QCOMPARE(b.fileSalvati(), caso.salvato ? QStringList{QFileInfo(salvato).fileName()} : QStringList{});
        QCOMPARE(b.apritore.aperti, caso.aperti ? QStringList{caso.tmpHtml ? b.tmpHtml() : salvato} : QStringList{});
        QVERIFY(b.messaggi.mostrati().isEmpty());
    }

    // Without page window and opener (the CLI) the file is still written: one
    // line of Windows-1252 text ended by CR LF, replaced by the next page.
    void contenutoDelFile() {
        Banco b;
        b.ambiente.finestraPagina = nullptr;
        b.ambiente.apriDocumento = nullptr;
        b.web.Opzioni[1] = OpzioniPagina{1, 0, {}, 1, 0, {}};
        b.http.pagine.insert(kExport, QStringLiteral("<p>citt\u00e0 \u20ac \u0107</p>\r\n<p>2</p>"));
        QCOMPARE(b.interroga(kMrnE), 0);
        QCOMPARE(leggiFile(b.tmpHtml()), QByteArray("<p>citt\xe0 \x80 ?</p>\r\n<p>2</p>\r\n"));
        b.http.pagine.insert(kExport, pagine::exportDati());
        b.interroga(kMrnE);
        QCOMPARE(leggiFile(b.tmpHtml()), platform::toAnsi(pagine::exportDati()) + "\r\n");
    }

    // Saved and shown (Print1) are only the pages with data, each under its own kind and address.
    void soloPagineConDati_data() {
        QTest::addColumn<QString>("codice");
        QTest::addColumn<QString>("pagina"); // transit or VIES page; null: the usual one
        QTest::addColumn<QString>("paginaExport"); // null: the usual one
        QTest::addColumn<QStringList>("salvati");
        QTest::addColumn<QStringList>("mostrate");
        const QString rotta = QStringLiteral("<div class=\"err\">senza fine");
        QTest::newRow("vies valid") << "IT12345678901" << QString() << QString() << QStringList{"PI_IT12345678901.htm"}
                                    << QStringList{"pi " + kVies + "IT&piva=12345678901"};
        QTest::newRow("vies error") << "IT12345678901" << pagine::viesErrore() << QString() << QStringList{}
                                    << QStringList{};
        // A failed extraction on the data path still counts as data.
        QTest::newRow("export broken") << kMrnE << QString() << QString("") << QStringList{"EX_" + kMrnE + ".htm"}
                                       << QStringList{"ex " + kExport + kMrnE};
        // A transit MRN's export extraction that fails before deciding whether
        // the page holds data leaves the transit page's verdict in force.
        QTest::newRow("transit data, export broken")
            << kMrnT << QString() << rotta << QStringList{"EX_" + kMrnT + ".htm", "TR_" + kMrnT + ".htm"}
            << QStringList{"tr " + kTransito + kMrnT, "ex " + kExport + kMrnT};
        QTest::newRow("transit data, export message") << kMrnT << QString() << pagine::messaggio("Non esportato")
                                                      << QStringList{"TR_" + kMrnT + ".htm"}
                                                      << QStringList{"tr " + kTransito + kMrnT};
        QTest::newRow("transit message, export broken") << kMrnT << pagine::messaggio("Servizio sospeso") << rotta
                                                        << QStringList{} << QStringList{};
    }
    void soloPagineConDati() {
        QFETCH(QString, codice);
        QFETCH(QString, pagina);
        QFETCH(QString, paginaExport);
        Banco b;
        if (!pagina.isNull())
            for (const QString& indirizzo : {kTransito, kVies})
                b.http.pagine.insert(indirizzo, pagina);
        if (!paginaExport.isNull())
            b.http.pagine.insert(kExport, paginaExport);
        b.web.Opzioni[1] = OpzioniPagina{0, 1, b.salvate.path(), 1, 0, {}};
        QCOMPARE(b.interroga(codice), 0);
        QTEST(b.fileSalvati(), "salvati");
        QTEST(b.finestra.mostrate, "mostrate");
    }

    void passoFallitoNonFermaGliAltri_data() {
        QTest::addColumn<QString>("codice");
        QTest::addColumn<QString>("cartella"); // under the folder for saved pages
        QTest::addColumn<int>("messaggi"); // the refusal itself is the shared opener's (base_procedure_file)
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
        QVERIFY(b.fileSalvati().isEmpty());
        QVERIFY(QFileInfo(b.salvate.path()).isDir() && !QFile::exists(b.salvate.filePath("manca")));
        QCOMPARE(b.apritore.aperti.size(), 1); // the page is still shown
    }
};

QTEST_GUILESS_MAIN(TestOpzioniPagina)
#include "test_opzioni_pagina.moc"
