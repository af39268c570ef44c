#include "database/aggiorna_db.h"

#include "database/file_database.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <QSqlQuery>

#include <algorithm>

namespace qv {

using dao::Database;
using dao::Field;
using dao::Index;
using dao::TableDef;
using dao::stessoNome;

namespace {

void riga(const UscitaAggiornamento& u, const QString& testo) {
    if (u.riga)
        u.riga(testo);
}
void sfondo(const UscitaAggiornamento& u, quint32 colore) {
    if (u.sfondo)
        u.sfondo(colore);
}
void eventi(const UscitaAggiornamento& u) {
    if (u.eventi)
        u.eventi();
}

QString prefisso(const QString& tabella) { return QStringLiteral("Tabella  ") + tabella + QStringLiteral(" : "); }

bool stessiCampi(const Index& a, const Index& b) {
    if (a.Fields.size() != b.Fields.size())
        return false;
    for (qsizetype i = 0; i < a.Fields.size(); ++i)
        if (!stessoNome(a.Fields[i].Name, b.Fields[i].Name))
            return false;
    return true;
}

// One run of the comparison; any engine error ends it.
class Confronto {
public:
    Confronto(StatoDatabase& s, Database& r, Database& w, const UscitaAggiornamento& u) : s_(s), r_(r), w_(w), u_(u) {}

    QString tabella; // the table being handled, for the error message

    void esegui() {
        tabelleCollegate();
        queryEliminate();
        queryNuove();
        tabelleEliminate();
        // A rebuilt table is compared again from the first table on, so that
        // it receives its indexes as new ones.
        while (confrontaTabelle()) {
        }
    }

private:
    void tabelleCollegate() {
        try {
            QStringList collegate;
            for (const TableDef& t : w_.TableDefs())
                if (!t.isSystem() && t.isAttached())
                    collegate << t.Name;
            for (const QString& n : collegate)
                w_.DeleteTableDef(n);
        } catch (const dao::ErroreDao&) {
            // Errors ignored here, as in every run of this step.
        }
        eventi(u_);
    }

    void queryEliminate() {
        const QList<dao::QueryDef> rif = r_.QueryDefs();
        for (const dao::QueryDef& q : w_.QueryDefs()) {
            // Queries whose names begin with X belong to the user.
            if (q.Name.startsWith(QLatin1Char('X'), Qt::CaseInsensitive))
                continue;
            const bool inRiferimento =
                std::any_of(rif.begin(), rif.end(), [&](const dao::QueryDef& x) { return stessoNome(x.Name, q.Name); });
            if (!inRiferimento) {
                w_.DeleteQueryDef(q.Name);
                riga(u_, QStringLiteral("Eliminata Query -> ") + q.Name);
            }
        }
    }

    void queryNuove() {
        const QList<dao::QueryDef> lav = w_.QueryDefs();
        for (const dao::QueryDef& q : r_.QueryDefs()) {
            const bool presente =
                std::any_of(lav.begin(), lav.end(), [&](const dao::QueryDef& x) { return stessoNome(x.Name, q.Name); });
            if (!presente) {
                w_.CreateQueryDef(q.Name, q.SQL);
                riga(u_, QStringLiteral("Nuova query -> ") + q.Name);
            }
        }
    }

    void tabelleEliminate() {
        const QList<TableDef> rif = r_.TableDefs();
        for (const TableDef& t : w_.TableDefs()) {
            if (t.isSystem())
                continue;
            const bool inRiferimento =
                std::any_of(rif.begin(), rif.end(), [&](const TableDef& x) { return stessoNome(x.Name, t.Name); });
            if (!inRiferimento) {
                tabella = t.Name;
                w_.DeleteTableDef(t.Name);
                riga(u_, QStringLiteral("Eliminata Tabella -> ") + t.Name);
            }
        }
    }

