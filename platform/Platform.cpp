#include "platform/Platform.h"

#include "platform/fake/FakePlatform.h"
#include "platform/x11/X11Platform.h"

#include <QGuiApplication>

namespace {

constexpr const char* kXcbPlatformName = "xcb";

} // namespace

std::unique_ptr<Platform> Platform::create()
{
    if (QGuiApplication::platformName() == QLatin1String(kXcbPlatformName)) {
        auto connection = std::make_unique<X11Connection>();
        if (connection->isValid())
            return std::make_unique<X11Platform>(std::move(connection));
    }
    return std::make_unique<FakePlatform>();
}
