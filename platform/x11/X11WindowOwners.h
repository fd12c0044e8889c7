#pragma once

#include <xcb/xcb.h>

#include <string>

class X11Connection;

// Finds the application behind a top-level window: the client window a window manager
// may have framed, and its WM_CLASS class or, failing that, its process name.
class X11WindowOwners final {
public:
    explicit X11WindowOwners(const X11Connection& connection);

    // The window itself or the first descendant carrying WM_STATE.
    xcb_window_t clientWindow(xcb_window_t window) const;
    // Empty when the window names no owner.
    std::string ownerName(xcb_window_t client) const;

private:
    xcb_window_t findClient(xcb_window_t window, int depth) const;

    const X11Connection& m_connection;
};
