#include "platform/x11/X11WindowOwners.h"

#include "platform/x11/X11Connection.h"
#include "platform/x11/X11Reply.h"

#include <fstream>

namespace {

constexpr const char* kWmStateAtom = "WM_STATE";
constexpr const char* kWmPidAtom = "_NET_WM_PID";
// Frames of window managers nest the client one or two levels down.
constexpr int kMaxFrameDepth = 3;

} // namespace

X11WindowOwners::X11WindowOwners(const X11Connection& connection)
    : m_connection(connection)
{
}

xcb_window_t X11WindowOwners::clientWindow(xcb_window_t window) const
{
    const xcb_window_t client = findClient(window, 0);
    return client != XCB_WINDOW_NONE ? client : window;
}

xcb_window_t X11WindowOwners::findClient(xcb_window_t window, int depth) const
{
    if (m_connection.property(window, m_connection.atom(kWmStateAtom), XCB_ATOM_ANY))
        return window;
    if (depth >= kMaxFrameDepth)
        return XCB_WINDOW_NONE;
    xcb_connection_t* c = m_connection.connection();
    const auto tree = adoptReply(xcb_query_tree_reply(c, xcb_query_tree(c, window), nullptr));
    if (!tree)
        return XCB_WINDOW_NONE;
    const xcb_window_t* children = xcb_query_tree_children(tree.get());
    for (int i = xcb_query_tree_children_length(tree.get()) - 1; i >= 0; --i) {
        if (const xcb_window_t found = findClient(children[i], depth + 1); found != XCB_WINDOW_NONE)
            return found;
    }
    return XCB_WINDOW_NONE;
}

std::string X11WindowOwners::ownerName(xcb_window_t client) const
{
    // WM_CLASS holds "instance\0class\0"; the class names the application.
    if (const auto wmClass = m_connection.property(client, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING)) {
        const std::string value(wmClass->begin(), wmClass->end());
        const auto separator = value.find('\0');
        if (separator != std::string::npos) {
            const std::string className = value.substr(separator + 1, value.find('\0', separator + 1) - separator - 1);
            if (!className.empty())
                return className;
        }
    }
    if (const auto pid = m_connection.cardinalProperty(client, m_connection.atom(kWmPidAtom), XCB_ATOM_CARDINAL)) {
        std::ifstream comm("/proc/" + std::to_string(*pid) + "/comm");
        std::string name;
        if (std::getline(comm, name))
            return name;
    }
    return {};
}
