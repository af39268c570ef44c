#pragma once
// One page enquiry: the code goes in through plMRN or plVAT, xGetPaginaMRN or
// xGetPaginaVAT checks it, fetches its page(s), cuts the result fields out
// and applies the page options of the current context; pgEsito and pgTitolo
// read the results. An object serves any number of enquiries one after the
// other: each starts by clearing the results.
//
// The enquiry operations return an empty text when a page was fetched and
// processed, otherwise the message: a code rejection ("*** ...") or
// "# Connessione INTERNET non attiva #" when no answer came back.

#include "enquiry/ambiente_web.h"
#include "enquiry/stato_web.h"

#include <QString>

#include <array>

namespace qv {

struct GuastoEstrazione;

// The lost-connection result of an enquiry.
QString ConnessioneNonAttiva(); // "# Connessione INTERNET non attiva #"

class GetHtmPage {
public:
    GetHtmPage(StatoWeb& web, const AmbienteWeb& ambiente);

    void plMRN(const QString& valore);
    void plVAT(const QString& valore);

    // Results of the last enquiry, trimmed; empty for an index outside 0..19 / 0..7.
    QString pgEsito(int i) const;
    QString pgTitolo(int i) const;

    // The MRN enquiry: export page for kind "E", transit page then the export
    // page of the same MRN for kind "T".
    QString xGetPaginaMRN();
    // The VIES enquiry.
    QString xGetPaginaVAT();

    // Extraction of the page held in pgHtml(). `trovato` becomes true when the
    // page carries no error marker. An export or transit extraction that
    // fails shows the failure (OK button), keeps what it filled and `trovato`
    // as it stood, and returns false. A VIES extraction that fails returns
    // false without a message: the VAT enquiry reports it as no connection.
    bool xGetEsito(bool principale, bool& trovato);
    bool xGetTransito(bool& trovato);
    bool xGetVat(bool principale, bool& trovato);

    StatoWeb& statoWeb() const { return web_; }

    // State left by the last enquiry.
    const QString& pgCodice() const { return codice_; }
    const QString& pgUrl() const { return url_; }
    const QString& pgTipo() const { return tipo_; }
    const QString& pgHtml() const { return html_; }
    int pgPos() const { return pos_; }

private:
    QString xEstraiTesto() const;
    void xSalvaPagina(const QString& url, const QString& tipo);
    bool richiedi(const QString& url);
    void svuota();
    void mostraGuasto(const GuastoEstrazione& guasto) const;

    StatoWeb& web_;
    AmbienteWeb ambiente_;

    QString mrn_;
    QString vat_;
    QString codice_;
    QString url_;
    QString tipo_;
    QString html_;
    int pos_ = 0; // 1-based, never above 32,767
    std::array<QString, 20> esito_;
    std::array<QString, 8> titolo_;
};

} // namespace qv
