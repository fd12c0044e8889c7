#pragma once

#include <cstdint>

// Lets clicks pass through one of our top-level windows to the windows below while it
// keeps the keyboard, which Qt's transparent-for-input flag does not: that flag also
// stops the window's key events. Windows are native window ids (QWidget::winId()).
class WindowInput {
public:
    virtual ~WindowInput() = default;
    // False when the server refused.
    virtual bool setClickThrough(std::uint64_t window, bool through) = 0;
};
