#include "platform/user_settings.h"

#include <QSettings>

namespace qv::platform {

void saveUserSetting(const QString& application, const QString& section, const QString& key,
                     const QString& value) {
    QSettings s(QSettings::NativeFormat, QSettings::UserScope, application, application);
    s.beginGroup(section);
    s.setValue(key, value);
    s.endGroup();
    s.sync();
}

QString userSetting(const QString& application, const QString& section, const QString& key) {
    QSettings s(QSettings::NativeFormat, QSettings::UserScope, application, application);
    return s.value(section + QLatin1Char('/') + key).toString();
}

} // namespace qv::platform
