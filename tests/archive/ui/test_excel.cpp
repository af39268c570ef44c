// The workbook status update window driven like a user: a workbook written
// by libxlsxwriter, enquiries to the demo server.

#include "../../excel/cartelle_prova.h"
#include "archive/excel/aggiorna_excel.h"
#include "archive/excel/cartella_excel.h"
#include "archive/ui/contesto_archivio.h"
#include "archive/ui/finestra_excel.h"
#include "avviatore_registrato.h"
#include "database/stato_database.h"
#include "enquiry/ambiente_web.h"
#include "enquiry/stato_web.h"
#include "platform/http_client.h"
#include "shell/elenco_nazioni.h"
#include "shell/ui/contesto_finestre.h"
#include "shell/ui/tasti_comuni.h"

#include <QtTest>
#include <QtWidgets>

using namespace qv;
using namespace qv::prova;

namespace {

// Rows 2-4 are queried: ...E1 concluded, ...E5 pending, ...E7 an error
// page; row 1 and row 5 have their status already.
const QByteArray kCartella = "sheet Dichiarazioni\n"
                             "text 1 1 Riga\ntext 1 2 MRN\ntext 1 3 STATO\n"
                             "number 2 1 1\ntext 2 2 24IT000000000001E1\n"
                             "number 3 1 2\ntext 3 2 24IT000000000005E5\n"
                             "number 4 1 3\ntext 4 2 24IT000000000007E7\n"
                             "number 5 1 4\ntext 5 2 24IT000000000002E2\ntext 5 3 OK\n";

struct Banco {
    explicit Banco(const ServerAvviato& server) {
        shell.cartellaProgramma = cartella.path();
        ambiente.fileIni = shell.FileIni = percorso("Quorvan.ini");
        server.indirizzi(web);
        web.CartellaTemp = cartella.path() + "/";
        ambiente.http = &http;
        generaCartella(cartella.filePath("stati.xlsx"), kCartella);
        ScriviParametriExcel(shell.FileIni, {percorso("stati.xlsx"), "Dichiarazioni", 2, 3});
    }
    QString percorso(const QString& nome) const { return cartella.filePath(nome); }
    QString stato(int riga) const {
        ErroreExcel e;
        auto c = CartellaExcel::apri(percorso("stati.xlsx"), CartellaExcel::Modo::Lettura, e);
        return c ? c->foglio("Dichiarazioni", e)->testo(riga, 3) : e.descrizione;
    }

    QTemporaryDir cartella;
    MessaggiRegistrati messaggi;
    AvviatoreRegistrato avviatore;
    StatoShell shell;
    ContestoFinestre finestre{shell, messaggi, avviatore};
    TastiComuniFiltro filtro{finestre};
    platform::NetworkHttpClient http{10000};
    StatoWeb web;
    AmbienteWeb ambiente;
    StatoDatabase database;
    StatoArchivio archivio;
    ElencoNazioni nazioni;
    ContestoArchivio contesto{web, ambiente, database, archivio, nazioni};
};

std::unique_ptr<FinestraExcel> apri(Banco& b) {
    auto w = std::make_unique<FinestraExcel>(b.finestre, b.contesto);
    w->show();
    w->activateWindow();
    (void)QTest::qWaitForWindowActive(w.get());
    return w;
}

QLineEdit* campo(const QWidget* w, int i) { return w->findChild<QLineEdit*>(QString("Txt_%1").arg(i)); }
void clic(QWidget* w, const char* nome) { QTest::mouseClick(w->findChild<QWidget*>(nome), Qt::LeftButton); }
void scrivi(QWidget* w, int i, const QString& testo) {
    campo(w, i)->setFocus();
    campo(w, i)->selectAll();
    QTest::keyClick(campo(w, i), Qt::Key_Backspace);
    QTest::keyClicks(campo(w, i), testo);
}
QStringList testi(const Banco& b) {
    QStringList t;
    for (const Messaggio& m : b.messaggi.mostrati()) t << m.testo;
    return t;
}

const QString kSommario = "Elaborati 3 MRN\n" + QString(54, '-') +
                          "\n Sospesi    = 1     \n Cancellati = 0     \n Errati     = 1     \n Appurati   = 1     ";

} // namespace

