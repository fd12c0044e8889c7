#pragma once

#include <cstdint>

// Marks a window as one of the program's panels for the window manager and the
// compositing manager: it stays out of task bars and pagers, and the compositing manager
// draws no shadow of its own around it (the program draws the shadows it wants).
// Windows are native window ids (QWidget::winId()); call before each map.
class PanelHints {
public:
    virtual ~PanelHints() = default;
    virtual void markAsPanel(std::uint64_t window) = 0;
};
