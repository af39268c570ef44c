// The update check's rules: version arithmetic and display, the entries
// listed against their applied day, the reminder; against the demo
// server's versions page (program entry 1.10.0, three update files).

#include "database/verifica_aggiornamenti.h"
#include "platform/day_number.h"
#include "platform/http_client.h"
#include "programmi_prova.h"
#include "shell/file_ini.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QtTest>

using namespace qv;

namespace {
const QString kIndirizzi = "check+Aggiornamenti/Indirizzi-2025.ini"; // released 02/12/2025
double giorno(const char* data) {
    return *platform::dayNumberFromText(data);
}
} // namespace

class TestVerificaAggiornamenti : public QObject {
    Q_OBJECT
private slots:
    void againstDemoServer_data() {
        QTest::addColumn<QString>("versione");
        QTest::addColumn<double>("applicato"); // stored for the Indirizzi file
        QTest::addColumn<int>("stato");
        QTest::addColumn<QString>("mostrate"); // running / available
        QTest::addColumn<int>("voci");
        QTest::newRow("equal version") << "1.10.0" << 0.0 << -1 << "1.10. / 1.10.0" << 0;
        QTest::newRow("1.10.0 against 1.9.5") << "1.9.5" << 0.0 << 0 << "1.9.5 / 1.10.0" << 3;
        QTest::newRow("2.0.3 shown as 2..3") << "2.0.3" << 0.0 << -1 << "2..3 / 1.10.0" << 0;
        QTest::newRow("applied on its release day: listed")
            << "1.0.0" << giorno("02/12/2025") << 0 << "1.. / 1.10.0" << 3;
        QTest::newRow("applied at release day + 0.99: not")
            << "1.0.0" << giorno("02/12/2025") + 0.99 << 0 << "1.. / 1.10.0" << 2;
    }
    void againstDemoServer() {
        QFETCH(QString, versione);
        QFETCH(double, applicato);
        ServerAvviato server;
        QVERIFY(server.avviato());
        QTemporaryDir d;
        const QString ini = d.filePath("Quorvan.ini");
        ScriviIni(ini, "AGGIORNA", "ZENTRI", server.base().mid(7));
        if (applicato > 0) ScriviIni(ini, "AGGIORNAMENTI", kIndirizzi, applicato);
        const QStringList v = versione.split('.');
        platform::NetworkHttpClient http(10000);
        const EsitoVerifica e = VerificaVersione(
            {ini, ChiaveProgramma(" quorvan "), v[0].toInt(), v[1].toInt(), v[2].toInt(), true, 0}, http);
        QFETCH(int, stato);
        QFETCH(QString, mostrate);
        QFETCH(int, voci);
        QCOMPARE(e.stato, stato);
        QCOMPARE(e.versioneAttuale + " / " + e.versioneDisponibile, mostrate);
        QCOMPARE(e.voci.size(), voci);
        if (e.voci.size() == 3) {
            QCOMPARE(e.voci[1].testo,
                     QString("Indirizzi WEB - Nuovi indirizzi di interrogazione (02/12/2025)"));
            QCOMPARE(e.voci[1].indirizzo, server.base() + "/Aggiornamenti/Indirizzi-2025.ini");
            QCOMPARE(e.paginaSito, QString("Programmi/Quorvan.htm"));
        }
    }

    void pageRules_data() {
        QTest::addColumn<QString>("pagina");
        QTest::addColumn<int>("stato");
        QTest::addColumn<QString>("paginaSito");
        QTest::addColumn<int>("voci");
        QString dodici = "<P>QUORVAN=Q.htm#1.0.1#</P>";
        for (int i = 1; i <= 12; ++i)
            dodici += QString("<P>QUORVAN:f%1.zip#xx#T%1#D</P>").arg(i); // no date: 0.99 > 0, listed
        QTest::newRow("no entry: up to date") << "<P>ALTRO=A.htm#9.0.0#</P>" << -1 << "QUORVAN.htm" << 0;
        QTest::newRow("entries of another program ignored")
            << "<P>QUORVAN=Q.htm#1.0.1#</P><P>ALTRO:a.zip#01/01/2026#A#B</P>" << 0 << "Q.htm" << 0;
        QTest::newRow("key is case-sensitive") << "<P>quorvan=Q.htm#9.0.0#</P>" << -1 << "QUORVAN.htm" << 0;
        QTest::newRow("at most ten entries") << dodici << 0 << "Q.htm" << 10;
    }
    void pageRules() {
        QFETCH(QString, pagina);
        QFETCH(int, stato);
        QFETCH(QString, paginaSito);
        QFETCH(int, voci);
        QTemporaryDir d;
        const EsitoVerifica e =
            LeggiPaginaVersioni({d.filePath("q.ini"), "QUORVAN", 1, 0, 0, true, 0}, pagina);
        QCOMPARE(e.stato, stato);
        QCOMPARE(e.paginaSito, paginaSito);
        QCOMPARE(e.voci.size(), voci);
    }

