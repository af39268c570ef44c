#include "database/dao/jet_sql.h"

#include "database/dao/connessione.h"
#include "database/dao/errore.h"
#include "database/dao/jet_sql_lessico.h"
#include "database/dao/schema.h"

#include <QSet>

namespace qv::dao {

using jet::Token;

namespace {

// Day number of 30 December 1899 on SQLite's Julian day scale.
const QString kGiornoZero = QStringLiteral("2415018.5");

const QSet<QString>& paroleChiave() {
    static const QSet<QString> s = {
        "SELECT", "DISTINCT", "ALL", "FROM", "WHERE", "AND", "OR", "NOT", "ORDER", "BY", "ASC", "DESC",
        "GROUP", "HAVING", "AS", "ON", "INNER", "LEFT", "RIGHT", "OUTER", "JOIN", "IN", "IS", "NULL",
        "LIKE", "BETWEEN", "UNION", "VALUES", "INTO", "SET", "EXISTS", "TRUE", "FALSE", "YES", "NO", "MOD"};
    return s;
}

// Words of the dialect with no translation that keeps their meaning.
const QSet<QString>& paroleRifiutate() {
    static const QSet<QString> s = {"TOP", "DISTINCTROW", "PIVOT", "TRANSFORM", "PARAMETERS", "XOR", "EQV",
                                    "IMP", "OWNERACCESS", "PERCENT", "ANY", "SOME", "PROCEDURE", "CREATE",
                                    "DROP", "ALTER", "ADD", "COLUMN", "CONSTRAINT", "WITH"};
    return s;
}

const QSet<QString>& simboliAmmessi() {
    static const QSet<QString> s = {"=", "<>", "<", ">", "<=", ">=", "(", ")", ",", ".", "*", "+", "-", "/"};
    return s;
}

// Joins output pieces with one blank, none inside calls and qualified names.
QString unisci(const QStringList& pezzi) {
    QString s;
    for (const QString& p : pezzi) {
        const bool senzaSpazio = s.isEmpty() || s.endsWith(QLatin1Char('(')) || s.endsWith(QLatin1Char('.')) ||
                                 p == QLatin1String(")") || p == QLatin1String(",") || p == QLatin1String(".");
        if (!senzaSpazio)
            s += QLatin1Char(' ');
        s += p;
    }
    return s;
}

class Traduttore {
public:
    Traduttore(const QString& jetSql, const ColonneDi& colonne, SqlTradotto& out)
        : sql_(jetSql), t_(jet::analizza(jetSql)), colonne_(colonne), out_(out) {}

    void istruzione(bool ignoraErrori);

private:
    [[noreturn]] void rifiuta(const QString& cosa) const {
        solleva(errori::ErroreSintassi, QStringLiteral("%1 in '%2'").arg(cosa, sql_));
    }
    const Token& at(int i) const {
        static const Token vuoto{Token::Tipo::Simbolo, QString(), -1};
        return i >= 0 && i < t_.size() ? t_[i] : vuoto;
    }
    int n() const { return int(t_.size()); }
    int chiusa(int aperta) const;
    int cerca(int da, int a, const char* parola) const; // a word at parenthesis depth 0
    QList<std::pair<int, int>> argomenti(int da, int a) const;

    QString traduci(int da, int a);
    QString funzione(const QString& nome, int da, int a);
    int prefisso(int i, int fine, QStringList& p);
    QString esterna(const QString& tabella, const QString& percorso);

    void selezione();
    void eliminazione();
    void inserimento(bool ignoraErrori);
    void aggiornamento(bool ignoraErrori);

