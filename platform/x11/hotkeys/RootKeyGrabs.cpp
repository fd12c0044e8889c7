#include "platform/x11/hotkeys/RootKeyGrabs.h"

#include <cstdlib>

namespace rootkeygrabs {

namespace {

bool succeeded(xcb_connection_t* connection, xcb_void_cookie_t cookie)
{
    xcb_generic_error_t* error = xcb_request_check(connection, cookie);
    std::free(error);
    return !error;
}

} // namespace

bool grab(xcb_connection_t* connection, xcb_window_t root, xcb_keycode_t keycode,
          const std::vector<std::uint16_t>& masks, std::uint8_t keyboardMode)
{
    std::vector<xcb_void_cookie_t> cookies;
    for (const std::uint16_t mask : masks)
        cookies.push_back(
            xcb_grab_key_checked(connection, 1, root, mask, keycode, XCB_GRAB_MODE_ASYNC, keyboardMode));
    bool granted = true;
    for (const xcb_void_cookie_t cookie : cookies)
        granted = succeeded(connection, cookie) && granted;
    // An ungrab releases only our own grabs, so the masks we got go back.
    if (!granted)
        ungrab(connection, root, keycode, masks);
    return granted;
}

void ungrab(xcb_connection_t* connection, xcb_window_t root, xcb_keycode_t keycode,
            const std::vector<std::uint16_t>& masks)
{
    std::vector<xcb_void_cookie_t> cookies;
    for (const std::uint16_t mask : masks)
        cookies.push_back(xcb_ungrab_key_checked(connection, keycode, root, mask));
    for (const xcb_void_cookie_t cookie : cookies)
        succeeded(connection, cookie);
}

} // namespace rootkeygrabs
