#pragma once
// The enquiries of a list run, several at once. Each enquiry's pages are
// fetched into a holder of its own, at most N enquiries in flight; the
// enquiries are then handed on in list order, on the caller's thread: the
// enquiry runs through InterrogaCodice on the pages already fetched, so the
// extraction, its messages, the page options and the shared result arrays
// behave exactly as in a run one at a time. Servers that answer 429 or 503
// are asked again later (regole_attesa.h), with fewer enquiries in flight.

#include "platform/http_client.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QNetworkAccessManager;
class QNetworkReply;
class QObject;

namespace qv {

struct AmbienteWeb;
struct ElencoNazioni;
struct StatoWeb;

// How the run reaches the network and the clock. The callbacks given run
// only from inside attendi(), never from richiedi() or dopo() themselves.
class Trasporto {
public:
    virtual ~Trasporto() = default;
    // One GET of `url`; `fatto` gets the answer (or why none came).
    virtual void richiedi(const QString& url, std::function<void(const platform::HttpResult&)> fatto) = 0;
    // Runs `azione` once `ms` milliseconds have passed.
    virtual void dopo(int ms, std::function<void()> azione) = 0;
    virtual QDateTime adesso() const = 0;
    // Lets through what is due (answers, timers, window events); waits a
    // little when nothing is.
    virtual void attendi() = 0;
    // Drops every request and timer still pending; their callbacks never run.
    virtual void interrompi() = 0;
};

// The real network, on the caller's thread: one GET per page, the program's
// request (no cache), a time-out per request.
class TrasportoRete : public Trasporto {
public:
    explicit TrasportoRete(int secondiAttesa);
    ~TrasportoRete() override;
    void richiedi(const QString& url, std::function<void(const platform::HttpResult&)> fatto) override;
    void dopo(int ms, std::function<void()> azione) override;
    QDateTime adesso() const override;
    void attendi() override;
    void interrompi() override;

private:
    int timeoutMs_;
    // Two managers: one alone opens at most six connections to a host.
    std::unique_ptr<QNetworkAccessManager> manager_[2];
    int prossimoManager_ = 0;
    std::unique_ptr<QObject> contesto_; // owns timers and replies still pending
    std::vector<QNetworkReply*> finite_;
    void cancellaFinite();
};

// The pages an enquiry of `codice` asks for, in the order it asks: none for
// a code the checks reject, the export page of an export MRN, the transit
// then the export page of a transit MRN, the VIES page of a VAT number.
QStringList PagineDellInterrogazione(const QString& codice, const StatoWeb& web,
                                     const ElencoNazioni* nazioni);

struct GiroInterrogazioni {
    int connessioni = 1; // at most this many enquiries in flight
    // The next code of the list, as it goes to InterrogaCodice; nothing at the end.
    std::function<std::optional<QString>()> prossimo;
    // Tested before each enquiry starts; true starts no more, and those in
    // flight are still handed on.
    std::function<bool()> annullato;
    // Each enquiry in list order, once InterrogaCodice has filled the shared
    // arrays; false stops the run there (nothing after it is handed on).
    std::function<bool(const QString& codice, int esito)> consegna;
    // A server asked to slow down: TestoRallentamento.
    std::function<void(const QString& testo)> avviso;
};

enum class FineGiro { Esaurito, Annullato, Fermato };

// The run. An enquiry whose page finds no connection (after asking once
// more on a reset or time-out, or after five refusals) starts no more;
// InterrogaCodice then gives it outcome 9. Pages the plan did not foresee
// are asked through `ambiente.http`, one at a time.
FineGiro InterrogaInParallelo(StatoWeb& web, const AmbienteWeb& ambiente, Trasporto& rete,
                              const GiroInterrogazioni& giro);

// The same run one enquiry at a time through `interroga` (a scripted
// enquiry in tests), which fills the shared arrays itself.
FineGiro InterrogaInSequenza(const std::function<int(const QString&)>& interroga,
                             const GiroInterrogazioni& giro);

} // namespace qv
