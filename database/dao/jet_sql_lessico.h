#pragma once
// The pieces the Jet SQL translator works on: tokens, LIKE patterns and
// #date# literals. Internal to the translator.

#include <QList>
#include <QString>

namespace qv::dao::jet {

struct Token {
    enum class Tipo { Parola, Nome, Testo, Numero, Data, Simbolo };
    Tipo tipo = Tipo::Simbolo;
    QString testo; // Parola/Numero/Simbolo as written; Nome/Testo/Data without their delimiters
    int posizione = 0;

    bool simbolo(const char* s) const { return tipo == Tipo::Simbolo && testo == QLatin1String(s); }
    bool parola(const char* s) const {
        return tipo == Tipo::Parola && testo.compare(QLatin1String(s), Qt::CaseInsensitive) == 0;
    }
    bool nome() const { return tipo == Tipo::Parola || tipo == Tipo::Nome; }
};

// Splits a statement into tokens; a trailing ";" is dropped. Unclosed
// quotes, brackets or # raise 3075.
QList<Token> analizza(const QString& sql);

// A LIKE pattern with the engine's wildcards ("*", "?", "#", "[...]",
// "[!...]") as the SQLite operator and literal that match the same texts
// without regard to case: LIKE when only "*" and "?" occur (so an index can
// serve a prefix), GLOB with both cases spelled out otherwise.
struct ModelloLike {
    QString operatore; // "LIKE" or "GLOB"
    QString sql;       // the literal, with " ESCAPE '\'" when LIKE needs it
};
ModelloLike modelloLike(const QString& jet);

// The text between # and # (month/day/year, or year-month-day, with an
// optional time) as a day number; 3075 when it is no date.
double numeroDaData(const QString& testo);

} // namespace qv::dao::jet
