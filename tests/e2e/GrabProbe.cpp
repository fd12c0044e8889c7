// Tries to grab a key combination on the root window, as a second program would:
// exits with 10 when the X server refuses it (another client holds it), 0 when the
// grab succeeded, 1 on other errors. Arguments: a modifier mask and a keysym; or
// "pointer" to try the pointer the same way.
#include <xcb/xcb.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

int grabPointer()
{
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection))
        return 1;
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    xcb_grab_pointer_reply_t* reply = xcb_grab_pointer_reply(
        connection, xcb_grab_pointer(connection, 0, root, 0, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC, XCB_NONE,
                                     XCB_NONE, XCB_CURRENT_TIME), nullptr);
    const int status = !reply ? 1 : reply->status == XCB_GRAB_STATUS_SUCCESS ? 0 : 10;
    std::free(reply);
    xcb_disconnect(connection);
    return status;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 2 && std::strcmp(argv[1], "pointer") == 0)
        return grabPointer();
    if (argc != 3)
        return 1;
    const auto modifiers = static_cast<std::uint16_t>(std::strtoul(argv[1], nullptr, 0));
    const auto keysym = static_cast<xcb_keysym_t>(std::strtoul(argv[2], nullptr, 0));
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection))
        return 1;
    const xcb_setup_t* setup = xcb_get_setup(connection);
    xcb_screen_t* screen = xcb_setup_roots_iterator(setup).data;

    const int count = setup->max_keycode - setup->min_keycode + 1;
    xcb_get_keyboard_mapping_reply_t* mapping = xcb_get_keyboard_mapping_reply(
        connection, xcb_get_keyboard_mapping(connection, setup->min_keycode, static_cast<std::uint8_t>(count)), nullptr);
    if (!mapping)
        return 1;
    const xcb_keysym_t* keysyms = xcb_get_keyboard_mapping_keysyms(mapping);
    xcb_keycode_t keycode = 0;
    for (int i = 0; i < count && !keycode; ++i) {
        if (keysyms[i * mapping->keysyms_per_keycode] == keysym)
            keycode = static_cast<xcb_keycode_t>(setup->min_keycode + i);
    }
    std::free(mapping);
    if (!keycode)
        return 1;

    xcb_generic_error_t* error = xcb_request_check(
        connection, xcb_grab_key_checked(connection, 1, screen->root, modifiers, keycode, XCB_GRAB_MODE_ASYNC,
                                         XCB_GRAB_MODE_ASYNC));
    const int status = error ? (error->error_code == 10 ? 10 : 1) : 0;
    std::free(error);
    xcb_disconnect(connection);
    return status;
}
