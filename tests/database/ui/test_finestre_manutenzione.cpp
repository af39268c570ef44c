// The maintenance windows and the update window driven as a user: their
// wiring to the core (paths, log and its colours, labels, buttons, panels).

#include "aiuto_database.h"
#include "avviatore_registrato.h"
#include "banco_database.h"
#include "database/compatta_db.h"
#include "database/salva_ark.h"
#include "database/ui/finestra_aggiorna.h"
#include "database/ui/finestra_aggiorna_db.h"
#include "database/ui/finestra_colori.h"
#include "database/ui/finestra_ripara_db.h"
#include "database/ui/finestra_salvataggio.h"
#include "platform/http_client.h"
#include "shell/file_ini.h"

#include <QtWidgets>

using namespace qv;
using namespace qv::prova;

namespace {
template <class T = QPushButton> T* w_(QWidget* w, const char* nome) {
    return w->findChild<T*>(nome);
}
QStringList righe(QWidget* w) {
    QStringList r;
    auto* l = w_<QListWidget>(w, "List1");
    for (int i = 0; i < l->count(); ++i)
        r << l->item(i)->text();
    return r;
}
QColor sfondo(QWidget* w) {
    return w_<QListWidget>(w, "List1")->palette().color(QPalette::Base);
}
void batti(QLineEdit* campo, const QString& testo) { // the field emptied, typed, left with Tab
    campo->setFocus();
    campo->selectAll();
    QTest::keyClicks(campo, testo);
    QTest::keyClick(campo, Qt::Key_Tab);
    QTest::qWait(20);
}
} // namespace

class TestFinestreManutenzione : public QObject {
    Q_OBJECT
private slots:
    void upgradeManual_data() {
        QTest::addColumn<bool>("compatta");
        QTest::newRow("compaction declined") << false;
        QTest::newRow("compaction with a leftover ~.mdb") << true;
    }
    void upgradeManual() {
        QFETCH(bool, compatta);
        BancoDatabase b;
        const QString riferimento = PercorsoRiferimento(b.cartella.path());
        CreaDatabaseRiferimento(b.database.WsLavoro, riferimento);
        if (compatta) QFile(FileCompattamento(b.database.FileDataBase)).open(QIODevice::WriteOnly);
        FinestraAggiornaDb w(b.contesto, b.database);
        QStringList titoli;
        w.sceltaFile = [&](QWidget*, const QString& t) { return titoli << t, riferimento; };
        Attiva(&w);
        QVERIFY(!w.automatico());
        auto* testo1 = w_<QLineEdit>(&w, "Text1");
        batti(testo1, "nessuno.mdb");
        QCOMPARE(b.testi(), QStringList{"DataBase aggiornato inesistente / Quorvan"});
        QVERIFY(!w_(&w, "CmdEsegui")->isEnabled() && testo1->hasFocus());
        QTest::keyClick(testo1, Qt::Key_F4);
        QTest::keyClick(testo1, Qt::Key_Tab);
        QTest::qWait(20);
        QVERIFY(testo1->text() == riferimento && titoli == QStringList{"DataBase Completo"});
        QVERIFY(w_(&w, "CmdEsegui")->isEnabled());
        b.messaggi.svuota();
        b.messaggi.accoda(Risposta::Si);                           // "Vuoi aggiornare ..."
        b.messaggi.accoda(compatta ? Risposta::Si : Risposta::No); // the compaction
        QTest::mouseClick(w_(&w, "CmdEsegui"), Qt::LeftButton);
        QCOMPARE(righe(&w).mid(0, 2),
                 QStringList({"", "------------- Aggiornamento   :   " + b.database.FileDataBase}));
        QCOMPARE(b.messaggi.mostrati().value(1).titolo, QString("Compattamento DataBase"));
        QVERIFY(!testo1->isEnabled() && !w_<QLineEdit>(&w, "Text2")->isEnabled() &&
                !w_(&w, "CmdEsegui")->isEnabled());
        QCOMPARE(righe(&w).last().endsWith(" NON compattato"), compatta);
        QCOMPARE(sfondo(&w) == ColoreDaRgb(qint32(kSfondoRiuscito)), !compatta);
        QCOMPARE(b.database.DatabaseAperto, !compatta);
        QTest::mouseClick(w_(&w, "CmdEnd"), Qt::LeftButton);
        QVERIFY(!w.isVisible() && b.database.StatoChiamata == 0);
    }

