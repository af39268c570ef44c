#include "archive/interrogazioni_parallele.h"

#include "archive/regole_attesa.h"
#include "enquiry/ambiente_web.h"
#include "enquiry/codici_web.h"
#include "enquiry/get_htm_page.h"
#include "enquiry/interroga_codice.h"
#include "enquiry/stato_web.h"
#include "shell/elenco_nazioni.h"

#include <QCoreApplication>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QPointer>
#include <QTimer>
#include <QUrl>

#include <deque>
#include <vector>

namespace qv {

// ---- the real network ----

TrasportoRete::TrasportoRete(int secondiAttesa)
    : timeoutMs_(secondiAttesa > 0 ? secondiAttesa * 1000 : platform::NetworkHttpClient::kDefaultTimeoutMs),
      manager_{std::make_unique<QNetworkAccessManager>(), std::make_unique<QNetworkAccessManager>()},
      contesto_(std::make_unique<QObject>()) {}

TrasportoRete::~TrasportoRete() {
    interrompi();
}

void TrasportoRete::richiedi(const QString& url, std::function<void(const platform::HttpResult&)> fatto) {
    const QUrl indirizzo(url);
    if (!indirizzo.isValid() || indirizzo.scheme().isEmpty() || indirizzo.host().isEmpty()) {
        QTimer::singleShot(0, contesto_.get(), [fatto] {
            platform::HttpResult r;
            r.error = QStringLiteral("invalid address");
            fatto(r);
        });
        return;
    }
    QNetworkAccessManager& manager = *manager_[prossimoManager_];
    prossimoManager_ = 1 - prossimoManager_;
    QNetworkReply* reply = manager.get(platform::requestFor(indirizzo));
    auto* scadenza = new QTimer(reply);
    scadenza->setSingleShot(true);
    QObject::connect(scadenza, &QTimer::timeout, reply, [reply] {
        reply->setProperty("scaduta", true);
        reply->abort();
    });
    scadenza->start(timeoutMs_);
    QObject::connect(reply, &QNetworkReply::finished, contesto_.get(), [this, reply, fatto] {
        const platform::HttpResult r = platform::resultOf(reply, reply->property("scaduta").toBool());
        // Deleted from here would pull the reply from under its own signal;
        // deleteLater would wait for an event loop the CLI never runs.
        finite_.push_back(reply);
        fatto(r);
    });
}

void TrasportoRete::dopo(int ms, std::function<void()> azione) {
    QTimer::singleShot(ms, contesto_.get(), std::move(azione));
}

QDateTime TrasportoRete::adesso() const {
    return QDateTime::currentDateTimeUtc();
}

void TrasportoRete::cancellaFinite() {
    for (QNetworkReply* reply : finite_)
        delete reply;
    finite_.clear();
}

void TrasportoRete::attendi() {
    cancellaFinite();
    // Waits for the next event, or 100 ms at most, so that a cancel flag set
    // from outside the event loop (Ctrl+C) is seen soon.
    QTimer sveglia;
    sveglia.setSingleShot(true);
    sveglia.start(100);
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

FineGiro InterrogaInSequenza(const std::function<int(const QString&)>& interroga,
                             const GiroInterrogazioni& giro) {
    for (;;) {
        if (giro.annullato && giro.annullato()) return FineGiro::Annullato;
        const std::optional<QString> codice = giro.prossimo();
        if (!codice) return FineGiro::Esaurito;
        if (!giro.consegna(*codice, interroga(*codice))) return FineGiro::Fermato;
    }
}

void TrasportoRete::interrompi() {
    contesto_ = std::make_unique<QObject>(); // timers go, answers reach nobody
    cancellaFinite();
    for (auto& manager : manager_)
        for (QNetworkReply* reply : manager->findChildren<QNetworkReply*>()) {
            reply->abort();
            delete reply;
        }
}

// ---- the run ----

QStringList PagineDellInterrogazione(const QString& codice, const StatoWeb& web,
                                     const ElencoNazioni* nazioni) {
    const QString c = codice.toUpper();
    if (ECodiceVat(codice)) {
        static const ElencoNazioni nessuna;
        if (c.isEmpty() || !ControllaVat(c, nazioni ? *nazioni : nessuna).isEmpty()) return {};
        return {IndirizzoVat(web, c)};
    }
    if (!ControllaMrn(c).isEmpty()) return {};
    if (tipoMrn(c) == TipoMrn::Esportazione) return {IndirizzoExport(web, c)};
    return {IndirizzoTransito(web, c), IndirizzoExport(web, c)};
}

namespace {

// One enquiry's holder: its pages as they come back.
struct Lavoro {
    QString codice;
    QStringList indirizzi;
    std::vector<platform::HttpResult> risposte;
    int rifiuti = 0;       // refusals in a row of the page being asked
    bool ripetuto = false; // the page was asked again after a reset or time-out
    bool finito = false;
    std::size_t letta = 0; // pages handed to the enquiry so far
};

// Gives the enquiry being handed on the pages fetched for it, in the order
// it asks; anything else goes to the program's own client.
class ClienteConsegna : public platform::HttpClient {
public:
    explicit ClienteConsegna(platform::HttpClient* riserva) : riserva_(riserva) {}
    platform::HttpResult get(const QString& url) override {
        if (corrente && corrente->letta < corrente->risposte.size() &&
            corrente->indirizzi.value(int(corrente->letta)) == url)
            return corrente->risposte[corrente->letta++];
        if (riserva_) return riserva_->get(url);
        platform::HttpResult r;
        r.error = QStringLiteral("no client");
        return r;
    }
    Lavoro* corrente = nullptr;

private:
    platform::HttpClient* riserva_;
};

class Giro {
public:
    Giro(Trasporto& rete, const GiroInterrogazioni& giro)
        : rete_(rete), giro_(giro), limite_(giro.connessioni) {}
    ~Giro() { rete_.interrompi(); }

    void avvia(std::shared_ptr<Lavoro> l) {
        if (l->indirizzi.isEmpty())
            l->finito = true;
        else
            chiedi(l);
    }

    int inVolo(const std::deque<std::shared_ptr<Lavoro>>& coda) const {
        int n = 0;
        for (const auto& l : coda)
            n += l->finito ? 0 : 1;
        return n;
    }

    int limite() const { return limite_.attuale(); }
    bool senzaRete() const { return senzaRete_; }

private:
    void chiedi(const std::shared_ptr<Lavoro>& l) {
        rete_.richiedi(l->indirizzi.at(int(l->risposte.size())),
                       [this, l](const platform::HttpResult& r) { risposta(l, r); });
    }

    void risposta(const std::shared_ptr<Lavoro>& l, const platform::HttpResult& r) {
        if (r.ok && ERifiuto(r.status)) {
            limite_.rifiuto();
            if (++l->rifiuti >= kTentativiMassimi) {
                platform::HttpResult perso;
                perso.error = QStringLiteral("refused %1 times").arg(kTentativiMassimi);
                chiudi(l, perso);
                return;
            }
            const int secondi = SecondiRetryAfter(r.retryAfter, rete_.adesso())
                                    .value_or(SecondiSenzaIntestazione(l->rifiuti));
            if (giro_.avviso) giro_.avviso(TestoRallentamento(secondi));
            rete_.dopo(secondi * 1000, [this, l] { chiedi(l); });
            return;
        }
        if (!r.ok && r.retryable && !l->ripetuto) {
            l->ripetuto = true;
            chiedi(l);
            return;
        }
        if (r.ok) limite_.buona();
        chiudi(l, r);
    }

    // The page's answer is final: the next page, or the enquiry is ready.
    void chiudi(const std::shared_ptr<Lavoro>& l, const platform::HttpResult& r) {
        l->risposte.push_back(r);
        l->rifiuti = 0;
        l->ripetuto = false;
        if (!r.ok) {
            senzaRete_ = true; // the enquiry stops at this page, and no other starts
            l->finito = true;
        } else if (l->risposte.size() < std::size_t(l->indirizzi.size())) {
            chiedi(l);
        } else {
            l->finito = true;
        }
    }

    Trasporto& rete_;
    const GiroInterrogazioni& giro_;
    LimiteInVolo limite_;
    bool senzaRete_ = false;
};

} // namespace

FineGiro InterrogaInParallelo(StatoWeb& web, const AmbienteWeb& ambiente, Trasporto& rete,
                              const GiroInterrogazioni& giro) {
    ClienteConsegna cliente(ambiente.http);
    AmbienteWeb proprio = ambiente;
    proprio.http = &cliente;
    GetHtmPage pagina(web, proprio);

    Giro g(rete, giro);
    std::deque<std::shared_ptr<Lavoro>> coda;
    // Enquiries fetched ahead of the one to hand on are few, so a slow one
    // holds back little memory.
    const std::size_t codaMassima = std::size_t(std::max(giro.connessioni, 1)) * 4;
    FineGiro fine = FineGiro::Esaurito;
    bool altri = true; // more enquiries may start
    for (;;) {
        while (!coda.empty() && coda.front()->finito) {
            const std::shared_ptr<Lavoro> l = coda.front();
            coda.pop_front();
            cliente.corrente = l.get();
            const int esito = InterrogaCodice(pagina, l->codice);
            cliente.corrente = nullptr;
            if (!giro.consegna(l->codice, esito)) return FineGiro::Fermato;
        }
        while (altri && coda.size() < codaMassima && g.inVolo(coda) < g.limite()) {
            if (g.senzaRete()) {
                altri = false;
                break;
            }
            if (giro.annullato && giro.annullato()) {
                fine = FineGiro::Annullato;
                altri = false;
                break;
            }
            const std::optional<QString> codice = giro.prossimo ? giro.prossimo() : std::nullopt;
            if (!codice) {
                altri = false;
                break;
            }
            auto l = std::make_shared<Lavoro>();
            l->codice = *codice;
            l->indirizzi = PagineDellInterrogazione(*codice, web, ambiente.nazioni);
            coda.push_back(l);
            g.avvia(l);
        }
        if (coda.empty() && !altri) return fine;
        if (coda.empty() || !coda.front()->finito) rete.attendi();
    }
}

} // namespace qv
