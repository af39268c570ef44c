#pragma once
// Workbooks for the workbook suites: written by genera_cartella
// (libxlsxwriter), read back by openpyxl and Python's zipfile, so that
// neither side is the program's own code.

#include "file_prova.h"
#include "programmi_prova.h"

#include <QMap>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>
#include <QTest>

// A Python 3 that has openpyxl, or empty (the suites then skip).
inline QString pythonConOpenpyxl() {
    for (const QString& p : {QStringLiteral("/usr/bin/python3"), QStandardPaths::findExecutable(QStringLiteral("python3"))}) {
        if (p.isEmpty())
            continue;
        QProcess q;
        q.start(p, {QStringLiteral("-c"), QStringLiteral("import openpyxl")});
        if (q.waitForFinished(30000) && q.exitStatus() == QProcess::NormalExit && q.exitCode() == 0)
            return p;
    }
    return {};
}

// Writes `percorso` from a genera_cartella description.
inline bool generaCartella(const QString& percorso, const QByteArray& descrizione) {
    const QString testo = percorso + QStringLiteral(".txt");
    QFile f(testo);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    f.write(descrizione);
    f.close();
    QProcess p;
    p.start(cartellaProgrammi().filePath(QStringLiteral("genera_cartella")), {percorso, testo});
    const bool fatto = p.waitForFinished(30000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    QFile::remove(testo);
    return fatto;
}

// Everything openpyxl sees in a workbook, one "key=value" per line:
// "Sheet!B3" = value repr | bold | fill colour for every cell with a value
// or a style, "Sheet!width:C" for column widths, "name:N" for defined
// names, and "zip:ENTRY" = the SHA-256 of each entry's content.
inline const char* const kLettore = R"(
import hashlib, sys, zipfile, openpyxl
path = sys.argv[1]
wb = openpyxl.load_workbook(path)
for ws in wb.worksheets:
    for row in ws.iter_rows():
        for c in row:
            if c.value is not None or c.has_style:
                print(f"{ws.title}!{c.coordinate}={c.value!r}|{c.font.b}|{c.fill.fgColor.rgb}")
    for k, d in sorted(ws.column_dimensions.items()):
        print(f"{ws.title}!width:{k}={d.width}")
for n in wb.defined_names.definedName:
    print(f"name:{n.name}={n.attr_text}")
with zipfile.ZipFile(path) as z:
    for i in z.infolist():
        print(f"zip:{i.filename}={hashlib.sha256(z.read(i)).hexdigest()}")
)";

inline QMap<QString, QString> leggiCartella(const QString& python, const QString& percorso) {
    QMap<QString, QString> voci;
    QProcess p;
    p.start(python, {QStringLiteral("-c"), QString::fromLatin1(kLettore), percorso});
    if (!p.waitForFinished(60000) || p.exitCode() != 0) {
        voci.insert(QStringLiteral("error"), QString::fromUtf8(p.readAllStandardError()));
        return voci;
    }
    for (const QString& riga : QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        const qsizetype uguale = riga.indexOf(QLatin1Char('='));
        voci.insert(riga.left(uguale), riga.mid(uguale + 1));
    }
    return voci;
}

// The keys whose values differ between two readings (present in one only
// included), sorted.
inline QStringList differenze(const QMap<QString, QString>& prima, const QMap<QString, QString>& dopo) {
    QStringList d;
    for (auto it = prima.begin(); it != prima.end(); ++it)
        if (dopo.value(it.key(), QStringLiteral("<none>")) != it.value())
            d << it.key();
    for (auto it = dopo.begin(); it != dopo.end(); ++it)
        if (!prima.contains(it.key()))
            d << it.key();
    d.sort();
    return d;
}
