#include "enquiry/pagina_web.h"

#include "shell/file_ini.h"

namespace qv {

PosizionePaginaWeb CollocaPaginaWeb(const QString& fileIni, int view, int contesto, double larghezzaSchermo,
                                    double altezzaSchermo) {
    PosizionePaginaWeb p;
    if (view != 1) return p;
    const QString sezione = QStringLiteral("FrmWeb");
    auto numero = [&](const char* chiave) {
        return ValoreNumerico(LeggiIni(fileIni, sezione, QLatin1String(chiave)));
    };
    p.top = numero("POSY");
    p.left = numero("POSX");
    p.height = numero("DIMY");
    p.width = numero("DIMX");
    if (p.top < 0 || p.top > altezzaSchermo - 400) p.top = 0;
    if (p.left < 0 || p.left > larghezzaSchermo - 600) p.left = 0;
    if (p.height < 1 || p.height > altezzaSchermo) p.height = 4000;
    if (p.width < 1 || p.width > larghezzaSchermo) p.width = 6000;
    p.minimizzata = contesto == 0;
    return p;
}

QString DidascaliaPaginaWeb(const QString& tipo, const QString& codice) {
    const QString tra = QLatin1Char('\'') + codice + QLatin1Char('\'');
    if (tipo == QLatin1String("ex")) return QStringLiteral("MRN Esportazione ") + tra;
    if (tipo == QLatin1String("tr")) return QStringLiteral("MRN Transito ") + tra;
    if (tipo == QLatin1String("pi")) return QStringLiteral("P.IVA Comunitaria ") + tra;
    return QStringLiteral("  ERRORE");
}

QString TitoloAttesaPagina() {
    return QStringLiteral("ATTESA PAGINA WEB");
}

QString DomandaAttesaPagina(const QString& tipo, const QString& codice) {
    const QString primo = tipo == QLatin1String("pi") ? QStringLiteral("Pagina WEB per VAT  ")
                                                      : QStringLiteral("Pagina WEB per MRN ");
    return primo + codice + QStringLiteral("\nnon ricevuta\nAttendi ancora?");
}

} // namespace qv