    // One pass over the reference's tables; true when a table was rebuilt.
    bool confrontaTabelle() {
        for (const TableDef& r : r_.TableDefs()) {
            if (r.isSystem())
                continue;
            tabella = r.Name;
            const auto w = w_.tabella(r.Name);
            if (!w) {
                TableDef nuova = r;
                nuova.Attributes = 0;
                w_.AppendTableDef(nuova);
                riga(u_, QStringLiteral("Nuova tabella ") + r.Name);
                eventi(u_);
                continue;
            }
            if (confrontaTabella(r, *w))
                return true;
        }
        return false;
    }

    bool confrontaTabella(const TableDef& r, const TableDef& w) {
        const QString& t = r.Name;
        for (const Index& i : w.Indexes) {
            if (!r.indice(i.Name)) {
                w_.DeleteIndex(t, i.Name);
                riga(u_, prefisso(t) + QStringLiteral("Eliminato Indice -> ") + i.Name);
            }
        }
        for (const Field& f : w.Fields) {
            if (!r.campo(f.Name)) {
                w_.DeleteField(t, f.Name);
                riga(u_, prefisso(t) + QStringLiteral("Eliminato  Campo -> ") + f.Name);
            }
        }
        const TableDef attuale = *w_.tabella(t);
        for (const Field& f : r.Fields) {
            const Field* x = attuale.campo(f.Name);
            if (!x) {
                w_.AppendField(t, f);
                riga(u_, prefisso(t) + QStringLiteral("    Nuovo  Campo -> ") + f.Name);
                continue;
            }
            if (x->Type != f.Type) {
                if (NomeTipoCampo(x->Type).isEmpty() || NomeTipoCampo(f.Type).isEmpty())
                    dao::solleva(dao::errori::TipoNonValido, t + QLatin1Char('.') + f.Name);
                riga(u_, prefisso(t) + QStringLiteral("Campo ") + f.Name + QStringLiteral(" di tipo diverso: da '") +
                             NomeTipoCampo(x->Type) + QStringLiteral("' a '") + NomeTipoCampo(f.Type) +
                             QStringLiteral("' - sostituisco ..."));
                ricostruisci(r);
                return true;
            }
            if (f.Type == dao::dbText && x->Size != f.Size) {
                riga(u_, prefisso(t) + QStringLiteral("Campo ") + f.Name + QStringLiteral(" con dimensione diversa: da ") +
                             QString::number(x->Size) + QStringLiteral(" a ") + QString::number(f.Size) +
                             QStringLiteral(" - sostituisco ..."));
                ricostruisci(r);
                return true;
            }
        }
        eventi(u_);
        const TableDef dopo = *w_.tabella(t);
        for (const Index& i : r.Indexes) {
            const Index* x = dopo.indice(i.Name);
            if (x && !stessiCampi(*x, i)) {
                w_.DeleteIndex(t, i.Name);
                x = nullptr;
            }
            if (!x) {
                w_.AppendIndex(t, i);
                riga(u_, prefisso(t) + QStringLiteral("    Nuovo Indice -> ") + i.Name);
            }
        }
        return false;
    }

    // The table rebuilt under the reference's fields through T + "1",
    // every row kept.
    void ricostruisci(const TableDef& r) {
        const QString& t = r.Name;
        // A table that stays different after its rebuild would loop forever.
        if (ricostruite_.contains(t.toUpper()))
            dao::solleva(dao::errori::TipoNonValido, t);
        ricostruite_.insert(t.toUpper());
        const QString temporanea = t + QStringLiteral("1");
        if (const auto vecchia = w_.tabella(temporanea); vecchia && !vecchia->isSystem())
            w_.DeleteTableDef(vecchia->Name);
        TableDef nuova = w_.CreateTableDef(temporanea);
        nuova.Fields = r.Fields;
        w_.AppendTableDef(nuova);
        eventi(u_);
        try {
            w_.Execute(QStringLiteral("INSERT INTO [%1] SELECT [%2].* FROM [%2]").arg(temporanea, t), dao::dbFailOnError);
        } catch (const dao::ErroreDao& e) {
            s_.StatoChiamata = e.numero();
            s_.Messaggio = e.descrizione();
            throw;
        }
        w_.DeleteTableDef(t);
        w_.RenameTableDef(temporanea, t);
    }

