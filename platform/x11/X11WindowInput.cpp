#include "platform/x11/X11WindowInput.h"

#include "platform/x11/X11Connection.h"
#include "platform/x11/X11KeyboardHold.h"
#include "platform/x11/X11Reply.h"

#include <xcb/shape.h>
#include <xcb/xfixes.h>

namespace {

constexpr std::chrono::milliseconds kFocusRetryInterval {5};
// A window manager may take a while to map a window, and a menu a moment to let the
// keyboard go.
constexpr std::chrono::seconds kFocusPatience {2};

} // namespace

X11WindowInput::X11WindowInput(X11Connection& connection, X11KeyboardHold& hold)
    : m_connection(connection)
    , m_hold(hold)
{
    m_focusRetry.setInterval(kFocusRetryInterval);
    QObject::connect(&m_focusRetry, &QTimer::timeout, &m_connection, [this] { attemptFocus(); });
    xcb_connection_t* c = m_connection.connection();
    if (m_connection.firstEvent(&xcb_xfixes_id)) {
        // Input shapes need XFixes 2; the version must be stated before any request.
        const auto version = adoptReply(xcb_xfixes_query_version_reply(c, xcb_xfixes_query_version(c, 4, 0), nullptr));
        m_xfixes = version && version->major_version >= 2;
    }
}

bool X11WindowInput::setClickThrough(std::uint64_t window, bool through)
{
    if (!m_xfixes)
        return false;
    xcb_connection_t* c = m_connection.connection();
    const auto id = static_cast<xcb_window_t>(window);
    if (!through)
        return m_connection.check(
            xcb_xfixes_set_window_shape_region_checked(c, id, XCB_SHAPE_SK_INPUT, 0, 0, XCB_XFIXES_REGION_NONE));
    const xcb_xfixes_region_t empty = xcb_generate_id(c);
    xcb_xfixes_create_region(c, empty, 0, nullptr);
    const bool done = m_connection.check(xcb_xfixes_set_window_shape_region_checked(c, id, XCB_SHAPE_SK_INPUT, 0, 0, empty));
    xcb_xfixes_destroy_region(c, empty);
    return done;
}

void X11WindowInput::takeKeyboardFocus(std::uint64_t window, std::function<void()> unreachable)
{
    m_focusWindow = static_cast<std::uint32_t>(window);
    m_unreachable = std::move(unreachable);
    m_focusDeadline.setRemainingTime(kFocusPatience);
    m_focusPending = true;
    m_hold.awaitFocus();
    attemptFocus();
}

void X11WindowInput::whenFocusSettled(std::function<void()> done)
{
    if (m_focusPending)
        m_whenSettled.push_back(std::move(done));
    else
        done();
}

void X11WindowInput::attemptFocus()
{
    const bool settled = tryFocus();
    if (!settled && !m_focusDeadline.hasExpired()) {
        m_focusRetry.start();
        return;
    }
    m_focusRetry.stop();
    m_focusPending = false;
    m_hold.focusSettled();
    if (const auto unreachable = std::exchange(m_unreachable, nullptr); unreachable && !settled)
        unreachable();
    for (const auto& done : std::exchange(m_whenSettled, {}))
        done();
}

bool X11WindowInput::tryFocus()
{
    xcb_connection_t* c = m_connection.connection();
    const auto attributes =
        adoptReply(xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, m_focusWindow), nullptr));
    if (!attributes)
        return true;
    if (attributes->map_state != XCB_MAP_STATE_VIEWABLE)
        return false;
    xcb_set_input_focus(c, XCB_INPUT_FOCUS_PARENT, m_focusWindow, XCB_CURRENT_TIME);
    const auto focus = adoptReply(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
    if (!focus || focus->focus != m_focusWindow)
        return false;
    // The keys queued for the window go to it before our probe's grab could take them.
    m_hold.focusSettled();
    // Only a window that must know whether keys reach it is probed.
    return !m_unreachable || keyboardFree();
}

bool X11WindowInput::keyboardFree()
{
    if (m_hold.hotKeyDown())
        return true;
    // Another program's active grab takes every key whatever the focus; only a grab of
    // our own, let go at once, tells.
    xcb_connection_t* c = m_connection.connection();
    const auto cookie =
        xcb_grab_keyboard(c, 1, m_focusWindow, XCB_CURRENT_TIME, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC);
    const auto grab = adoptReply(xcb_grab_keyboard_reply(c, cookie, nullptr));
    if (!grab || grab->status != XCB_GRAB_STATUS_SUCCESS)
        return false;
    xcb_ungrab_keyboard(c, XCB_CURRENT_TIME);
    xcb_flush(c);
    return true;
}

bool X11WindowInput::pointerFree()
{
    // As for the keyboard: only a grab of our own, let go at once, tells. It freezes the
    // pointer, so a click made meanwhile is queued, not lost, and goes where it would have.
    xcb_connection_t* c = m_connection.connection();
    const auto cookie = xcb_grab_pointer(c, 1, m_connection.root(), 0, XCB_GRAB_MODE_SYNC, XCB_GRAB_MODE_ASYNC,
                                         XCB_NONE, XCB_NONE, XCB_CURRENT_TIME);
    const auto grab = adoptReply(xcb_grab_pointer_reply(c, cookie, nullptr));
    if (!grab || grab->status != XCB_GRAB_STATUS_SUCCESS)
        return false;
    // Let go before the window's own grab, sent on Qt's connection, can reach the server.
    m_connection.check(xcb_ungrab_pointer_checked(c, XCB_CURRENT_TIME));
    return true;
}
