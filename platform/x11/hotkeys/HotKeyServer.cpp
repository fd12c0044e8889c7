#include "platform/x11/hotkeys/HotKeyServer.h"

#include "platform/x11/hotkeys/RootKeyGrabs.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// Longer than a loaded machine takes to show a window; under a second with room for
// this helper's own wake-up on a loaded machine.
constexpr std::chrono::milliseconds kLongestHold {800};

using Request = HotKeyMessages::Request;
using Reply = HotKeyMessages::Reply;

} // namespace

HotKeyServer::HotKeyServer(xcb_connection_t* connection, int socket)
    : m_connection(connection)
    , m_root(xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root)
    , m_socket(socket)
{
}

int HotKeyServer::run()
{
    for (;;) {
        handleEvents();
        if (xcb_connection_has_error(m_connection)) {
            std::fputs("vendrel-hotkeys: the X connection broke\n", stderr);
            return 1;
        }
        int timeout = -1;
        if (m_frozen) {
            const auto left = std::chrono::ceil<std::chrono::milliseconds>(m_thawAt - std::chrono::steady_clock::now());
            timeout = static_cast<int>(std::max<std::chrono::milliseconds::rep>(left.count(), 0));
        }
        pollfd watched[] = {{xcb_get_file_descriptor(m_connection), POLLIN, 0}, {m_socket, POLLIN, 0}};
        if (poll(watched, 2, timeout) < 0 && errno != EINTR)
            return 1;
        if (m_frozen && std::chrono::steady_clock::now() >= m_thawAt)
            thaw();
        if (watched[1].revents) {
            if (const auto status = readAsks())
                return *status;
        }
    }
}

std::optional<int> HotKeyServer::readAsks()
{
    char bytes[256];
    const ssize_t size = read(m_socket, bytes, sizeof bytes);
    if (size == 0)
        return 0;
    if (size < 0)
        return errno == EINTR || errno == EAGAIN ? std::nullopt : std::optional<int>(1);
    m_messages.append(bytes, static_cast<std::size_t>(size));
    // The program speaks of the presses it saw: a press the server sent before it spoke,
    // still unread here when this helper runs late, was typed while the last one was
    // unhandled, and is read first.
    std::free(xcb_get_input_focus_reply(m_connection, xcb_get_input_focus(m_connection), nullptr));
    handleEvents();
    while (const auto ask = m_messages.nextAsk())
        handle(*ask);
    if (m_messages.corrupt()) {
        std::fputs("vendrel-hotkeys: the program sent a message that cannot be read\n", stderr);
        return 1;
    }
    return std::nullopt;
}

void HotKeyServer::handleEvents()
{
    while (xcb_generic_event_t* event = xcb_poll_for_event(m_connection)) {
        handle(event);
        std::free(event);
    }
}

void HotKeyServer::handle(const HotKeyMessages::Ask& ask)
{
    switch (ask.request) {
    case Request::Grab:
        if (!grab(ask.keycode, ask.masks)) {
            tell(Reply::Refused);
            return;
        }
        for (const std::uint16_t mask : ask.masks) {
            const auto same = [&](const Grab& held) { return held.keycode == ask.keycode && held.mask == mask; };
            if (std::none_of(m_grabs.begin(), m_grabs.end(), same))
                m_grabs.push_back({ask.keycode, mask});
        }
        tell(Reply::Granted);
        return;
    case Request::Ungrab:
        ungrab(ask.keycode, ask.masks);
        return;
    case Request::Handled:
        m_pressUnhandled = false;
        return;
    case Request::Release:
        thaw();
        return;
    }
}

void HotKeyServer::handle(const xcb_generic_event_t* event)
{
    const std::uint8_t type = event->response_type & 0x7f;
    if (type != XCB_KEY_PRESS && type != XCB_KEY_RELEASE)
        return;
    const auto* key = reinterpret_cast<const xcb_key_press_event_t*>(event);
    // The server sends the keys a thaw replays while it handles the thaw's request, so
    // they carry its number; later keys carry a later one.
    if (m_replaySequence && key->sequence != *m_replaySequence)
        m_replaySequence.reset();
    if (type == XCB_KEY_RELEASE) {
        tell(Reply::KeyRelease, key->detail, key->state);
        return;
    }
    // Typed while the keyboard waited for the program: not to be acted on, and it froze
    // nothing, the grabs being non-freezing during the thaw.
    if (m_replaySequence) {
        tell(Reply::QueuedPress, key->detail, key->state);
        return;
    }
    m_frozen = true;
    if (m_pressUnhandled) {
        // The program has not got to the press before; nothing will wait for this one.
        tell(Reply::QueuedPress, key->detail, key->state);
        thaw();
        return;
    }
    m_pressUnhandled = true;
    m_thawAt = std::chrono::steady_clock::now() + kLongestHold;
    tell(Reply::Press, key->detail, key->state);
}

bool HotKeyServer::grab(xcb_keycode_t keycode, const std::vector<std::uint16_t>& masks)
{
    return rootkeygrabs::grab(m_connection, m_root, keycode, masks, XCB_GRAB_MODE_SYNC);
}

void HotKeyServer::ungrab(xcb_keycode_t keycode, const std::vector<std::uint16_t>& masks)
{
    rootkeygrabs::ungrab(m_connection, m_root, keycode, masks);
    for (const std::uint16_t mask : masks) {
        std::erase_if(m_grabs, [&](const Grab& held) {
            return held.keycode == keycode && (held.mask == mask || mask == XCB_MOD_MASK_ANY);
        });
    }
}

void HotKeyServer::setFreezing(bool freezing)
{
    // A grab of our own is replaced, never refused.
    const std::uint8_t mode = freezing ? XCB_GRAB_MODE_SYNC : XCB_GRAB_MODE_ASYNC;
    for (const Grab& held : m_grabs)
        xcb_grab_key(m_connection, 1, m_root, held.mask, held.keycode, XCB_GRAB_MODE_ASYNC, mode);
}

void HotKeyServer::thaw()
{
    if (!m_frozen)
        return;
    m_frozen = false;
    // A hot key queued behind this one must not freeze the keyboard again as the queue
    // is replayed: the server then leaves its key down, repeating, if the second hold
    // outlasts the repeat delay.
    setFreezing(false);
    m_replaySequence = static_cast<std::uint16_t>(
        xcb_allow_events(m_connection, XCB_ALLOW_ASYNC_KEYBOARD, XCB_CURRENT_TIME).sequence);
    setFreezing(true);
    xcb_flush(m_connection);
}

void HotKeyServer::tell(Reply reply, xcb_keycode_t keycode, std::uint16_t state)
{
    const std::string message = HotKeyMessages::encode(HotKeyMessages::Tell {reply, keycode, state});
    // Never waits: a program that stopped reading must not keep the keyboard frozen. Its
    // socket keeps messages whole, so one that does not fit is dropped whole.
    send(m_socket, message.data(), message.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
}
