#pragma once
// Workbooks written by genera_cartella (libxlsxwriter) and read back by
// openpyxl and Python's zipfile: neither side is the program's own code.

#include "file_prova.h"
#include "platform/finestre_esterne.h"
#include "programmi_prova.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStringList>

// Debian's Python, where python3-openpyxl installs.
inline const QString kPython = QStringLiteral("/usr/bin/python3");

// Runs a program to its end; true when it exited with 0.
inline bool esegue(const QString& programma, const QStringList& argomenti, QByteArray* out = nullptr) {
    QProcess p;
    p.start(programma, argomenti);
    const bool ok = p.waitForFinished(180000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    if (out) *out = p.readAllStandardOutput();
    return ok;
}

inline bool haOpenpyxl() {
    return esegue(kPython, {"-c", "import openpyxl"});
}

// Writes `percorso` from a genera_cartella description.
inline bool generaCartella(const QString& percorso, const QByteArray& descrizione) {
    QFile::remove(percorso);
    scriviFile(percorso + ".txt", descrizione);
    return esegue(cartellaProgrammi().filePath("genera_cartella"), {percorso, percorso + ".txt"});
}

// A copy of the workbook beside it, to compare with later.
inline QString copiaPrima(const QString& percorso) {
    const QString copia = QFileInfo(percorso).dir().filePath("prima.xlsx");
    QFile::remove(copia);
    return QFile::copy(percorso, copia) ? copia : QString();
}

// What openpyxl and zipfile see differently in `dopo` than in `prima`, sorted:
// "Sheet!B3=value|bold|fill" for a cell and "Sheet!width:C=W", "name:N=F"
// with the value after, and "zip:ENTRY" for an entry whose content changed.
inline QStringList differenze(const QString& prima, const QString& dopo) {
    QByteArray out;
    const bool letto = esegue(
        kPython,
        {"-c",
         "import hashlib, sys, zipfile, openpyxl\n"
         "def leggi(f):\n"
         "    wb, v = openpyxl.load_workbook(f), {}\n"
         "    for ws in wb.worksheets:\n"
         "        for c in (c for r in ws.iter_rows() for c in r if c.value is not None or c.has_style):\n"
         "            v[f'{ws.title}!{c.coordinate}'] = f'{c.value!r}|{c.font.b}|{c.fill.fgColor.rgb}'\n"
         "        v.update({f'{ws.title}!width:{k}': d.width for k, d in ws.column_dimensions.items()})\n"
         "    v.update({'name:' + n.name: n.attr_text for n in wb.defined_names.definedName})\n"
         "    z = zipfile.ZipFile(f)\n"
         "    return v | {'zip:' + i.filename: hashlib.sha256(z.read(i)).digest() for i in z.infolist()}\n"
         "a, b = leggi(sys.argv[1]), leggi(sys.argv[2])\n"
         "for k in sorted(k for k in a | b if a.get(k) != b.get(k)):\n"
         "    print(k if k.startswith('zip:') else f'{k}={b.get(k, \"<none>\")}')\n",
         prima, dopo},
        &out);
    return letto ? QString::fromUtf8(out).split('\n', Qt::SkipEmptyParts) : QStringList{"openpyxl failed"};
}

// Other programs' windows as a test lists them (none when `lista` is false).
// A window asked to close goes, and the lock file `blocco` with it, unless `restano`.
struct FinestreFinte : qv::FinestreEsterne {
    QList<qv::FinestraEsterna> finestre;
    QString blocco;
    bool lista = true, restano = false;
    QList<quint64> mostrate, chiuse;
    std::optional<QList<qv::FinestraEsterna>> elenco() override {
        return lista ? std::optional(finestre) : std::nullopt;
    }
    bool mostra(quint64 id) override { return mostrate << id, true; }
    bool chiudi(quint64 id) override {
        chiuse << id;
        if (!restano && finestre.removeIf([id](const qv::FinestraEsterna& f) { return f.id == id; }))
            QFile::remove(blocco);
        return true;
    }
};
