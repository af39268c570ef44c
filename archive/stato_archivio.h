#pragma once
// Program-wide state of the archive and batch work: the shared work
// recordset the batch writes its rows into, and the flag by which the batch
// tells the archive browser to open on the batch's results.

#include "database/dao/recordset.h"

namespace qv {

struct StatoArchivio {
    dao::Recordset RsWk;          // the work table, open with index "primaria" while WkAperta
    bool WkAperta = false;
    bool MostraRisultati = false; // set by the batch, read and cleared by the browser
};

} // namespace qv