class TestExcel : public QObject {
    Q_OBJECT
    ServerAvviato server;

private slots:
    void initTestCase() { QVERIFY2(server.avviato(), "quorvan-demo-server did not start"); }

    void controlliCampi_data() {
        QTest::addColumn<int>("numero");
        QTest::addColumn<QString>("testo");
        QTest::addColumn<int>("tasto");
        QTest::addColumn<QString>("messaggio");
        QTest::newRow("foglio, Tab") << 1 << "Manca" << int(Qt::Key_Tab) << "Il Folgio  'Manca'  non esiste";
        QTest::newRow("MRN, Enter") << 2 << "0" << int(Qt::Key_Return) << "Indicare la colonna con i numeri MRN";
        QTest::newRow("status, Up") << 3 << "0" << int(Qt::Key_Up) << "Indicare la colonna dove aggiornare lo STATUS";
        QTest::newRow("MRN, Down, good") << 2 << "x4" << int(Qt::Key_Down) << "";
    }
    // A field left with a wrong value: its message, its title, the focus back on it.
    void controlliCampi() {
        QFETCH(int, numero);
        QFETCH(QString, testo);
        QFETCH(int, tasto);
        QFETCH(QString, messaggio);
        Banco b(server);
        auto w = apri(b);
        scrivi(w.get(), numero, testo);
        QTest::keyClick(campo(w.get(), numero), Qt::Key(tasto));
        if (messaggio.isEmpty()) {
            QVERIFY(b.messaggi.mostrati().isEmpty());
            QCOMPARE(campo(w.get(), numero)->text(), "4"); // digits only
            QCOMPARE(QApplication::focusWidget(), campo(w.get(), numero + 1));
            return;
        }
        QCOMPARE(testi(b), QStringList{messaggio});
        QCOMPARE(b.messaggi.mostrati()[0].titolo, QString("QUORVAN -ERRORE N. %1").arg(numero));
        QCOMPARE(b.messaggi.mostrati()[0].icona, Icona::Critica);
        QCOMPARE(QApplication::focusWidget(), campo(w.get(), numero));
        // The click on AGGIORNA that left the field does nothing more.
        b.messaggi.svuota();
        clic(w.get(), "cmdM_1");
        QCOMPARE(testi(b).size(), 1);
        QCOMPARE(LeggiIni(b.shell.FileIni, "AGGEXCEL", "FOGLIO"), "Dichiarazioni");
    }

    // The blank field and the missing workbook stop the update (Alt+A, the
    // focus staying where it is) before anything is written.
    void primaDellAggiornamento() {
        Banco b(server);
        auto w = apri(b);
        campo(w.get(), 3)->clear();
        w->aggiorna();
        QCOMPARE(testi(b), QStringList{"Valore necessario"});
        QCOMPARE(QApplication::focusWidget(), campo(w.get(), 3));
        QCOMPARE(LeggiIni(b.shell.FileIni, "AGGEXCEL", "COLSTS"), "3");
        b.messaggi.svuota();
        QString cartella;
        w->sceltaFile = [&](QWidget*, const QString& c) { return cartella = c, b.percorso("nuova.xlsx"); };
        QFile::remove(b.percorso("stati.xlsx"));
        w->aggiorna();
        QCOMPARE(testi(b), QStringList{"Non esiste il file EXCEL"});
        QCOMPARE(cartella, b.cartella.path());
        QCOMPARE(w->findChild<QLabel*>("LbFile")->text(), QDir::toNativeSeparators(b.percorso("nuova.xlsx")));
    }

