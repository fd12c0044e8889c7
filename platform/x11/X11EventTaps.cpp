#include "platform/x11/X11EventTaps.h"

#include "platform/x11/X11GestureTap.h"
#include "platform/x11/X11ModifierTap.h"

namespace {

template <class Tap, class Handler>
std::unique_ptr<EventTap> validOrNull(X11Connection& connection, Handler handler)
{
    auto tap = std::make_unique<Tap>(connection, std::move(handler));
    if (!tap->isValid())
        return nullptr;
    return tap;
}

} // namespace

X11EventTaps::X11EventTaps(X11Connection& connection)
    : m_connection(connection)
{
}

std::unique_ptr<EventTap> X11EventTaps::createModifierTap(ModifierHandler handler)
{
    return validOrNull<X11ModifierTap>(m_connection, std::move(handler));
}

std::unique_ptr<EventTap> X11EventTaps::createGestureTap(GestureHandler handler)
{
    return validOrNull<X11GestureTap>(m_connection, std::move(handler));
}