    void numbersAndTexts_data() {
        QTest::addColumn<QString>("ottenuto");
        QTest::addColumn<QString>("atteso");
        QTest::newRow("1.10.0 is 11000") << QString::number(NumeroVersione("1.10.0")) << "11000";
        QTest::newRow("1.9.5 is 10905") << QString::number(NumeroVersione(1, 9, 5)) << "10905";
        QTest::newRow("default page")
            << IndirizzoPaginaVersioni("") << "http://www.zentri.example/Aggiornamenti/Versioni.htm";
        QTest::newRow("reminder 0 days") << TestoPulsanteRicorda(0) << "&RICORDAMI AD OGNI AVVIO";
        QTest::newRow("reminder 7 days") << TestoPulsanteRicorda(7) << "&RICORDAMI FRA  7  GIORNI";
    }
    void numbersAndTexts() {
        QFETCH(QString, ottenuto);
        QFETCH(QString, atteso);
        QCOMPARE(ottenuto, atteso);
    }

    void reminderSkipsOnlyAutomaticChecks() {
        QTemporaryDir d;
        const QString ini = d.filePath("Quorvan.ini");
        ScriviIni(ini, "AGGIORNA", "ZENTRI", "127.0.0.1:1"); // nothing listens: a check that runs fails
        ScriviPromemoria(ini, "QUORVAN", 46000, 3);
        platform::NetworkHttpClient http(5000);
        RichiestaVerifica r{ini, "QUORVAN", 1, 0, 0, false, 46002};
        QCOMPARE(VerificaVersione(r, http).stato, kRinviatoDalPromemoria);
        r.oggi = 46003; // the reminder's day: checked again
        const EsitoVerifica e = VerificaVersione(r, http);
        QVERIFY(e.stato == kErroreConnessione && !e.errore.isEmpty());
        r = {ini, "QUORVAN", 1, 0, 0, true, 46002};
        QCOMPARE(VerificaVersione(r, http).stato, kErroreConnessione);
    }

    // quorvan-cli check-update: the check as a script reads it; 5 when the page cannot be read.
    void unattended() {
        ServerAvviato server;
        QVERIFY(server.avviato());
        QTemporaryDir d;
        const QString ini = d.filePath("Quorvan.ini");
        ScriviIni(ini, "AGGIORNA", "ZENTRI", server.base().mid(7));
        const Esecuzione e = eseguiCli({"--home", d.path(), "check-update", "--json"});
        QCOMPARE(e.stato, 0);
        const QJsonObject o = QJsonDocument::fromJson(e.out).object();
        QCOMPARE(o["program"].toString() + " " + o["available"].toString(), "QUORVAN 1.10.0");
        QCOMPARE(o["newVersion"].toBool(), NumeroVersione(o["running"].toString()) < 11000);
        QCOMPARE(o["updates"].toArray().size(), o["newVersion"].toBool() ? 3 : 0);
        ScriviIni(ini, "AGGIORNA", "ZENTRI", "127.0.0.1:1");
        const Esecuzione fallita = eseguiCli({"--home", d.path(), "check-update"});
        QVERIFY2(fallita.stato == 5 && fallita.err.contains("Versioni.htm"), fallita.err);
    }
};

QTEST_GUILESS_MAIN(TestVerificaAggiornamenti)
#include "test_verifica_aggiornamenti.moc"
