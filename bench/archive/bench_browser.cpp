// The archive browser on a large archive, run by hand (never by CTest):
//   QT_QPA_PLATFORM=offscreen bench_browser [--righe N] [--salti K]
// Builds an archive of N rows (default 1,000,000), then times the browser
// from its construction to its first rows painted and its total in the
// caption (the opening filter, then TUTTI), the jump to the last row and
// back, and K jumps (default 200) spread over the whole grid, with the
// resident memory before, during and after.
// With --mostra the browser stays open on the archive (every state) until
// it is closed (for a picture: bench_browser --righe 2000 --mostra).

#include "archive/ui/contesto_archivio.h"
#include "archive/ui/finestra_archivio_mrn.h"
#include "archive/ui/modello_archivio.h"
#include "database/stato_database.h"
#include "enquiry/ambiente_web.h"
#include "enquiry/stato_web.h"
#include "shell/elenco_nazioni.h"
#include "shell/ui/contesto_finestre.h"
#include "tests/archive/archivio_prova.h"
#include "bench/archive/memoria.h"
#include "tests/shell/avviatore_registrato.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QScrollBar>
#include <QSqlError>
#include <QSqlQuery>
#include <QTableView>
#include <QTemporaryDir>
#include <QTextStream>

using namespace qv;

namespace {

QTextStream out(stdout);

// N archive rows made by SQLite: every state, 27 nations, both kinds.
bool archivio(QSqlDatabase db, qint64 righe) {
    QSqlQuery q(db);
    const QString sql = QStringLiteral(
        "INSERT INTO MRN (Codice, Nazione, ExUffExport, ExDataUscita, TrUfficio1, TrData1, OKStato, DataElab) "
        "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < @N@) "
        "SELECT printf('%02d', 7 + i % 18) || substr('ATBEBGCYCZDEDKEEESFIFRGRHRHUIEITLTLULVMTNLPLPTROSESISK', "
        "(i % 27) * 2 + 1, 2) || printf('%012d', i) || CASE WHEN i % 2 = 0 THEN 'E' ELSE 'T' END || (i % 10), "
        "substr('ATBEBGCYCZDEDKEEESFIFRGRHRHUIEITLTLULVMTNLPLPTROSESISK', (i % 27) * 2 + 1, 2), "
        "'IT277100 - MALPENSA', CASE WHEN i % 3 = 0 THEN 45000 + i % 400 ELSE 0 END, 'IT261101 - VERONA', "
        "44900 + i % 300, i % 4, 44000 + i % 1200 FROM n");
    if (!q.exec(QString(sql).replace(QStringLiteral("@N@"), QString::number(righe)))) {
        out << "fill failed: " << q.lastError().text() << "\n";
        return false;
    }
    return true;
}

double ms(const QElapsedTimer& t) { return t.nsecsElapsed() / 1e6; }

// The grid painted as the user sees it.
void dipingi(QTableView* griglia) {
    griglia->viewport()->repaint();
    QApplication::processEvents();
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    qint64 righe = 1000000;
    int salti = 200;
    const bool mostra = app.arguments().contains(QStringLiteral("--mostra"));
    const QStringList args = app.arguments();
    for (int i = 1; i + 1 < args.size(); ++i) {
        if (args.at(i) == QLatin1String("--righe"))
            righe = std::max<qint64>(1000, args.at(i + 1).toLongLong());
        if (args.at(i) == QLatin1String("--salti"))
            salti = std::max(1, args.at(i + 1).toInt());
    }

    QTemporaryDir dir;
    StatoShell shell;
    shell.FileIni = dir.filePath(QStringLiteral("Quorvan.ini"));
    MessaggiRegistrati messaggi;
    prova::AvviatoreRegistrato avviatore;
    ContestoFinestre finestre(shell, messaggi, avviatore);
    StatoDatabase s;
    s.FileDataBase = dir.filePath(QStringLiteral("Quorvan.mdb"));
    s.CartellaTemp = dir.path() + QLatin1Char('/');
    s.DbLavoro = prova::CreaArchivioProva(s.WsLavoro, s.FileDataBase);
    s.DatabaseAperto = true;
    QElapsedTimer t;
    t.start();
    s.DbLavoro.BeginTrans();
    const bool pieno = archivio(s.DbLavoro.connessioneSql(), righe);
    s.DbLavoro.CommitTrans();
    if (!pieno)
        return 1;
    out << "archive of " << righe << " rows built in " << ms(t) / 1000 << " s\n";

    StatoWeb web;
    AmbienteWeb ambiente;
    StatoArchivio stato;
    const ElencoNazioni nazioni = CaricaElencoNazioni(shell.FileIni);
    ContestoArchivio contesto{web, ambiente, s, stato, nazioni};
    const double memoriaPrima = bench::MemoriaMb("VmRSS");
    if (mostra) {
        FinestraArchivioMrn w(finestre, contesto);
        auto* tutti = w.findChild<QComboBox*>(QStringLiteral("cbStato")); // every state's colour
        tutti->setCurrentIndex(4);
        emit tutti->activated(4);
        return w.exec() >= 0 ? 0 : 1;
    }

    t.restart();
    FinestraArchivioMrn w(finestre, contesto);
    w.show();
    auto* griglia = w.findChild<QTableView*>(QStringLiteral("TDBGrid1"));
    dipingi(griglia);
    out << "opening (IN SOSPESO, " << w.modello().totale() << " rows): first rows and total in " << ms(t)
        << " ms\n";

    auto* statoCombo = w.findChild<QComboBox*>(QStringLiteral("cbStato"));
    t.restart();
    statoCombo->setCurrentIndex(4);
    emit statoCombo->activated(4);
    dipingi(griglia);
    out << "TUTTI (" << w.modello().totale() << " rows): first rows and total in " << ms(t) << " ms\n";

    t.restart();
    griglia->scrollToBottom();
    dipingi(griglia);
    out << "to the last row: " << ms(t) << " ms\n";
    t.restart();
    griglia->scrollToTop();
    dipingi(griglia);
    out << "back to the first row: " << ms(t) << " ms\n";

    double memoriaMassima = bench::MemoriaMb("VmRSS");
    QScrollBar* barra = griglia->verticalScrollBar();
    t.restart();
    for (int k = 0; k <= salti; ++k) {
        barra->setValue(int(qint64(barra->maximum()) * k / salti));
        dipingi(griglia);
        memoriaMassima = std::max(memoriaMassima, bench::MemoriaMb("VmRSS"));
    }
    out << salti << " jumps through the grid: " << ms(t) / salti << " ms each; pages held "
        << w.modello().pagineInMemoria() << "\n";
    out << "resident memory: " << memoriaPrima << " MB before opening, at most " << memoriaMassima
        << " MB while scrolling, peak " << bench::MemoriaMb("VmHWM") << " MB\n";
    w.close();
    s.DbLavoro.Close();
    return 0;
}
