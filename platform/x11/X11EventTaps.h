#pragma once

#include "platform/EventTaps.h"

class X11Connection;

class X11EventTaps final : public EventTaps {
public:
    explicit X11EventTaps(X11Connection& connection);

    std::unique_ptr<EventTap> createModifierTap(ModifierHandler handler) override;
    std::unique_ptr<EventTap> createGestureTap(GestureHandler handler) override;

private:
    X11Connection& m_connection;
};
