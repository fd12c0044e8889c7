#include "platform/x11/X11WindowStacking.h"

#include "platform/x11/X11Reply.h"

#include <vector>

X11WindowStacking::X11WindowStacking(X11Connection& connection)
    : m_connection(connection)
{
    m_handlerId = m_connection.addEventHandler([this](const xcb_generic_event_t* event) { handleEvent(event); });
}

X11WindowStacking::~X11WindowStacking()
{
    m_connection.removeEventHandler(m_handlerId);
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

void X11WindowStacking::watch(xcb_window_t window, bool on)
{
    // Our own connection's mask; Qt's selection on the same window is its own.
    const std::uint32_t mask = on ? XCB_EVENT_MASK_STRUCTURE_NOTIFY : 0;
    xcb_change_window_attributes(m_connection.connection(), window, XCB_CW_EVENT_MASK, &mask);
}

xcb_void_cookie_t X11WindowStacking::restack(xcb_window_t lower, Kept& kept)
{
    const xcb_window_t frame = topLevel(kept.upper);
    if (frame != kept.frame) {
        if (kept.frame != kept.upper)
            watch(kept.frame, false);
        kept.frame = frame;
        if (frame != kept.upper)
            watch(frame, true);
    }
    const std::uint32_t values[] = {frame, XCB_STACK_MODE_BELOW};
    return xcb_configure_window_checked(m_connection.connection(), topLevel(lower),
                                        XCB_CONFIG_WINDOW_SIBLING | XCB_CONFIG_WINDOW_STACK_MODE, values);
}

bool X11WindowStacking::keepBelow(std::uint64_t lower, std::uint64_t upper)
{
    release(lower);
    Kept& kept = m_kept[static_cast<xcb_window_t>(lower)];
    kept = {static_cast<xcb_window_t>(upper), static_cast<xcb_window_t>(upper)};
    // Watched before the frame is looked up, so a reparent in between is still reported.
    watch(kept.upper, true);
    return m_connection.check(restack(static_cast<xcb_window_t>(lower), kept));
}

void X11WindowStacking::release(std::uint64_t lower)
{
    const auto found = m_kept.find(static_cast<xcb_window_t>(lower));
    if (found == m_kept.end())
        return;
    const Kept kept = found->second;
    m_kept.erase(found);
    for (const auto& [other, watched] : m_kept) {
        if (watched.upper == kept.upper)
            return;
    }
    watch(kept.upper, false);
    if (kept.frame != kept.upper)
        watch(kept.frame, false);
    xcb_flush(m_connection.connection());
}

void X11WindowStacking::handleEvent(const xcb_generic_event_t* event)
{
    xcb_window_t window = XCB_WINDOW_NONE;
    switch (event->response_type & 0x7f) {
    case XCB_REPARENT_NOTIFY:
        window = reinterpret_cast<const xcb_reparent_notify_event_t*>(event)->window;
        break;
    case XCB_CONFIGURE_NOTIFY:
        window = reinterpret_cast<const xcb_configure_notify_event_t*>(event)->window;
        break;
    case XCB_MAP_NOTIFY:
        window = reinterpret_cast<const xcb_map_notify_event_t*>(event)->window;
        break;
    default:
        return;
    }
    std::vector<xcb_window_t> moved;
    for (const auto& [lower, kept] : m_kept) {
        if (window == kept.upper || window == kept.frame)
            moved.push_back(lower);
    }
    for (const xcb_window_t lower : moved) {
        if (const auto found = m_kept.find(lower); found != m_kept.end())
            xcb_discard_reply(m_connection.connection(), restack(lower, found->second).sequence);
    }
    xcb_flush(m_connection.connection());
}
