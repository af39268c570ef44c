// Enquiry benchmarks, run by hand (never by CTest):
//   bench_enquiry [--rounds N]
// 1. Extraction time per page: one InterrogaCodice on a page held in memory
//    (no network), per kind of page, with and without a configuration file
//    to read the markers from.
// 2. The cost of one enquiry over a raw loopback GET of the same page, both
//    against quorvan-demo-server started from this executable's folder.

#include "enquiry/get_htm_page.h"
#include "enquiry/interroga_codice.h"
#include "platform/http_client.h"
#include "shell/elenco_nazioni.h"
#include "shell/messaggi.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>

#include <functional>

using namespace qv;

namespace {

QTextStream out(stdout);

// Serves pages from memory, by address prefix.
class ClienteMemoria : public platform::HttpClient {
public:
    platform::HttpResult get(const QString& url) override {
        for (auto it = pagine.cbegin(); it != pagine.cend(); ++it)
            if (url.startsWith(it->first))
                return {true, it->second, {}};
        return {false, {}, QStringLiteral("no page")};
    }
    std::vector<std::pair<QString, QString>> pagine;
};

double microsecondiPerGiro(int giri, const std::function<void()>& f) {
    f(); // warm-up
    QElapsedTimer t;
    t.start();
    for (int i = 0; i < giri; ++i)
        f();
    return t.nsecsElapsed() / 1000.0 / giri;
}

QString paginaExport() {
    QString righe;
    const char* etichette[] = {"Ufficio di esportazione", "Ufficio di uscita", "Data di uscita"};
    for (const char* e : etichette)
        righe += QStringLiteral("<tr><td class=\"outexport1\">%1&nbsp;</td><td class=\"outexport2\">IT047100 - "
                                "MILANO</td></tr>\r\n").arg(QLatin1String(e));
    return QStringLiteral("<html><head><title>Esportazione</title></head><body>") + QString(4000, QLatin1Char(' ')) +
           QStringLiteral("<table>") + righe + QStringLiteral("</table></body></html>");
}

QString paginaTransito() {
    QString t = QStringLiteral("<html><body>") + QString(4000, QLatin1Char(' ')) +
                QStringLiteral("<table><tr><th class=\"dati1\">Ufficio</th><th class=\"dati1\">Ruolo</th>"
                               "<th class=\"dati1\">Data</th><th class=\"dati1\">Data appuramento</th></tr>");
    for (int r = 0; r < 4; ++r)
        t += QStringLiteral("<tr><td class=\"dati2\">IT261101</td><td class=\"dati2\">Transito</td>"
                            "<td class=\"dati2\">01/02/2025</td><td class=\"dati2\">02/02/2025</td></tr>");
    return t + QStringLiteral("</table></body></html>");
}

QString paginaVies() {
    QString t = QStringLiteral("<html><body>") + QString(4000, QLatin1Char(' ')) +
                QStringLiteral("<p class=\"vies_ok\">Partita IVA valida</p><table>");
    for (int i = 0; i < 5; ++i)
        t += QStringLiteral("<tr><th>Campo</th><td>Valore</td></tr>");
    return t + QStringLiteral("</table><p class=\"vies_note\">Nota</p>"
                              "<p class=\"vies_date\">Data della richiesta: 02/01/2025 10:15</p></body></html>");
}

void estrazione(int giri) {
    QTemporaryDir dir;
    ElencoNazioni nazioni;
    for (const auto& n : NazioniPredefinite()) {
        nazioni.CodiciNazioni << QLatin1String(n.codice);
        nazioni.LunghezzeVat << n.lunghezze;
    }
    StatoWeb web;
    web.UrlExport = QStringLiteral("http://d/e?mrn=");
    web.UrlTransiti = QStringLiteral("http://d/t?mrn=");
    web.UrlVat = QStringLiteral("http://v/vies?stato=");
    web.UrlVatPiva = QStringLiteral("&piva=");
    web.CartellaTemp = dir.path() + QLatin1Char('/');
    ClienteMemoria http;
    MessaggiRegistrati messaggi;
    AmbienteWeb a;
    a.nazioni = &nazioni;
    a.http = &http;
    a.messaggi = &messaggi;

    struct Caso {
        const char* nome;
        QString codice;
        QString pagina;
    };
    const QList<Caso> casi = {
        {"export, 3 pairs", QStringLiteral("24IT123456789012E1"), paginaExport()},
        {"transit, 4 offices (+ export page)", QStringLiteral("24IT123456789012T1"), paginaTransito()},
        {"VIES, valid", QStringLiteral("IT12345678901"), paginaVies()},
        {"export, 1 MB without markers", QStringLiteral("24IT123456789012E1"), QString(1 << 20, QLatin1Char('x'))},
    };
    // A configuration file of a realistic size: the program reads the
    // markers from it at every extraction.
    const QString ini = dir.filePath(QStringLiteral("Quorvan.ini"));
    {
        QFile f(ini);
        f.open(QIODevice::WriteOnly);
        for (int s = 0; s < 15; ++s) {
            f.write("[SEZIONE" + QByteArray::number(s) + "]\r\n");
            for (int k = 0; k < 12; ++k)
                f.write("CHIAVE" + QByteArray::number(k) + "=valore di prova\r\n");
        }
        f.write("[PARAMWEB]\r\nEX_ERRINI=class=\"err\">\r\n");
    }

    out << "Extraction per page (" << giri << " rounds, page in memory; microseconds per enquiry)\n";
    out << qSetFieldWidth(40) << Qt::left << "page" << qSetFieldWidth(14) << Qt::right << "no ini"
        << "ini 3.6 KB" << qSetFieldWidth(0) << "\n";
    for (const Caso& c : casi) {
        http.pagine = {{web.UrlExport, c.codice.contains(QLatin1Char('T')) ? paginaExport() : c.pagina},
                       {web.UrlTransiti, c.pagina},
                       {web.UrlVat, c.pagina}};
        GetHtmPage pagina(web, a);
        a.fileIni = dir.filePath(QStringLiteral("manca.ini"));
        GetHtmPage senzaIni(web, a);
        a.fileIni = ini;
        GetHtmPage conIni(web, a);
        const double us1 = microsecondiPerGiro(giri, [&] { InterrogaCodice(senzaIni, c.codice); });
        const double us2 = microsecondiPerGiro(giri, [&] { InterrogaCodice(conIni, c.codice); });
        out << qSetFieldWidth(40) << Qt::left << c.nome << qSetFieldWidth(14) << Qt::right
            << QString::number(us1, 'f', 1) << QString::number(us2, 'f', 1) << qSetFieldWidth(0) << "\n";
    }
    out << Qt::endl;
}

void sovraccarico(int giri) {
    QProcess server;
    server.start(QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("quorvan-demo-server")),
                 {QStringLiteral("--port"), QStringLiteral("0")});
    if (!server.waitForStarted(10000) || !server.waitForReadyRead(10000)) {
        out << "quorvan-demo-server did not start: overhead not measured" << Qt::endl;
        return;
    }
    const QByteArray riga = server.readLine().trimmed();
    const QString base = QStringLiteral("http://127.0.0.1:") + QString::fromLatin1(riga.mid(5));

