// The page options applied to a page just fetched: the page window, the
// saved HTML file and viewing it in the default browser.

#include "enquiry/finestra_pagina.h"
#include "enquiry/get_htm_page.h"
#include "enquiry/testo_pagina.h"
#include "platform/ansi_text.h"
#include "platform/document_opener.h"
#include "shell/procedure_file.h"

#include <QCoreApplication>
#include <QFile>

namespace qv {

namespace {

// Writes the page as one line of Windows-1252 text ended by CR LF, through
// the shared opener (which refuses names holding characters such as "?").
bool scriviPagina(FileAperti& files, Messaggi& messaggi, const QString& percorso, const QString& html) {
    QFile::remove(percorso);
    const int numero = ApriFile(files, messaggi, percorso, files.FreeFile(), ModoFile::Output);
    if (numero == 0)
        return false;
    QFile* file = files.file(numero);
    const bool scritto = file->write(platform::toAnsi(html) + "\r\n") >= 0;
    files.Chiudi(numero);
    return scritto;
}

void lasciaPassareEventi() {
    if (QCoreApplication::instance())
        QCoreApplication::processEvents();
}

} // namespace

void GetHtmPage::xSalvaPagina(const QString& url, const QString& tipo) {
    const OpzioniPagina& o = web_.opzioniCorrenti();
    if (o.Print > 0 || (o.View != 0 && web_.IESkede == 1)) {
        // Not being able to show the window (another one is modal) is no reason
        // to stop: the options below still apply.
        if (ambiente_.finestraPagina)
            ambiente_.finestraPagina->mostraPagina(url, codice_, tipo);
    }

    // From here on every step is tried even when the one before failed.
    const bool vedi = o.View > 0 && web_.IESkede != 1;
    const QString cartella = TogliSpazi(o.DirSave);
    const bool salva = o.Save > 0 && !cartella.isEmpty();
    if (!vedi && !salva)
        return;

    QString percorso;
    if (salva) {
        percorso = cartella;
        if (!percorso.endsWith(QLatin1Char('\\')) && !percorso.endsWith(QLatin1Char('/')))
            percorso += QLatin1Char('/');
        percorso += tipo.toUpper() + QLatin1Char('_') + codice_ + QStringLiteral(".htm");
    } else {
        percorso = web_.CartellaTemp + QStringLiteral("tmp_html.htm");
    }

    FileAperti propri;
    MessaggiRegistrati muti;
    scriviPagina(ambiente_.fileAperti ? *ambiente_.fileAperti : propri,
                 ambiente_.messaggi ? *ambiente_.messaggi : static_cast<Messaggi&>(muti), percorso, html_);

    if (vedi) {
        if (ambiente_.apriDocumento)
            ambiente_.apriDocumento->open(percorso);
        lasciaPassareEventi();
    }
}

} // namespace qv
