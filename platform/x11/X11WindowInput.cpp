#include "platform/x11/X11WindowInput.h"

#include "platform/x11/X11Connection.h"
#include "platform/x11/X11Reply.h"

#include <xcb/shape.h>
#include <xcb/xfixes.h>

X11WindowInput::X11WindowInput(X11Connection& connection)
    : m_connection(connection)
{
    xcb_connection_t* c = m_connection.connection();
    if (m_connection.firstEvent(&xcb_xfixes_id)) {
        // Input shapes need XFixes 2; the version must be stated before any request.
        const auto version = adoptReply(xcb_xfixes_query_version_reply(c, xcb_xfixes_query_version(c, 4, 0), nullptr));
        m_xfixes = version && version->major_version >= 2;
    }
}

bool X11WindowInput::setClickThrough(std::uint64_t window, bool through)
{
    if (!m_xfixes)
        return false;
    xcb_connection_t* c = m_connection.connection();
    const auto id = static_cast<xcb_window_t>(window);
    if (!through)
        return m_connection.check(
            xcb_xfixes_set_window_shape_region_checked(c, id, XCB_SHAPE_SK_INPUT, 0, 0, XCB_XFIXES_REGION_NONE));
    const xcb_xfixes_region_t empty = xcb_generate_id(c);
    xcb_xfixes_create_region(c, empty, 0, nullptr);
    const bool done = m_connection.check(xcb_xfixes_set_window_shape_region_checked(c, id, XCB_SHAPE_SK_INPUT, 0, 0, empty));
    xcb_xfixes_destroy_region(c, empty);
    return done;
}
