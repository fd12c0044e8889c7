#include "platform/Platform.h"

#include "platform/x11/X11Platform.h"

#include <QGuiApplication>

#include <xcb/xcb.h>

namespace {

constexpr const char* kXcbPlatformName = "xcb";

} // namespace

std::unique_ptr<Platform> Platform::create()
{
    if (QGuiApplication::platformName() != QLatin1String(kXcbPlatformName))
        return nullptr;
    auto connection = std::make_unique<X11Connection>();
    if (!connection->isValid())
        return nullptr;
    return std::make_unique<X11Platform>(std::move(connection));
}

bool Platform::isDisplayReachable()
{
    int screen = 0;
    xcb_connection_t* connection = xcb_connect(nullptr, &screen);
    // A server that answers but has no such screen (":0.3") cannot show us either.
    const bool reachable = !xcb_connection_has_error(connection)
        && screen < xcb_setup_roots_length(xcb_get_setup(connection));
    xcb_disconnect(connection);
    return reachable;
}
