#include "tools/demo_server/pagine_aggiornamenti.h"

#include <QList>

namespace qv::demo {

namespace {

struct FileAggiornamento {
    const char* percorso; // on the site, without the leading "/"
    const char* data;
    const char* titolo;
    const char* descrizione;
    const char* contenuto;
};

// Newest first, as a maker would publish them.
const QList<FileAggiornamento> kFile = {
    {"Aggiornamenti/Note-1.10.0.txt", "15/01/2026", "Note di versione 1.10.0", "Novita' e correzioni",
     "Quorvan 1.10.0\r\n- verifica degli aggiornamenti\r\n- manutenzione del database\r\n"},
    {"Aggiornamenti/Indirizzi-2025.ini", "02/12/2025", "Indirizzi WEB", "Nuovi indirizzi di interrogazione",
     "[INDIRIZZIWEB]\r\n"},
    {"Aggiornamenti/Manuale.txt", "10/06/2025", "Manuale", "Manuale d'uso aggiornato",
     "Manuale d'uso di Quorvan (dimostrativo)\r\n"},
};

QByteArray paginaVersioni() {
    QByteArray p = "<HTML><HEAD><TITLE>Versioni</TITLE></HEAD><BODY>\r\n"
                   "<P>ALTROPROG=Programmi/Altro.htm#9.9.9#</P>\r\n"
                   "<P>QUORVAN=Programmi/Quorvan.htm#1.10.0#</P>\r\n";
    for (const FileAggiornamento& f : kFile)
        p += QByteArray("<P>QUORVAN:") + f.percorso + '#' + f.data + '#' + f.titolo + '#' + f.descrizione +
             "</P>\r\n";
    p += "<P>ALTROPROG:Aggiornamenti/Altro.txt#01/01/2026#Altro#Non di questo "
         "programma</P>\r\n</BODY></HTML>\r\n";
    return p;
}

} // namespace

std::optional<RispostaDemo> RispostaAggiornamenti(const QString& percorso) {
    if (percorso == QLatin1String("/Aggiornamenti/Versioni.htm"))
        return RispostaDemo{200, "text/html; charset=windows-1252", paginaVersioni()};
    for (const FileAggiornamento& f : kFile)
        if (percorso == QLatin1Char('/') + QLatin1String(f.percorso))
            return RispostaDemo{200, "application/octet-stream", f.contenuto};
    return std::nullopt;
}

} // namespace qv::demo
