#pragma once
// The database steps of the program's start-up: the reference stamp and its
// upgrade, and the shipped files of the program folder. The order they run
// in is written once, in shell/avvio/sequenza_avvio.h.

#include "database/aggiorna_db.h"
#include "database/stato_database.h"
#include "shell/elenco_nazioni.h"
#include "shell/messaggi.h"
#include "shell/nome_programma.h"

#include <QString>

#include <functional>

namespace qv {

struct ParametriAvvio {
    QString cartella;                // program folder
    QString nome = NomeProgramma; // names "Quorvan.mdb" and "Quorvan0.mdb"
    QString fileIni;                 // the configuration file
};

// The stamp last applied: "AGGIORNAMENTI"/"BASE" as a number (0 when empty
// or not numeric), held as a 32-bit float.
float TimbroApplicato(const QString& fileIni);
// The reference file's last-modified time as a day number held as a 32-bit
// float; 0 when the file does not exist.
float TimbroRiferimento(const QString& percorsoRiferimento);
// True when the applied stamp, read back through the "0.00000" form, is
// smaller than the reference stamp read back the same way.
bool AggiornamentoDovuto(float applicato, float riferimento);
// The text "BASE" is written with: the full value of the 32-bit float, with
// the user's decimal separator.
QString TestoTimbro(float timbro);

// Opens the upgrade in automatic mode (StatoChiamata is 1 on entry) and
// leaves its outcome in StatoChiamata (0 = done). The desktop opens its
// upgrade window; AggiornamentoSenzaFinestra runs the same engine unattended.
using AvviaAggiornamento = std::function<void(StatoDatabase&)>;
AvviaAggiornamento AggiornamentoSenzaFinestra(Messaggi& m, const ParametriAvvio& p, UscitaAggiornamento uscita);

// The reference database check. Returns false when the upgrade did not
// complete: "OCCORRE ESEGUIRE L'AGGIORNAMENTO DEL BATABASE" has been shown
// and the program must end. "BASE" is written only after a completed
// upgrade, and only when the reference exists.
bool ControllaRiferimento(StatoDatabase& s, Messaggi& m, const ParametriAvvio& p, const AvviaAggiornamento& aggiorna);

// First start and new releases: the shipped reference database replaces an
// older one in the program folder (keeping its date, which is its stamp);
// the flag images are copied when missing; a missing working database is
// made as a copy of the reference only in a new program folder (no "BASE"
// yet), and since that copy is the reference itself its stamp is recorded
// in "BASE" at once. Returns the names that
// could not be copied.
QStringList PreparaFileProgramma(const ParametriAvvio& p);

} // namespace qv
