#pragma once
// The database file and its access layer: where the working database lives,
// opening and closing the one connection, the dated safety copy, the busy
// pointer, and the two patterns every table owner uses (open a table with
// Retry/Cancel, write one record by its key).

#include "database/stato_database.h"
#include "shell/messaggi.h"
#include "shell/nome_programma.h"

#include <QDateTime>
#include <QString>

#include <functional>

namespace qv {

QString PercorsoDataBase(const QString& cartella, const QString& nome = NomeProgramma);    // <nome>.mdb
QString PercorsoRiferimento(const QString& cartella, const QString& nome = NomeProgramma); // <nome>0.mdb

// Start-up step: sets FileDataBase and CartellaTemp ("TempFile" with the
// trailing separator) and creates that folder when it is missing.
void ImpostaFileDataBase(StatoDatabase& s, const QString& cartella, const QString& nome = NomeProgramma);

// Opens FileDataBase in WsLavoro into DbLavoro. True only when no error
// occurred; callers store the result in DatabaseAperto. No message.
bool ApriDataBase(StatoDatabase& s);
// Closes DbLavoro. DatabaseAperto is left to the next ApriDataBase.
void ChiudiDataBase(StatoDatabase& s);

void InizioAttesa(StatoDatabase& s);
void FineAttesa(StatoDatabase& s);

// The dated copy taken before an automatic upgrade: the working database
// copied to "QUORVAN" + "yyyymmddhhmm" + ".MDB" in the program folder. A
// failure is shown ("ERRORE DURANTE IL SALVATAGGIO DEL DB 'QUORVAN.MDB'",
// the error number and description) and start-up goes on.
void SalvaCopiaDataBase(StatoDatabase& s, Messaggi& m, const QString& cartella, const QString& nome = NomeProgramma,
                        const QDateTime& adesso = QDateTime::currentDateTime());
QString NomeCopiaDatata(const QDateTime& adesso); // "QUORVAN200712311459.MDB"

// The table open with retry. Steps: not open when DatabaseAperto is false
// (unless `senzaDatabase`); on error the message (exclamation, Retry and
// Cancel, title `titolo`) with `testo` of the error (the description when
// unset), Retry tries again; on success the index "primaria" is set.
struct AperturaTabella {
    QString tabella;
    QString titolo;
    bool senzaDatabase = false;
    std::function<QString(const dao::ErroreDao&)> testo;
};
// Returns the value for the table's open flag.
bool ApriTabella(StatoDatabase& s, Messaggi& m, const AperturaTabella& a, dao::Recordset& rs);
// The companion close: nothing when the flag is false.
void ChiudiTabella(dao::Recordset& rs, bool& aperta);

// Upsert by key on the index "primaria": Seek "=" key; a new record gets
// the key field, an existing one is edited; `campi` sets the other fields;
// then Update.
void ScriviPerChiave(dao::Recordset& rs, const QString& campoChiave, const QVariant& chiave,
                     const std::function<void(dao::Recordset&)>& campi);

} // namespace qv
