#include "archive/esportazioni.h"

#include "archive/colonne_griglia.h"
#include "archive/formato_csv.h"
#include "database/dao/database.h"
#include "database/dao/errore.h"
#include "database/dao/lettura_righe.h"
#include "database/file_database.h"
#include "platform/ansi_text.h"
#include "platform/avviatore.h"
#include "shell/messaggi.h"
#include "shell/versione_programma.h"

#include <QDir>
#include <QHash>
#include <QSaveFile>

#include <charconv>
#include <cmath>
#include <functional>

namespace qv {

namespace {

// The busy pointer for the length of one export.
struct Attesa {
    StatoDatabase& s;
    explicit Attesa(StatoDatabase& stato) : s(stato) { InizioAttesa(s); }
    ~Attesa() { FineAttesa(s); }
};

// A file that can be written now: an existing one is opened without being
// changed, so that one held by another program is found before any work.
bool scrivibile(const QString& percorso) {
    QFile prova(percorso);
    const bool esisteva = prova.exists();
    if (!prova.open(QIODevice::WriteOnly | QIODevice::Append))
        return false;
    prova.close();
    if (!esisteva)
        prova.remove();
    return true;
}

void fileAperto(Messaggi& m) {
    m.mostra(QStringLiteral("Il file è già aperto"), NomeProgramma, Icona::Esclamazione, Pulsanti::Ok);
}

void nessunDato(Messaggi& m) {
    m.mostra(QStringLiteral("NESSUN DATO DA ESPORTARE"), NomeProgramma, Icona::Informazione, Pulsanti::Ok);
}

TipoCampo tipoDi(int tipoDao) {
    if (tipoDao == dao::dbDate)
        return TipoCampo::Data;
    if (tipoDao == dao::dbText || tipoDao == dao::dbMemo)
        return TipoCampo::Testo;
    return TipoCampo::Numero;
}

// The steps both exports share: no rows, no file; the busy pointer; a file
// that cannot be written is reported before any work; the rows go to a
// temporary file that replaces `percorso` only once they are all written.
// `scrivi` writes the lines and returns how many rows it wrote, or -1 when
// it could not read or write them all (then nothing is written).
RisultatoEsportazione esporta(StatoDatabase& s, Messaggi& m, const QString& sql, const QString& percorso,
                              const std::function<qint64(dao::Recordset&, QSaveFile&)>& scrivi) {
    RisultatoEsportazione r;
    r.percorso = percorso;
    try {
        dao::Recordset rs = s.DbLavoro.OpenRecordset(sql, dao::dbOpenSnapshot);
        if (rs.Eof()) {
            nessunDato(m);
            r.esito = EsitoEsportazione::NessunDato;
            return r;
        }
        Attesa attesa(s);
        QSaveFile file(percorso);
        if (!scrivibile(percorso) || !file.open(QIODevice::WriteOnly)) {
            fileAperto(m);
            r.esito = EsitoEsportazione::FileAperto;
            return r;
        }
        const qint64 righe = scrivi(rs, file);
        if (righe < 0) {
            file.cancelWriting();
            return r; // the rows could not all be read or written: no file
        }
        if (!file.commit()) {
            fileAperto(m);
            r.esito = EsitoEsportazione::FileAperto;
            return r;
        }
        r.righe = righe;
    } catch (const dao::ErroreDao&) {
        r.esito = EsitoEsportazione::Errore;
        return r;
    }
    r.esito = EsitoEsportazione::Fatto;
    return r;
}

// A CSV line's values straight from SQLite into Windows-1252 bytes, each as
// FormattaCampoCsv writes it: the usual cases (plain ASCII texts, whole
// numbers, day numbers) without a QString or QVariant per value, the rest
// through it. A date is formatted once per day and kept.
class ValoriCsv {
public:
    explicit ValoriCsv(const QLocale& locale) : locale_(locale) {}

