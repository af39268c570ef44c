#include "enquiry/get_htm_page.h"

#include "enquiry/codici_web.h"
#include "enquiry/marcatori_web.h"
#include "enquiry/testo_pagina.h"
#include "platform/http_client.h"
#include "shell/messaggi.h"

namespace qv {

namespace {

const QString kInAttesa = QStringLiteral("IN ATTESA");
const QString kPerMrn = QStringLiteral("Per l'MRN: ");
const QString kFineP = QStringLiteral("</p>");

} // namespace

QString ConnessioneNonAttiva() { return QStringLiteral("# Connessione INTERNET non attiva #"); }

GetHtmPage::GetHtmPage(StatoWeb& web, const AmbienteWeb& ambiente) : web_(web), ambiente_(ambiente) {}

void GetHtmPage::plMRN(const QString& valore) {
    mrn_ = valore;
    codice_ = valore;
}

void GetHtmPage::plVAT(const QString& valore) {
    vat_ = valore;
    codice_ = valore;
}

QString GetHtmPage::pgEsito(int i) const {
    return i >= 0 && i < static_cast<int>(esito_.size()) ? TogliSpazi(esito_[i]) : QString();
}

QString GetHtmPage::pgTitolo(int i) const {
    return i >= 0 && i < static_cast<int>(titolo_.size()) ? TogliSpazi(titolo_[i]) : QString();
}

void GetHtmPage::svuota() {
    for (std::size_t i = 1; i < esito_.size(); ++i)
        esito_[i].clear();
    for (std::size_t i = 1; i < titolo_.size(); ++i)
        titolo_[i].clear();
    html_.clear();
}

bool GetHtmPage::richiedi(const QString& url) {
    if (!ambiente_.http)
        return false;
    platform::HttpResult risposta = ambiente_.http->get(url);
    if (!risposta.ok)
        return false;
    html_ = std::move(risposta.body);
    return true;
}

QString GetHtmPage::xEstraiTesto() const { return FinestraTesto(html_, pos_); }

void GetHtmPage::mostraGuasto(const GuastoEstrazione& guasto) const {
    if (ambiente_.messaggi)
        ambiente_.messaggi->mostra(guasto.testo(), QStringLiteral("QUORVAN -ERRORE N. ") + QString::number(guasto.numero()),
                                   Icona::Esclamazione, Pulsanti::Ok);
}

QString GetHtmPage::xGetPaginaMRN() {
    svuota();
    tipo_.clear();
    const QString rifiuto = ControllaMrn(mrn_);
    if (!rifiuto.isEmpty())
        return rifiuto;

    const QString indirizzoExport = IndirizzoExport(web_, mrn_);
    const QString indirizzoTransito = IndirizzoTransito(web_, mrn_);
    const bool esportazione = tipoMrn(mrn_) == TipoMrn::Esportazione;
    url_ = esportazione ? indirizzoExport : indirizzoTransito;
    tipo_ = esportazione ? QStringLiteral("ex") : QStringLiteral("tr");

    if (!richiedi(url_))
        return ConnessioneNonAttiva();
    // One flag for both pages: a transit MRN's export extraction that stops
    // before deciding leaves the transit page's verdict in place.
    bool trovato = false;
    if (esportazione) {
        xGetEsito(true, trovato);
        if (trovato)
            xSalvaPagina(indirizzoExport, QStringLiteral("ex"));
        return {};
    }
    xGetTransito(trovato);
    if (trovato)
        xSalvaPagina(indirizzoTransito, QStringLiteral("tr"));
    if (!richiedi(indirizzoExport))
        return ConnessioneNonAttiva();
    xGetEsito(false, trovato);
    if (trovato)
        xSalvaPagina(indirizzoExport, QStringLiteral("ex"));
    return {};
}

bool GetHtmPage::xGetEsito(bool principale, bool& trovato) {
    const MarcatoriWeb m = LeggiMarcatori(ambiente_.fileIni);
    try {
        pos_ = 1;
        if (CercaMarcatore(html_, pos_, m.EX_ERRINI)) {
            const QString messaggio = TestoFinoA(xEstraiTesto(), m.EX_ERRFIN);
            if (principale) {
                if (messaggio.left(9).toUpper() == kInAttesa)
                    titolo_[2] = QStringLiteral("=== ") + messaggio + QStringLiteral(" ===");
                else
                    titolo_[2] = QStringLiteral("*** ") + messaggio + QStringLiteral(" ***");
            }
            trovato = false;
            return true;
        }
        trovato = true;
        pos_ = 1;
        if (CercaMarcatore(html_, pos_, m.EX_DAT1INI))
            titolo_[5] = TestoFinoA(xEstraiTesto(), m.EX_DAT1FIN);
        if (CercaMarcatore(html_, pos_, m.EX_DAT2INI))
            esito_[17] = TestoFinoA(xEstraiTesto(), m.EX_DAT2FIN);
        if (CercaMarcatore(html_, pos_, m.EX_DAT1INI))
            titolo_[6] = TestoFinoA(xEstraiTesto(), m.EX_DAT1FIN);
        if (CercaMarcatore(html_, pos_, m.EX_DAT2INI))
            esito_[18] = TestoFinoA(xEstraiTesto(), m.EX_DAT2FIN);
        if (CercaMarcatore(html_, pos_, m.EX_DAT1INI)) {
            // The exit date's label may end at the tag instead of the usual
            // marker, and the page may leave it out altogether.
            const QString finestra = xEstraiTesto();
            QString etichetta = finestra.contains(m.EX_DAT1FIN) ? TestoFinoA(finestra, m.EX_DAT1FIN)
                                                                : TestoFinoA(finestra, QStringLiteral("<"));
            if (TogliSpazi(etichetta).isEmpty())
                etichetta = QStringLiteral("Uscita conclusa in data:");
            titolo_[7] = etichetta;
        }
        if (CercaMarcatore(html_, pos_, m.EX_DAT2INI))
            esito_[19] = TestoFinoA(xEstraiTesto(), m.EX_DAT2FIN);
        return true;
    } catch (const GuastoEstrazione& guasto) {
        mostraGuasto(guasto);
        return false;
    }
}

bool GetHtmPage::xGetTransito(bool& trovato) {
    const MarcatoriWeb m = LeggiMarcatori(ambiente_.fileIni);
    try {
        pos_ = 1;
        if (CercaMarcatore(html_, pos_, m.TR_ERRINI)) {
            const QString finestra = xEstraiTesto();
            titolo_[2] = TestoFinoA(finestra, m.TR_DAT1FIN);
            if (titolo_[2] == kPerMrn) {
                // "Per l'MRN: <code></p>reason<": the reason is a second message.
                const qsizetype p = finestra.indexOf(kFineP) + 1; // 1-based, 0 when missing
                const qsizetype e = finestra.indexOf(m.TR_DAT1FIN, p + 3) + 1;
                if (e == 0)
                    throw GuastoEstrazione{TipoGuasto::FineMancante, m.TR_DAT1FIN};
                const QString motivo = finestra.mid(p + 3, e - p - 4);
                titolo_[2] = QStringLiteral("*** ") + kPerMrn + mrn_ + QStringLiteral(" ***");
                titolo_[3] = QStringLiteral("*** ") + motivo + QStringLiteral(" ***");
            }
            trovato = false;
            return true;
        }
        trovato = true;
        pos_ = 1;
        for (int i = 1; i <= 4; ++i) {
            if (!CercaMarcatore(html_, pos_, m.TR_DAT1INI))
                break;
            titolo_[i] = TestoFinoA(xEstraiTesto(), m.TR_DAT1FIN) + QStringLiteral(":  ");
        }
        pos_ = 1;
        for (int i = 1; i <= 16; ++i) {
            if (!CercaMarcatore(html_, pos_, m.TR_DAT2INI))
                break;
            esito_[i] = TestoFinoA(xEstraiTesto(), m.TR_DAT2FIN);
        }
        return true;
    } catch (const GuastoEstrazione& guasto) {
        mostraGuasto(guasto);
        return false;
    }
}

QString GetHtmPage::xGetPaginaVAT() {
    svuota();
    if (vat_.isEmpty())
        return QStringLiteral("*** Codice VAT non indicato ");
    tipo_ = QStringLiteral("pi");
    static const ElencoNazioni nessuna;
    const QString rifiuto = ControllaVat(vat_, ambiente_.nazioni ? *ambiente_.nazioni : nessuna);
    if (!rifiuto.isEmpty())
        return rifiuto;

    url_ = IndirizzoVat(web_, vat_);
    if (!richiedi(url_))
        return ConnessioneNonAttiva();
    bool trovato = false;
    if (!xGetVat(true, trovato))
        return ConnessioneNonAttiva();
    if (trovato)
        xSalvaPagina(url_, QStringLiteral("pi"));
    return {};
}

bool GetHtmPage::xGetVat(bool principale, bool& trovato) {
    try {
        pos_ = 1;
        if (CercaMarcatore(html_, pos_, QLatin1String(vies::Errore))) {
            if (principale)
                titolo_[2] = QStringLiteral("*** ") + TestoFinoA(xEstraiTesto(), kFineP);
            trovato = false;
            return true;
        }
        trovato = true;
        pos_ = 1;
        if (CercaMarcatore(html_, pos_, QLatin1String(vies::Esito))) {
            titolo_[1] = QStringLiteral("Esito: ");
            esito_[1] = TogliSpazi(TestoFinoA(xEstraiTesto(), kFineP));
        }
        for (int i = 2; i <= 6; ++i) {
            if (CercaMarcatore(html_, pos_, QStringLiteral("<th>")))
                titolo_[i] = TogliSpazi(TestoFinoA(xEstraiTesto(), QStringLiteral("</th>")));
            if (CercaMarcatore(html_, pos_, QStringLiteral("<td>")))
                esito_[i] = TogliSpazi(TestoFinoA(xEstraiTesto(), QStringLiteral("</td>")));
        }
        if (CercaMarcatore(html_, pos_, QLatin1String(vies::Nota)))
            esito_[7] = TogliSpazi(TestoFinoA(xEstraiTesto(), kFineP));
        if (!CercaMarcatore(html_, pos_, QLatin1String(vies::Data)))
            return true;
        // The date line starts with a fixed 22-character caption.
        const QString finestra = xEstraiTesto();
        const qsizetype fine = finestra.indexOf(kFineP) + 1;
        if (fine == 0 || fine < 23)
            throw GuastoEstrazione{TipoGuasto::FineMancante, kFineP};
        esito_[8] = TogliSpazi(finestra.mid(22, fine - 23));
        return true;
    } catch (const GuastoEstrazione&) {
        return false; // a broken VIES page ends the enquiry as without connection, which the caller returns
    }
}

} // namespace qv
