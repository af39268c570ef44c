#pragma once
// The maker's site as the update check sees it: the versions page
// "/Aggiornamenti/Versioni.htm" with the program's entry (version 1.10.0)
// and a few update entries, and the update files themselves. The contents
// are listed in docs/demo-server.md.

#include "tools/demo_server/pagine_demo.h"

#include <optional>

namespace qv::demo {

// The answer for a path of the site; nothing when the path is not one.
std::optional<RispostaDemo> RispostaAggiornamenti(const QString& percorso);

} // namespace qv::demo
