#include "enquiry/ui/pagina_web_desktop.h"

#include "enquiry/ui/finestra_pagina_web.h"

#include <QApplication>

namespace qv {

bool PaginaWebDesktop::mostraPagina(const QString& url, const QString& codice, const QString& tipo) {
    QWidget* sopra = QApplication::activeModalWidget();
    if (!sopra) sopra = QApplication::activeWindow();
    FinestraPaginaWeb finestra(contesto_, web_, sopra);
    finestra.plUrl(url);
    finestra.plObject(codice);
    finestra.plTipo(tipo);
    finestra.mostra();
    return true;
}

} // namespace qv
