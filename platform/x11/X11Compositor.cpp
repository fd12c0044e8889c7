#include "platform/x11/X11Compositor.h"

#include "platform/x11/X11Connection.h"
#include "platform/x11/X11Reply.h"

#include <xcb/xfixes.h>

#include <string>

namespace {

constexpr const char* kSelectionPrefix = "_NET_WM_CM_S";

int screenNumber(const X11Connection& connection)
{
    int number = 0;
    for (auto roots = xcb_setup_roots_iterator(xcb_get_setup(connection.connection())); roots.rem;
         xcb_screen_next(&roots), ++number) {
        if (roots.data->root == connection.root())
            return number;
    }
    return 0;
}

} // namespace

X11Compositor::X11Compositor(X11Connection& connection)
    : m_connection(connection)
    , m_selection(connection.atom(kSelectionPrefix + std::to_string(screenNumber(connection))))
    , m_xfixesEvent(connection.firstEvent(&xcb_xfixes_id))
{
    m_running = isRunning();
    if (!m_xfixesEvent)
        return;
    xcb_connection_t* c = m_connection.connection();
    adoptReply(xcb_xfixes_query_version_reply(c, xcb_xfixes_query_version(c, 1, 0), nullptr));
    xcb_xfixes_select_selection_input(c, m_connection.root(), m_selection,
                                      XCB_XFIXES_SELECTION_EVENT_MASK_SET_SELECTION_OWNER
                                          | XCB_XFIXES_SELECTION_EVENT_MASK_SELECTION_WINDOW_DESTROY
                                          | XCB_XFIXES_SELECTION_EVENT_MASK_SELECTION_CLIENT_CLOSE);
    xcb_flush(c);
    m_handlerId = m_connection.addEventHandler([this](const xcb_generic_event_t* event) {
        if ((event->response_type & 0x7f) != *m_xfixesEvent + XCB_XFIXES_SELECTION_NOTIFY)
            return;
        if (reinterpret_cast<const xcb_xfixes_selection_notify_event_t*>(event)->selection == m_selection)
            ownerChanged();
    });
}

X11Compositor::~X11Compositor()
{
    if (m_handlerId)
        m_connection.removeEventHandler(m_handlerId);
}

bool X11Compositor::isRunning() const
{
    xcb_connection_t* c = m_connection.connection();
    const auto owner = adoptReply(xcb_get_selection_owner_reply(c, xcb_get_selection_owner(c, m_selection), nullptr));
    return owner && owner->owner != XCB_WINDOW_NONE;
}

void X11Compositor::ownerChanged()
{
    // A new owner replacing the old one is no change.
    const bool running = isRunning();
    if (running == m_running)
        return;
    m_running = running;
    if (m_handler)
        m_handler();
}