    void aggiungi(QByteArray& b, const dao::LetturaRighe& r, int c, TipoCampo tipo) {
        using T = dao::LetturaRighe::Tipo;
        const T t = r.tipo(c);
        if (tipo == TipoCampo::Testo && t == T::Testo) {
            if (aggiungiAscii(b, r.testo(c)))
                return;
        } else if (tipo == TipoCampo::Numero && t == T::Intero) {
            const qint64 n = r.intero(c);
            if (n > -kInteroEsatto && n < kInteroEsatto) {
                char cifre[24];
                b.append(cifre, std::to_chars(cifre, cifre + sizeof cifre, n).ptr - cifre);
                return;
            }
        } else if (tipo == TipoCampo::Data && (t == T::Intero || t == T::Reale)) {
            const double n = t == T::Intero ? double(r.intero(c)) : r.reale(c);
            if (std::isfinite(n) && std::fabs(n) < kInteroEsatto)
                return aggiungiData(b, n);
        }
        aggiungiAnsi(b, FormattaCampoCsv(r.valore(c), tipo, locale_));
    }

private:
    static constexpr qint64 kInteroEsatto = 1000000000000000; // 1e15, as FormattaCampoCsv's whole numbers
    static constexpr qsizetype kDateMassime = 100000;

    // A text of ASCII characters on one line, trimmed; false for any other.
    static bool aggiungiAscii(QByteArray& b, QByteArrayView t) {
        for (char c : t)
            if (static_cast<unsigned char>(c) >= 0x80 || c == '\n' || c == '\r')
                return false;
        const auto spazio = [](char c) { return c == ' ' || (c >= '\t' && c <= '\r'); };
        while (!t.isEmpty() && spazio(t.front()))
            t = t.sliced(1);
        while (!t.isEmpty() && spazio(t.back()))
            t.chop(1);
        b.append(t);
        return true;
    }

    void aggiungiData(QByteArray& b, double n) {
        if (std::floor(n) < 1)
            return; // no date
        const qint64 giorno = static_cast<qint64>(std::floor(n));
        auto trovata = date_.constFind(giorno);
        if (trovata == date_.cend()) {
            if (date_.size() >= kDateMassime)
                date_.clear();
            trovata = date_.insert(giorno, platform::toAnsi(FormattaCampoCsv(double(giorno), TipoCampo::Data, locale_)));
        }
        b.append(*trovata);
    }

    // platform::toAnsi writes one byte per UTF-16 unit: the same here.
    static void aggiungiAnsi(QByteArray& b, QStringView testo) {
        const qsizetype inizio = b.size();
        b.resize(inizio + testo.size());
        char* d = b.data() + inizio;
        for (QChar c : testo) {
            const char16_t u = c.unicode();
            *d++ = u < 0x80 || (u >= 0xA0 && u <= 0xFF) ? static_cast<char>(u) : platform::toAnsi(QString(c)).at(0);
        }
    }

