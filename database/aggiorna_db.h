#pragma once
// The schema upgrade from the reference database, without its window: the
// path checks, the run of "&ESEGUI" (schema comparison, rebuild of tables
// whose fields changed, base data for empty tables) with every log line, and
// the outcome in StatoChiamata (0 done, else the error number). The window
// aggiornadb shows the log lines in its list; start-up runs it unattended.

#include "database/stato_database.h"
#include "shell/messaggi.h"

#include <QString>

#include <functional>

namespace qv {

// Log backgrounds: while the comparison runs, and after it succeeded.
inline constexpr quint32 kSfondoInCorso = 0xF0F0FF;
inline constexpr quint32 kSfondoRiuscito = 0xF0FFF0;

struct UscitaAggiornamento {
    std::function<void(const QString&)> riga;  // one more line of the log
    std::function<void(quint32)> sfondo;       // the log's background
    std::function<void()> eventi;              // lets window messages through
    // Manual mode, after a successful run, when the user accepts: the
    // compaction of the working file.
    std::function<void(const QString& percorsoLavoro)> compatta;
};

// The type names the log uses for type codes 1..12; empty for other codes.
QString NomeTipoCampo(int tipo);

// Path validation of the window; shows its messages. True when "&ESEGUI"
// may run. `campoInErrore` (when given) gets 1 or 2 for the field the focus
// goes back to, 0 otherwise.
bool ValidaPercorsi(Messaggi& m, const QString& riferimento, const QString& lavoro, int* campoInErrore = nullptr);

// "&ESEGUI": the question (manual mode only), the header line, the schema
// comparison and, when it succeeded, the base data and (manual mode) the
// compaction question. The outcome is left in s.StatoChiamata.
void EseguiAggiornamento(StatoDatabase& s, Messaggi& m, const QString& riferimento, const QString& lavoro,
                         bool automatico, const UscitaAggiornamento& uscita);

// The parts of the run, for the window and the tests.
void ConfrontaSchema(StatoDatabase& s, Messaggi& m, const QString& riferimento, const QString& lavoro,
                     const UscitaAggiornamento& uscita);
void CaricaDatiBase(StatoDatabase& s, Messaggi& m, const QString& riferimento, const QString& lavoro);

// The window opened by start-up with StatoChiamata = 1: the paths of the
// program folder validated, the run started at once. Outcome in StatoChiamata.
void AggiornaInAutomatico(StatoDatabase& s, Messaggi& m, const QString& cartella, const QString& nome,
                          const UscitaAggiornamento& uscita);

} // namespace qv