    void apriConProgramma_data() {
        QTest::addColumn<QString>("excel");
        QTest::newRow("configured Excel") << "EXCEL.EXE";
        QTest::newRow("desktop program") << "";
    }
    void apriConProgramma() {
        QFETCH(QString, excel);
        Banco b(server);
        b.shell.applicativi.ProgrammaExcel = excel;
        auto w = apri(b);
        clic(w.get(), "Command1");
        QCOMPARE(b.avviatore.documenti, excel.isEmpty() ? QStringList{b.percorso("stati.xlsx")} : QStringList{});
        QCOMPARE(b.avviatore.avvii.size(), excel.isEmpty() ? 0 : 1);
    }

    void excelAperto_data() {
        QTest::addColumn<int>("risposta");
        QTest::newRow("No") << int(Risposta::No);
        QTest::newRow("Yes") << int(Risposta::Si);
    }
    // A lock file beside the workbook: the question; either answer leaves it untouched.
    void excelAperto() {
        QFETCH(int, risposta);
        Banco b(server);
        scriviFile(b.percorso(".~lock.stati.xlsx#"), "x");
        const QByteArray prima = leggiFile(b.percorso("stati.xlsx"));
        auto w = apri(b);
        b.messaggi.accoda(Risposta(risposta));
        clic(w.get(), "cmdM_1");
        const auto& m = b.messaggi.mostrati();
        QVERIFY(!m.isEmpty());
        QCOMPARE(m[0].testo, "File Excel gia' aperto\nLo chiudo e continuo l'elaborazione");
        QCOMPARE(m[0].titolo, "EXCEL APERTO");
        QCOMPARE(m[0].pulsanti, Pulsanti::SiNo);
        QCOMPARE(m.size(), risposta == int(Risposta::Si) ? 2 : 1);
        QCOMPARE(leggiFile(b.percorso("stati.xlsx")), prima);
        QVERIFY(!w->findChild<QWidget*>("pctResult")->isVisible());
    }

    // The keys into the fields at opening; the run's words in the sheet, the summary, the closing message.
    void aggiornamento() {
        Banco b(server);
        auto w = apri(b);
        QCOMPARE(campo(w.get(), 1)->text() + campo(w.get(), 2)->text() + campo(w.get(), 3)->text(), "Dichiarazioni23");
        clic(w.get(), "cmdM_1");
        QCOMPARE(testi(b), QStringList{"Aggiornamento regolarmente eseguito"});
        auto* risultato = w->findChild<QLabel*>("pctResult");
        QVERIFY(risultato->isVisible() && !w->findChild<QWidget*>("pctChk")->isVisible());
        QCOMPARE(risultato->text(), kSommario);
        QVERIFY(QFontInfo(risultato->font()).fixedPitch());
        QCOMPARE(QStringList({b.stato(2), b.stato(3), b.stato(4), b.stato(5)}), QStringList({"OK", "", "ERR", "OK"}));
        const QString foto = qEnvironmentVariable("QV_FOTO_EXCEL"); // the picture for the docs
        if (!foto.isEmpty()) w->grab().save(foto);
    }

    // ANNULLA while the first MRN is queried: the run stops before the second, its word saved.
    void annulla() {
        Banco b(server);
        auto w = apri(b);
        auto* testo = w->findChild<QLineEdit*>("Text1");
        bool visto = false;
        connect(testo, &QLineEdit::textChanged, w.get(), [&](const QString& t) {
            if (visto || !t.startsWith("Interrogo MRN numero")) return;
            visto = w->findChild<QWidget*>("pctChk")->isVisible() && w->inCorso();
            clic(w.get(), "cmdAnnulla");
            QVERIFY(!w->close()); // the window stays while the run goes on
        });
        clic(w.get(), "cmdM_1");
        QVERIFY(visto);
        QCOMPARE(testi(b), QStringList{"Aggiornamento annullato dall'Operatore"});
        QVERIFY(w->findChild<QLabel*>("pctResult")->text().contains(" Appurati   = 1 "));
        QCOMPARE(b.stato(2), "OK");
        QCOMPARE(b.stato(4), "");
    }
};

QTEST_MAIN(TestExcel)
#include "test_excel.moc"
