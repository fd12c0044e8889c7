// A minimal XEmbed system-tray host: it owns the tray selection, docks every icon that
// asks and prints "dock <window> <class>" for each.
#include <xcb/xcb.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

constexpr std::uint32_t kRequestDock = 0;
constexpr std::uint32_t kEmbeddedNotify = 0;
constexpr std::uint32_t kXEmbedVersion = 0;

xcb_atom_t atom(xcb_connection_t* connection, const char* name)
{
    xcb_intern_atom_reply_t* reply =
        xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 0, std::strlen(name), name), nullptr);
    const xcb_atom_t result = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    std::free(reply);
    return result;
}

std::string windowClass(xcb_connection_t* connection, xcb_window_t window)
{
    xcb_get_property_reply_t* reply = xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, window, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, 0, 256), nullptr);
    std::string name;
    if (reply && xcb_get_property_value_length(reply) > 0)
        name = static_cast<const char*>(xcb_get_property_value(reply));
    std::free(reply);
    return name;
}

} // namespace

int main()
{
    int screenNumber = 0;
    xcb_connection_t* connection = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(connection))
        return 1;
    xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    const xcb_atom_t selection = atom(connection, ("_NET_SYSTEM_TRAY_S" + std::to_string(screenNumber)).c_str());
    const xcb_atom_t opcode = atom(connection, "_NET_SYSTEM_TRAY_OPCODE");
    const xcb_atom_t manager = atom(connection, "MANAGER");
    const xcb_atom_t xembed = atom(connection, "_XEMBED");

    // The tray: a strip at the top right of the screen.
    const xcb_window_t tray = xcb_generate_id(connection);
    const std::uint32_t values[] = {screen->black_pixel, XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY};
    xcb_create_window(connection, XCB_COPY_FROM_PARENT, tray, screen->root, screen->width_in_pixels - 200, 0, 200, 24,
                      0, XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual, XCB_CW_BACK_PIXEL | XCB_CW_EVENT_MASK,
                      values);
    xcb_map_window(connection, tray);
    xcb_set_selection_owner(connection, tray, selection, XCB_CURRENT_TIME);

    xcb_client_message_event_t announce{};
    announce.response_type = XCB_CLIENT_MESSAGE;
    announce.format = 32;
    announce.window = screen->root;
    announce.type = manager;
    announce.data.data32[0] = XCB_CURRENT_TIME;
    announce.data.data32[1] = selection;
    announce.data.data32[2] = tray;
    xcb_send_event(connection, 0, screen->root, XCB_EVENT_MASK_STRUCTURE_NOTIFY, reinterpret_cast<const char*>(&announce));
    xcb_flush(connection);
    std::printf("ready\n");
    std::fflush(stdout);

    int docked = 0;
    while (xcb_generic_event_t* event = xcb_wait_for_event(connection)) {
        if ((event->response_type & 0x7f) == XCB_CLIENT_MESSAGE) {
            const auto* message = reinterpret_cast<xcb_client_message_event_t*>(event);
            if (message->type == opcode && message->data.data32[1] == kRequestDock) {
                const xcb_window_t icon = message->data.data32[2];
                xcb_reparent_window(connection, icon, tray, static_cast<std::int16_t>(docked * 24), 0);
                const std::uint32_t size[] = {22, 22};
                xcb_configure_window(connection, icon, XCB_CONFIG_WINDOW_WIDTH | XCB_CONFIG_WINDOW_HEIGHT, size);
                xcb_map_window(connection, icon);
                xcb_client_message_event_t notify{};
                notify.response_type = XCB_CLIENT_MESSAGE;
                notify.format = 32;
                notify.window = icon;
                notify.type = xembed;
                notify.data.data32[0] = XCB_CURRENT_TIME;
                notify.data.data32[1] = kEmbeddedNotify;
                notify.data.data32[3] = tray;
                notify.data.data32[4] = kXEmbedVersion;
                xcb_send_event(connection, 0, icon, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(&notify));
                xcb_flush(connection);
                std::printf("dock 0x%x %s\n", icon, windowClass(connection, icon).c_str());
                std::fflush(stdout);
                ++docked;
            }
        }
        std::free(event);
    }
    xcb_disconnect(connection);
    return 0;
}
