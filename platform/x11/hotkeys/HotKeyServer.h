#pragma once

#include "platform/x11/hotkeys/HotKeyMessages.h"

#include <xcb/xcb.h>

#include <chrono>
#include <cstdint>
#include <optional>
#include <vector>

// The hot-key helper's work: passive key grabs on the root window that freeze the
// keyboard at a hot key, so that keys typed right after it wait in the server for the
// window the program shows. The program says when the keyboard may go; whatever it is
// doing (busy, stopped, in a debugger), the keyboard goes a moment under a second after
// the press.
class HotKeyServer final {
public:
    // The socket is the program's end of the conversation; the connection stays ours.
    HotKeyServer(xcb_connection_t* connection, int socket);

    // Serves until the program closes its end (0) or the socket or the X connection
    // fails (1).
    int run();

private:
    struct Grab {
        xcb_keycode_t keycode;
        std::uint16_t mask;
    };

    // The events the X connection has brought in.
    void handleEvents();
    void handle(const HotKeyMessages::Ask& ask);
    void handle(const xcb_generic_event_t* event);
    // Every mask, or none.
    bool grab(xcb_keycode_t keycode, const std::vector<std::uint16_t>& masks);
    void ungrab(xcb_keycode_t keycode, const std::vector<std::uint16_t>& masks);
    void setFreezing(bool freezing);
    void thaw();
    void tell(HotKeyMessages::Reply reply, xcb_keycode_t keycode = 0, std::uint16_t state = 0);
    // The exit status once the program closed its end or the socket failed.
    std::optional<int> readAsks();

    xcb_connection_t* m_connection;
    xcb_window_t m_root;
    int m_socket;
    HotKeyMessages m_messages;
    std::vector<Grab> m_grabs;
    bool m_frozen = false;
    bool m_pressUnhandled = false;
    // The request number of the last thaw while the keys it replays come in.
    std::optional<std::uint16_t> m_replaySequence;
    std::chrono::steady_clock::time_point m_thawAt;
};
