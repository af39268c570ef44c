#include "database/dao/jet_sql_lessico.h"

#include "database/dao/connessione.h"
#include "database/dao/errore.h"
#include "platform/day_number.h"

#include <QRegularExpression>

namespace qv::dao::jet {

namespace {

[[noreturn]] void sintassi(const QString& cosa) { solleva(errori::ErroreSintassi, cosa); }

bool inizioParola(QChar c) { return c.isLetter() || c == QLatin1Char('_'); }
bool dentroParola(QChar c) { return c.isLetterOrNumber() || c == QLatin1Char('_'); }
// Numbers are written in ASCII digits; other scripts' digits are no number.
bool cifra(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }

} // namespace

QList<Token> analizza(const QString& sql) {
    QList<Token> t;
    const int n = sql.size();
    int i = 0;
    while (i < n) {
        const QChar c = sql[i];
        if (c.isSpace()) {
            ++i;
            continue;
        }
        Token k;
        k.posizione = i;
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            // Text in single or double quotes; a doubled quote stands for one.
            k.tipo = Token::Tipo::Testo;
            int j = i + 1;
            for (;;) {
                if (j >= n)
                    sintassi(QStringLiteral("virgolette non chiuse in '%1'").arg(sql));
                if (sql[j] == c) {
                    if (j + 1 < n && sql[j + 1] == c) {
                        k.testo += c;
                        j += 2;
                        continue;
                    }
                    break;
                }
                k.testo += sql[j++];
            }
            i = j + 1;
        } else if (c == QLatin1Char('[') || c == QLatin1Char('`')) {
            const QChar fine = c == QLatin1Char('[') ? QLatin1Char(']') : QLatin1Char('`');
            const int j = sql.indexOf(fine, i + 1);
            if (j < 0)
                sintassi(QStringLiteral("parentesi quadra non chiusa in '%1'").arg(sql));
            k.tipo = Token::Tipo::Nome;
            k.testo = sql.mid(i + 1, j - i - 1);
            if (k.testo.trimmed().isEmpty())
                sintassi(QStringLiteral("nome vuoto in '%1'").arg(sql));
            i = j + 1;
        } else if (c == QLatin1Char('#')) {
            const int j = sql.indexOf(QLatin1Char('#'), i + 1);
            if (j < 0)
                sintassi(QStringLiteral("data non chiusa in '%1'").arg(sql));
            k.tipo = Token::Tipo::Data;
            k.testo = sql.mid(i + 1, j - i - 1);
            i = j + 1;
        } else if (cifra(c) || (c == QLatin1Char('.') && i + 1 < n && cifra(sql[i + 1]))) {
            static const QRegularExpression numero(QStringLiteral(R"(\d*\.?\d+(?:[eE][+-]?\d+)?|\d+\.)"));
            const QRegularExpressionMatch m =
                numero.match(sql, i, QRegularExpression::NormalMatch, QRegularExpression::AnchorAtOffsetMatchOption);
            k.tipo = Token::Tipo::Numero;
            k.testo = m.captured(0);
            i += int(k.testo.size());
            if (i < n && inizioParola(sql[i]))
                sintassi(QStringLiteral("numero non valido in '%1'").arg(sql));
        } else if (inizioParola(c)) {
            int j = i + 1;
            while (j < n && dentroParola(sql[j]))
                ++j;
            if (j < n && sql[j] == QLatin1Char('$')) // Left$, Mid$: the text-only forms
                ++j;
            k.tipo = Token::Tipo::Parola;
            k.testo = sql.mid(i, j - i);
            i = j;
        } else {
            static const QStringList doppi = {QStringLiteral("<>"), QStringLiteral("<="), QStringLiteral(">="),
                                              QStringLiteral("!=")};
            k.tipo = Token::Tipo::Simbolo;
            k.testo = doppi.contains(sql.mid(i, 2)) ? sql.mid(i, 2) : QString(c);
            i += int(k.testo.size());
        }
        t.append(k);
    }
    while (!t.isEmpty() && t.last().simbolo(";"))
        t.removeLast();
    return t;
}

