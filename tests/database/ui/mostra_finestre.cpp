// Shows a database window with sample content and saves its picture, for the
// documentation: qv_mostra_finestre_database WINDOW file.png, WINDOW one of
// nazioni, colori, aggiornadb, riparadb, SalvaArk, RestoreArk, Aggiorna
// (under Xvfb with QT_QPA_PLATFORM=xcb, or offscreen). Aggiorna starts
// quorvan-demo-server for its versions page.

#include "banco_database.h"
#include "database/file_database.h"
#include "database/salva_ark.h"
#include "database/ui/finestra_aggiorna.h"
#include "database/ui/finestra_aggiorna_db.h"
#include "database/ui/finestra_colori.h"
#include "database/ui/finestra_nazioni.h"
#include "database/ui/finestra_ripara_db.h"
#include "database/ui/finestra_salvataggio.h"
#include "platform/http_client.h"
#include "shell/file_ini.h"

#include <QLineEdit>

using namespace qv;

namespace {
void premi(QWidget* w, const char* nome) {
    QTest::mouseClick(w->findChild<QPushButton*>(nome), Qt::LeftButton);
}
} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList a = app.arguments();
    const QStringList finestre = {"nazioni",  "colori",     "aggiornadb", "riparadb",
                                  "SalvaArk", "RestoreArk", "Aggiorna"};
    if (a.size() != 3 || !finestre.contains(a[1])) {
        qWarning("usage: qv_mostra_finestre_database "
                 "nazioni|colori|aggiornadb|riparadb|SalvaArk|RestoreArk|Aggiorna "
                 "file.png");
        return 2;
    }
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy)); // the users' short date and time
    prova::BancoDatabase b;
    std::unique_ptr<QDialog> w;
    std::unique_ptr<ServerAvviato> server;
    if (a[1] == "nazioni") {
        w = std::make_unique<FinestraNazioni>(b.contesto, b.database);
        prova::Attiva(w.get());
        auto* codice = w->findChild<QLineEdit*>("Cod1");
        QTest::keyClicks(codice, "it");
        QTest::keyClick(codice, Qt::Key_Return);
    } else if (a[1] == "colori") {
        w = std::make_unique<FinestraColori>(b.contesto, b.database, "Colori stato MRN", 1500, 1500,
                                             "IN SOSPESO,CANCELLATI,ERRATI,CONCLUSI,");
        prova::Attiva(w.get());
    } else if (a[1] == "aggiornadb") {
        // An archive one release behind: a query the reference no longer has, a field it gained.
        CreaDatabaseRiferimento(b.database.WsLavoro, PercorsoRiferimento(b.cartella.path()));
        dao::Database& db = b.database.DbLavoro;
        db.CreateQueryDef("ElencoVecchio", "SELECT * FROM MRN");
        db.CreateQueryDef("XMieiMrn", "SELECT * FROM MRN"); // the user's own: kept
        const auto nazioni = db.tabella("Nazioni");
        if (nazioni) db.DeleteField("Nazioni", nazioni->Fields.last().Name);
        b.messaggi.accoda(Risposta::Si);
        b.messaggi.accoda(Risposta::Si); // compacted as well
        w = std::make_unique<FinestraAggiornaDb>(b.contesto, b.database);
        prova::Attiva(w.get());
        premi(w.get(), "CmdEsegui");
    } else if (a[1] == "riparadb") {
        w = std::make_unique<FinestraRiparaDb>(b.contesto, b.database);
        prova::Attiva(w.get());
        premi(w.get(), "CmdEsegui");
    } else if (a[1] == "SalvaArk" || a[1] == "RestoreArk") {
        const bool salva = a[1] == "SalvaArk";
        PreparaCartellaSalvataggi(b.cartella.path());
        if (!salva)
            SalvaArchivio(b.database, b.messaggi, b.database.FileDataBase,
                          FileSalvataggio(b.cartella.path()));
        w = std::make_unique<FinestraSalvataggio>(b.contesto, b.database,
                                                  salva ? FinestraSalvataggio::Modo::Salva
                                                        : FinestraSalvataggio::Modo::Ripristina);
        prova::Attiva(w.get());
        if (salva) premi(w.get(), "cmdM_0");
    } else {
        server = std::make_unique<ServerAvviato>();
        if (!server->avviato()) return 1;
        ScriviIni(b.shell.FileIni, "AGGIORNA", "ZENTRI", server->base().mid(7));
        platform::NetworkHttpClient http(10000);
        const EsitoVerifica esito = VerificaVersione({b.shell.FileIni, "QUORVAN", 1, 0, 0, false, 0}, http);
        w = std::make_unique<FinestraAggiorna>(b.contesto, esito, false);
        prova::Attiva(w.get());
    }
    for (const QString& t : b.testi()) // what was asked and told, on stderr
        qWarning("%s", qPrintable(t));
    QTest::qWait(300);
    return w->grab().save(a[2]) ? 0 : 1;
}
