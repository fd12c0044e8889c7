#include "platform/x11/X11ActiveApplication.h"

#include "platform/x11/X11Connection.h"

namespace {

constexpr const char* kActiveWindowAtom = "_NET_ACTIVE_WINDOW";
// A request that passes focus-stealing prevention, as a pager's does.
constexpr std::uint32_t kSourcePager = 2;

} // namespace

X11ActiveApplication::X11ActiveApplication(X11Connection& connection)
    : m_connection(connection)
    , m_owners(connection)
    , m_activeWindowAtom(connection.atom(kActiveWindowAtom))
    , m_current(identifier())
{
    m_connection.addEventHandler([this](const xcb_generic_event_t* event) {
        if ((event->response_type & 0x7f) != XCB_PROPERTY_NOTIFY)
            return;
        const auto* notify = reinterpret_cast<const xcb_property_notify_event_t*>(event);
        if (notify->window == m_connection.root() && notify->atom == m_activeWindowAtom)
            activeWindowChanged();
    });
}

std::optional<std::uint32_t> X11ActiveApplication::activeWindow() const
{
    const auto window = m_connection.cardinalProperty(m_connection.root(), m_activeWindowAtom, XCB_ATOM_WINDOW);
    if (!window || *window == XCB_WINDOW_NONE)
        return std::nullopt;
    return window;
}

void X11ActiveApplication::activate(std::uint32_t window)
{
    m_connection.sendToWindowManager(window, m_activeWindowAtom, {kSourcePager, XCB_CURRENT_TIME, 0, 0, 0});
    xcb_set_input_focus(m_connection.connection(), XCB_INPUT_FOCUS_PARENT, window, XCB_CURRENT_TIME);
    xcb_flush(m_connection.connection());
}

std::optional<std::string> X11ActiveApplication::identifier() const
{
    const auto window = activeWindow();
    if (!window)
        return std::nullopt;
    std::string name = m_owners.ownerName(m_owners.clientWindow(*window));
    if (name.empty())
        return std::nullopt;
    return name;
}

void X11ActiveApplication::activeWindowChanged()
{
    // Focus moving between windows of one application is no switch.
    auto active = identifier();
    if (active == m_current)
        return;
    m_current = std::move(active);
    if (m_handler)
        m_handler();
}
