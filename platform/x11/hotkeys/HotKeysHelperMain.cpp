// vendrel-hotkeys: holds the program's hot keys for it, so that the keyboard a hot key
// freezes is let go in time even while the program is busy or stopped. Started by the
// program with its end of a socket as file descriptor 3; ends when the program closes
// it, and its grabs end with its X connection.
#include "platform/x11/hotkeys/HotKeyServer.h"

// xkb.h names a field "explicit", which C++ reserves.
#define explicit xcb_explicit
#include <xcb/xkb.h>
#undef explicit

#include <cstdio>
#include <cstdlib>

#include <csignal>
#include <sys/socket.h>

namespace {

constexpr int kProgramSocket = 3;

bool isSocket(int fd)
{
    int type = 0;
    socklen_t size = sizeof type;
    return getsockopt(fd, SOL_SOCKET, SO_TYPE, &type, &size) == 0;
}

} // namespace

int main()
{
    if (!isSocket(kProgramSocket)) {
        std::fputs("vendrel-hotkeys: started by Vendrel only, with its socket as descriptor 3\n", stderr);
        return 2;
    }
    std::signal(SIGPIPE, SIG_IGN);
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection)) {
        std::fputs("vendrel-hotkeys: cannot open the display\n", stderr);
        xcb_disconnect(connection);
        return 1;
    }
    // A held key then repeats as presses without releases, which the program tells
    // apart from new presses.
    std::free(xcb_xkb_use_extension_reply(connection, xcb_xkb_use_extension(connection, 1, 0), nullptr));
    xcb_xkb_per_client_flags(connection, XCB_XKB_ID_USE_CORE_KBD, XCB_XKB_PER_CLIENT_FLAG_DETECTABLE_AUTO_REPEAT,
                             XCB_XKB_PER_CLIENT_FLAG_DETECTABLE_AUTO_REPEAT, 0, 0, 0);
    xcb_flush(connection);
    const int status = HotKeyServer(connection, kProgramSocket).run();
    xcb_disconnect(connection);
    return status;
}
