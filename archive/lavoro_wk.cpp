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
// way the rest of the row still gets written, and goes to `rifiutati` as
// "field: description". Text is cut to the field's size.
void impostaCampo(dao::Recordset& rs, const QString& campo, const QVariant& valore, QStringList* rifiutati) {
    try {
        const int posizione = rs.FieldIndex(campo);
        const dao::Field& info = rs.FieldInfo(posizione);
        QVariant v = valore;
        if (info.Type == dao::dbText && info.Size > 0 && valore.typeId() == QMetaType::QString)
            v = valore.toString().left(info.Size);
        rs.setValue(posizione, v);
    } catch (const dao::ErroreDao& e) {
        if (rifiutati)
            rifiutati->append(campo + QStringLiteral(": ") + e.descrizione());
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
                   std::span<const QString> titolo, const QDate& oggi, ErroriRigaMrn* errori) {
    const ValoriRigaMrn v = CalcolaRigaMrn(codice, esito, titolo);
    QStringList* rifiutati = errori ? &errori->campi : nullptr;
    const auto imposta = [&rs, rifiutati](const QString& campo, const QVariant& valore) {
        impostaCampo(rs, campo, valore, rifiutati);
    };
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
        imposta(QStringLiteral("Nazione"), v.Nazione);
        imposta(QStringLiteral("ExUffExport"), v.ExUffExport);
        imposta(QStringLiteral("ExUffUscitaCod"), v.ExUffUscitaCod);
        imposta(QStringLiteral("ExUffUscitaDes"), v.ExUffUscitaDes);
        imposta(QStringLiteral("ExDataUscita"), v.ExDataUscita);
        for (int k = 0; k < 4; ++k) {
            const QString n = QString::number(k + 1);
            imposta(QStringLiteral("TrUfficio") + n, v.TrUfficio[k]);
            imposta(QStringLiteral("TrRuolo") + n, v.TrRuolo[k]);
            imposta(QStringLiteral("TrData") + n, v.TrData[k]);
            imposta(QStringLiteral("TrDataDel") + n, v.TrDataDel[k]);
        }
        if (v.discarico)
            imposta(QStringLiteral("OK"), 1);
        if (v.OKStato)
            imposta(QStringLiteral("OKStato"), *v.OKStato);
        if (dataElab == 0)
            imposta(QStringLiteral("DataElab"), platform::dayNumber(oggi));
        rs.Update();
        return true;
    } catch (const dao::ErroreDao& e) {
        if (errori)
            errori->riga = e.descrizione();
        try {
            rs.CancelUpdate();
        } catch (const dao::ErroreDao&) {
            // No edit was pending: the failure already reported covers it.
        }
        return false;
    }
}

bool UnisciWk(dao::Database& db) {
    try {
        db.BeginTrans();
    } catch (const dao::ErroreDao&) {
        return false; // nothing was touched; the caller reports the archive as not updated
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
            // The connection is gone, and with it the transaction: the archive is as it was.
        }
        return false;
    }
}

bool LavoroWkMrn::databaseAperto() const { return database_.DatabaseAperto; }

void LavoroWkMrn::svuota() {
    // Rows left from an earlier run would be merged with this one's.
    if (database_.DatabaseAperto && !SvuotaWk(database_.DbLavoro))
        segnala(QStringLiteral("La tabella di lavoro WkMRN non è stata svuotata: "
                               "conserva righe di un'elaborazione precedente."));
}

bool LavoroWkMrn::apri() {
    righeNonScritte_ = 0;
    rigaSegnalata_ = false;
    campiSegnalati_ = false;
    return ApriTabellaWk(stato_, database_, messaggi_, QStringLiteral("MRN"), QStringLiteral("MRN"));
}

void LavoroWkMrn::segnala(const QString& testo) {
    messaggi_.mostra(testo, QString::fromLatin1(kTitoloScrittura), Icona::Critica);
}

void LavoroWkMrn::scriviRiga(const QString& codice, std::span<const QString> esito, std::span<const QString> titolo) {
    if (!stato_.WkAperta) {
        ++righeNonScritte_;
        return;
    }
    if (!gruppoAperto_) {
        try {
            database_.DbLavoro.BeginTrans();
            gruppoAperto_ = true;
            righeNelGruppo_ = 0;
            righeScritteNelGruppo_ = 0;
            inizioGruppo_.start();
        } catch (const dao::ErroreDao&) {
            // Without a transaction each row is committed as it is written,
            // so a row that fails is still seen by ScriviRigaMrn below.
        }
    }
    ErroriRigaMrn errori;
    if (ScriviRigaMrn(stato_.RsWk, codice, esito, titolo, QDate::currentDate(), &errori)) {
        if (gruppoAperto_)
            ++righeScritteNelGruppo_;
        if (!errori.campi.isEmpty() && !campiSegnalati_) {
            campiSegnalati_ = true;
            segnala(QStringLiteral("L'MRN ") + codice + QStringLiteral(" è stato memorizzato senza questi valori:\n") +
                    errori.campi.join(QLatin1Char('\n')));
        }
    } else {
        ++righeNonScritte_;
        if (!rigaSegnalata_) {
            rigaSegnalata_ = true;
            segnala(QStringLiteral("L'MRN ") + codice + QStringLiteral(" non è stato memorizzato:\n") + errori.riga +
                    QStringLiteral("\nIl numero delle righe non memorizzate è dato a fine elaborazione."));
        }
    }
    if (gruppoAperto_ && (++righeNelGruppo_ >= kRighePerGruppo || inizioGruppo_.elapsed() >= 1000))
        confermaGruppo();
}

void LavoroWkMrn::confermaGruppo() {
    if (!gruppoAperto_)
        return;
    gruppoAperto_ = false;
    try {
        database_.DbLavoro.CommitTrans();
    } catch (const dao::ErroreDao& e) {
        try {
            database_.DbLavoro.Rollback();
        } catch (const dao::ErroreDao&) {
            // The connection is gone: SQLite dropped the transaction with it.
        }
        righeNonScritte_ += righeScritteNelGruppo_;
        segnala(QString::number(righeScritteNelGruppo_) + QStringLiteral(" MRN non sono stati memorizzati:\n") +
                e.descrizione());
    }
    righeScritteNelGruppo_ = 0;
}

void LavoroWkMrn::chiudi() {
    confermaGruppo();
    ChiudiTabellaWk(stato_);
}

bool LavoroWkMrn::unisci() { return database_.DatabaseAperto && UnisciWk(database_.DbLavoro); }

} // namespace qv
