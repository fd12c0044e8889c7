// Starts a program and prints, in milliseconds, how long it took until a window with
// the given title was mapped: map_timer TITLE PROGRAM [ARGUMENTS...]. The program is
// ended afterwards. Exits 1 when no such window maps within 10 s.
#include <xcb/xcb.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

std::string windowName(xcb_connection_t* connection, xcb_window_t window)
{
    xcb_get_property_reply_t* reply = xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, window, XCB_ATOM_WM_NAME, XCB_GET_PROPERTY_TYPE_ANY, 0, 256),
        nullptr);
    std::string name;
    if (reply)
        name.assign(static_cast<const char*>(xcb_get_property_value(reply)), xcb_get_property_value_length(reply));
    std::free(reply);
    return name;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3)
        return 2;
    const std::string title = argv[1];
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection))
        return 2;
    xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(connection, screen->root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(connection);

    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child == 0) {
        execvp(argv[2], argv + 2);
        _exit(127);
    }
    int status = 1;
    pollfd socket{xcb_get_file_descriptor(connection), POLLIN, 0};
    while (status) {
        const auto waited = std::chrono::steady_clock::now() - start;
        if (waited > std::chrono::seconds(10))
            break;
        xcb_generic_event_t* event = xcb_poll_for_event(connection);
        if (!event) {
            poll(&socket, 1, 50);
            continue;
        }
        if ((event->response_type & 0x7f) == XCB_MAP_NOTIFY) {
            const auto* map = reinterpret_cast<xcb_map_notify_event_t*>(event);
            if (windowName(connection, map->window).find(title) != std::string::npos) {
                const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
                std::printf("%.1f\n", ms);
                status = 0;
            }
        }
        std::free(event);
    }
    kill(child, SIGTERM);
    waitpid(child, nullptr, 0);
    xcb_disconnect(connection);
    return status;
}
