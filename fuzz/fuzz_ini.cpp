// The configuration file reader: LeggiIni over the profile functions'
// stand-in, ScriviIni, and ValoreNumerico / ValoreTesto on what they read.
//
// Input: the file as saved by hand (any bytes); after "@@SCRIVI@@", the
// section, the key and the value of one write, a line each (the value may
// run over more lines), and after "@@NUMERO@@" eight bytes of a number
// written under the same section.
//
// Rules: every value read is at most 199 characters, trimmed, without TAB,
// "|" or NUL; ValoreTesto never gives an empty text; a value written reads
// back as written under the file's documented rules; a number written reads
// back through ValoreNumerico as the same number; and a write changes no
// other key of the file. Run with the program's users' Italian locale.

#include "verifica.h"

#include "platform/ansi_text.h"
#include "shell/file_ini.h"

#include <QFile>
#include <QRegularExpression>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <utility>

namespace {

const QString& fileIni() {
    static const QString f = fuzz::cartellaLavoro() + QStringLiteral("Quorvan.ini");
    return f;
}

// Section and key names as the program writes them: letters, digits, "_",
// inner blanks. Anything else is left out of the name.
QString nome(const QByteArray& riga, const char* ripiego) {
    QString n;
    for (const char c : riga)
        if (QChar::fromLatin1(c).isLetterOrNumber() && uchar(c) < 0x80)
            n += QLatin1Char(c);
        else if (c == '_' || c == ' ')
            n += QLatin1Char(c);
    n = n.trimmed();
    return n.isEmpty() ? QString::fromLatin1(ripiego) : n;
}

// Every (section, key) the file seems to hold, by a loose reading of its
// lines, plus the ones the input writes.
QList<std::pair<QString, QString>> chiaviDi(const QByteArray& testo) {
    QList<std::pair<QString, QString>> r;
    QString sezione;
    const QString t = qv::platform::fromAnsi(testo);
    static const QRegularExpression fine(QStringLiteral("[\r\n]"));
    for (const QString& riga : t.split(fine)) {
        const QString s = riga.trimmed();
        if (s.startsWith(QLatin1Char('['))) {
            sezione =
                s.mid(1, s.indexOf(QLatin1Char(']')) < 0 ? -1 : s.indexOf(QLatin1Char(']')) - 1).trimmed();
        } else if (s.indexOf(QLatin1Char('=')) > 0 && r.size() < 64) {
            r.append({sezione, s.left(s.indexOf(QLatin1Char('='))).trimmed()});
        }
    }
    return r;
}

// What LeggiIni must give back for a value written with ScriviIni: line ends
// as blanks, trimmed, one pair of enclosing quotes gone, cut at 199
// characters, then at the first NUL, TAB or "|", trimmed again.
QString attesoDopoScrittura(QString v) {
    v.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    v = v.trimmed();
    if (v.size() >= 2 && (v.front() == QLatin1Char('"') || v.front() == QLatin1Char('\'')) &&
        v.back() == v.front())
        v = v.mid(1, v.size() - 2);
    v = v.left(199);
    for (const QChar c : {QChar(0), QChar(u'\t'), QChar(u'|')})
        if (v.indexOf(c) >= 0) v.truncate(v.indexOf(c));
    return v.trimmed();
}

void verificaLetto(const QString& v, const QString& dove) {
    VERIFICA(v.size() <= 199, dove + QStringLiteral(" = ") + v);
    VERIFICA(v == v.trimmed(), dove + QStringLiteral(" = [") + v + QLatin1Char(']'));
    VERIFICA(!v.contains(QLatin1Char('\t')) && !v.contains(QLatin1Char('|')) && !v.contains(QChar(0)), dove);
    VERIFICA(!qv::ValoreTesto(v).isEmpty() && !qv::ValoreTesto(v, QStringLiteral("X")).isEmpty(), dove);
    (void)qv::ValoreNumerico(v); // any text: a number or 0, never a failure
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // The program's users run it on Italian systems: "," decimals, "." groups.
    setenv("LC_ALL", "it_IT.UTF-8", 1);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray dati(reinterpret_cast<const char*>(data), qsizetype(size));
    const QList<QByteArray> numero = fuzz::parti(dati, "@@NUMERO@@");
    const QList<QByteArray> p = fuzz::parti(numero.first(), "@@SCRIVI@@");
    const QByteArray testo = p.first();
    {
        QFile f(fileIni());
        VERIFICA(f.open(QIODevice::WriteOnly | QIODevice::Truncate), f.errorString());
        f.write(testo);
    }
    QList<std::pair<QString, QString>> chiavi = chiaviDi(testo);

    QString sezione, chiave, valore;
    const bool scrive = p.size() > 1;
    if (scrive) {
        const QList<QByteArray> righe = p.at(1).split('\n');
        sezione = nome(righe.value(0), "PARAMWEB");
        chiave = nome(righe.value(1), "EX_ERRINI");
        // Text as the program has it: from typed or fetched ANSI text, or from
        // anything when the file is UTF-8.
        const QByteArray v =
            righe.size() > 2 ? p.at(1).mid(righe.at(0).size() + righe.at(1).size() + 2) : QByteArray();
        valore = testo.startsWith("\xEF\xBB\xBF") ? QString::fromUtf8(v) : qv::platform::fromAnsi(v);
        chiavi.append({sezione, chiave});
    }

    QList<QString> prima;
    for (const auto& [s, k] : chiavi) {
        const QString v = qv::LeggiIni(fileIni(), s, k);
        verificaLetto(v, s + QLatin1Char('/') + k);
        prima << v;
    }
    if (!scrive) return 0;

    qv::ScriviIni(fileIni(), sezione, chiave, valore);
    const QString letto = qv::LeggiIni(fileIni(), sezione, chiave);
    VERIFICA(letto == attesoDopoScrittura(valore),
             QStringLiteral("[%1] %2: scritto [%3], letto [%4]").arg(sezione, chiave, valore, letto));
    for (qsizetype i = 0; i < chiavi.size(); ++i) {
        const auto& [s, k] = chiavi.at(i);
        if (s.compare(sezione, Qt::CaseInsensitive) == 0 && k.compare(chiave, Qt::CaseInsensitive) == 0)
            continue;
        const QString v = qv::LeggiIni(fileIni(), s, k);
        VERIFICA(v == prima.at(i), QStringLiteral("[%1] %2: era [%3], ora [%4] dopo la scrittura di %5")
                                       .arg(s, k, prima.at(i), v, chiave));
    }

    if (numero.size() > 1 && numero.at(1).size() >= 8) {
        double n = 0;
        std::memcpy(&n, numero.at(1).constData(), sizeof n);
        // The numbers the program writes: positions, sizes, counts, day numbers.
        if (!std::isfinite(n) || std::fabs(n) > 1e15) return 0;
        const QString chiaveNumero = chiave + QStringLiteral("_N");
        qv::ScriviIni(fileIni(), sezione, chiaveNumero, n);
        const QString scritto = qv::LeggiIni(fileIni(), sezione, chiaveNumero);
        const double riletto = qv::ValoreNumerico(scritto);
        // Fifteen significant digits are what the file keeps.
        VERIFICA(std::fabs(riletto - n) <= 1e-14 * std::fabs(n) + 1e-300,
                 QStringLiteral("scritto %1 come [%2], riletto %3")
                     .arg(n, 0, 'g', 17)
                     .arg(scritto)
                     .arg(riletto, 0, 'g', 17));
    }
    return 0;
}
