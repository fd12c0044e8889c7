#include "platform/x11/X11Cursor.h"

#include "platform/Screens.h"
#include "platform/x11/X11Connection.h"
#include "platform/x11/X11Reply.h"

#include <xcb/xfixes.h>

#include <cmath>

X11Cursor::X11Cursor(X11Connection& connection, const Screens& screens)
    : m_connection(connection)
    , m_screens(screens)
{
    xcb_connection_t* c = m_connection.connection();
    if (m_connection.firstEvent(&xcb_xfixes_id)) {
        // XFixes answers nothing until the client has stated its version.
        const auto version = adoptReply(xcb_xfixes_query_version_reply(c, xcb_xfixes_query_version(c, 4, 0), nullptr));
        m_xfixes = version && version->major_version >= 4;
    }
}

void X11Cursor::hide()
{
    // Hiding is counted per client; hide once so one show brings it back.
    if (m_hidden || !m_xfixes)
        return;
    xcb_connection_t* c = m_connection.connection();
    m_hidden = m_connection.check(xcb_xfixes_hide_cursor_checked(c, m_connection.root()));
}

void X11Cursor::show()
{
    if (!m_hidden)
        return;
    xcb_connection_t* c = m_connection.connection();
    if (m_connection.check(xcb_xfixes_show_cursor_checked(c, m_connection.root())))
        m_hidden = false;
}

QPointF X11Cursor::location() const
{
    queryPointer();
    return m_lastLocation;
}

bool X11Cursor::isOnOurScreen() const
{
    return queryPointer();
}

bool X11Cursor::queryPointer() const
{
    xcb_connection_t* c = m_connection.connection();
    const auto pointer = adoptReply(xcb_query_pointer_reply(c, xcb_query_pointer(c, m_connection.root()), nullptr));
    if (!pointer)
        return true;
    // On another screen its coordinates are another root window's.
    if (pointer->same_screen)
        m_lastLocation = m_screens.coordinates().toGlobal(QPointF(pointer->root_x, pointer->root_y));
    return pointer->same_screen;
}

void X11Cursor::warp(const QPointF& globalPoint)
{
    const QPointF target = m_screens.coordinates().toTopLeft(globalPoint);
    xcb_connection_t* c = m_connection.connection();
    xcb_warp_pointer(c, XCB_WINDOW_NONE, m_connection.root(), 0, 0, 0, 0,
                     static_cast<std::int16_t>(std::lround(target.x())),
                     static_cast<std::int16_t>(std::lround(target.y())));
    xcb_flush(c);
}
