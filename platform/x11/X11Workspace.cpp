#include "platform/x11/X11Workspace.h"

#include "platform/x11/X11Connection.h"

X11Workspace::X11Workspace(X11Connection& connection)
    : m_currentDesktopAtom(connection.atom("_NET_CURRENT_DESKTOP"))
{
    const xcb_window_t root = connection.root();
    connection.addEventHandler([this, root](const xcb_generic_event_t* event) {
        if ((event->response_type & 0x7f) != XCB_PROPERTY_NOTIFY)
            return;
        const auto* notify = reinterpret_cast<const xcb_property_notify_event_t*>(event);
        if (notify->window == root && notify->atom == m_currentDesktopAtom && m_handler)
            m_handler();
    });
}
