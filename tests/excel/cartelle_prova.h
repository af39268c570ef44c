#pragma once
// Workbooks written by genera_cartella (libxlsxwriter) and read back by
// openpyxl and Python's zipfile: neither side is the program's own code.

#include "file_prova.h"
#include "platform/finestre_esterne.h"
#include "programmi_prova.h"

#include <QMap>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>

// Runs a program to its end; true when it exited with 0.
inline bool esegue(const QString& programma, const QStringList& argomenti, QByteArray* out = nullptr) {
    QProcess p;
    p.start(programma, argomenti);
    const bool ok = p.waitForFinished(180000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    if (out) *out = p.readAllStandardOutput();
    return ok;
}

// A Python 3 that has openpyxl, or empty (the checks through it then skip).
inline QString pythonConOpenpyxl() {
    for (const QString& p :
         {QStringLiteral("/usr/bin/python3"), QStandardPaths::findExecutable(QStringLiteral("python3"))})
        if (!p.isEmpty() && esegue(p, {QStringLiteral("-c"), QStringLiteral("import openpyxl")})) return p;
    return {};
}

// Writes `percorso` from a genera_cartella description.
inline bool generaCartella(const QString& percorso, const QByteArray& descrizione) {
    QFile::remove(percorso);
    scriviFile(percorso + QStringLiteral(".txt"), descrizione);
    return esegue(cartellaProgrammi().filePath(QStringLiteral("genera_cartella")),
                  {percorso, percorso + QStringLiteral(".txt")});
}

// Everything openpyxl sees, one "key=value" a line: "Sheet!B3" = value repr
// | bold | fill for every cell with a value or a style, "Sheet!width:C",
// "name:N", and "zip:ENTRY" = the SHA-256 of each entry's content.
inline QMap<QString, QString> leggiCartella(const QString& python, const QString& percorso) {
    QByteArray out;
    esegue(python,
           {"-c",
            "import hashlib, sys, zipfile, openpyxl\n"
            "wb = openpyxl.load_workbook(sys.argv[1])\n"
            "for ws in wb.worksheets:\n"
            "    for c in (c for row in ws.iter_rows() for c in row if c.value is not None or c.has_style):\n"
            "        print(f'{ws.title}!{c.coordinate}={c.value!r}|{c.font.b}|{c.fill.fgColor.rgb}')\n"
            "    for k, d in sorted(ws.column_dimensions.items()): print(f'{ws.title}!width:{k}={d.width}')\n"
            "for n in wb.defined_names.definedName: print(f'name:{n.name}={n.attr_text}')\n"
            "for i in zipfile.ZipFile(sys.argv[1]).infolist():\n"
            "    "
            "print(f'zip:{i.filename}={hashlib.sha256(zipfile.ZipFile(sys.argv[1]).read(i)).hexdigest()}')\n",
            percorso},
           &out);
    QMap<QString, QString> voci;
    for (const QString& riga : QString::fromUtf8(out).split('\n', Qt::SkipEmptyParts))
        voci.insert(riga.section('=', 0, 0), riga.section('=', 1));
    return voci;
}

// What differs between two readings, sorted: "key=value after" for a cell or
// width, the name alone for a zip entry.
inline QStringList differenze(const QMap<QString, QString>& prima, const QMap<QString, QString>& dopo) {
    QStringList chiavi = prima.keys() + dopo.keys(), d;
    chiavi.removeDuplicates();
    for (const QString& k : chiavi)
        if (prima.value(k, "<none>") != dopo.value(k, "<none>"))
            d << (k.startsWith("zip:") ? k : k + '=' + dopo.value(k, "<none>"));
    d.sort();
    return d;
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
