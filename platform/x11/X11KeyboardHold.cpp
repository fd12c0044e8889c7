#include "platform/x11/X11KeyboardHold.h"

#include "platform/x11/X11Connection.h"

namespace {

// Longer than a loaded machine takes to show a window, short enough not to feel stuck.
constexpr std::chrono::seconds kLongestHold {1};

} // namespace

X11KeyboardHold::X11KeyboardHold(X11Connection& connection)
    : m_connection(connection)
{
    m_safety.setSingleShot(true);
    m_safety.setInterval(kLongestHold);
    QObject::connect(&m_safety, &QTimer::timeout, &m_connection, [this] { thaw(); });
}

void X11KeyboardHold::frozen()
{
    m_frozen = true;
    m_awaitingFocus = false;
    m_safety.start();
}

void X11KeyboardHold::focusSettled()
{
    m_awaitingFocus = false;
    thaw();
}

void X11KeyboardHold::thawUnlessAwaitingFocus()
{
    if (!m_awaitingFocus)
        thaw();
}

void X11KeyboardHold::thaw()
{
    if (!m_frozen)
        return;
    m_frozen = false;
    m_safety.stop();
    // A hot key queued behind this one must not freeze the keyboard again as the queue
    // is replayed: the server then leaves its key down, repeating, if the second hold
    // outlasts the repeat delay.
    if (m_setFreezingGrabs)
        m_setFreezingGrabs(false);
    xcb_allow_events(m_connection.connection(), XCB_ALLOW_ASYNC_KEYBOARD, XCB_CURRENT_TIME);
    if (m_setFreezingGrabs)
        m_setFreezingGrabs(true);
    xcb_flush(m_connection.connection());
}
