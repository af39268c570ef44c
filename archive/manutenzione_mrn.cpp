#include "archive/manutenzione_mrn.h"

#include "archive/controllo_mrn.h"
#include "archive/sql_archivio.h"
#include "database/dao/database.h"
#include "database/dao/errore.h"
#include "database/stato_database.h"
#include "shell/messaggi.h"
#include "shell/versione_programma.h"

namespace qv {

namespace {

dao::Recordset apriMrn(dao::Database& db) {
    dao::Recordset rs = db.OpenRecordset(QStringLiteral("MRN"), dao::dbOpenTable);
    rs.setIndex(QStringLiteral("primaria"));
    return rs;
}

} // namespace

EsitoModifica ModificaMrn(StatoDatabase& s, Messaggi& m, const QString& errato, const QString& nuovo) {
    const QString codice = nuovo.trimmed();
    const QString vecchio = errato.trimmed();
    if (codice == vecchio)
        return EsitoModifica::NessunCambio;
    if (!MrnCorrettoValido(codice)) {
        m.mostra(QStringLiteral("Numero MRN non valido"), NomeProgramma, Icona::Esclamazione, Pulsanti::Ok);
        return EsitoModifica::NonValido;
    }
    if (!s.DatabaseAperto)
        return EsitoModifica::Errore;

    dao::Database& db = s.DbLavoro;
    try {
        dao::Recordset destinazione = apriMrn(db);
        dao::Recordset origine = apriMrn(db);
        destinazione.Seek(QStringLiteral("="), codice);
        if (!destinazione.NoMatch()) {
            m.mostra(QStringLiteral("Il numero di MRN '") + codice + QStringLiteral("' è già presente"),
                     NomeProgramma, Icona::Esclamazione, Pulsanti::Ok);
            return EsitoModifica::GiaPresente;
        }
        origine.Seek(QStringLiteral("="), vecchio);
        if (origine.NoMatch())
            return EsitoModifica::Errore;

        db.BeginTrans();
        try {
            destinazione.AddNew();
            destinazione.setValue(QStringLiteral("Codice"), codice);
            destinazione.setValue(QStringLiteral("Nazione"), codice.mid(2, 2));
            // Codice and Nazione are the first two fields; the rest moves by position.
            for (int i = 2; i < origine.FieldCount() && i < destinazione.FieldCount(); ++i)
                destinazione.setValue(i, origine.Value(i));
            destinazione.Update();
            origine.Delete();
            db.CommitTrans();
        } catch (const dao::ErroreDao&) {
            try {
                destinazione.CancelUpdate();
            } catch (const dao::ErroreDao&) {
                // No new row was pending; the rollback below undoes the rest.
            }
            db.Rollback();
            return EsitoModifica::Errore;
        }
        return EsitoModifica::Spostato;
    } catch (const dao::ErroreDao&) {
        return EsitoModifica::Errore;
    }
}

bool EliminaMrn(StatoDatabase& s, Messaggi& m, const QString& codice) {
    const QString c = codice.trimmed();
    if (m.mostra(QStringLiteral("Confermi la cancellazione di  ") + c, QStringLiteral("CANCELLAZIONE MRN"),
                 Icona::Domanda, Pulsanti::SiNo) != Risposta::Si)
        return false;
    if (!s.DatabaseAperto)
        return false;
    try {
        s.DbLavoro.Execute(EliminaMrnSql(c), dao::dbFailOnError);
        return true;
    } catch (const dao::ErroreDao&) {
        return false;
    }
}

} // namespace qv
