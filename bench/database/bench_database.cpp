// Database engine on an archive of 1,000,000 MRN rows: filling it through a
// table recordset, opening, Seek, upsert by key, moving, counting, and the
// rebuild the schema upgrade makes after a text size change.
// Usage: bench_database [rows] [folder]. Figures go to docs/database.md.

#include "database/aggiorna_db.h"
#include "database/file_database.h"
#include "database/schema_riferimento.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTextStream>

using namespace qv;
using namespace qv::dao;

namespace {

QTextStream out(stdout);

QString codice(qint64 i) {
    static const char* nazioni[] = {"IT", "DE", "FR", "AT", "NL", "BE", "ES"};
    return QStringLiteral("%1%2%3%4%5")
        .arg(7 + i % 12, 2, 10, QChar('0'))
        .arg(QLatin1String(nazioni[i % 7]))
        .arg(i, 12, 10, QChar('0'))
        .arg(i % 3 == 0 ? 'T' : 'E')
        .arg(i % 10);
}

// Peak resident memory of this process, where the system tells it.
QString memoriaMassima() {
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return QStringLiteral("n/a");
    for (const QByteArray& r : f.readAll().split('\n'))
        if (r.startsWith("VmHWM:"))
            return QString::fromLatin1(r.mid(6).trimmed());
    return QStringLiteral("n/a");
}

void riga(const QString& cosa, qint64 ms, qint64 volte = 0) {
    out << cosa.leftJustified(52) << QString::number(ms).rightJustified(8) << " ms";
    if (volte > 0)
        out << QStringLiteral("   %1 µs each").arg(ms * 1000.0 / double(volte), 0, 'f', 2);
    out << Qt::endl;
}

void scriviRiga(Recordset& rs, qint64 i) {
    rs.setValue(QStringLiteral("Nazione"), codice(i).mid(2, 2));
    rs.setValue(QStringLiteral("ExUffExport"), QStringLiteral("IT%1 - UFFICIO DELLE DOGANE").arg(i % 1000, 6, 10, QChar('0')));
    rs.setValue(QStringLiteral("TrUfficio1"), QStringLiteral("DE004852"));
    rs.setValue(QStringLiteral("TrRuolo1"), QStringLiteral("PARTENZA"));
    rs.setValue(QStringLiteral("TrData1"), 39000 + i % 6000);
    rs.setValue(QStringLiteral("OKStato"), int(i % 4));
    rs.setValue(QStringLiteral("DataElab"), 39000 + i % 6000);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const qint64 righe = argc > 1 ? QString(argv[1]).toLongLong() : 1000000;
    QTemporaryDir tmp;
    const QString cartella = argc > 2 ? QString(argv[2]) : tmp.path();
    QDir().mkpath(cartella);
    const QString lavoro = QDir(cartella).filePath(QStringLiteral("Quorvan.mdb"));
    const QString riferimento = QDir(cartella).filePath(QStringLiteral("Quorvan0.mdb"));
    QFile::remove(lavoro);
    QFile::remove(riferimento);
    QElapsedTimer t;
    Workspace ws;
    out << "rows: " << righe << Qt::endl;

    t.start();
    CreaDatabaseRiferimento(ws, lavoro);
    {
        Database db = ws.OpenDatabase(lavoro);
        Recordset rs = db.OpenRecordset(QStringLiteral("MRN"));
        db.BeginTrans();
        for (qint64 i = 0; i < righe; ++i) {
            rs.AddNew();
            rs.setValue(QStringLiteral("Codice"), codice(i));
            scriviRiga(rs, i);
            rs.Update();
            if (i % 100000 == 99999) { // commit now and then, as batches do
                db.CommitTrans();
                db.BeginTrans();
            }
        }
        db.CommitTrans();
    }
    riga(QStringLiteral("fill through AddNew/Update"), t.elapsed(), righe);
    out << "file size: " << QFileInfo(lavoro).size() / (1024 * 1024) << " MiB" << Qt::endl;

    t.restart();
    Database db = ws.OpenDatabase(lavoro);
    const qint64 apri = t.nsecsElapsed() / 1000;
    Recordset rs = db.OpenRecordset(QStringLiteral("MRN"));
    rs.setIndex(QStringLiteral("primaria"));
    riga(QStringLiteral("OpenDatabase + OpenRecordset + Index"), t.elapsed());
    out << "  OpenDatabase alone: " << apri << " µs" << Qt::endl;

    t.restart();
    const qint64 conteggio = rs.RecordCount();
    riga(QStringLiteral("RecordCount (%1)").arg(conteggio), t.elapsed());

    const int seek = 100000;
    QRandomGenerator caso(7);
    t.restart();
    int trovati = 0;
    for (int k = 0; k < seek; ++k) {
        rs.Seek(QStringLiteral("="), codice(caso.bounded(righe)));
        trovati += rs.NoMatch() ? 0 : 1;
    }
    riga(QStringLiteral("Seek \"=\" random key (%1 found)").arg(trovati), t.elapsed(), seek);

    t.restart();
    for (int k = 0; k < seek; ++k)
        rs.Seek(QStringLiteral(">="), codice(caso.bounded(righe)).left(10));
    riga(QStringLiteral("Seek \">=\" on a prefix"), t.elapsed(), seek);

    t.restart();
    rs.MoveFirst();
    int mossi = 0;
    for (; mossi < seek && !rs.Eof(); ++mossi)
        rs.MoveNext();
    riga(QStringLiteral("MoveNext in index order"), t.elapsed(), mossi);

    const int upsert = 20000;
    t.restart();
    db.BeginTrans();
    for (int k = 0; k < upsert; ++k) {
        const qint64 i = k % 2 == 0 ? caso.bounded(righe) : righe + k; // half edits, half new rows
        ScriviPerChiave(rs, QStringLiteral("Codice"), codice(i), [&](Recordset& r) { scriviRiga(r, i); });
    }
    db.CommitTrans();
    riga(QStringLiteral("upsert by key, one transaction"), t.elapsed(), upsert);

    const int singoli = 200;
    t.restart();
    for (int k = 0; k < singoli; ++k) {
        const qint64 i = caso.bounded(righe);
        ScriviPerChiave(rs, QStringLiteral("Codice"), codice(i), [&](Recordset& r) { scriviRiga(r, i); });
    }
    riga(QStringLiteral("upsert by key, each committed on its own"), t.elapsed(), singoli);

    t.restart();
    Recordset filtro = db.OpenRecordset(
        QStringLiteral("Select * FROM MRN WHERE OKStato = 2 AND Nazione = 'IT' ORDER BY Codice ASC"), dbOpenSnapshot);
    filtro.MoveLast();
    riga(QStringLiteral("snapshot by state and nation, MoveLast (%1 rows)").arg(filtro.RecordCount()), t.elapsed());
    t.restart();
    filtro.MoveFirst();
    qint64 letti = 0;
    for (; !filtro.Eof(); ++letti)
        filtro.MoveNext();
    riga(QStringLiteral("  the same, MoveFirst and MoveNext to the end"), t.elapsed(), letti);
    filtro.Close();
    rs.Close();
    db.Close();

    // The upgrade: the reference grows a text field of MRN by 20 characters.
    Database r = ws.CreateDatabase(riferimento);
    for (TableDef d : SchemaRiferimento()) {
        if (d.Name == QLatin1String("MRN"))
            for (Field& f : d.Fields)
                if (f.Name == QLatin1String("TrRuolo1"))
                    f.Size = 120;
        r.AppendTableDef(d);
    }
    r.Close();
    StatoDatabase s;
    MessaggiRegistrati m;
    UscitaAggiornamento u;
    QStringList log;
    u.riga = [&](const QString& x) { log << x; };
    t.restart();
    EseguiAggiornamento(s, m, riferimento, lavoro, true, u);
    riga(QStringLiteral("upgrade: rebuild of MRN, TrRuolo1 100 -> 120 (outcome %1)").arg(s.StatoChiamata),
         t.elapsed(), righe);
    for (const QString& x : log)
        out << "  " << x << Qt::endl;
    out << "peak memory: " << memoriaMassima() << Qt::endl;
    return 0;
}
