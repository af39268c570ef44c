#include "tools/demo_server/pagine_demo.h"

#include "platform/ansi_text.h"
#include "tools/demo_server/pagine_aggiornamenti.h"

#include <QStringList>
#include <QUrlQuery>

namespace qv::demo {

namespace {

const QString kPercorsoExport = QStringLiteral("/ed/servizi/esportazione/export.htm");
const QString kPercorsoTransito = QStringLiteral("/ed/servizi/ecustoms/transito/mrn/transito.htm");
const QString kPercorsoVies = QStringLiteral("/servizi/vies/vies.htm");

// The digit a code's last character stands for: itself for a digit, else
// its character code modulo 10.
int cifraFinale(const QString& codice) {
    if (codice.isEmpty()) return 0;
    const QChar c = codice.back();
    return c.isDigit() ? c.digitValue() : c.unicode() % 10;
}

bool erroreServer(const QString& codice) {
    return codice.endsWith(QLatin1Char('Z'));
}

QString escape(const QString& testo) {
    return testo.toHtmlEscaped();
}

RispostaDemo paginaCustoms(const QString& titolo, const QString& corpo) {
    const QString html = QStringLiteral("<html>\r\n<head><title>") + titolo +
                         QStringLiteral("</title></head>\r\n<body>\r\n<h1>Agenzia delle Dogane - servizio di "
                                        "consultazione</h1>\r\n") +
                         corpo + QStringLiteral("\r\n</body>\r\n</html>\r\n");
    return {200, "text/html; charset=windows-1252", platform::toAnsi(html)};
}

RispostaDemo paginaErroreServer() {
    return {500, "text/html; charset=windows-1252",
            "<html><head><title>500 Internal Server Error</title></head>"
            "<body><h1>Internal Server Error</h1><p>The server could not complete the "
            "request.</p></body></html>\r\n"};
}

QString ufficio(int n) {
    static const QStringList uffici = {
        QStringLiteral("IT047100 - MILANO 2"),      QStringLiteral("IT277100 - MALPENSA"),
        QStringLiteral("IT261101 - VERONA"),        QStringLiteral("DE004352 - M\u00dcNCHEN"),
        QStringLiteral("FR000690 - CHAMB\u00c9RY"), QStringLiteral("CH001251 - CHIASSO"),
    };
    return uffici[n % uffici.size()];
}

RispostaDemo paginaExport(const QString& mrn) {
    if (erroreServer(mrn)) return paginaErroreServer();
    const int v = cifraFinale(mrn);
    const bool transito = mrn.size() >= 17 && mrn.at(16) == QLatin1Char('T');
    const QString titolo = QStringLiteral("Esportazione - MRN ") + escape(mrn);
    auto messaggio = [&](const QString& testo) {
        return paginaCustoms(titolo,
                             QStringLiteral("<div class=\"err\">") + testo + QStringLiteral("</div>"));
    };
    const bool conDati = transito ? (v >= 5 && v <= 8) : v <= 4;
    if (!conDati) {
        if (!transito && (v == 5 || v == 6))
            return messaggio(QStringLiteral("In attesa di ricevere il messaggio di uscita"));
        return messaggio(QStringLiteral("MRN non presente: verificare la validit&agrave; del codice"));
    }
    auto riga = [](const QString& etichetta, const QString& valore) {
        return QStringLiteral("<tr><td class=\"outexport1\">") + etichetta +
               QStringLiteral("&nbsp;</td><td class=\"outexport2\">") + valore +
               QStringLiteral("</td></tr>\r\n");
    };
    // Code ending in 0: the page leaves the exit date's label out.
    const QString etichettaUscita = v == 0 ? QString() : QStringLiteral("Data di uscita");
    QString tabella = QStringLiteral("<table>\r\n");
    tabella += riga(QStringLiteral("Ufficio di esportazione"), ufficio(v));
    tabella += riga(QStringLiteral("Ufficio di uscita"), ufficio(v + 1));
    tabella += QStringLiteral("<tr><td class=\"outexport1\">") + etichettaUscita +
               QStringLiteral("</td><td class=\"outexport2\"><strong>1") + QString::number(v) +
               QStringLiteral("/03/2025</strong></td></tr>\r\n</table>");
    return paginaCustoms(titolo, tabella);
}

RispostaDemo paginaTransito(const QString& mrn) {
    if (erroreServer(mrn)) return paginaErroreServer();
    const int v = cifraFinale(mrn);
    const QString titolo = QStringLiteral("Transito - MRN ") + escape(mrn);
    if (v == 0)
        return paginaCustoms(titolo, QStringLiteral("<div class=\"err\">Per l'MRN: <b>") + escape(mrn) +
                                         QStringLiteral("</b></p>non risultano dati di transito</p></div>"));
    if (v == 9)
        return paginaCustoms(
            titolo, QStringLiteral("<div class=\"err\">Servizio momentaneamente non disponibile</div>"));
    const int uffici = v <= 4 ? v : v - 4;
    static const QStringList ruoli = {QStringLiteral("Partenza"), QStringLiteral("Transito"),
                                      QStringLiteral("Transito"), QStringLiteral("Destinazione")};
    QString tabella =
        QStringLiteral("<table>\r\n<tr><th class=\"dati1\">Ufficio</th><th class=\"dati1\">Ruolo</th>"
                       "<th class=\"dati1\">Data</th><th class=\"dati1\">Data appuramento</th></tr>\r\n");
    for (int r = 0; r < uffici; ++r) {
        const QString ruolo = r == uffici - 1 && uffici > 1 ? ruoli[3] : ruoli[r];
        tabella += QStringLiteral("<tr><td class=\"dati2\">") + ufficio(r + 2) +
                   QStringLiteral("</td><td class=\"dati2\">") + ruolo +
                   QStringLiteral("</td><td class=\"dati2\">0") + QString::number(r + 1) +
                   QStringLiteral("/02/2025</td><td class=\"dati2\">0") + QString::number(r + 2) +
                   QStringLiteral("/02/2025</td></tr>\r\n");
    }
    tabella += QStringLiteral("</table>");
    return paginaCustoms(titolo, tabella);
}

RispostaDemo paginaVies(const QString& stato, const QString& piva) {
    const QString codice = stato + piva;
    if (erroreServer(codice)) return paginaErroreServer();
    const int v = cifraFinale(codice);
    QString corpo;
    if (v == 9) {
        corpo =
            QStringLiteral("<p class=\"vies_er\">Servizio non disponibile per lo Stato membro richiesto</p>");
    } else {
        auto riga = [](const QString& th, const QString& td) {
            return QStringLiteral("<tr><th>") + th + QStringLiteral("</th><td>") + td +
                   QStringLiteral("</td></tr>\r\n");
        };
        const bool valida = v != 8;
        corpo = QStringLiteral("<p class=\"vies_ok\">") +
                (valida ? QStringLiteral("Partita IVA valida") : QStringLiteral("Partita IVA non valida")) +
                QStringLiteral("</p>\r\n<table>\r\n") + riga(QStringLiteral("Stato membro"), escape(stato)) +
                riga(QStringLiteral("Numero IVA"), escape(piva)) +
                riga(QStringLiteral("Data della richiesta"), QStringLiteral("02/01/2025")) +
                riga(QStringLiteral("Denominazione"),
                     valida ? QStringLiteral("DITTA DIMOSTRATIVA S.R.L.") : QStringLiteral("---")) +
                riga(QStringLiteral("Indirizzo"),
                     valida ? QStringLiteral("VIA DELL'UNIT\u00c0 1 - CITT\u00c0") : QStringLiteral("---")) +
                QStringLiteral("</table>\r\n<p class=\"vies_note\">Dati forniti dallo Stato membro</p>\r\n"
                               "<p class=\"vies_date\">Data della richiesta: 02/01/2025 10:15</p>");
    }
    const QString html =
        QStringLiteral("<!DOCTYPE html>\r\n<html><head><meta charset=\"utf-8\"><title>VIES</title>"
                       "</head><body>\r\n") +
        corpo + QStringLiteral("\r\n</body></html>\r\n");
    return {200, "text/html; charset=UTF-8", html.toUtf8()};
}

} // namespace

QByteArray TestoStato(int stato) {
    switch (stato) {
    case 200:
        return "OK";
    case 400:
        return "Bad Request";
    case 404:
        return "Not Found";
    case 405:
        return "Method Not Allowed";
    case 429:
        return "Too Many Requests";
    case 500:
        return "Internal Server Error";
    case 503:
        return "Service Unavailable";
    default:
        return "Error";
    }
}

RispostaDemo RispostaErrore(int stato) {
    const QByteArray testo = QByteArray::number(stato) + ' ' + TestoStato(stato);
    return {stato, "text/plain; charset=us-ascii", testo + "\r\n"};
}

bool DaRallentare(qint64 numero, int percentuale) {
    return percentuale > 0 && numero >= 1 && ((numero - 1) * percentuale) % 100 < percentuale;
}

RispostaDemo RispostaPer(const QString& percorso, const QString& query) {
    const QUrlQuery q(query);
    if (percorso == kPercorsoExport || percorso == kPercorsoTransito) {
        const QString mrn = q.queryItemValue(QStringLiteral("mrn"), QUrl::FullyDecoded);
        if (mrn.isEmpty()) return RispostaErrore(400);
        return percorso == kPercorsoExport ? paginaExport(mrn) : paginaTransito(mrn);
    }
    if (percorso == kPercorsoVies) {
        const QString stato = q.queryItemValue(QStringLiteral("stato"), QUrl::FullyDecoded);
        const QString piva = q.queryItemValue(QStringLiteral("piva"), QUrl::FullyDecoded);
        if (q.queryItemValue(QStringLiteral("act")) != QLatin1String("piva") || stato.isEmpty())
            return RispostaErrore(400);
        return paginaVies(stato, piva);
    }
    if (const auto sito = RispostaAggiornamenti(percorso)) return *sito;
    return RispostaErrore(404);
}

} // namespace qv::demo
