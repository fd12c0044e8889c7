#pragma once

#include <QRectF>

// One display, in global points.
struct ScreenInfo {
    QRectF frame;
    // The frame less panels and docks.
    QRectF visibleFrame;
    // Device pixels per point.
    double scale = 1.0;
};