    QLocale locale_;
    QHash<qint64, QByteArray> date_;
};

// Lines are handed to the file in blocks of about this size.
constexpr qsizetype kBloccoCsv = 1 << 20;

} // namespace

RisultatoEsportazione EsportaLista(StatoDatabase& s, Messaggi& m, const QString& sql, const QString& percorso,
                                   bool mostraMessaggio) {
    const RisultatoEsportazione r = esporta(s, m, sql, percorso, [](dao::Recordset& rs, QSaveFile& file) {
        const int codice = rs.FieldIndex(QStringLiteral("CODICE"));
        qint64 righe = 0;
        for (; !rs.Eof(); rs.MoveNext(), ++righe)
            file.write(platform::toAnsi(rs.Value(codice).toString().trimmed() + QStringLiteral("\r\n")));
        return righe;
    });
    if (r.esito == EsitoEsportazione::Fatto && mostraMessaggio)
        m.mostra(QStringLiteral("Creato il file  '") + percorso + QStringLiteral("'\ncon la lista di ") +
                     QString::number(r.righe) + QStringLiteral(" elementi"),
                 NomeProgramma, Icona::Informazione, Pulsanti::Ok);
    return r;
}

QString PercorsoCsv(const QString& cartellaTemp, const QString& tabella) {
    QString cartella = cartellaTemp;
    if (!cartella.isEmpty() && !cartella.endsWith(QLatin1Char('/')) && !cartella.endsWith(QLatin1Char('\\')))
        cartella += QLatin1Char('/');
    return cartella + QStringLiteral("EXP") + tabella + QStringLiteral(".csv");
}

QList<int> ColonneDaEsportare(bool tutte, const QString& layOutEsteso) {
    QList<int> colonne;
    for (int i = 0; i < kNumeroColonne; ++i)
        if (tutte || ColonnaVisibile(layOutEsteso, i))
            colonne.append(i);
    return colonne;
}

RisultatoEsportazione EsportaCsv(StatoDatabase& s, Messaggi& m, const QString& sql, const QString& tabella,
                                 const QList<int>& colonne, const QLocale& locale) {
    return esporta(s, m, sql, PercorsoCsv(s.CartellaTemp, tabella), [&](dao::Recordset& rs, QSaveFile& file) {
        // Headings, and where each column's field stands in the rows.
        QStringList intestazioni;
        QList<int> posizioni;
        QList<TipoCampo> tipi;
        for (int c : colonne) {
            if (c < 0 || c >= kNumeroColonne)
                continue;
            const ColonnaGriglia& colonna = ColonneGriglia().at(c);
            intestazioni << colonna.intestazione;
            int posizione = -1;
            try {
                posizione = rs.FieldIndex(colonna.campo);
            } catch (const dao::ErroreDao&) {
                // A field the table lacks: its column is written blank, the rest of the export goes on.
            }
            posizioni << posizione;
            tipi << (posizione >= 0 ? tipoDi(rs.FieldInfo(posizione).Type) : colonna.tipo);
        }
        rs.Close();
        if (file.write(platform::toAnsi(RigaIntestazioneCsv(intestazioni))) < 0)
            return qint64(-1);

        // The rows straight from SQLite, the same statement and the same
        // positions as the recordset's; lines gathered in a buffer.
        dao::LetturaRighe righeSql(s.DbLavoro, s.DbLavoro.traduci(sql), dao::LetturaRighe::Mappa::Si);
        ValoriCsv valori(locale);
        QByteArray blocco;
        blocco.reserve(kBloccoCsv + 64 * 1024);
        qint64 righe = 0;
        while (righeSql.prossima()) {
            for (int i = 0; i < posizioni.size(); ++i) {
                if (posizioni[i] >= 0)
                    valori.aggiungi(blocco, righeSql, posizioni[i], tipi[i]);
                blocco.append(';');
            }
            blocco.append("\r\n", 2);
            ++righe;
            if (blocco.size() >= kBloccoCsv) {
                if (file.write(blocco) < 0)
                    return qint64(-1);
                blocco.resize(0);
            }
        }
        if (file.write(blocco) < 0)
            return qint64(-1);
        return righe;
    });
}

bool ApriCsv(Avviatore& avviatore, Messaggi& m, const QString& programmaExcel, const QString& csv) {
    const QString programma = programmaExcel.trimmed();
    if (programma.isEmpty())
        return avviatore.apriDocumento(csv, QString(), QString(), 1).codice >= 32;
    const QString argomento = QLatin1Char('"') + QDir::toNativeSeparators(csv) + QLatin1Char('"');
    if (avviatore.avviaProgramma(programma, argomento, 1) != 0)
        return true;
    const QString comando = QLatin1Char('"') + programma + QStringLiteral("\" ") + argomento;
    m.mostra(comando + QStringLiteral("  NON TROVATO"), NomeProgramma, Icona::Esclamazione, Pulsanti::Ok);
    return false;
}

} // namespace qv
