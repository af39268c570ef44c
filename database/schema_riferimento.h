#pragma once
// The reference database "Quorvan0.mdb" shipped with each release: the
// schema the program expects (tables MRN, WkMRN, LayOutCol, Nazioni, Colori
// with their fields and indexes) and its base data (the 27 nations). The
// build writes the file with quorvan-riferimento; start-up copies it into
// the program folder and upgrades older working databases from it.

#include "database/dao/schema.h"
#include "database/dao/workspace.h"

#include <QList>
#include <QString>

namespace qv {

QList<dao::TableDef> SchemaRiferimento();

// Writes a new reference database at `percorso` (which must not exist).
void CreaDatabaseRiferimento(dao::Workspace& ws, const QString& percorso);

} // namespace qv
