#pragma once

#include <QString>

namespace qv::platform {

// The operating system's own program folder (System32 on Windows, /usr/bin
// elsewhere); empty when it cannot be told.
QString systemFolder();

} // namespace qv::platform
