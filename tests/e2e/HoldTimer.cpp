// Times how long the X server holds this client's own key events, as someone typing in
// another program feels it: fakes a press and a release of a key code no key uses
// (XTEST) and reads the server's keymap until it shows each. Probes again and again for
// the given milliseconds and prints the longest hold in milliseconds:
// hold_timer MILLISECONDS [KEYCODE, default 93].
#include <xcb/xcb.h>
#include <xcb/xtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

bool isDown(xcb_connection_t* connection, xcb_keycode_t keycode)
{
    xcb_query_keymap_reply_t* reply = xcb_query_keymap_reply(connection, xcb_query_keymap(connection), nullptr);
    const bool down = reply && (reply->keys[keycode / 8] & (1 << (keycode % 8)));
    std::free(reply);
    return down;
}

// How long the server took to show the key in the given state, in milliseconds.
long long fake(xcb_connection_t* connection, std::uint8_t type, xcb_keycode_t keycode)
{
    const Clock::time_point sent = Clock::now();
    xcb_test_fake_input(connection, type, keycode, XCB_CURRENT_TIME, XCB_WINDOW_NONE, 0, 0, 0);
    xcb_flush(connection);
    while (isDown(connection, keycode) != (type == XCB_KEY_PRESS) && !xcb_connection_has_error(connection))
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - sent).count();
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
        return 1;
    const auto duration = std::chrono::milliseconds(std::atoll(argv[1]));
    const auto keycode = static_cast<xcb_keycode_t>(argc > 2 ? std::atoi(argv[2]) : 93);
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection))
        return 1;
    const Clock::time_point end = Clock::now() + duration;
    long long longest = 0;
    do {
        longest = std::max(longest, fake(connection, XCB_KEY_PRESS, keycode));
        longest = std::max(longest, fake(connection, XCB_KEY_RELEASE, keycode));
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    } while (Clock::now() < end && !xcb_connection_has_error(connection));
    std::printf("%lld\n", longest);
    xcb_disconnect(connection);
    return 0;
}
