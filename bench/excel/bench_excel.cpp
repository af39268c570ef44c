// The workbook update without its enquiries: a sheet of N rows (default
// 100,000: progressive number, MRN, a note, an empty status column) written
// by libxlsxwriter, then AggiornaFileExcel with an enquiry that answers at
// once with an exit date, so that every MRN is collected and gets its word,
// and the workbook is saved. Prints the time of each phase and the peak
// memory.
//
//   bench_excel [--righe N] [--tieni]

#include "archive/excel/aggiorna_excel.h"
#include "archive/excel/cartella_excel.h"
#include "shell/messaggi.h"
#include "shell/procedure_file.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTextStream>

#include <xlsxwriter.h>

#include <sys/resource.h>

#include <array>
#include <cstdio>

namespace {

bool scriviCartella(const QString& percorso, qint64 righe) {
    lxw_workbook_options opzioni = {};
    opzioni.constant_memory = LXW_TRUE;
    lxw_workbook* wb = workbook_new_opt(percorso.toLocal8Bit().constData(), &opzioni);
    lxw_worksheet* ws = workbook_add_worksheet(wb, "Dati");
    lxw_format* grassetto = workbook_add_format(wb);
    format_set_bold(grassetto);
    worksheet_write_string(ws, 0, 0, "N.", grassetto);
    worksheet_write_string(ws, 0, 1, "MRN", grassetto);
    worksheet_write_string(ws, 0, 3, "STATO", grassetto);
    char mrn[32];
    for (qint64 r = 1; r <= righe; ++r) {
        std::snprintf(mrn, sizeof mrn, "24IT%012lldE1", static_cast<long long>(r));
        worksheet_write_number(ws, lxw_row_t(r), 0, double(r), nullptr);
        worksheet_write_string(ws, lxw_row_t(r), 1, mrn, nullptr);
        worksheet_write_string(ws, lxw_row_t(r), 2, "spedizione", nullptr);
    }
    return workbook_close(wb) == LXW_NO_ERROR;
}

// CPU time of the process so far (user + system), in ms: on a shared
// machine the wall clock says more about the other processes.
qint64 tempoCpu() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return (qint64(u.ru_utime.tv_sec) + u.ru_stime.tv_sec) * 1000 + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1000;
}

double picco() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return double(u.ru_maxrss) / 1024.0; // MB
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList a = app.arguments();
    qint64 righe = 100000;
    if (const qsizetype i = a.indexOf(QStringLiteral("--righe")); i > 0 && i + 1 < a.size())
        righe = a.at(i + 1).toLongLong();
    QTextStream out(stdout);
    QTemporaryDir cartella;
    cartella.setAutoRemove(!a.contains(QStringLiteral("--tieni")));
    const QString file = cartella.filePath(QStringLiteral("bench.xlsx"));
    if (!scriviCartella(file, righe)) {
        out << "libxlsxwriter could not write " << file << Qt::endl;
        return 1;
    }
    out << righe << " rows, " << QFileInfo(file).size() / 1024 << " KB; peak after writing it " << picco() << " MB"
        << Qt::endl;

    std::array<QString, 20> esito;
    std::array<QString, 8> titolo;
    const qv::Interroga interroga = [&](const QString&) {
        esito[19] = QStringLiteral("01/02/2024");
        return 0;
    };
    qv::FileAperti files;
    qv::MessaggiRegistrati messaggi;
    QElapsedTimer t;
    qint64 raccolta = 0;
    qv::CallbackExcel cb;
    cb.fase = [&](const QString& testo) {
        if (testo.startsWith(QLatin1String("Elaborazione")))
            raccolta = t.elapsed();
    };
    const qint64 cpuPrima = tempoCpu();
    t.start();
    const qv::RisultatoExcel r = qv::AggiornaFileExcel({file, QStringLiteral("Dati"), 2, 4}, cartella.path() + QLatin1Char('/'),
                                                       interroga, esito, titolo, files, messaggi, cb);
    const qint64 totale = t.elapsed();
    out << "open + collect " << raccolta << " ms; query (no enquiry) + write " << r.scritti << " words + save "
        << totale - raccolta << " ms; total " << totale << " ms (CPU " << tempoCpu() - cpuPrima << " ms); peak memory "
        << picco() << " MB" << Qt::endl;
    out << qv::MessaggioFineExcel(r) << Qt::endl;
    return r.scritti == righe ? 0 : 1;
}