namespace {

// One element of a pattern.
struct Elemento {
    enum class Tipo { Qualsiasi, Uno, Cifra, Classe, Carattere } tipo;
    QString classe; // Classe: its contents; Carattere: the character
    bool negata = false;
};

QList<Elemento> elementi(const QString& jet) {
    QList<Elemento> e;
    for (int i = 0; i < jet.size(); ++i) {
        const QChar c = jet[i];
        if (c == QLatin1Char('*'))
            e.append({Elemento::Tipo::Qualsiasi, {}});
        else if (c == QLatin1Char('?'))
            e.append({Elemento::Tipo::Uno, {}});
        else if (c == QLatin1Char('#'))
            e.append({Elemento::Tipo::Cifra, {}});
        else if (c == QLatin1Char('[')) {
            const int fine = jet.indexOf(QLatin1Char(']'), i + 1);
            if (fine < 0 || fine == i + 1)
                solleva(errori::ErroreSintassi, QStringLiteral("modello LIKE non valido '%1'").arg(jet));
            QString dentro = jet.mid(i + 1, fine - i - 1);
            bool negata = false;
            if (dentro.startsWith(QLatin1Char('!')) && dentro.size() > 1) {
                negata = true;
                dentro.remove(0, 1);
            }
            e.append({Elemento::Tipo::Classe, dentro, negata});
            i = fine;
        } else {
            e.append({Elemento::Tipo::Carattere, QString(c)});
        }
    }
    return e;
}

// A class for GLOB holding both cases of every letter; "^" never first,
// where GLOB would read it as negation.
QString classeGlob(const QString& dentro, bool negata) {
    QString s;
    for (int i = 0; i < dentro.size(); ++i) {
        const QChar c = dentro[i];
        if (i + 2 < dentro.size() && dentro[i + 1] == QLatin1Char('-')) {
            const QChar d = dentro[i + 2];
            s += c + QStringLiteral("-") + d;
            if (c.isLetter() && d.isLetter()) {
                s += c.toLower() + QStringLiteral("-") + d.toLower();
                s += c.toUpper() + QStringLiteral("-") + d.toUpper();
            }
            i += 2;
        } else if (c.isLetter()) {
            s += c.toLower();
            s += c.toUpper();
        } else {
            s += c;
        }
    }
    if (s.startsWith(QLatin1Char('^')))
        s = s.mid(1) + QLatin1Char('^');
    return QStringLiteral("[") + (negata ? QStringLiteral("^") : QString()) + s + QStringLiteral("]");
}

} // namespace

ModelloLike modelloLike(const QString& jet) {
    const QList<Elemento> e = elementi(jet);
    bool serveGlob = false;
    for (const Elemento& x : e)
        serveGlob = serveGlob || x.tipo == Elemento::Tipo::Cifra || x.tipo == Elemento::Tipo::Classe;

    QString p;
    if (!serveGlob) {
        bool escape = false;
        for (const Elemento& x : e) {
            if (x.tipo == Elemento::Tipo::Qualsiasi)
                p += QLatin1Char('%');
            else if (x.tipo == Elemento::Tipo::Uno)
                p += QLatin1Char('_');
            else if (x.classe == QLatin1String("%") || x.classe == QLatin1String("_") ||
                     x.classe == QLatin1String("\\")) {
                p += QLatin1Char('\\') + x.classe;
                escape = true;
            } else {
                p += x.classe;
            }
        }
        return {QStringLiteral("LIKE"), letterale(p) + (escape ? QStringLiteral(" ESCAPE '\\'") : QString())};
    }
    for (const Elemento& x : e) {
        switch (x.tipo) {
        case Elemento::Tipo::Qualsiasi: p += QLatin1Char('*'); break;
        case Elemento::Tipo::Uno: p += QLatin1Char('?'); break;
        case Elemento::Tipo::Cifra: p += QStringLiteral("[0-9]"); break;
        case Elemento::Tipo::Classe: p += classeGlob(x.classe, x.negata); break;
        case Elemento::Tipo::Carattere: {
            const QChar c = x.classe[0];
            if (c.isLetter() && c.toLower() != c.toUpper())
                p += QStringLiteral("[") + c.toLower() + c.toUpper() + QStringLiteral("]");
            else if (c == QLatin1Char('*') || c == QLatin1Char('?') || c == QLatin1Char('['))
                p += QStringLiteral("[") + c + QStringLiteral("]");
            else
                p += c;
            break;
        }
        }
    }
    return {QStringLiteral("GLOB"), letterale(p)};
}

double numeroDaData(const QString& testo) {
    static const QRegularExpression usa(QStringLiteral(
        R"(^\s*(\d{1,2})/(\d{1,2})/(\d{2}|\d{4})(?:\s+(\d{1,2}):(\d{2})(?::(\d{2}))?\s*([AaPp][Mm])?)?\s*$)"));
    static const QRegularExpression iso(QStringLiteral(
        R"(^\s*(\d{4})[-/](\d{1,2})[-/](\d{1,2})(?:[\sT]+(\d{1,2}):(\d{2})(?::(\d{2}))?)?\s*$)"));
    int anno = 0, mese = 0, giorno = 0;
    QRegularExpressionMatch m = usa.match(testo);
    if (m.hasMatch()) {
        mese = m.captured(1).toInt();
        giorno = m.captured(2).toInt();
        anno = m.captured(3).toInt();
        if (m.captured(3).size() == 2)
            anno += anno < 30 ? 2000 : 1900;
    } else if ((m = iso.match(testo)).hasMatch()) {
        anno = m.captured(1).toInt();
        mese = m.captured(2).toInt();
        giorno = m.captured(3).toInt();
    } else {
        solleva(errori::ErroreSintassi, QStringLiteral("data non valida #%1#").arg(testo));
    }
    const QDate data(anno, mese, giorno);
    int ore = m.captured(4).toInt();
    const QString meridiano = m.lastCapturedIndex() >= 7 ? m.captured(7).toUpper() : QString();
    if (meridiano == QLatin1String("PM") && ore < 12)
        ore += 12;
    if (meridiano == QLatin1String("AM") && ore == 12)
        ore = 0;
    const QTime ora(ore, m.captured(5).toInt(), m.captured(6).toInt());
    if (!data.isValid() || !ora.isValid())
        solleva(errori::ErroreSintassi, QStringLiteral("data non valida #%1#").arg(testo));
    return platform::dayNumber(QDateTime(data, ora));
}

} // namespace qv::dao::jet
