// The page extraction of the three page kinds, through GetHtmPage as the
// program calls it, with the fetched page handed in by a stand-in client.
//
// Input: a first byte choosing the kind ('E' export, 'T' transit, 'V' VIES,
// else by its value) and the answer's charset (odd: UTF-8, even: the
// Windows-1252 default); then, when "@@PAGINA@@" occurs, the configuration
// file before it (section PARAMWEB holds the markers) and the page after it,
// else the page alone. A transit page is followed by "@@EXPORT@@" and the
// export page of the same MRN.
//
// Rules: a valid code always gets its page read (empty result for an MRN,
// empty or the lost-connection text for VIES); only the fields of the page
// kind are filled, index 0 never; no field holds a line end or outgrows the
// cleaned window; an error page gives its framed message and no data; a
// shown failure is one of the three numbered ones; an object reused after
// another enquiry gives the same fields as a new one.

#include "verifica.h"

#include "enquiry/testo_pagina.h"
#include "tests/enquiry/cliente_finto.h"

#include <QFile>

#include <array>
#include <cstdint>

namespace {

const QString kMrnExport = QStringLiteral("25IT000000000000E1");
const QString kMrnTransito = QStringLiteral("25IT000000000000T1");
const QString kVat = QStringLiteral("IT12345678901");

struct Risultato {
    QString esito;
    std::array<QString, 20> e;
    std::array<QString, 8> t;
    QList<int> guasti;
};

enum class Tipo { Export, Transito, Vat };

// The tests' enquiry bench (fake client, default nations, recorded
// messages); the configuration file is the work folder's Quorvan.ini.
QString cartella() {
    return fuzz::cartellaLavoro().chopped(1);
}

QString interroga(BancoWeb& b, qv::GetHtmPage& pagina, Tipo tipo, const QStringList& pagine) {
    b.http.pagine.clear();
    if (tipo == Tipo::Vat) {
        b.http.pagine[prova::kVies] = pagine.first();
        pagina.plVAT(kVat);
        return pagina.xGetPaginaVAT();
    }
    b.http.pagine[tipo == Tipo::Export ? prova::kExport : prova::kTransito] = pagine.first();
    if (tipo == Tipo::Transito) b.http.pagine[prova::kExport] = pagine.value(1, pagine.first());
    pagina.plMRN(tipo == Tipo::Export ? kMrnExport : kMrnTransito);
    return pagina.xGetPaginaMRN();
}

Risultato esegui(Tipo tipo, const QStringList& pagine, bool riusato) {
    BancoWeb b(cartella());
    qv::GetHtmPage pagina(b.web, b.ambiente);
    if (riusato) {
        // A full answer of another kind first: nothing of it may survive.
        const QString piena =
            QStringLiteral("<p class=\"vies_ok\">valida</p><th>A</th><td>1</td><th>B</th><td>2</td><p "
                           "class=\"vies_note\">n</p>"
                           "<p class=\"vies_date\">Data della richiesta: 01/01/2025</p><th "
                           "class=\"dati1\">U<td class=\"dati2\">V<");
        interroga(b, pagina, tipo == Tipo::Vat ? Tipo::Transito : Tipo::Vat, {piena});
        b.messaggi.svuota();
    }
    Risultato r;
    r.esito = interroga(b, pagina, tipo, pagine);
    for (int i = 0; i < 20; ++i)
        r.e[i] = pagina.pgEsito(i);
    for (int i = 0; i < 8; ++i)
        r.t[i] = pagina.pgTitolo(i);
    r.guasti = b.guasti();
    return r;
}

QString descrivi(const Risultato& r) {
    QString s = QStringLiteral("esito=[%1]").arg(r.esito);
    for (int i = 0; i < 20; ++i)
        if (!r.e[i].isEmpty()) s += QStringLiteral(" E%1=[%2]").arg(i).arg(r.e[i]);
    for (int i = 0; i < 8; ++i)
        if (!r.t[i].isEmpty()) s += QStringLiteral(" T%1=[%2]").arg(i).arg(r.t[i]);
    return s;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    const QByteArray dati(reinterpret_cast<const char*>(data) + 1, qsizetype(size - 1));
    const char scelta = char(data[0]);
    const Tipo tipo = scelta == 'E'   ? Tipo::Export
                      : scelta == 'T' ? Tipo::Transito
                      : scelta == 'V' ? Tipo::Vat
                                      : Tipo(data[0] % 3);
    const QByteArray charset = data[0] & 1 ? "text/html; charset=utf-8" : "text/html";

    const QString fileIni = cartella() + QStringLiteral("/Quorvan.ini");
    QFile::remove(fileIni);
    QByteArray resto = dati;
    const qsizetype separatore = dati.indexOf("@@PAGINA@@");
    if (separatore >= 0) {
        QFile f(fileIni);
        VERIFICA(f.open(QIODevice::WriteOnly), f.errorString());
        f.write(dati.left(separatore));
        f.close();
        resto = dati.mid(separatore + 10);
    }
    QStringList pagine;
    for (const QByteArray& p : fuzz::parti(resto, "@@EXPORT@@"))
        pagine << qv::platform::decodeBody(p, charset);

    const Risultato r = esegui(tipo, pagine, false);
    const QString tutto = descrivi(r);

    if (tipo == Tipo::Vat)
        VERIFICA(r.esito.isEmpty() || r.esito == qv::ConnessioneNonAttiva(), tutto);
    else
        VERIFICA(r.esito.isEmpty(), tutto);
    VERIFICA(r.e[0].isEmpty() && r.t[0].isEmpty(), tutto);

    // The fields each kind may fill.
    const int ultimoEsito = tipo == Tipo::Vat ? 8 : 19;
    const int ultimoTitolo = tipo == Tipo::Vat ? 6 : 7;
    for (int i = 1; i < 20; ++i) {
        const bool ammesso = i <= ultimoEsito && !(tipo == Tipo::Export && i < 17);
        VERIFICA(ammesso || r.e[i].isEmpty(), QStringLiteral("E%1 ").arg(i) + tutto);
    }
    for (int i = 1; i < 8; ++i) {
        const bool ammesso = i <= ultimoTitolo && !(tipo == Tipo::Export && (i == 1 || i == 3 || i == 4));
        VERIFICA(ammesso || r.t[i].isEmpty(), QStringLiteral("T%1 ").arg(i) + tutto);
    }
    // A field comes from one cleaned window: no line ends, and at most the
    // window with every character widened by the cleaning, plus the frame.
    const qsizetype massimo = 4 * qv::LarghezzaFinestra + 40;
    for (const QString& v : r.e)
        VERIFICA(!v.contains(QLatin1Char('\n')) && !v.contains(QLatin1Char('\r')) && v.size() <= massimo,
                 tutto);
    for (const QString& v : r.t)
        VERIFICA(!v.contains(QLatin1Char('\n')) && !v.contains(QLatin1Char('\r')) && v.size() <= massimo,
                 tutto);

    // An export page with its error marker: the framed message and no data.
    if (tipo == Tipo::Export && !r.t[2].isEmpty()) {
        const bool stelle =
            r.t[2].startsWith(QLatin1String("*** ")) && r.t[2].endsWith(QLatin1String(" ***"));
        const bool attesa =
            r.t[2].startsWith(QLatin1String("=== ")) && r.t[2].endsWith(QLatin1String(" ==="));
        VERIFICA(stelle || attesa, tutto);
        VERIFICA(r.e[17].isEmpty() && r.e[18].isEmpty() && r.e[19].isEmpty() && r.t[5].isEmpty(), tutto);
    }
    // A failure shown is one of the three numbered ones, in its own box; VIES shows none.
    for (const int g : r.guasti)
        VERIFICA(tipo != Tipo::Vat && g >= 1 && g <= 3, QStringLiteral("guasto %1 ").arg(g) + tutto);

    const Risultato dopo = esegui(tipo, pagine, true);
    VERIFICA(dopo.esito == r.esito && dopo.e == r.e && dopo.t == r.t,
             tutto + QStringLiteral("\n riusato: ") + descrivi(dopo));
    return 0;
}
