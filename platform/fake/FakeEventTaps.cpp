#include "platform/fake/FakeEventTaps.h"

std::unique_ptr<EventTap> FakeEventTaps::createModifierTap(ModifierHandler handler)
{
    if (m_refuses)
        return nullptr;
    ++m_created;
    auto tap = std::make_unique<ModifierTap>(std::move(handler));
    m_modifierTap = tap.get();
    return tap;
}

std::unique_ptr<EventTap> FakeEventTaps::createGestureTap(GestureHandler handler)
{
    if (m_refuses)
        return nullptr;
    ++m_created;
    auto tap = std::make_unique<GestureTap>(std::move(handler));
    m_gestureTap = tap.get();
    return tap;
}
