#pragma once
// A database file for one test: a fresh copy of the program's reference
// database (tables MRN, WkMRN, LayOutCol, Nazioni, Colori), opened.

#include "database/dao/database.h"
#include "database/dao/workspace.h"
#include "database/schema_riferimento.h"
#include "shell/messaggi.h"

#include <QFile>
#include <QString>
#include <QStringList>
#include <QVariantMap>

namespace qv::prova {

inline dao::Database CreaArchivioProva(dao::Workspace& ws, const QString& percorso) {
    QFile::remove(percorso);
    CreaDatabaseRiferimento(ws, percorso);
    return ws.OpenDatabase(percorso);
}

// The row of `codice` in `tabella`, field by field; empty when missing.
inline QVariantMap Riga(dao::Database& db, const QString& tabella, const QString& codice) {
    dao::Recordset rs = db.OpenRecordset(tabella);
    rs.setIndex(QStringLiteral("primaria"));
    rs.Seek(QStringLiteral("="), codice);
    QVariantMap m;
    if (!rs.NoMatch())
        for (int i = 0; i < rs.FieldCount(); ++i)
            m.insert(rs.FieldInfo(i).Name, rs.Value(i));
    return m;
}

// The codes of `tabella` in code order.
inline QStringList Codici(dao::Database& db, const QString& tabella) {
    dao::Recordset rs = db.OpenRecordset(tabella);
    rs.setIndex(QStringLiteral("primaria"));
    QStringList c;
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext())
        c << rs.Value(QStringLiteral("Codice")).toString();
    return c;
}

// The texts of the messages shown, in order.
inline QStringList TestiMostrati(const MessaggiRegistrati& m) {
    QStringList t;
    for (const Messaggio& x : m.mostrati())
        t << x.testo;
    return t;
}

} // namespace qv::prova
