#pragma once
// The one way core code talks to the user: a message box described as data
// (text, title, icon, buttons, default button) and the answer it got. The
// desktop program shows real message boxes; the CLI writes to stderr and
// answers by rule; tests script the answers and read back what was shown.

#include <QList>
#include <QString>

#include <optional>

namespace qv {

// Values as the platform's message box takes and returns them.
enum class Pulsanti { Ok = 0, OkAnnulla = 1, InterrompiRiprovaIgnora = 2, SiNoAnnulla = 3, SiNo = 4, RiprovaAnnulla = 5 };
enum class Icona { Nessuna = 0, Critica = 16, Domanda = 32, Esclamazione = 48, Informazione = 64 };
enum class Risposta { Ok = 1, Annulla = 2, Interrompi = 3, Riprova = 4, Ignora = 5, Si = 6, No = 7 };

struct Messaggio {
    QString testo;
    QString titolo;
    Icona icona = Icona::Nessuna;
    Pulsanti pulsanti = Pulsanti::Ok;
    int predefinito = 0; // 0 first button, 1 second, 2 third
};

// The buttons of a box in order, and the one Enter presses.
QList<Risposta> risposteDi(Pulsanti pulsanti);
Risposta rispostaPredefinita(const Messaggio& m);

class Messaggi {
public:
    virtual ~Messaggi() = default;
    virtual Risposta mostra(const Messaggio& m) = 0;

    Risposta mostra(const QString& testo, const QString& titolo, Icona icona = Icona::Nessuna,
                    Pulsanti pulsanti = Pulsanti::Ok, int predefinito = 0) {
        return mostra(Messaggio{testo, titolo, icona, pulsanti, predefinito});
    }
};

// Unattended use: prints each message on stderr and answers with the box's
// default button, or with `forzata` where that is one of the box's buttons.
class MessaggiStderr : public Messaggi {
public:
    explicit MessaggiStderr(std::optional<Risposta> forzata = std::nullopt) : forzata_(forzata) {}
    Risposta mostra(const Messaggio& m) override;
    using Messaggi::mostra;

private:
    std::optional<Risposta> forzata_;
};

// Records every message; answers from a queue of scripted answers, then with
// the default button. For tests and for callers that collect messages.
class MessaggiRegistrati : public Messaggi {
public:
    Risposta mostra(const Messaggio& m) override;
    using Messaggi::mostra;

    void accoda(Risposta r) { risposte_.append(r); }
    const QList<Messaggio>& mostrati() const { return mostrati_; }
    void svuota() { mostrati_.clear(); }

private:
    QList<Risposta> risposte_;
    QList<Messaggio> mostrati_;
};

} // namespace qv
