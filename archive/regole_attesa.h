#pragma once
// How a list run behaves towards the agencies' servers: how many enquiries
// it keeps in flight ("CONNESSIONI" of section "ELEMRN"), how long it waits
// when a server answers "too many requests" (429) or "unavailable" (503),
// and how the number in flight shrinks and grows back meanwhile.

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <optional>

namespace qv {

inline constexpr int kConnessioniPredefinite = 4;
inline constexpr int kConnessioniMassime = 8;
// Tries of one page that the server refuses before the enquiry counts as
// without connection.
inline constexpr int kTentativiMassimi = 5;
// Good answers after which one more enquiry may be in flight again.
inline constexpr int kRispostePerCrescere = 20;

// A value of "CONNESSIONI": a whole number from 1 to 8; anything else
// (missing, blank, 0, 9, text) reads as 4.
int ConnessioniDaTesto(const QString& valore);
// The same, read from section "ELEMRN" of the configuration file.
int LeggiConnessioni(const QString& fileIni);

// True for the two statuses that ask the client to come back later.
bool ERifiuto(int statoHttp);

// Seconds a Retry-After header asks to wait: whole seconds, or an HTTP date
// (the three forms HTTP allows) measured from `adesso`; at most 60, a date
// already past is 0. Nothing for a missing or unreadable header.
std::optional<int> SecondiRetryAfter(const QByteArray& valore, const QDateTime& adesso);
// Seconds to wait after the `rifiuto`-th refusal in a row (1-based) of a
// page whose answer carries no usable Retry-After: 1, 2, 4, 8, 16, then 30.
int SecondiSenzaIntestazione(int rifiuto);

// "Il servizio chiede di rallentare: nuovo tentativo fra N secondi".
QString TestoRallentamento(int secondi);

// How many enquiries may be in flight: `massimo` at first; each refusal
// halves it (never below 1); each run of 20 good answers adds one back, up
// to `massimo`.
class LimiteInVolo {
public:
    explicit LimiteInVolo(int massimo) : massimo_(massimo < 1 ? 1 : massimo), attuale_(massimo_) {}
    int attuale() const { return attuale_; }
    void rifiuto();
    void buona();

private:
    int massimo_;
    int attuale_;
    int buone_ = 0;
};

} // namespace qv
