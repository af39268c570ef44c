#pragma once
// The screen a window is on: the whole screen, the area the task bar leaves,
// and its logical dots per inch.

#include <QRect>

class QWidget;

namespace qv::platform {

struct ScreenMeasures {
    QRect geometry;  // pixels
    QRect available; // pixels, less the task bar and docks
    double dpiX = 96;
    double dpiY = 96;
};

// The screen of `window`, or the primary screen when it has none yet.
ScreenMeasures screenOf(const QWidget* window);

} // namespace qv::platform
