#pragma once

#include <QRectF>

#include <cstdint>
#include <string>

// One top-level window on screen.
struct WindowInfo {
    std::uint32_t number = 0;
    // The owning application's name; empty when the window names none.
    std::string ownerName;
    // Global points.
    QRectF frame;
};