    StatoDatabase& s_;
    Database& r_;
    Database& w_;
    const UscitaAggiornamento& u_;
    QSet<QString> ricostruite_;
};

} // namespace

QString NomeTipoCampo(int tipo) {
    switch (tipo) {
    case 1: return QStringLiteral("Booleano");
    case 2: return QStringLiteral("Byte");
    case 3: return QStringLiteral("Intero");
    case 4: return QStringLiteral("Int. Lungo");
    case 5: return QStringLiteral("Currency");
    case 6: return QStringLiteral("Pr. singola");
    case 7: return QStringLiteral("Pr. doppia");
    case 8: return QStringLiteral("Data/Ora");
    case 9: return QStringLiteral("Tipo 9");
    case 10: return QStringLiteral("Testo");
    case 11: return QStringLiteral("LongBinary");
    case 12: return QStringLiteral("Memo");
    default: return {};
    }
}

bool ValidaPercorsi(Messaggi& m, const QString& riferimento, const QString& lavoro, int* campoInErrore) {
    int campo = 0;
    bool valido = true;
    const QString r = riferimento.trimmed();
    const QString l = lavoro.trimmed();
    if (r.isEmpty()) {
        valido = false;
    } else if (!QFileInfo(r).isFile()) {
        m.mostra(QStringLiteral("DataBase aggiornato inesistente"), NomeProgramma);
        campo = 1;
        valido = false;
    } else if (!l.isEmpty()) {
        if (!QFileInfo(l).isFile()) {
            m.mostra(QStringLiteral("DataBase locale da aggiornare inesistente"), NomeProgramma);
            campo = 2;
            valido = false;
        } else if (QDir::cleanPath(QFileInfo(r).absoluteFilePath()).toUpper() ==
                   QDir::cleanPath(QFileInfo(l).absoluteFilePath()).toUpper()) {
            m.mostra(QStringLiteral("DataBase aggiornato uguale al DataBase locale da aggiornare"), NomeProgramma);
            campo = 1;
            valido = false;
        }
    }
    if (campoInErrore)
        *campoInErrore = campo;
    return valido;
}

void ConfrontaSchema(StatoDatabase& s, Messaggi& m, const QString& riferimento, const QString& lavoro,
                     const UscitaAggiornamento& uscita) {
    sfondo(uscita, kSfondoInCorso);
    InizioAttesa(s);
    s.StatoChiamata = 0;
    Database r, w;
    QString tabella;
    try {
        r = s.WsLavoro.OpenDatabase(riferimento);
        w = s.WsLavoro.OpenDatabase(lavoro);
        Confronto c(s, r, w, uscita);
        try {
            c.esegui();
        } catch (...) {
            tabella = c.tabella;
            throw;
        }
    } catch (const dao::ErroreDao& e) {
        s.StatoChiamata = e.numero();
        s.Messaggio = e.descrizione();
    }
    r.Close();
    w.Close();
    FineAttesa(s);
    if (s.StatoChiamata != 0) {
        m.mostra(QStringLiteral("ERRORE in aggiornamento DB: tabella ") + tabella + QLatin1Char('\n') + s.Messaggio +
                     QStringLiteral("\n\nRILANCIARE la fase di aggiornamento del DataBase (bottone 'ESEGUI'). "),
                 QStringLiteral("ERRORE in aggiornamento"), Icona::Critica);
    } else {
        sfondo(uscita, kSfondoRiuscito);
    }
}

void CaricaDatiBase(StatoDatabase& s, Messaggi& m, const QString& riferimento, const QString& lavoro) {
    // Display name and table of each entry; only the nations have base data.
    static const std::pair<const char*, const char*> voci[7] = {{"NAZIONI", "Nazioni"}};
    Database w;
    try {
        w = s.WsLavoro.OpenDatabase(lavoro);
    } catch (const dao::ErroreDao&) {
        m.mostra(QStringLiteral("Errore nell'apertura del DataBase di lavoro"), QStringLiteral("ERRORE in aggiornamento"),
                 Icona::Critica);
        return;
    }
    for (const auto& [nome, tabella] : voci) {
        if (!tabella || !*tabella)
            continue;
        const QString t = QLatin1String(tabella);
        qint64 righe = -1;
        try {
            dao::Recordset rs = w.OpenRecordset(QStringLiteral("SELECT * FROM ") + t, dao::dbOpenSnapshot);
            if (!rs.Eof())
                rs.MoveLast();
            righe = rs.RecordCount();
        } catch (const dao::ErroreDao&) {
            continue; // no such table: nothing to offer
        }
        if (righe != 0)
            continue;
        const Risposta r = m.mostra(QStringLiteral("Tabella ") + QLatin1String(nome) + QStringLiteral(" vuota\n") +
                                        QStringLiteral("Inserisco dei dati base?"),
                                    QStringLiteral("Inserimento dati"), Icona::Domanda, Pulsanti::SiNo);
        if (r != Risposta::Si)
            continue;
        try {
            w.Execute(QStringLiteral("INSERT INTO ") + t + QStringLiteral(" SELECT ") + t + QStringLiteral(".* FROM ") + t +
                          QStringLiteral(" IN \"") + riferimento + QLatin1Char('"'),
                      dao::dbFailOnError);
        } catch (const dao::ErroreDao&) {
            m.mostra(QStringLiteral("Tabella ") + QLatin1String(nome) + QStringLiteral(" non corretta\nnessun dato inserito"),
                     QStringLiteral("Errore inserimento dati"), Icona::Critica);
        }
    }
    w.Close();
}

void EseguiAggiornamento(StatoDatabase& s, Messaggi& m, const QString& riferimento, const QString& lavoro,
                         bool automatico, const UscitaAggiornamento& uscita) {
    const QString r = riferimento.trimmed();
    const QString l = lavoro.trimmed();
    if (!automatico &&
        m.mostra(QStringLiteral("Vuoi aggiornare il DataBase locale\n\n") + l, NomeProgramma, Icona::Domanda,
                 Pulsanti::SiNo) != Risposta::Si)
        return;
    riga(uscita, QString());
    riga(uscita, QStringLiteral("------------- Aggiornamento  ") + QStringLiteral(" :   ") + l);
    bool cambiato = false; // any line logged by the comparison is a change
    UscitaAggiornamento confronto = uscita;
    confronto.riga = [&](const QString& testo) {
        cambiato = true;
        riga(uscita, testo);
    };
    ConfrontaSchema(s, m, r, l, confronto);
    if (s.StatoChiamata != 0)
        return;
    CaricaDatiBase(s, m, r, l);
    try {
        // The planner's statistics for the tables and indexes as they now are.
        if (cambiato) {
            Database w = s.WsLavoro.OpenDatabase(l);
            QSqlQuery(w.connessioneSql()).exec(QStringLiteral("ANALYZE"));
            w.Close();
        }
    } catch (const dao::ErroreDao&) {
        // The upgrade is done all the same; the queries run without statistics.
    }
    if (!automatico &&
        m.mostra(QStringLiteral("Aggiornamento eseguito.\nATTENZIONE: è consigliato eseguire un compattamento del "
                                "DataBase\n\nESEGUO IL COMPATTAMENTO DEL DATABASE"),
                 QStringLiteral("Compattamento DataBase"), Icona::Domanda, Pulsanti::SiNo, 1) == Risposta::Si &&
        uscita.compatta)
        uscita.compatta(l);
}

void AggiornaInAutomatico(StatoDatabase& s, Messaggi& m, const QString& cartella, const QString& nome,
                          const UscitaAggiornamento& uscita) {
    s.StatoChiamata = 0;
    const QString riferimento = PercorsoRiferimento(cartella, nome);
    const QString lavoro = PercorsoDataBase(cartella, nome);
    // As the window does on becoming active: the paths checked, then the
    // run started whatever the check said, so that a missing file ends in
    // an error outcome rather than in no run at all.
    ValidaPercorsi(m, riferimento, lavoro);
    EseguiAggiornamento(s, m, riferimento, lavoro, true, uscita);
}

} // namespace qv