    void upgradeAutomatic_data() {
        QTest::addColumn<bool>("conRiferimento");
        QTest::newRow("runs as it becomes active") << true;
        QTest::newRow("no reference: not done") << false;
    }
    void upgradeAutomatic() {
        QFETCH(bool, conRiferimento);
        BancoDatabase b;
        ChiudiDataBase(b.database); // start-up: not open yet
        b.database.DatabaseAperto = false;
        if (conRiferimento)
            CreaDatabaseRiferimento(b.database.WsLavoro, PercorsoRiferimento(b.cartella.path()));
        b.database.StatoChiamata = 1;
        FinestraAggiornaDb w(b.contesto, b.database);
        Attiva(&w);
        QVERIFY(w.automatico());
        QTRY_VERIFY(w_(&w, "CmdEnd")->hasFocus());
        QCOMPARE(b.messaggi.mostrati().isEmpty(), conRiferimento); // no question, no compaction
        QCOMPARE(sfondo(&w) == ColoreDaRgb(qint32(kSfondoRiuscito)), conRiferimento);
        QTest::keyClick(&w, Qt::Key_F2);
        QVERIFY(!w.isVisible());
        QCOMPARE(b.database.StatoChiamata == 0, conRiferimento);
    }

    void repair() {
        BancoDatabase b;
        FinestraRiparaDb w(b.contesto, b.database);
        Attiva(&w);
        auto* testo1 = w_<QLineEdit>(&w, "Text1");
        QCOMPARE(testo1->text(), b.database.FileDataBase);
        batti(testo1, "nessuno.mdb");
        QVERIFY(b.testi() == QStringList{"DataBase da recuperare inesistente / Quorvan"} && testo1->hasFocus());
        testo1->setText(b.database.FileDataBase);
        QTest::mouseClick(w_(&w, "CmdEsegui"), Qt::LeftButton);
        QCOMPARE(righe(&w).last(), b.database.FileDataBase + " recuperato");
        QVERIFY(sfondo(&w) == ColoreDaRgb(qint32(kSfondoRiuscito)) && b.database.DatabaseAperto);
        // Held by another process: the engine's text, the log red, the file left alone.
        AltroProcesso altro(b.database.FileDataBase, "esclusivo");
        QVERIFY(altro.pronto());
        b.messaggi.svuota();
        QTest::mouseClick(w_(&w, "CmdEsegui"), Qt::LeftButton);
        QVERIFY(b.testi().value(0).startsWith(QString::fromUtf8("Si è tentato di aprire un database già aperto in modo "
                                                                 "esclusivo da un altro utente o processo")));
        QVERIFY(!righe(&w).last().endsWith(" recuperato") && sfondo(&w) != ColoreDaRgb(qint32(kSfondoRiuscito)));
        QVERIFY(QFileInfo(b.database.FileDataBase).isFile());
    }

    void saveThenRestore() {
        BancoDatabase b;
        const QString salvato = FileSalvataggio(b.cartella.path());
        const auto apri = [&](FinestraSalvataggio::Modo modo) {
            auto w = std::make_unique<FinestraSalvataggio>(b.contesto, b.database, modo);
            Attiva(w.get());
            return w;
        };
        auto r = apri(FinestraSalvataggio::Modo::Ripristina); // nothing saved yet
        QVERIFY(!w_(r.get(), "cmdM_0")->isEnabled() && !w_(r.get(), "cmdM_1")->isEnabled());
        QVERIFY(w_<QLabel>(r.get(), "Lbdata")->text().trimmed().isEmpty());
        QTest::mouseClick(w_(r.get(), "cmdM_2"), Qt::LeftButton);
        QVERIFY(!r->isVisible());

        auto s = apri(FinestraSalvataggio::Modo::Salva);
        QVERIFY(QFileInfo(CartellaSalvataggi(b.cartella.path())).isDir());
        QCOMPARE(w_<QLabel>(s.get(), "LbFile_1")->text(), salvato);
        QTest::mouseClick(w_(s.get(), "cmdM_1"), Qt::LeftButton);
        QCOMPARE(b.testi(), QStringList{"NESSUN PROGRAMMA DI BACKUP IMPOSTATO / Quorvan"});
        QTest::mouseClick(w_(s.get(), "cmdM_0"), Qt::LeftButton);
        QVERIFY(QFileInfo::exists(salvato) && b.database.DatabaseAperto);
        QCOMPARE(w_<QLabel>(s.get(), "LbFile_0")->palette().color(QPalette::Window), QColor(128, 255, 128));

        ScriviIni(b.shell.FileIni, "APPLICATIVI", "BACKUP", b.cartella.filePath("nessun-programma"));
        b.messaggi.svuota();
        r = apri(FinestraSalvataggio::Modo::Ripristina);
        QVERIFY(!w_<QLabel>(r.get(), "Lbdata")->text().trimmed().isEmpty() &&
                w_(r.get(), "cmdM_0")->isEnabled());
        QTest::mouseClick(w_(r.get(), "cmdM_1"), Qt::LeftButton);
        QCOMPARE(b.testi(), QStringList{b.cartella.filePath("nessun-programma") + "  NON TROVATO / Quorvan"});
        QTest::mouseClick(w_(r.get(), "cmdM_0"), Qt::LeftButton);
        QVERIFY(QFileInfo::exists(FilePrimaDelRipristino(b.database.FileDataBase)) &&
                b.database.DatabaseAperto);
    }

