#pragma once

#include <cstdint>

// Orders one of our top-level windows directly below another, which Qt cannot do.
// Windows are native window ids (QWidget::winId()).
class WindowStacking {
public:
    virtual ~WindowStacking() = default;
    // False when the server refused.
    virtual bool placeBelow(std::uint64_t lower, std::uint64_t upper) = 0;
};
