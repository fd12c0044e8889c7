#pragma once

#include "platform/WindowStacking.h"
#include "platform/x11/X11Connection.h"

#include <map>

// Restacks the windows as children of the root: a window manager may have put a frame
// around either of them, so each is first walked up to its top-level ancestor. The upper
// window and its frame are watched for reparenting, mapping and configuring.
class X11WindowStacking final : public WindowStacking {
public:
    explicit X11WindowStacking(X11Connection& connection);
    ~X11WindowStacking() override;
    bool keepBelow(std::uint64_t lower, std::uint64_t upper) override;
    void release(std::uint64_t lower) override;

private:
    struct Kept {
        xcb_window_t upper;
        xcb_window_t frame;
    };

    xcb_window_t topLevel(xcb_window_t window) const;
    void watch(xcb_window_t window, bool on);
    // A checked request: the caller checks or discards it.
    xcb_void_cookie_t restack(xcb_window_t lower, Kept& kept);
    void handleEvent(const xcb_generic_event_t* event);

    X11Connection& m_connection;
    X11Connection::HandlerId m_handlerId = 0;
    std::map<xcb_window_t, Kept> m_kept;
};
