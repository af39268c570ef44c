#pragma once
// The desktop program put together: the platform's message boxes, launcher,
// HTTP client, document opener, printers and dialogs; the program context;
// the common keys; the main window.

#include "app/contesto_desktop.h"
#include "app/finestra_principale.h"
#include "platform/document_opener.h"
#include "platform/http_client.h"
#include "platform/system_launcher.h"
#include "shell/ui/messaggi_finestra.h"
#include "shell/ui/tasti_comuni.h"

namespace qv {

// The platform's printers, dialogs, busy pointer and exit, for the real program.
void ImpostaPiattaforma(ContestoDesktop& contesto);

class ProgrammaDesktop {
public:
    // `cartella`: the program folder (see platform::programFolder).
    explicit ProgrammaDesktop(const QString& cartella);

    // The start-up; false when the program must end at once.
    bool avvia();

    FinestraPrincipale& principale() { return principale_; }
    ContestoDesktop& contesto() { return contesto_; }

private:
    MessaggiFinestra messaggi_;
    AvviatoreSistema avviatore_;
    platform::NetworkHttpClient http_;
    platform::SystemDocumentOpener apriDocumento_;
    ContestoDesktop contesto_;
    TastiComuniFiltro filtro_;
    FinestraPrincipale principale_;
};

} // namespace qv
