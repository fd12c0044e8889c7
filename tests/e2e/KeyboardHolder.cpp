// Holds the keyboard as another program would with an active grab, until killed:
// every key then goes to this client whatever window has the focus. Prints "held"
// once the server granted the grab.
#include <xcb/xcb.h>

#include <cstdio>
#include <cstdlib>

#include <unistd.h>

int main()
{
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection))
        return 1;
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    xcb_grab_keyboard_reply_t* reply = xcb_grab_keyboard_reply(
        connection,
        xcb_grab_keyboard(connection, 0, root, XCB_CURRENT_TIME, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC), nullptr);
    const bool held = reply && reply->status == XCB_GRAB_STATUS_SUCCESS;
    std::free(reply);
    if (!held)
        return 1;
    std::puts("held");
    std::fflush(stdout);
    for (;;)
        pause();
}
