#pragma once
// A database file for one test: a fresh copy of the program's reference
// database (tables MRN, WkMRN, LayOutCol, Nazioni, Colori), opened.

#include "database/dao/database.h"
#include "database/dao/workspace.h"
#include "database/schema_riferimento.h"

#include <QFile>
#include <QString>

namespace qv::prova {

inline dao::Database CreaArchivioProva(dao::Workspace& ws, const QString& percorso) {
    QFile::remove(percorso);
    CreaDatabaseRiferimento(ws, percorso);
    return ws.OpenDatabase(percorso);
}

} // namespace qv::prova
