#include "platform/x11/X11Compositor.h"

#include "platform/x11/X11Connection.h"
#include "platform/x11/X11Reply.h"

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
{
}

bool X11Compositor::isRunning() const
{
    xcb_connection_t* c = m_connection.connection();
    const xcb_atom_t selection = m_connection.atom(kSelectionPrefix + std::to_string(screenNumber(m_connection)));
    const auto owner = adoptReply(xcb_get_selection_owner_reply(c, xcb_get_selection_owner(c, selection), nullptr));
    return owner && owner->owner != XCB_WINDOW_NONE;
}
