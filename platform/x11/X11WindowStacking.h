#pragma once

#include "platform/WindowStacking.h"

#include <xcb/xcb.h>

class X11Connection;

// Restacks the windows as children of the root: a window manager may have put a frame
// around either of them, so each is first walked up to its top-level ancestor.
class X11WindowStacking final : public WindowStacking {
public:
    explicit X11WindowStacking(X11Connection& connection);
    bool placeBelow(std::uint64_t lower, std::uint64_t upper) override;

private:
    xcb_window_t topLevel(xcb_window_t window) const;

    X11Connection& m_connection;
};
