#include "database/file_database.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlQuery>

namespace qv {

namespace {

// A file of the program folder by name, whatever the case of the name on
// disk (a database copied from Windows may be "QUORVAN.MDB").
QString fileDellaCartella(const QString& cartella, const QString& nome) {
    const QDir d(cartella);
    const QStringList trovati = d.entryList({nome}, QDir::Files);
    return d.filePath(trovati.contains(nome) || trovati.isEmpty() ? nome : trovati.first());
}

} // namespace

QString PercorsoDataBase(const QString& cartella, const QString& nome) {
    return fileDellaCartella(cartella, nome + QStringLiteral(".mdb"));
}

QString PercorsoRiferimento(const QString& cartella, const QString& nome) {
    return fileDellaCartella(cartella, nome + QStringLiteral("0.mdb"));
}

void ImpostaFileDataBase(StatoDatabase& s, const QString& cartella, const QString& nome) {
    s.FileDataBase = PercorsoDataBase(cartella, nome);
    s.CartellaTemp = QDir(cartella).filePath(QStringLiteral("TempFile")) + QLatin1Char('/');
    if (!QFileInfo(s.CartellaTemp).isDir())
        QDir(cartella).mkdir(QStringLiteral("TempFile"));
}

bool ApriDataBase(StatoDatabase& s) {
    s.DbLavoro.Close();
    try {
        s.DbLavoro = s.WsLavoro.OpenDatabase(s.FileDataBase);
        return true;
    } catch (const dao::ErroreDao&) {
        s.DbLavoro = dao::Database();
        return false;
    }
}

void ChiudiDataBase(StatoDatabase& s) {
    if (s.DbLavoro.isOpen()) {
        // The planner's statistics refreshed for the tables this session's
        // queries found unanalysed or grown; sampled, so closing stays quick.
        // A failure (the file busy) leaves the old statistics: nothing lost.
        QSqlQuery q(s.DbLavoro.connessioneSql());
        q.exec(QStringLiteral("PRAGMA analysis_limit = 1000"));
        q.exec(QStringLiteral("PRAGMA optimize"));
    }
    s.DbLavoro.Close();
    s.DbLavoro = dao::Database();
}

void InizioAttesa(StatoDatabase& s) {
    if (s.InizioAttesa)
        s.InizioAttesa();
}

void FineAttesa(StatoDatabase& s) {
    if (s.FineAttesa)
        s.FineAttesa();
}

QString NomeCopiaDatata(const QDateTime& adesso) {
    return QStringLiteral("QUORVAN") + adesso.toString(QStringLiteral("yyyyMMddHHmm")) + QStringLiteral(".MDB");
}

void SalvaCopiaDataBase(StatoDatabase& s, Messaggi& m, const QString& cartella, const QString& nome,
                        const QDateTime& adesso) {
    InizioAttesa(s);
    const QString origine = PercorsoDataBase(cartella, nome);
    const QString copia = QDir(cartella).filePath(NomeCopiaDatata(adesso));
    // Error numbers and texts of the runtime's file copy.
    int numero = 0;
    QString descrizione;
    if (!QFileInfo(origine).isFile()) {
        numero = 53;
        descrizione = QStringLiteral("Impossibile trovare il file");
    } else {
        if (QFileInfo::exists(copia) && !QFile::remove(copia)) {
            numero = 70;
            descrizione = QStringLiteral("Autorizzazione negata");
        } else if (!QFile::copy(origine, copia)) {
            numero = 75;
            descrizione = QStringLiteral("Errore di accesso al percorso/file");
        }
    }
    FineAttesa(s);
    if (numero != 0) {
        s.Messaggio = QStringLiteral("ERRORE DURANTE IL SALVATAGGIO DEL DB 'QUORVAN.MDB'") + QLatin1Char('\n') +
                      QString::number(numero) + QStringLiteral(": ") + descrizione;
        m.mostra(s.Messaggio, NomeProgramma);
    }
    s.Messaggio.clear();
}

bool ApriTabella(StatoDatabase& s, Messaggi& m, const AperturaTabella& a, dao::Recordset& rs) {
    for (;;) {
        rs.Close();
        if (!a.senzaDatabase && !s.DatabaseAperto)
            return false;
        try {
            rs = s.DbLavoro.OpenRecordset(a.tabella, dao::dbOpenTable);
            rs.setIndex(QStringLiteral("primaria"));
            return true;
        } catch (const dao::ErroreDao& e) {
            rs.Close();
            s.Messaggio = a.titolo;
            s.Risposta = m.mostra(a.testo ? a.testo(e) : e.descrizione(), s.Messaggio, Icona::Esclamazione,
                                  Pulsanti::RiprovaAnnulla);
            s.Messaggio.clear();
            if (s.Risposta != Risposta::Riprova)
                return false;
        }
    }
}

void ChiudiTabella(dao::Recordset& rs, bool& aperta) {
    if (!aperta)
        return;
    aperta = false;
    rs.Close();
}

void ScriviPerChiave(dao::Recordset& rs, const QString& campoChiave, const QVariant& chiave,
                     const std::function<void(dao::Recordset&)>& campi) {
    rs.Seek(QStringLiteral("="), chiave);
    if (rs.NoMatch()) {
        rs.AddNew();
        rs.setValue(campoChiave, chiave);
    } else {
        rs.Edit();
    }
    if (campi)
        campi(rs);
    rs.Update();
}

} // namespace qv
