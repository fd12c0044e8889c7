#include "platform/x11/X11Screens.h"

#include "platform/x11/X11Connection.h"
#include "platform/x11/X11Reply.h"

#include <xcb/randr.h>

#include <cstring>

namespace {

constexpr const char* kWorkAreaAtom = "_NET_WORKAREA";
constexpr const char* kCurrentDesktopAtom = "_NET_CURRENT_DESKTOP";

} // namespace

X11Screens::X11Screens(X11Connection& connection)
    : m_connection(connection)
{
    const auto randrEvent = m_connection.firstEvent(&xcb_randr_id);
    if (randrEvent) {
        xcb_randr_select_input(m_connection.connection(), m_connection.root(),
                               XCB_RANDR_NOTIFY_MASK_SCREEN_CHANGE | XCB_RANDR_NOTIFY_MASK_CRTC_CHANGE);
        xcb_flush(m_connection.connection());
    }
    const xcb_atom_t workArea = m_connection.atom(kWorkAreaAtom);
    const xcb_atom_t currentDesktop = m_connection.atom(kCurrentDesktopAtom);
    m_connection.addEventHandler([this, randrEvent, workArea, currentDesktop](const xcb_generic_event_t* event) {
        const std::uint8_t type = event->response_type & 0x7f;
        if (randrEvent && (type == *randrEvent + XCB_RANDR_SCREEN_CHANGE_NOTIFY || type == *randrEvent + XCB_RANDR_NOTIFY)) {
            m_layout.reset();
        } else if (type == XCB_PROPERTY_NOTIFY) {
            const auto* notify = reinterpret_cast<const xcb_property_notify_event_t*>(event);
            if (notify->atom == workArea || notify->atom == currentDesktop)
                m_layout.reset();
        }
    });
}

const X11Screens::Layout& X11Screens::layout() const
{
    if (!m_layout)
        m_layout = readLayout();
    return *m_layout;
}

X11Screens::Layout X11Screens::readLayout() const
{
    Layout layout;
    xcb_connection_t* c = m_connection.connection();
    if (m_connection.firstEvent(&xcb_randr_id)) {
        const auto version = adoptReply(xcb_randr_query_version_reply(c, xcb_randr_query_version(c, 1, 5), nullptr));
        if (version && (version->major_version > 1 || version->minor_version >= 5)) {
            const auto monitors = adoptReply(
                xcb_randr_get_monitors_reply(c, xcb_randr_get_monitors(c, m_connection.root(), 1), nullptr));
            if (monitors) {
                for (auto it = xcb_randr_get_monitors_monitors_iterator(monitors.get()); it.rem;
                     xcb_randr_monitor_info_next(&it)) {
                    const QRectF frame(it.data->x, it.data->y, it.data->width, it.data->height);
                    if (it.data->primary)
                        layout.frames.insert(layout.frames.begin(), frame);
                    else
                        layout.frames.push_back(frame);
                }
            }
        }
    }
    if (layout.frames.empty()) {
        const xcb_screen_t* screen = m_connection.screen();
        layout.frames.emplace_back(0, 0, screen->width_in_pixels, screen->height_in_pixels);
    }

    const xcb_window_t root = m_connection.root();
    const std::uint32_t desktop =
        m_connection.cardinalProperty(root, m_connection.atom(kCurrentDesktopAtom), XCB_ATOM_CARDINAL).value_or(0);
    const auto areas = m_connection.property(root, m_connection.atom(kWorkAreaAtom), XCB_ATOM_CARDINAL);
    // Any client may write these properties: the desktop index is checked against the
    // data actually there, in a width that cannot wrap.
    constexpr std::size_t kAreaBytes = 4 * sizeof(std::uint32_t);
    const std::size_t offset = std::size_t {desktop} * kAreaBytes;
    if (areas && areas->size() >= kAreaBytes && areas->size() - kAreaBytes >= offset) {
        std::uint32_t values[4];
        std::memcpy(values, areas->data() + offset, kAreaBytes);
        layout.workArea = QRectF(values[0], values[1], values[2], values[3]);
    }
    return layout;
}

std::vector<ScreenInfo> X11Screens::screens() const
{
    const Layout& current = layout();
    const GlobalCoordinates global = coordinates();
    std::vector<ScreenInfo> screens;
    for (const QRectF& frame : current.frames) {
        QRectF visible = frame;
        if (current.workArea && current.workArea->intersects(frame))
            visible = current.workArea->intersected(frame);
        screens.push_back({global.toGlobal(frame), global.toGlobal(visible), 1.0});
    }
    return screens;
}

GlobalCoordinates X11Screens::coordinates() const
{
    return GlobalCoordinates(layout().frames.front());
}
