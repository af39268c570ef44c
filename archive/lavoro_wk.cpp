#include "archive/lavoro_wk.h"

#include "archive/riga_mrn.h"
#include "archive/sql_archivio.h"
#include "database/dao/database.h"
#include "database/dao/errore.h"
#include "database/file_database.h"
#include "database/stato_database.h"
#include "platform/day_number.h"
#include "shell/messaggi.h"

namespace qv {

namespace {

// Sets one field; a value the field cannot take leaves it as it was, the
// way the rest of the row still gets written. Text is cut to the field's size.
void imposta(dao::Recordset& rs, const QString& campo, const QVariant& valore) {
    try {
        const int posizione = rs.FieldIndex(campo);
        const dao::Field& info = rs.FieldInfo(posizione);
        QVariant v = valore;
        if (info.Type == dao::dbText && info.Size > 0 && valore.typeId() == QMetaType::QString)
            v = valore.toString().left(info.Size);
        rs.setValue(posizione, v);
    } catch (const dao::ErroreDao&) {
    }
}

} // namespace

bool ApriTabellaWk(StatoArchivio& stato, StatoDatabase& database, Messaggi& messaggi, const QString& tabella,
                   const QString& titolo) {
    ChiudiTabellaWk(stato);
    stato.WkAperta = ApriTabella(database, messaggi,
                                 {QStringLiteral("WK") + tabella, QStringLiteral("ERRORE IN APERTURA TABELLA ") + titolo,
                                  false, nullptr},
                                 stato.RsWk);
    return stato.WkAperta;
}

void ChiudiTabellaWk(StatoArchivio& stato) { ChiudiTabella(stato.RsWk, stato.WkAperta); }

bool SvuotaWk(dao::Database& db) {
    try {
        db.Execute(QString::fromLatin1(kSvuotaWk), dao::dbFailOnError);
        return true;
    } catch (const dao::ErroreDao&) {
        return false;
    }
}

bool ScriviRigaMrn(dao::Recordset& rs, const QString& codice, std::span<const QString> esito,
                   std::span<const QString> titolo, const QDate& oggi) {
    const ValoriRigaMrn v = CalcolaRigaMrn(codice, esito, titolo);
    try {
        rs.Seek(QStringLiteral("="), codice);
        double dataElab = 0;
        if (rs.NoMatch()) {
            rs.AddNew();
            rs.setValue(QStringLiteral("Codice"), codice);
        } else {
            dataElab = rs.Value(QStringLiteral("DataElab")).toDouble();
            rs.Edit();
        }
        imposta(rs, QStringLiteral("Nazione"), v.Nazione);
        imposta(rs, QStringLiteral("ExUffExport"), v.ExUffExport);
        imposta(rs, QStringLiteral("ExUffUscitaCod"), v.ExUffUscitaCod);
        imposta(rs, QStringLiteral("ExUffUscitaDes"), v.ExUffUscitaDes);
        imposta(rs, QStringLiteral("ExDataUscita"), v.ExDataUscita);
        for (int k = 0; k < 4; ++k) {
            const QString n = QString::number(k + 1);
            imposta(rs, QStringLiteral("TrUfficio") + n, v.TrUfficio[k]);
            imposta(rs, QStringLiteral("TrRuolo") + n, v.TrRuolo[k]);
            imposta(rs, QStringLiteral("TrData") + n, v.TrData[k]);
            imposta(rs, QStringLiteral("TrDataDel") + n, v.TrDataDel[k]);
        }
        if (v.discarico)
            imposta(rs, QStringLiteral("OK"), 1);
        if (v.OKStato)
            imposta(rs, QStringLiteral("OKStato"), *v.OKStato);
        if (dataElab == 0)
            imposta(rs, QStringLiteral("DataElab"), platform::dayNumber(oggi));
        rs.Update();
        return true;
    } catch (const dao::ErroreDao&) {
        try {
            rs.CancelUpdate();
        } catch (const dao::ErroreDao&) {
        }
        return false;
    }
}

bool UnisciWk(dao::Database& db) {
    try {
        db.BeginTrans();
    } catch (const dao::ErroreDao&) {
        return false;
    }
    try {
        db.Execute(QString::fromLatin1(kUnioneElimina), dao::dbFailOnError);
        db.Execute(QString::fromLatin1(kUnioneInserisci), dao::dbFailOnError);
        db.CommitTrans();
        return true;
    } catch (const dao::ErroreDao&) {
        try {
            db.Rollback();
        } catch (const dao::ErroreDao&) {
        }
        return false;
    }
}

bool LavoroWkMrn::databaseAperto() const { return database_.DatabaseAperto; }

void LavoroWkMrn::svuota() {
    if (database_.DatabaseAperto)
        SvuotaWk(database_.DbLavoro);
}

bool LavoroWkMrn::apri() {
    return ApriTabellaWk(stato_, database_, messaggi_, QStringLiteral("MRN"), QStringLiteral("MRN"));
}

void LavoroWkMrn::scriviRiga(const QString& codice, std::span<const QString> esito, std::span<const QString> titolo) {
    if (!stato_.WkAperta)
        return;
    if (!gruppoAperto_) {
        try {
            database_.DbLavoro.BeginTrans();
            gruppoAperto_ = true;
            righeNelGruppo_ = 0;
            inizioGruppo_.start();
        } catch (const dao::ErroreDao&) {
        }
    }
    ScriviRigaMrn(stato_.RsWk, codice, esito, titolo);
    if (gruppoAperto_ && (++righeNelGruppo_ >= kRighePerGruppo || inizioGruppo_.elapsed() >= 1000))
        confermaGruppo();
}

void LavoroWkMrn::confermaGruppo() {
    if (!gruppoAperto_)
        return;
    gruppoAperto_ = false;
    try {
        database_.DbLavoro.CommitTrans();
    } catch (const dao::ErroreDao&) {
        try {
            database_.DbLavoro.Rollback();
        } catch (const dao::ErroreDao&) {
        }
    }
}

void LavoroWkMrn::chiudi() {
    confermaGruppo();
    ChiudiTabellaWk(stato_);
}

bool LavoroWkMrn::unisci() { return database_.DatabaseAperto && UnisciWk(database_.DbLavoro); }

} // namespace qv
