#include "database/nazioni.h"

#include "database/file_database.h"
#include "shell/elenco_nazioni.h"

namespace qv {

QString BandieraDi(const QString& codice) {
    return QStringLiteral("Images\\flag_") + codice + QStringLiteral(".gif");
}

QString PercorsoBandiera(const QString& cartellaProgramma, const QString& bandiera) {
    QString relativo = bandiera.trimmed();
    relativo.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return relativo.isEmpty() ? QString() : cartellaProgramma + QLatin1Char('/') + relativo;
}

namespace {

Nazione NazioneCorrente(const dao::Recordset& rs) {
    return {rs.Value(QStringLiteral("Codice")).toString(),
            rs.Value(QStringLiteral("Descrizione")).toString().trimmed(),
            rs.Value(QStringLiteral("Bandiera")).toString()};
}

// A seek on the open table: the record found, if any.
std::optional<Nazione> Cerca(StatoDatabase& s, const QString& confronto, const QString& codice) {
    if (!s.NazioniAperta) return std::nullopt;
    try {
        s.RsNazioni.Seek(confronto, codice);
        if (!s.RsNazioni.NoMatch()) return NazioneCorrente(s.RsNazioni);
    } catch (const dao::ErroreDao&) {
        // A look-up that cannot be made finds nothing; nothing is changed.
    }
    return std::nullopt;
}

// One write in a transaction of WsLavoro: all of it or nothing.
template <typename F> std::optional<dao::ErroreDao> InTransazione(StatoDatabase& s, F&& scrivi) {
    if (!s.NazioniAperta) return std::nullopt;
    try {
        s.WsLavoro.BeginTrans();
        try {
            scrivi(s.RsNazioni);
            s.WsLavoro.CommitTrans();
        } catch (const dao::ErroreDao&) {
            if (s.RsNazioni.EditMode() != dao::dbEditNone) s.RsNazioni.CancelUpdate();
            s.WsLavoro.Rollback();
            throw;
        }
    } catch (const dao::ErroreDao& e) {
        return e;
    }
    return std::nullopt;
}

} // namespace

std::optional<Nazione> CercaNazione(StatoDatabase& s, const QString& prefisso) {
    const QString codice = prefisso.trimmed();
    std::optional<Nazione> n = Cerca(s, QStringLiteral(">="), codice);
    if (n && !n->codice.startsWith(codice, Qt::CaseInsensitive)) return std::nullopt;
    return n;
}

std::optional<Nazione> NazioneVicina(StatoDatabase& s, const QString& codice, bool successiva) {
    return Cerca(s, successiva ? QStringLiteral(">") : QStringLiteral("<"), codice.trimmed());
}

std::optional<dao::ErroreDao> ConfermaNazione(StatoDatabase& s, const QString& codice,
                                              const QString& descrizione) {
    return InTransazione(s, [&](dao::Recordset& rs) {
        ScriviPerChiave(rs, QStringLiteral("Codice"), codice, [&](dao::Recordset& r) {
            r.setValue(QStringLiteral("Descrizione"),
                       descrizione.trimmed().isEmpty() ? QStringLiteral(" ") : descrizione);
        });
    });
}

std::optional<dao::ErroreDao> EliminaNazione(StatoDatabase& s, const QString& codice) {
    return InTransazione(s, [&](dao::Recordset& rs) {
        rs.Seek(QStringLiteral("="), codice);
        if (!rs.NoMatch()) rs.Delete();
    });
}

QString SqlElencoNazioni(int colonna, int direzione) {
    return QStringLiteral("SELECT * FROM Nazioni ") + QStringLiteral("ORDER BY ") +
           (colonna == 1 ? QStringLiteral("Descrizione") : QStringLiteral("Codice")) +
           (direzione == 2 ? QStringLiteral(" DESC") : QStringLiteral(" ASC"));
}

QStringList VociNazioni(const ElencoNazioni& elenco) {
    QStringList voci;
    for (qsizetype i = 0; i + 1 < elenco.CodiciNazioni.size(); ++i)
        voci << elenco.CodiciNazioni[i] + QStringLiteral(" - ") + elenco.NomiNazioni.value(i);
    return voci;
}

QStringList VociNazioni(StatoDatabase& s) {
    QStringList voci;
    if (!s.NazioniAperta) return voci;
    try {
        dao::Recordset& rs = s.RsNazioni;
        rs.MoveFirst();
        for (; !rs.Eof(); rs.MoveNext()) {
            const Nazione n = NazioneCorrente(rs);
            voci << n.codice + QStringLiteral(" - ") + n.descrizione;
        }
    } catch (const dao::ErroreDao&) {
        // A table that cannot be read to its end offers what was read.
    }
    return voci;
}

int IndiceNazione(const ElencoNazioni& elenco, const QString& codice) {
    const qsizetype i = elenco.CodiciNazioni.indexOf(codice.trimmed());
    return i >= 0 && i + 1 < elenco.CodiciNazioni.size() ? int(i) : -1;
}

void ApriNazioni(StatoDatabase& s, Messaggi& m) {
    s.NazioniAperta =
        ApriTabella(s, m, {QStringLiteral("Nazioni"), QStringLiteral("ERRORE IN APERTURA TABELLA NAZIONI"), false, {}},
                    s.RsNazioni);
}

void ChiudiNazioni(StatoDatabase& s) { ChiudiTabella(s.RsNazioni, s.NazioniAperta); }

void ScriviNazione(StatoDatabase& s, const QString& codice, const QString& descrizione) {
    if (!s.NazioniAperta)
        return;
    ScriviPerChiave(s.RsNazioni, QStringLiteral("Codice"), codice, [&](dao::Recordset& rs) {
        rs.setValue(QStringLiteral("Descrizione"), descrizione.trimmed());
        rs.setValue(QStringLiteral("Bandiera"), BandieraDi(codice));
    });
}

void CaricaNazioniCee(StatoDatabase& s, Messaggi& m) {
    ApriNazioni(s, m);
    if (s.NazioniAperta) {
        for (const NazionePredefinita& n : NazioniPredefinite()) {
            try {
                ScriviNazione(s, QLatin1String(n.codice), QLatin1String(n.nome));
            } catch (const dao::ErroreDao&) {
                // A table that cannot take a nation (a field cut shorter by
                // hand) loses that row, not the start-up.
            }
        }
    }
    ChiudiNazioni(s);
}

} // namespace qv
