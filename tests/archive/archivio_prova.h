#pragma once
// A database file for one test holding the archive's tables: MRN and WkMRN
// with the same fields in the same order, index "primaria" on Codice, and
// LayOutCol for the browser's column widths.

#include "database/dao/database.h"
#include "database/dao/workspace.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QUuid>

namespace qv::prova {

inline dao::TableDef TabellaMrn(const QString& nome) {
    using namespace dao;
    TableDef t{nome, 0, {}, {}};
    auto campo = [&](const QString& n, int tipo, int dim = 0, const QString& predefinito = QString()) {
        Field f = TableDef::CreateField(n, tipo, dim);
        f.DefaultValue = predefinito;
        f.AllowZeroLength = tipo == dbText;
        t.Fields.append(f);
    };
    campo(QStringLiteral("Codice"), dbText, 25);
    campo(QStringLiteral("Nazione"), dbText, 2);
    campo(QStringLiteral("ExUffExport"), dbText, 50);
    campo(QStringLiteral("ExUffUscitaCod"), dbText, 8);
    campo(QStringLiteral("ExUffUscitaDes"), dbText, 40);
    campo(QStringLiteral("ExDataUscita"), dbDate);
    for (int k = 1; k <= 4; ++k) {
        const QString n = QString::number(k);
        campo(QStringLiteral("TrUfficio") + n, dbText, 50);
        campo(QStringLiteral("TrRuolo") + n, dbText, 30);
        campo(QStringLiteral("TrData") + n, dbDate);
        campo(QStringLiteral("TrDataDel") + n, dbDate);
    }
    campo(QStringLiteral("OK"), dbInteger, 0, QStringLiteral("0"));
    campo(QStringLiteral("OKStato"), dbInteger, 0, QStringLiteral("0"));
    campo(QStringLiteral("DataElab"), dbDate);
    Index primaria;
    primaria.Name = QStringLiteral("primaria");
    primaria.Primary = true;
    primaria.Unique = true;
    primaria.CreateField(QStringLiteral("Codice"));
    t.Indexes.append(primaria);
    return t;
}

inline dao::TableDef TabellaLayOut() {
    using namespace dao;
    TableDef t{QStringLiteral("LayOutCol"), 0, {}, {}};
    t.Fields.append(TableDef::CreateField(QStringLiteral("Chiave"), dbText, 50));
    for (int i = 0; i < 26; ++i)
        t.Fields.append(TableDef::CreateField(QStringLiteral("Col") + QString::number(i), dbLong));
    Index primaria;
    primaria.Name = QStringLiteral("primaria");
    primaria.Primary = true;
    primaria.Unique = true;
    primaria.CreateField(QStringLiteral("Chiave"));
    t.Indexes.append(primaria);
    return t;
}

// An empty SQLite file the engine accepts.
inline void CreaFileVuoto(const QString& percorso) {
    const QString nome = QUuid::createUuid().toString();
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), nome);
        db.setDatabaseName(percorso);
        db.open();
        QSqlQuery(db).exec(QStringLiteral("PRAGMA user_version = 1"));
        db.close();
    }
    QSqlDatabase::removeDatabase(nome);
}

inline dao::Database CreaArchivioProva(dao::Workspace& ws, const QString& percorso, bool conLayOut = true) {
    CreaFileVuoto(percorso);
    dao::Database db = ws.OpenDatabase(percorso);
    db.AppendTableDef(TabellaMrn(QStringLiteral("MRN")));
    db.AppendTableDef(TabellaMrn(QStringLiteral("WkMRN")));
    if (conLayOut)
        db.AppendTableDef(TabellaLayOut());
    return db;
}

} // namespace qv::prova
