// The program's start-up sequence, the one both programs run: its steps in
// their order with what each has done by then, a window part that stops it,
// and quorvan-cli on a program folder whose archive has gone missing.

#include "database/avvio_database.h"
#include "database/file_database.h"
#include "database/stato_database.h"
#include "enquiry/stato_web.h"
#include "programmi_prova.h"
#include "shell/avvio/sequenza_avvio.h"
#include "shell/elenco_nazioni.h"
#include "shell/file_ini.h"
#include "shell/messaggi.h"

#include <QTemporaryDir>
#include <QTest>

using namespace qv;

class TestSequenzaAvvio : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    QString cartella, fileIni;
    StatoWeb web;
    StatoDatabase database;
    ElencoNazioni nazioni;
    MessaggiRegistrati messaggi;

    DatiAvvio dati() { return DatiAvvio{cartella, fileIni, web, database, nazioni, messaggi}; }

private slots:
    void init() {
        cartella = dir.filePath(QTest::currentTestFunction());
        QDir().mkpath(cartella);
        web = StatoWeb();
        ChiudiDataBase(database);
        database = StatoDatabase();
        nazioni = ElencoNazioni();
    }

    void stepsInOrder() {
        QStringList passi;
        bool primoAvvioSenzaIni = false;
        GanciAvvio ganci;
        ganci.finestra = [&](PassoAvvio passo) {
            passi << NomePasso(passo);
            // A first run is told by the configuration file that is not there yet.
            if (passo == PassoAvvio::PrimoAvvio) primoAvvioSenzaIni = !QFileInfo::exists(fileIni);
            // What the password window may rely on: nations and colours loaded.
            if (passo == PassoAvvio::Password) {
                if (nazioni.CodiciNazioni.isEmpty()) passi << "nazioni mancanti";
                if (database.ColoriGriglia != kColoriGrigliaPredefiniti) passi << "colori diversi";
            }
            // The database opens only after the addresses and the temporary folder.
            if (passo == PassoAvvio::ApriDataBase && web.CartellaTemp != database.CartellaTemp)
                passi << "due cartelle temporanee";
            return true;
        };
        DatiAvvio d = dati();
        const RisultatoAvvio r = EseguiAvvio(d, ganci);
        QVERIFY(r.completato());
        QVERIFY(primoAvvioSenzaIni);
        QVERIFY(database.DatabaseAperto); // a new program folder gets its archive
        const QStringList attesi{"CartellaProgramma", "FileIni",      "PrimoAvvio",   "DimensioniFisse",
                                 "Posizione",         "Titolo",       "OpzioniPagine", "Nazioni",
                                 "Colori",            "Password",     "FileSpediti",  "Riferimento",
                                 "IndirizziWeb",      "FileDataBase", "ApriDataBase", "MenuDatabase",
                                 "NazioniCee"};
        QCOMPARE(passi, attesi);
        QCOMPARE(QDir::currentPath(), QDir(cartella).canonicalPath());
        QVERIFY(!web.UrlExport.isEmpty());
        QVERIFY(QFileInfo(web.CartellaTemp).isDir());
    }

    void aWindowPartThatSaysNoStopsTheStartUp() {
        QStringList passi;
        GanciAvvio ganci;
        ganci.finestra = [&](PassoAvvio passo) {
            passi << NomePasso(passo);
            return passo != PassoAvvio::Password; // three wrong passwords
        };
        DatiAvvio d = dati();
        const RisultatoAvvio r = EseguiAvvio(d, ganci);
        QCOMPARE(r.esito, EsitoAvvio::Interrotto);
        QCOMPARE(passi.last(), QString("Password"));
        QVERIFY(web.UrlExport.isEmpty());
        QVERIFY(!database.DatabaseAperto);
    }

    void unusableProgramFolder() {
        cartella = dir.filePath("non-esiste/davvero");
        DatiAvvio d = dati();
        QCOMPARE(EseguiAvvio(d, {}).esito, EsitoAvvio::CartellaInutilizzabile);
    }

    void cliWithTheArchiveMissing() {
        // A program folder that has run before: its stamp recorded, its archive gone.
        QTemporaryDir casa;
        const QString riferimento = cartellaProgrammi().filePath("Quorvan0.mdb");
        QVERIFY(QFileInfo::exists(riferimento));
        ScriviIni(casa.filePath("Quorvan.ini"), "AGGIORNAMENTI", "BASE",
                  TestoTimbro(TimbroRiferimento(riferimento)));
        const Esecuzione e = eseguiCli({"--home", casa.path(), "export", "csv"});
        QCOMPARE(e.stato, 3);
        QVERIFY2(e.err.contains(QDir::toNativeSeparators(casa.filePath("Quorvan.mdb")).toUtf8()), e.err);
        QVERIFY(!QFile::exists(casa.filePath("Quorvan.mdb")));
    }
};

QTEST_GUILESS_MAIN(TestSequenzaAvvio)
#include "test_sequenza_avvio.moc"