    void updateWindow_data() {
        QTest::addColumn<QString>("versione");
        QTest::addColumn<bool>("esplicito");
        QTest::addColumn<QString>("titolo");
        QTest::addColumn<QString>("pannello");
        QTest::newRow("new version, automatic") << "1.9.5" << false << "DISPONIBILE NUOVO AGGIORNAMENTO"
                                                << "pctNuovo";
        QTest::newRow("new version, asked") << "1.9.5" << true << "DISPONIBILE NUOVO AGGIORNAMENTO"
                                            << "pctNuovo";
        QTest::newRow("equal version") << "1.10.0" << true << "PROGRAMMA AGGIORNATO"
                                       << "pctAggiornato";
        QTest::newRow("no server") << "" << true << "ERRORE IN CONNESSIONE"
                                   << "pctErrore";
    }
    void updateWindow() {
        QFETCH(QString, versione);
        QFETCH(bool, esplicito);
        QFETCH(QString, titolo);
        QFETCH(QString, pannello);
        BancoDatabase b(false);
        AvviatoreRegistrato avviatore;
        ContestoFinestre c(b.shell, b.messaggi, avviatore);
        QList<int> terminato;
        c.terminaProgramma = [&](int codice) { terminato << codice; };
        ServerAvviato server;
        QVERIFY(server.avviato());
        ScriviIni(b.shell.FileIni, "AGGIORNA", "ZENTRI",
                  versione.isEmpty() ? "127.0.0.1:1" : server.base().mid(7));
        const QStringList v = versione.split('.');
        platform::NetworkHttpClient http(10000);
        const EsitoVerifica esito = VerificaVersione(
            {b.shell.FileIni, "QUORVAN", v.value(0).toInt(), v.value(1).toInt(), v.value(2).toInt(), true, 0},
            http);
        FinestraAggiorna w(c, esito, esplicito);
        Attiva(&w);
        QCOMPARE(w.windowTitle(), titolo);
        QCOMPARE(w.findChild<QFrame*>(pannello)->isVisible(), true);
        if (pannello == "pctErrore") QVERIFY(!w_<QLabel>(&w, "lbMessErr")->text().isEmpty());
        if (pannello != "pctNuovo") return;
        QCOMPARE(w_<QFrame>(&w, "pctRicorda")->isVisible(), !esplicito);
        QCOMPARE(w.findChildren<QLabel*>(QRegularExpression("^lbAgg_")).size(), 3);
        auto* voce = w_<QLabel>(&w, "lbAgg_2");
        QEvent entra(QEvent::Enter);
        QApplication::sendEvent(voce, &entra);
        QCOMPARE(QList<QColor>({w_<QLabel>(&w, "lbAgg_1")->palette().color(QPalette::WindowText),
                                voce->palette().color(QPalette::WindowText)}),
                 QList<QColor>({QColor(0, 0, 128), QColor(255, 0, 0)}));
        QTemporaryDir scaricati;
        w.cartellaScaricamenti = scaricati.path();
        QTest::mouseClick(voce, Qt::LeftButton); // downloaded, then the folder opened (Yes)
        QVERIFY(QFileInfo(scaricati.filePath("Indirizzi-2025.ini")).size() > 0);
        QTest::mouseClick(w_(&w, "cmdAggiorna_0"), Qt::LeftButton);
        QTest::mouseClick(w_(&w, "cmdAggiorna_1"), Qt::LeftButton);
        QCOMPARE(avviatore.documenti,
                 QStringList({scaricati.path(), "http://www.zentri.example/Programmi/Quorvan.htm",
                              "http://www.zentri.example/Programmi/ZentriSWAgg.exe"}));
        QCOMPARE(terminato, QList<int>{0});
        if (esplicito) return;
        auto* giorni = w_<QComboBox>(&w, "cmbNum");
        QVERIFY(giorni->count() == 16 && giorni->currentText() == "00");
        giorni->setCurrentIndex(7);
        QCOMPARE(w_(&w, "cmdRicorda")->text(), QString("&RICORDAMI FRA  7  GIORNI"));
        QTest::mouseClick(w_(&w, "cmdRicorda"), Qt::LeftButton);
        QVERIFY(!w.isVisible());
        QCOMPARE(ValoreNumerico(LeggiIni(b.shell.FileIni, "AGGIORNA", "QUORVAN")), GiornoDiOggi() + 7);
    }
};

QTEST_MAIN(TestFinestreManutenzione)
#include "test_finestre_manutenzione.moc"
