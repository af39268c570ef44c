// quorvan-cli excel WORKBOOK --sheet NAME --mrn-col N --status-col M [--connections N] [--json]
//
// The workbook update of the window GesExcel, unattended: the MRNs of the
// sheet whose status cell is blank are queried and the words "DEL", "ERR"
// and "OK" written into their rows; the workbook is saved in place. The
// "AGGEXCEL" keys are written as the window writes them. Progress goes to
// stderr; the summary (or, with --json, one line) to stdout, and one line to
// "Quorvan.log". Ctrl+C starts no more enquiries, those in flight are handed
// on, and the words written so far are saved. Up to --connections enquiries
// (default "CONNESSIONI" of "ELEMRN") are in flight at once.

#include "archive/excel/aggiorna_excel.h"
#include "archive/giri_automatici.h"
#include "cli/avvio.h"
#include "cli/comandi.h"
#include "database/file_database.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTextStream>

#include <atomic>
#include <csignal>
#include <optional>

namespace qv::cli {

namespace {

const char* const kUso = "usage: quorvan-cli [--home DIR] excel WORKBOOK --sheet NAME --mrn-col N "
                         "--status-col M [--connections N] "
                         "[--json]";

std::atomic<bool> fermatoDaSegnale{false};

extern "C" void fermaExcel(int) {
    fermatoDaSegnale = true;
}

// A JSON string value, quoted and escaped.
QByteArray stringaJson(const QString& testo) {
    const QByteArray a = QJsonDocument(QJsonArray{testo}).toJson(QJsonDocument::Compact);
    return a.mid(1, a.size() - 2);
}

QByteArray rigaJson(const QString& cartella, const RisultatoExcel& r, const std::optional<QString>& errore) {
    const auto n = [](qint64 v) { return QByteArray::number(v); };
    return "{\"workbook\":" + stringaJson(cartella) + ",\"total\":" + n(r.totale) +
           ",\"sospesi\":" + n(r.conteggi[0]) + ",\"cancellati\":" + n(r.conteggi[1]) +
           ",\"errati\":" + n(r.conteggi[2]) + ",\"appurati\":" + n(r.conteggi[3]) +
           ",\"cancelled\":" + (r.fine == FineExcel::Annullato ? "true" : "false") +
           ",\"error\":" + (errore ? stringaJson(*errore) : QByteArray("null")) + "}";
}

int statoUscita(const RisultatoExcel& r) {
    switch (r.fine) {
    case FineExcel::Completato:
        return 0;
    case FineExcel::Annullato:
        return kInterrotto;
    case FineExcel::SenzaRete:
        return 9;
    case FineExcel::ErroreLettura:
    case FineExcel::ErroreAggiornamento:
        break;
    }
    return kErroreCartella;
}

} // namespace

int ComandoExcel(const QStringList& argomenti, const QString& home) {
    QTextStream err(stderr);
    ParametriExcel p;
    bool json = false;
    int connessioni = 0;
    QString colonne[2];
    for (int i = 0; i < argomenti.size(); ++i) {
        const QString& a = argomenti.at(i);
        const bool conValore = i + 1 < argomenti.size();
        if (a == QLatin1String("--sheet") && conValore)
            p.foglio = argomenti.at(++i);
        else if (a == QLatin1String("--mrn-col") && conValore)
            colonne[0] = argomenti.at(++i);
        else if (a == QLatin1String("--status-col") && conValore)
            colonne[1] = argomenti.at(++i);
        else if (a == QLatin1String("--json"))
            json = true;
        else if (QString errore; a == QLatin1String("--connections") &&
                                 !LeggiConnessioniCli(argomenti, i, connessioni, errore)) {
            err << "quorvan-cli excel: " << errore << '\n' << kUso << Qt::endl;
            return kErroreUso;
        } else if (a == QLatin1String("--connections"))
            continue;
        else if (!a.startsWith(QLatin1String("--")) && p.file.isEmpty())
            p.file = a;
        else {
            err << "quorvan-cli excel: unexpected argument " << a << '\n' << kUso << Qt::endl;
            return kErroreUso;
        }
    }
    bool numeri[2] = {false, false};
    p.colMrn = colonne[0].toInt(&numeri[0]);
    p.colSts = colonne[1].toInt(&numeri[1]);
    if (p.file.isEmpty() || p.foglio.trimmed().isEmpty() || !numeri[0] || !numeri[1]) {
        err << kUso << Qt::endl;
        return kErroreUso;
    }
    for (const int campo : {CampoColonnaMrn, CampoColonnaStato})
        if (const ControlloExcel c = ControllaParametri(p, campo); !c) {
            err << "quorvan-cli excel: " << c.messaggio << '\n' << kUso << Qt::endl;
            return kErroreUso;
        }
    // The workbook is named from where the command was given, before the
    // program folder becomes the current one.
    p.file = QDir::current().absoluteFilePath(p.file);

    AmbienteCli ambiente;
    if (!AvviaAmbiente(ambiente, home)) return kErroreAvvio;
    ChiudiDataBase(ambiente.database); // the update never touches the archive

    QTextStream out(stdout);
    RisultatoExcel r;
    if (!QFileInfo(p.file).isFile()) {
        r.fine = FineExcel::ErroreLettura;
        r.errore = ErroreCartella(CodiceErroreExcel::FileMancante, QDir::toNativeSeparators(p.file));
    } else {
        ScriviParametriExcel(ambiente.fileIni, p);
        fermatoDaSegnale = false;
        const auto precedente = std::signal(SIGINT, fermaExcel);
        CallbackExcel cb;
        cb.fase = [&err](const QString& testo) { err << testo << Qt::endl; };
        cb.avanzamento = [&err](const AvanzamentoElenco& a) { err << TestoAvanzamento(a) << Qt::endl; };
        cb.annullato = [] { return fermatoDaSegnale.load(); };
        cb.avviso = [&err](const QString& testo) { err << testo << Qt::endl; };
        cb.connessioni = connessioni;
        r = AggiornaFileExcel(p, ambiente.web, ambiente.ambienteWeb(), ambiente.fileAperti, ambiente.messaggi,
                              cb);
        std::signal(SIGINT, precedente);
    }

    std::optional<QString> errore;
    if (r.fine == FineExcel::ErroreLettura || r.fine == FineExcel::ErroreAggiornamento)
        errore = TestoErroreExcel(r.errore);
    else if (r.fine == FineExcel::SenzaRete)
        errore = r.messaggio;
    if (errore) err << "quorvan-cli excel: " << *errore << Qt::endl;
    if (json) {
        out << rigaJson(QDir::toNativeSeparators(p.file), r, errore) << '\n';
    } else {
        out << RiepilogoExcel(r).replace(QLatin1String("\r\n"), QLatin1String("\n")) << '\n';
        out << MessaggioFineExcel(r) << '\n';
    }
    out.flush();
    const QString conteggi =
        QStringLiteral("MRN %1, Sospesi %2, Cancellati %3, Errati %4, Appurati %5, written %6")
            .arg(r.totale)
            .arg(r.conteggi[0])
            .arg(r.conteggi[1])
            .arg(r.conteggi[2])
            .arg(r.conteggi[3])
            .arg(r.scritti);
    if (!ScriviRegistro(ambiente.cartellaProgramma,
                        RigaRegistro(QDateTime::currentDateTime(), QStringLiteral("excel"), conteggi,
                                     QStringLiteral("exit ") + QString::number(statoUscita(r)) +
                                         QStringLiteral(", ") + (errore ? *errore : MessaggioFineExcel(r)))))
        err << "quorvan-cli excel: cannot write " << kFileRegistro << Qt::endl;
    return statoUscita(r);
}

} // namespace qv::cli
