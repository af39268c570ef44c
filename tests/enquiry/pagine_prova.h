#pragma once
// Pages in the agencies' default marker format, built piece by piece so that
// each test can leave out or spoil exactly one part.

#include <QString>
#include <QStringList>

namespace pagine {

inline QString avvolgi(const QString& corpo) {
    return QStringLiteral("<html><head><title>Servizio</title></head>\r\n<body>\r\n") + corpo +
           QStringLiteral("\r\n</body></html>\r\n");
}

inline QString coppiaExport(const QString& etichetta, const QString& valore, bool nbsp = true) {
    return QStringLiteral("<tr><td class=\"outexport1\">") + etichetta + (nbsp ? QStringLiteral("&nbsp;") : QString()) +
           QStringLiteral("</td><td class=\"outexport2\">") + valore + QStringLiteral("</td></tr>\r\n");
}

inline QString exportDati(const QString& terza = QStringLiteral("Uscita il"), bool nbspTerza = true) {
    return avvolgi(QStringLiteral("<table>\r\n") + coppiaExport(QStringLiteral("Ufficio di esportazione"), QStringLiteral("IT047100")) +
                   coppiaExport(QStringLiteral("Ufficio di uscita"), QStringLiteral("IT277100")) +
                   coppiaExport(terza, QStringLiteral("<strong>14/03/2025</strong>"), nbspTerza) +
                   QStringLiteral("</table>"));
}

inline QString messaggio(const QString& testo) {
    return avvolgi(QStringLiteral("<div class=\"err\">") + testo + QStringLiteral("</div>"));
}

inline QString transito(int righe) {
    QString t = QStringLiteral("<table><tr><th class=\"dati1\">Ufficio</th><th class=\"dati1\">Ruolo</th>"
                               "<th class=\"dati1\">Data</th><th class=\"dati1\">Appuramento</th></tr>\r\n");
    for (int r = 1; r <= righe; ++r) {
        const QString v = QStringLiteral("<td class=\"dati2\">V") + QString::number(r);
        t += "<tr>" + v + "1</td>" + v + "2</td>" + v + "3</td>" + v + "4</td></tr>\r\n";
    }
    return avvolgi(t + QStringLiteral("</table>"));
}

// A valid VIES answer; `data` null leaves the request date out.
inline QString vies(const QString& data = QStringLiteral("Data della richiesta: 02/01/2025 10:15</p>")) {
    QString t = QStringLiteral("<p class=\"vies_ok\">Partita IVA valida</p>\r\n<table>\r\n");
    const QStringList th = {QStringLiteral("Stato"), QStringLiteral("Numero"), QStringLiteral("Data"),
                            QStringLiteral("Nome"), QStringLiteral("Indirizzo")};
    for (int i = 0; i < th.size(); ++i)
        t += QStringLiteral("<tr><th> ") + th[i] + QStringLiteral(" </th><td> D%1 </td></tr>\r\n").arg(i + 2);
    t += QStringLiteral("</table>\r\n<p class=\"vies_note\"> Nota del servizio </p>\r\n");
    if (!data.isNull())
        t += QStringLiteral("<p class=\"vies_date\">") + data;
    return avvolgi(t);
}

inline QString viesErrore() { return avvolgi(QStringLiteral("<p class=\"vies_er\">Servizio non disponibile</p>")); }

} // namespace pagine
