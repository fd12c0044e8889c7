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
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    const bool reachable = !xcb_connection_has_error(connection);
    xcb_disconnect(connection);
    return reachable;
}
