// Types a combination by X key codes, whatever keysyms the layout puts on them (xdotool
// picks the first key that has a keysym at any level): presses the key codes in the
// order given, then releases them in reverse, through XTEST. Arguments: key codes.
#include <xcb/xcb.h>
#include <xcb/xtest.h>

#include <cstdint>
#include <cstdlib>
#include <vector>

int main(int argc, char** argv)
{
    std::vector<std::uint8_t> keycodes;
    for (int i = 1; i < argc; ++i)
        keycodes.push_back(static_cast<std::uint8_t>(std::strtoul(argv[i], nullptr, 0)));
    if (keycodes.empty())
        return 1;
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection))
        return 1;
    for (const std::uint8_t keycode : keycodes)
        xcb_test_fake_input(connection, XCB_KEY_PRESS, keycode, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
    for (auto keycode = keycodes.rbegin(); keycode != keycodes.rend(); ++keycode)
        xcb_test_fake_input(connection, XCB_KEY_RELEASE, *keycode, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
    // The server has the events once a round trip is done.
    std::free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
    xcb_disconnect(connection);
    return 0;
}
