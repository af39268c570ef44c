#pragma once
// Stand-in for the per-user registry settings of the runtime (SaveSetting /
// GetSetting): QSettings in the platform's native per-user store, application
// = the program's name, one group per section.

#include <QString>

namespace qv::platform {

void saveUserSetting(const QString& application, const QString& section, const QString& key,
                     const QString& value);
QString userSetting(const QString& application, const QString& section, const QString& key);

} // namespace qv::platform
