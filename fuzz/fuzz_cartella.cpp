// The workbook reader and writer (CartellaExcel, FoglioExcel) as the Excel
// update uses them: open for writing, read every sheet, write cells, save
// in place, open again.
//
// Input: either a whole file (it starts with "PK": a zip as found on disk,
// damaged or not), or the package's parts, each introduced by a line
// "@@name" (xl/workbook.xml, xl/_rels/workbook.xml.rels, a sheet, shared
// strings, styles...) and zipped here. A part "@@scrivi" holds the writes,
// one "row column text" a line; without it two cells are written.
//
// Rules: a workbook that cannot be read is refused with a numbered error;
// one that can keeps every cell it had after writing and saving, and the
// cells written read back as written (control characters other than TAB,
// LF and CR are left out of what is written: a cell cannot hold them).

#include "verifica.h"

#include "archive/excel/cartella_excel.h"

#include <QFile>
#include <QMap>

#include <zip.h>

#include <cstdint>

namespace {

const QString& percorso() {
    static const QString p = fuzz::cartellaLavoro() + QStringLiteral("Dichiarazioni.xlsx");
    return p;
}

struct Scrittura {
    qint64 riga;
    int colonna;
    QString valore;
};

// Zips the parts into the workbook file; the writes come back apart.
void componi(const QByteArray& dati, QList<Scrittura>& scritture) {
    QFile::remove(percorso());
    if (dati.startsWith("PK")) {
        QFile f(percorso());
        VERIFICA(f.open(QIODevice::WriteOnly), f.errorString());
        f.write(dati);
        return;
    }
    QList<std::pair<QByteArray, QByteArray>> parti;
    for (const QByteArray& p : fuzz::parti(QByteArray("\n") + dati, "\n@@").mid(1)) {
        const qsizetype a_capo = p.indexOf('\n');
        parti.append({p.left(a_capo < 0 ? p.size() : a_capo).trimmed(),
                      a_capo < 0 ? QByteArray() : p.mid(a_capo + 1)});
    }
    int errore = 0;
    zip_t* z = zip_open(QFile::encodeName(percorso()).constData(), ZIP_CREATE | ZIP_TRUNCATE, &errore);
    VERIFICA(z, QStringLiteral("zip_open %1").arg(errore));
    for (const auto& [nome, contenuto] : parti) {
        if (nome == "scrivi") {
            for (const QByteArray& riga : contenuto.split('\n')) {
                const QList<QByteArray> campi = riga.split(' ');
                if (campi.size() < 2 || scritture.size() >= 8) continue;
                const qint64 r = campi[0].toLongLong();
                const int c = campi[1].toInt();
                if (r < 1 || r > 1048576 || c < 1 || c > 16384) continue;
                QString v = QString::fromUtf8(riga.mid(campi[0].size() + campi[1].size() + 2));
                v.removeIf([](QChar ch) {
                    return ch.unicode() < 0x20 && ch != u'\t' && ch != u'\n' && ch != u'\r';
                });
                scritture.append({r, c, v});
            }
            continue;
        }
        zip_source_t* s = zip_source_buffer(z, contenuto.constData(), zip_uint64_t(contenuto.size()), 0);
        const zip_int64_t indice =
            s ? zip_file_add(z, nome.constData(), s, ZIP_FL_OVERWRITE | ZIP_FL_ENC_UTF_8) : -1;
        if (indice < 0)
            zip_source_free(s); // a name the zip cannot hold: the part is left out
        else
            zip_set_file_compression(z, zip_uint64_t(indice), ZIP_CM_STORE,
                                     0); // stored: quicker, read the same
    }
    VERIFICA(zip_close(z) == 0, QString::fromUtf8(zip_strerror(z)));
}

using Celle = QMap<std::pair<qint64, int>, QString>;

// The cells of the rectangle read; `fino` rows at most.
Celle leggi(qv::FoglioExcel& f, qint64 fino, const QList<Scrittura>& scritture) {
    Celle c;
    QList<int> colonne;
    for (int i = 1; i <= 12; ++i)
        colonne << i;
    for (const Scrittura& s : scritture)
        colonne << s.colonna;
    for (qint64 r = 1; r <= fino; ++r)
        for (const int k : colonne)
            c[{r, k}] = f.testo(r, k);
    for (const Scrittura& s : scritture)
        c[{s.riga, s.colonna}] = f.testo(s.riga, s.colonna);
    return c;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    QList<Scrittura> scritture;
    componi(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)), scritture);

    qv::ErroreExcel errore;
    auto cartella = qv::CartellaExcel::apri(percorso(), qv::CartellaExcel::Modo::Scrittura, errore);
    if (!cartella) {
        VERIFICA(errore && !qv::TestoErroreExcel(errore).isEmpty(), QStringLiteral("rifiutata senza errore"));
        return 0;
    }
    const QStringList fogli = cartella->fogli();
    QMap<QString, Celle> prima;
    QString scritto;
    for (const QString& nome : fogli) {
        qv::ErroreExcel e;
        qv::FoglioExcel* f = cartella->foglio(nome, e);
        if (!f) {
            VERIFICA(e, nome);
            continue;
        }
        const qint64 fino = qMin<qint64>(f->ultimaRiga() + 1, 64);
        if (scritto.isEmpty()) {
            scritto = nome;
            if (scritture.isEmpty())
                scritture = {{1, 1, QStringLiteral("CONCLUSO")},
                             {f->ultimaRiga() + 1, 3, QStringLiteral(" IN SOSPESO ")}};
            // What the sheet must read after writing and after saving: as
            // before, and the cells written (the last write of a cell wins).
            Celle attese = leggi(*f, fino, scritture);
            for (const Scrittura& s : scritture) {
                f->scrivi(s.riga, s.colonna, s.valore);
                attese[{s.riga, s.colonna}] = s.valore;
            }
            const Celle scritte = leggi(*f, fino, scritture);
            for (auto c = attese.cbegin(); c != attese.cend(); ++c)
                VERIFICA(scritte.value(c.key()) == c.value(),
                         QStringLiteral("R%1C%2: atteso [%3], letto [%4]")
                             .arg(c.key().first)
                             .arg(c.key().second)
                             .arg(c.value(), scritte.value(c.key())));
            prima[nome] = attese;
        } else {
            prima[nome] = leggi(*f, fino, {});
        }
    }
    if (scritto.isEmpty()) return 0; // no sheet could be read: nothing was written
    const qv::ErroreExcel salvataggio = cartella->salva();
    VERIFICA(!salvataggio, qv::TestoErroreExcel(salvataggio));
    cartella.reset();

    auto riaperta = qv::CartellaExcel::apri(percorso(), qv::CartellaExcel::Modo::Lettura, errore);
    VERIFICA(riaperta, qv::TestoErroreExcel(errore));
    VERIFICA(riaperta->fogli() == fogli,
             riaperta->fogli().join(QLatin1Char('|')) + QStringLiteral(" / ") + fogli.join(QLatin1Char('|')));
    for (auto it = prima.cbegin(); it != prima.cend(); ++it) {
        qv::ErroreExcel e;
        qv::FoglioExcel* f = riaperta->foglio(it.key(), e);
        VERIFICA(f, it.key() + QStringLiteral(": ") + qv::TestoErroreExcel(e));
        for (auto c = it.value().cbegin(); c != it.value().cend(); ++c) {
            const QString ora = f->testo(c.key().first, c.key().second);
            VERIFICA(ora == c.value(), QStringLiteral("%1!R%2C%3: era [%4], ora [%5]")
                                           .arg(it.key())
                                           .arg(c.key().first)
                                           .arg(c.key().second)
                                           .arg(c.value(), ora));
        }
    }
    return 0;
}
