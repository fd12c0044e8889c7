#include "platform/x11/X11ActiveApplication.h"

#include "platform/x11/X11Connection.h"

namespace {

constexpr const char* kActiveWindowAtom = "_NET_ACTIVE_WINDOW";

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

std::optional<std::string> X11ActiveApplication::identifier() const
{
    const auto window = m_connection.cardinalProperty(m_connection.root(), m_activeWindowAtom, XCB_ATOM_WINDOW);
    if (!window || *window == XCB_WINDOW_NONE)
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
