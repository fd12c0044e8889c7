#pragma once

#include <cstdint>

// Keeps one of our top-level windows directly below another as the screen stacks them,
// which Qt cannot do: below the upper window's window-manager frame when it has one, and
// again after every map, reparent, restack, move and resize of it, until released.
// Windows are native window ids (QWidget::winId()).
class WindowStacking {
public:
    virtual ~WindowStacking() = default;
    // Places the lower window now and from then on; false when the server refused.
    virtual bool keepBelow(std::uint64_t lower, std::uint64_t upper) = 0;
    virtual void release(std::uint64_t lower) = 0;
};
