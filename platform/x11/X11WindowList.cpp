#include "platform/x11/X11WindowList.h"

#include "platform/Screens.h"
#include "platform/x11/X11Connection.h"
#include "platform/x11/X11Reply.h"

X11WindowList::X11WindowList(const X11Connection& connection, const Screens& screens)
    : m_connection(connection)
    , m_screens(screens)
    , m_owners(connection)
{
}

std::vector<WindowInfo> X11WindowList::onScreenWindows() const
{
    xcb_connection_t* c = m_connection.connection();
    const auto tree = adoptReply(xcb_query_tree_reply(c, xcb_query_tree(c, m_connection.root()), nullptr));
    if (!tree)
        return {};
    const xcb_window_t* children = xcb_query_tree_children(tree.get());
    const int count = xcb_query_tree_children_length(tree.get());

    // Ask for every window at once; the replies come back in order.
    std::vector<xcb_get_window_attributes_cookie_t> attributes;
    std::vector<xcb_get_geometry_cookie_t> geometries;
    for (int i = 0; i < count; ++i) {
        attributes.push_back(xcb_get_window_attributes(c, children[i]));
        geometries.push_back(xcb_get_geometry(c, children[i]));
    }

    const GlobalCoordinates global = m_screens.coordinates();
    std::vector<WindowInfo> windows;
    for (int i = 0; i < count; ++i) {
        const auto attribute = adoptReply(xcb_get_window_attributes_reply(c, attributes[i], nullptr));
        const auto geometry = adoptReply(xcb_get_geometry_reply(c, geometries[i], nullptr));
        if (!attribute || !geometry || attribute->map_state != XCB_MAP_STATE_VIEWABLE
            || attribute->_class != XCB_WINDOW_CLASS_INPUT_OUTPUT)
            continue;
        const int border = 2 * geometry->border_width;
        const QRectF frame(geometry->x, geometry->y, geometry->width + border, geometry->height + border);
        const xcb_window_t client = m_owners.clientWindow(children[i]);
        windows.push_back({client, m_owners.ownerName(client), global.toGlobal(frame)});
    }
    // The tree lists windows bottom to top.
    return {windows.rbegin(), windows.rend()};
}