    QTemporaryDir dir;
    ElencoNazioni nazioni;
    StatoWeb web;
    web.UrlExport = base + QStringLiteral("/ed/servizi/esportazione/export.htm?mrn=");
    web.CartellaTemp = dir.path() + QLatin1Char('/');
    platform::NetworkHttpClient http(20000);
    MessaggiRegistrati messaggi;
    AmbienteWeb a;
    a.fileIni = dir.filePath(QStringLiteral("Quorvan.ini"));
    a.nazioni = &nazioni;
    a.http = &http;
    a.messaggi = &messaggi;
    GetHtmPage pagina(web, a);
    const QString codice = QStringLiteral("24IT123456789012E1");

    const double grezzo = microsecondiPerGiro(giri, [&] { http.get(web.UrlExport + codice); });
    const double completo = microsecondiPerGiro(giri, [&] { InterrogaCodice(pagina, codice); });
    out << "Loopback, demo server, export page (" << giri << " rounds; microseconds per call)\n"
        << "  raw GET:               " << QString::number(grezzo, 'f', 1) << "\n"
        << "  InterrogaCodice:       " << QString::number(completo, 'f', 1) << "\n"
        << "  overhead of the enquiry: " << QString::number(completo - grezzo, 'f', 1) << Qt::endl;

    server.terminate();
    if (!server.waitForFinished(5000))
        server.kill();
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    int giri = 2000;
    const QStringList args = app.arguments();
    const qsizetype i = args.indexOf(QStringLiteral("--rounds"));
    if (i > 0 && i + 1 < args.size())
        giri = qMax(1, args.at(i + 1).toInt());
    estrazione(giri);
    sovraccarico(qMax(1, giri / 4));
    return 0;
}
