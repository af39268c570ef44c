// quorvan-cli export csv|list [--state S] [--nation XX] [--year YY]
//     [--kind E|T] [--from D/M/Y] [--to D/M/Y] [--code FRAGMENT]
//     [--table MRN|WkMRN] [--out PATH]
//
// The archive browser's exports, unattended, on the rows its filters would
// show (no filter: every row; --to defaults to today, as in the browser):
// csv writes "EXP" + table + ".csv" in the temporary folder with every
// column; list writes the MRN codes, one per line, to --out (default
// "ListaVAT.txt" in the temporary folder). The file written is printed on
// stdout. --state takes 0-3, S, D, E, C, or 4/TUTTI for every state.
//
// Also the filter options requery shares.

#include "archive/colonne_griglia.h"
#include "archive/controllo_data.h"
#include "archive/esportazioni.h"
#include "archive/estrazione_archivio.h"
#include "cli/avvio.h"
#include "cli/comandi.h"
#include "database/file_database.h"

#include <QDir>
#include <QTextStream>

namespace qv::cli {

namespace {

const char* const kUso =
    "usage: quorvan-cli [--home DIR] export csv|list [--state S] [--nation XX] [--year YY] [--kind E|T]\n"
    "       [--from D/M/Y] [--to D/M/Y] [--code FRAGMENT] [--table MRN|WkMRN] [--out PATH]";

std::optional<int> stato(const QString& testo) {
    const QString t = testo.trimmed().toUpper();
    static const QStringList lettere{QStringLiteral("S"), QStringLiteral("D"), QStringLiteral("E"), QStringLiteral("C")};
    if (lettere.contains(t))
        return static_cast<int>(lettere.indexOf(t));
    if (t == QLatin1String("TUTTI"))
        return kStatoTutti;
    const int voce = static_cast<int>(VociStato().indexOf(t));
    if (voce >= 0)
        return voce;
    bool ok = false;
    const int n = t.toInt(&ok);
    if (ok && n >= 0 && n <= kStatoTutti)
        return n;
    return std::nullopt;
}

// Day, month and year of a date typed as D/M/Y into three browser fields.
bool parti(const QString& data, QString* campi) {
    const QStringList p = data.split(QLatin1Char('/'));
    if (p.size() != 3)
        return false;
    for (int i = 0; i < 3; ++i)
        campi[i] = p.at(i).trimmed();
    return true;
}

} // namespace

bool LeggiFiltriCli(const QStringList& argomenti, FiltriCli& filtri, QStringList& resto, QString& errore) {
    const QDate oggi = QDate::currentDate();
    filtri.filtri.al[0] = QString::number(oggi.day()).rightJustified(2, QLatin1Char('0'));
    filtri.filtri.al[1] = QString::number(oggi.month()).rightJustified(2, QLatin1Char('0'));
    filtri.filtri.al[2] = QString::number(oggi.year());
    FiltriArchivio& f = filtri.filtri;
    for (int i = 0; i < argomenti.size(); ++i) {
        const QString& a = argomenti.at(i);
        if (!a.startsWith(QLatin1String("--")) || a == QLatin1String("--out") || i + 1 >= argomenti.size()) {
            resto << a;
            continue;
        }
        const QString v = argomenti.at(++i);
        if (a == QLatin1String("--state")) {
            const auto s = stato(v);
            if (!s) {
                errore = QStringLiteral("--state wants 0-4, S, D, E, C or TUTTI");
                return false;
            }
            f.stato = *s;
        } else if (a == QLatin1String("--nation")) {
            f.nazione = v.trimmed().toUpper();
        } else if (a == QLatin1String("--year")) {
            f.anno = v.trimmed();
        } else if (a == QLatin1String("--kind")) {
            f.tipo = v.trimmed().toUpper();
        } else if (a == QLatin1String("--code")) {
            f.frammento = v.trimmed().toUpper();
        } else if (a == QLatin1String("--table")) {
            if (v.compare(QLatin1String("MRN"), Qt::CaseInsensitive) == 0)
                filtri.modo.archivio = true;
            else if (v.compare(QLatin1String("WkMRN"), Qt::CaseInsensitive) == 0)
                filtri.modo.archivio = false;
            else {
                errore = QStringLiteral("--table wants MRN or WkMRN");
                return false;
            }
        } else if (a == QLatin1String("--from") || a == QLatin1String("--to")) {
            QString* campi = a == QLatin1String("--from") ? f.dal : f.al;
            if (!parti(v, campi)) {
                errore = a + QStringLiteral(" wants a date as D/M/Y");
                return false;
            }
        } else {
            resto << a << v;
        }
    }
    // The browser's own checks of the six date fields, with its messages.
    QString campi[6];
    for (int i = 0; i < 3; ++i) {
        campi[i] = f.dal[i];
        campi[i + 3] = f.al[i];
    }
    for (int c = 1; c <= 6; ++c) {
        if (const auto e = ControllaData(c, campi, NomeProgramma)) {
            errore = e->messaggio;
            return false;
        }
    }
    return true;
}

int ComandoExport(const QStringList& argomenti, const QString& home) {
    QTextStream err(stderr);
    FiltriCli filtri;
    filtri.filtri.stato = kStatoTutti;
    QStringList resto;
    QString errore;
    if (!LeggiFiltriCli(argomenti, filtri, resto, errore)) {
        err << "quorvan-cli export: " << errore << '\n' << kUso << Qt::endl;
        return kErroreUso;
    }
    QString forma;
    QString uscita;
    for (int i = 0; i < resto.size(); ++i) {
        if (resto.at(i) == QLatin1String("--out") && i + 1 < resto.size() && uscita.isEmpty())
            uscita = QDir::current().absoluteFilePath(resto.at(++i));
        else if ((resto.at(i) == QLatin1String("csv") || resto.at(i) == QLatin1String("list")) && forma.isEmpty())
            forma = resto.at(i);
        else {
            err << "quorvan-cli export: unexpected argument " << resto.at(i) << '\n' << kUso << Qt::endl;
            return kErroreUso;
        }
    }
    if (forma.isEmpty() || (forma == QLatin1String("csv") && !uscita.isEmpty())) {
        err << kUso << Qt::endl;
        return kErroreUso;
    }

    AmbienteCli ambiente;
    StatoDatabase& database = ambiente.database;
    if (const int stato = AvviaArchivioCli(ambiente, home, "export", true))
        return stato;

    const QString sql = SqlEstrazione(filtri.modo, filtri.filtri, {}, QDate::currentDate());
    const RisultatoEsportazione r =
        forma == QLatin1String("csv")
            ? EsportaCsv(database, ambiente.messaggi, sql, filtri.modo.tabella(), ColonneDaEsportare(true, QString()))
            : EsportaLista(database, ambiente.messaggi, sql,
                           uscita.isEmpty() ? database.CartellaTemp + QStringLiteral("ListaVAT.txt") : uscita, false);
    ChiudiDataBase(database);

    QTextStream out(stdout);
    switch (r.esito) {
    case EsitoEsportazione::Fatto:
        out << QDir::toNativeSeparators(r.percorso) << '\n' << "rows: " << r.righe << Qt::endl;
        return 0;
    case EsitoEsportazione::NessunDato:
        return kNessunDato;
    case EsitoEsportazione::FileAperto:
        return kErroreElenco;
    case EsitoEsportazione::Errore:
        err << "quorvan-cli export: the database refused the extraction" << Qt::endl;
        return kErroreArchivio;
    }
    return kErroreArchivio;
}

} // namespace qv::cli
