#pragma once
// What the archive's windows work on besides the common window context: the
// enquiry (a batch runs InterrogaCodice), the database, the archive's own
// state and the nation list. Everything is owned by the program.

#include "archive/stato_archivio.h"

namespace qv {

struct AmbienteWeb;
struct ElencoNazioni;
struct StatoDatabase;
struct StatoWeb;

struct ContestoArchivio {
    StatoWeb& web;
    const AmbienteWeb& ambienteWeb;
    StatoDatabase& database;
    StatoArchivio& archivio;
    const ElencoNazioni& nazioni;
};

} // namespace qv
