#include "platform/x11/X11WindowStacking.h"

#include "platform/x11/X11Connection.h"
#include "platform/x11/X11Reply.h"

X11WindowStacking::X11WindowStacking(X11Connection& connection)
    : m_connection(connection)
{
}

xcb_window_t X11WindowStacking::topLevel(xcb_window_t window) const
{
    xcb_connection_t* c = m_connection.connection();
    for (;;) {
        const auto tree = adoptReply(xcb_query_tree_reply(c, xcb_query_tree(c, window), nullptr));
        if (!tree || tree->parent == tree->root || tree->parent == XCB_WINDOW_NONE)
            return window;
        window = tree->parent;
    }
}

bool X11WindowStacking::placeBelow(std::uint64_t lower, std::uint64_t upper)
{
    const xcb_window_t lowerFrame = topLevel(static_cast<xcb_window_t>(lower));
    const xcb_window_t upperFrame = topLevel(static_cast<xcb_window_t>(upper));
    const std::uint32_t values[] = {upperFrame, XCB_STACK_MODE_BELOW};
    return m_connection.check(xcb_configure_window_checked(
        m_connection.connection(), lowerFrame, XCB_CONFIG_WINDOW_SIBLING | XCB_CONFIG_WINDOW_STACK_MODE, values));
}