    QString sql_;
    QList<Token> t_;
    const ColonneDi& colonne_;
    SqlTradotto& out_;
};

int Traduttore::chiusa(int aperta) const {
    int livello = 0;
    for (int i = aperta; i < n(); ++i) {
        if (t_[i].simbolo("("))
            ++livello;
        else if (t_[i].simbolo(")") && --livello == 0)
            return i;
    }
    rifiuta(QStringLiteral("parentesi non chiusa"));
}

int Traduttore::cerca(int da, int a, const char* parola) const {
    int livello = 0;
    for (int i = da; i < a; ++i) {
        if (t_[i].simbolo("("))
            ++livello;
        else if (t_[i].simbolo(")"))
            --livello;
        else if (livello == 0 && t_[i].parola(parola))
            return i;
    }
    return -1;
}

QList<std::pair<int, int>> Traduttore::argomenti(int da, int a) const {
    QList<std::pair<int, int>> r;
    if (da >= a)
        return r;
    int livello = 0, inizio = da;
    for (int i = da; i < a; ++i) {
        if (t_[i].simbolo("("))
            ++livello;
        else if (t_[i].simbolo(")"))
            --livello;
        else if (livello == 0 && t_[i].simbolo(",")) {
            r.append({inizio, i});
            inizio = i + 1;
        }
    }
    r.append({inizio, a});
    for (const auto& [x, y] : r)
        if (x >= y)
            rifiuta(QStringLiteral("argomento vuoto"));
    return r;
}

QString Traduttore::esterna(const QString& tabella, const QString& percorso) {
    const QString alias = QStringLiteral("esterno%1").arg(out_.esterne.size() + 1);
    out_.esterne.append({alias, percorso});
    return quota(alias) + QLatin1Char('.') + quota(tabella) + QStringLiteral(" AS ") + quota(tabella);
}

QString Traduttore::traduci(int da, int a) {
    QStringList p;
    bool dopoFrom = false; // the next name is a table read by the statement
    for (int i = da; i < a; ++i) {
        const Token& k = t_[i];
        const bool dopoPunto = i > da && t_[i - 1].simbolo(".");
        switch (k.tipo) {
        case Token::Tipo::Parola: {
            const QString su = k.testo.toUpper();
            if (!dopoPunto && paroleRifiutate().contains(su))
                rifiuta(QStringLiteral("la parola %1 non è traducibile").arg(k.testo));
            // LEFT and RIGHT open a join, or call the text functions.
            const bool chiamata = at(i + 1).simbolo("(") && (su == QLatin1String("LEFT") || su == QLatin1String("RIGHT"));
            if (!dopoPunto && !chiamata && paroleChiave().contains(su)) {
                if (su == QLatin1String("TRUE") || su == QLatin1String("YES"))
                    p << QStringLiteral("-1");
                else if (su == QLatin1String("FALSE") || su == QLatin1String("NO"))
                    p << QStringLiteral("0");
                else if (su == QLatin1String("MOD"))
                    p << QStringLiteral("%");
                else if (su == QLatin1String("ALL") && !(i > da && (t_[i - 1].parola("UNION") ||
                                                                      t_[i - 1].parola("SELECT"))))
                    rifiuta(QStringLiteral("il confronto con ALL non è traducibile"));
                else if (su == QLatin1String("INTO"))
                    rifiuta(QStringLiteral("INTO in una selezione (query di creazione tabella)"));
                else if (su == QLatin1String("LIKE")) {
                    if (at(i + 1).tipo != Token::Tipo::Testo)
                        rifiuta(QStringLiteral("LIKE senza un modello tra virgolette"));
                    const jet::ModelloLike m = jet::modelloLike(at(i + 1).testo);
                    p << m.operatore << m.sql;
                    ++i;
                } else if (su == QLatin1String("IN") && at(i + 1).tipo == Token::Tipo::Testo) {
                    rifiuta(QStringLiteral("IN \"file\" non dopo il nome di una tabella"));
                } else {
                    p << su;
                }
                dopoFrom = su == QLatin1String("FROM") || su == QLatin1String("JOIN");
                break;
            }
            if (!dopoPunto && at(i + 1).simbolo("(")) {
                const int fine = chiusa(i + 1);
                const int salta = prefisso(i, fine, p);
                if (salta < 0)
                    p << funzione(k.testo, i + 2, fine);
                i = salta < 0 ? fine : salta;
                dopoFrom = false;
                break;
            }
            [[fallthrough]];
        }
        case Token::Tipo::Nome: {
            if (k.tipo == Token::Tipo::Parola && k.testo.endsWith(QLatin1Char('$')))
                rifiuta(QStringLiteral("nome non valido %1").arg(k.testo));
            if (dopoFrom && at(i + 1).parola("IN") && at(i + 2).tipo == Token::Tipo::Testo) {
                p << esterna(k.testo, at(i + 2).testo);
                i += 2;
            } else {
                p << quota(k.testo);
                if (dopoFrom && !at(i + 1).simbolo("."))
                    out_.tabelle << k.testo;
            }
            dopoFrom = false;
            break;
        }
        case Token::Tipo::Testo:
            // Text compares without regard to case, as the engine compares it.
            p << letterale(k.testo) + QStringLiteral(" COLLATE NOCASE");
            break;
        case Token::Tipo::Numero:
            p << k.testo;
            break;
        case Token::Tipo::Data:
            p << QString::number(jet::numeroDaData(k.testo), 'g', 15);
            break;
        case Token::Tipo::Simbolo:
            if (k.testo == QLatin1String("&"))
                p << QStringLiteral("||");
            else if (k.testo == QLatin1String("!="))
                rifiuta(QStringLiteral("l'operatore !="));
            else if (simboliAmmessi().contains(k.testo))
                p << k.testo;
            else
                rifiuta(QStringLiteral("il simbolo %1").arg(k.testo));
            // After a comma of the FROM list another table follows.
            dopoFrom = k.simbolo(",") && cerca(da, i, "FROM") >= 0 && cerca(da, i, "WHERE") < 0 &&
                       cerca(da, i, "ORDER") < 0 && cerca(da, i, "GROUP") < 0 && cerca(da, i, "HAVING") < 0;
            break;
        }
    }
    return unisci(p);
}

// Left(column, n) = 'text of n characters' as the condition alone (up to
// AND, OR or the end): the same test, and a range on the column as well, so
// that an index on the column can serve it (the archive's year filter). The
// range is implied by the test under the column's NOCASE comparison. Returns
// the last token taken, or -1 when the pattern does not apply.
int Traduttore::prefisso(int i, int fine, QStringList& p) {
    if (!t_[i].parola("LEFT") || !at(fine + 1).simbolo("=") || at(fine + 2).tipo != Token::Tipo::Testo)
        return -1;
    const Token& dopo = at(fine + 3);
    if (!(dopo.testo.isEmpty() || dopo.simbolo(")") || dopo.parola("AND") || dopo.parola("OR") ||
          dopo.parola("ORDER") || dopo.parola("GROUP")))
        return -1;
    const auto arg = argomenti(i + 2, fine);
    if (arg.size() != 2 || arg[1].second != arg[1].first + 1 || at(arg[1].first).tipo != Token::Tipo::Numero)
        return -1;
    const auto [da, a] = arg[0];
    const bool colonna = (a == da + 1 && at(da).nome()) ||
                         (a == da + 3 && at(da).nome() && at(da + 1).simbolo(".") &&
                          at(da + 2).nome());
    const QString testo = at(fine + 2).testo;
    if (!colonna || testo.isEmpty() || at(arg[1].first).testo != QString::number(testo.size()))
        return -1;
    const QString c = traduci(da, a), t = letterale(testo);
    p << QStringLiteral("(%1 = %2 COLLATE NOCASE AND %3 >= %2 COLLATE NOCASE AND %3 < (%2 || char(1114111)) COLLATE NOCASE)")
             .arg(funzione(t_[i].testo, i + 2, fine), t, c);
    return fine + 2;
}

QString Traduttore::funzione(const QString& nome, int da, int a) {
    QString f = nome.toLower();
    if (f.endsWith(QLatin1Char('$')))
        f.chop(1);
    const auto arg = argomenti(da, a);
    QStringList x;
    for (const auto& [i, j] : arg)
        x << traduci(i, j);
    auto richiede = [&](qsizetype minimo, qsizetype massimo) {
        if (x.size() < minimo || x.size() > massimo)
            rifiuta(QStringLiteral("numero di argomenti errato per %1").arg(nome));
    };
    if (f == QLatin1String("left")) {
        richiede(2, 2);
        return QStringLiteral("substr(%1, 1, %2)").arg(x[0], x[1]);
    }
    if (f == QLatin1String("right")) {
        richiede(2, 2);
        return QStringLiteral("(CASE WHEN %2 > 0 THEN substr(%1, -(%2)) ELSE '' END)").arg(x[0], x[1]);
    }
    if (f == QLatin1String("mid")) {
        richiede(2, 3);
        return QStringLiteral("substr(%1)").arg(x.join(QStringLiteral(", ")));
    }
    if (f == QLatin1String("len")) {
        richiede(1, 1);
        return QStringLiteral("length(%1)").arg(x[0]);
    }
    if (f == QLatin1String("ucase") || f == QLatin1String("lcase")) {
        richiede(1, 1);
        return QStringLiteral("%1(%2)").arg(f == QLatin1String("ucase") ? "upper" : "lower", x[0]);
    }
    if (f == QLatin1String("trim") || f == QLatin1String("ltrim") || f == QLatin1String("rtrim")) {
        richiede(1, 1);
        return QStringLiteral("%1(%2, ' ')").arg(f, x[0]);
    }
    if (f == QLatin1String("instr")) {
        richiede(2, 2);
        return QStringLiteral("instr(upper(%1), upper(%2))").arg(x[0], x[1]);
    }
    if (f == QLatin1String("iif")) {
        richiede(3, 3);
        return QStringLiteral("(CASE WHEN %1 THEN %2 ELSE %3 END)").arg(x[0], x[1], x[2]);
    }
    if (f == QLatin1String("nz")) {
        richiede(2, 2);
        return QStringLiteral("coalesce(%1, %2)").arg(x[0], x[1]);
    }
    if (f == QLatin1String("abs") || f == QLatin1String("count") || f == QLatin1String("sum") ||
        f == QLatin1String("min") || f == QLatin1String("max") || f == QLatin1String("avg")) {
        richiede(1, 1);
        return QStringLiteral("%1(%2)").arg(f, x[0]);
    }
    if (f == QLatin1String("date")) {
        richiede(0, 0);
        return QStringLiteral("CAST(julianday('now', 'localtime') - %1 AS INTEGER)").arg(kGiornoZero);
    }
    if (f == QLatin1String("now")) {
        richiede(0, 0);
        return QStringLiteral("(julianday('now', 'localtime') - %1)").arg(kGiornoZero);
    }
    if (f == QLatin1String("year") || f == QLatin1String("month") || f == QLatin1String("day")) {
        richiede(1, 1);
        const char* parte = f == QLatin1String("year") ? "%Y" : f == QLatin1String("month") ? "%m" : "%d";
        return QStringLiteral("CAST(strftime('%1', (%2) + %3) AS INTEGER)").arg(parte, x[0], kGiornoZero);
    }
    rifiuta(QStringLiteral("la funzione %1 non è traducibile").arg(nome));
}

void Traduttore::selezione() {
    out_.tipo = SqlTradotto::Tipo::Selezione;
    out_.sql = traduci(0, n());
}

void Traduttore::eliminazione() {
    out_.tipo = SqlTradotto::Tipo::Eliminazione;
    int i = 1;
    QString prefisso;
    if (at(i).simbolo("*")) {
        ++i;
    } else if (at(i).nome() && !at(i).parola("FROM") && at(i + 1).simbolo(".") && at(i + 2).simbolo("*")) {
        prefisso = at(i).testo;
        i += 3;
    }
    if (!at(i).parola("FROM") || !at(i + 1).nome())
        rifiuta(QStringLiteral("DELETE senza FROM tabella"));
    const QString tabella = at(i + 1).testo;
    if (!prefisso.isEmpty() && !stessoNome(prefisso, tabella))
        rifiuta(QStringLiteral("DELETE da una tabella diversa da quella di FROM"));
    i += 2;
    if (i < n() && !at(i).parola("WHERE"))
        rifiuta(QStringLiteral("DELETE da più tabelle o da un altro file"));
    out_.tabelle << tabella;
    out_.sql = QStringLiteral("DELETE FROM ") + quota(tabella);
    if (i < n())
        out_.sql += QLatin1Char(' ') + traduci(i, n());
}

void Traduttore::aggiornamento(bool ignoraErrori) {
    out_.tipo = SqlTradotto::Tipo::Aggiornamento;
    if (!at(1).nome() || !at(2).parola("SET"))
        rifiuta(QStringLiteral("UPDATE di più tabelle"));
    out_.tabelle << at(1).testo;
    out_.sql = (ignoraErrori ? QStringLiteral("UPDATE OR IGNORE ") : QStringLiteral("UPDATE ")) + quota(at(1).testo) +
               QLatin1Char(' ') + traduci(2, n());
}

void Traduttore::inserimento(bool ignoraErrori) {
    out_.tipo = SqlTradotto::Tipo::Inserimento;
    if (!at(1).parola("INTO") || !at(2).nome())
        rifiuta(QStringLiteral("INSERT senza INTO tabella"));
    const QString destinazione = at(2).testo;
    const QString testa =
        (ignoraErrori ? QStringLiteral("INSERT OR IGNORE INTO ") : QStringLiteral("INSERT INTO ")) + quota(destinazione);
    int i = 3;
    if (at(i).parola("IN"))
        rifiuta(QStringLiteral("INSERT in un altro file"));
    if (at(i).simbolo("(") || at(i).parola("VALUES")) {
        // Named fields or plain values: the positions are the engine's too.
        out_.sql = testa + QLatin1Char(' ') + traduci(i, n());
        return;
    }
    if (!at(i).parola("SELECT"))
        rifiuta(QStringLiteral("INSERT senza SELECT o VALUES"));
    if (cerca(i, n(), "UNION") >= 0)
        rifiuta(QStringLiteral("INSERT da un'unione"));

    // The engine copies a selection into the fields of the same name; SQLite
    // would copy by position. Each selected item's name is found, the
    // target's fields are checked, and the list is written out.
    int primo = i + 1;
    QString distinto;
    if (at(primo).parola("DISTINCT") || at(primo).parola("ALL")) {
        distinto = at(primo).testo.toUpper() + QLatin1Char(' ');
        ++primo;
    }
    const int from = cerca(primo, n(), "FROM");
    const int fineElenco = from < 0 ? n() : from;

    // The table a "*" refers to: one table, maybe in another file, maybe with
    // an alias.
    QString tabellaFrom, percorsoFrom, aliasFrom;
    if (from >= 0 && at(from + 1).nome()) {
        int j = from + 1;
        tabellaFrom = at(j).testo;
        aliasFrom = tabellaFrom;
        ++j;
        if (at(j).parola("IN") && at(j + 1).tipo == Token::Tipo::Testo) {
            percorsoFrom = at(j + 1).testo;
            j += 2;
        }
        if (at(j).parola("AS") && at(j + 1).nome()) {
            aliasFrom = at(j + 1).testo;
            j += 2;
        } else if (at(j).tipo == Token::Tipo::Nome ||
                   (at(j).tipo == Token::Tipo::Parola && !paroleChiave().contains(at(j).testo.toUpper()))) {
            aliasFrom = at(j).testo;
            ++j;
        }
        if (j < n() && !(at(j).parola("WHERE") || at(j).parola("ORDER") || at(j).parola("GROUP") ||
                         at(j).parola("HAVING")))
            tabellaFrom.clear(); // a join or a list of tables: no "*" from it
    }
    auto campiFrom = [&]() {
        if (tabellaFrom.isEmpty())
            rifiuta(QStringLiteral("INSERT con * da più tabelle"));
        const auto c = colonne_(tabellaFrom, percorsoFrom);
        if (!c)
            solleva(errori::TabellaNonTrovata, tabellaFrom);
        return *c;
    };

    QStringList nomi, valori;
    for (const auto& [a, b] : argomenti(primo, fineElenco)) {
        const bool stella = b - a == 1 && at(a).simbolo("*");
        const bool stellaTabella = b - a == 3 && at(a).nome() && at(a + 1).simbolo(".") && at(a + 2).simbolo("*");
        if (stella || stellaTabella) {
            if (stellaTabella && !stessoNome(at(a).testo, aliasFrom) && !stessoNome(at(a).testo, tabellaFrom))
                rifiuta(QStringLiteral("%1.* non è la tabella di FROM").arg(at(a).testo));
            for (const QString& c : campiFrom()) {
                nomi << c;
                valori << quota(aliasFrom) + QLatin1Char('.') + quota(c);
            }
            continue;
        }
        if (b - a >= 3 && at(b - 2).parola("AS") && at(b - 1).nome())
            nomi << at(b - 1).testo;
        else if (b - a == 1 && at(a).nome() && !at(a).parola("NULL"))
            nomi << at(a).testo;
        else if (b - a == 3 && at(a).nome() && at(a + 1).simbolo(".") && at(a + 2).nome())
            nomi << at(a + 2).testo;
        else
            solleva(errori::CampoSconosciutoInsert, QStringLiteral("Expr%1").arg(1000 + valori.size()));
        valori << traduci(a, b);
    }

    const auto campiDestinazione = colonne_(destinazione, QString());
    if (!campiDestinazione)
        solleva(errori::TabellaNonTrovata, destinazione);
    QStringList colonne;
    for (const QString& nome : nomi) {
        QString trovato;
        for (const QString& c : *campiDestinazione)
            if (stessoNome(c, nome))
                trovato = c;
        if (trovato.isEmpty())
            solleva(errori::CampoSconosciutoInsert, nome);
        colonne << quota(trovato);
    }
    out_.sql = testa + QStringLiteral(" (") + colonne.join(QStringLiteral(", ")) + QStringLiteral(") SELECT ") +
               distinto + valori.join(QStringLiteral(", "));
    if (from >= 0)
        out_.sql += QLatin1Char(' ') + traduci(from, n());
}

void Traduttore::istruzione(bool ignoraErrori) {
    if (t_.isEmpty())
        solleva(errori::IstruzioneNonValida, sql_);
    for (const Token& k : t_)
        if (k.simbolo(";"))
            rifiuta(QStringLiteral("più istruzioni"));
    const Token& primo = t_.first();
    if (primo.parola("SELECT"))
        selezione();
    else if (primo.parola("DELETE"))
        eliminazione();
    else if (primo.parola("INSERT"))
        inserimento(ignoraErrori);
    else if (primo.parola("UPDATE"))
        aggiornamento(ignoraErrori);
    else
        solleva(errori::IstruzioneNonValida, sql_);
}

} // namespace

SqlTradotto traduciJetSql(const QString& jet, const ColonneDi& colonne, bool ignoraErrori) {
    SqlTradotto out;
    Traduttore(jet, colonne, out).istruzione(ignoraErrori);
    return out;
}

} // namespace qv::dao
