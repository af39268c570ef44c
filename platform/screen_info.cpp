#include "platform/screen_info.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace qv::platform {

ScreenMeasures screenOf(const QWidget* window) {
    QScreen* screen = window ? window->screen() : nullptr;
    if (!screen) screen = QGuiApplication::primaryScreen();
    ScreenMeasures s;
    if (!screen) {
        s.geometry = s.available = QRect(0, 0, 1024, 768);
        return s;
    }
    s.geometry = screen->geometry();
    s.available = screen->availableGeometry();
    s.dpiX = screen->logicalDotsPerInchX();
    s.dpiY = screen->logicalDotsPerInchY();
    return s;
}

} // namespace qv::platform
