#pragma once
// The desktop program put together: the state of each subsystem, the
// platform's message boxes, launcher, HTTP client and printers, the common
// keys, and the main window.

#include "database/stato_database.h"
#include "enquiry/stato_web.h"
#include "platform/document_opener.h"
#include "platform/http_client.h"
#include "shell/avviatore_sistema.h"
#include "shell/procedure_file.h"
#include "shell/stato_shell.h"
#include "shell/ui/desktop.h"
#include "shell/ui/messaggi_finestra.h"
#include "shell/ui/startup.h"
#include "shell/ui/tasti_comuni.h"

#include <memory>

namespace qv {

// The database layer's start-up and shut-down steps on `db`, as the desktop
// program runs them (the upgrade, when due, runs unattended with the busy
// pointer; its window comes with the database windows).
void CollegaDatabase(Desktop& desktop, StatoDatabase& db);

class ProgrammaDesktop {
public:
    // `cartella`: the program folder (see platform::programFolder).
    explicit ProgrammaDesktop(const QString& cartella);

    // The start-up; false when the program must end at once.
    bool avvia();

    Startup& principale() { return *startup_; }
    Desktop& desktop() { return desktop_; }
    StatoDatabase& database() { return db_; }
    StatoWeb& web() { return web_; }
    FileAperti& fileAperti() { return fileAperti_; }

private:
    StatoShell shell_;
    StatoWeb web_;
    StatoDatabase db_;
    MessaggiFinestra messaggi_;
    AvviatoreSistema avviatore_;
    FileAperti fileAperti_;
    platform::NetworkHttpClient http_;
    platform::SystemDocumentOpener apriDocumento_;
    Desktop desktop_;
    TastiComuniFiltro filtro_;
    std::unique_ptr<Startup> startup_;
};

} // namespace qv
