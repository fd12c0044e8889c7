#pragma once

#include "platform/EventTap.h"
#include "platform/EventTaps.h"

#include <cstdint>

class X11Connection;

// Listens to XInput 2.4 pinch gestures selected on the root window. A window that
// selects gestures for itself keeps them from us.
class X11GestureTap final : public EventTap {
public:
    // Valid only when the server speaks XInput 2.4.
    X11GestureTap(X11Connection& connection, EventTaps::GestureHandler handler);

    ~X11GestureTap() override;

    bool isValid() const { return m_valid; }
    bool isEnabled() const override { return m_enabled; }
    void setEnabled(bool enabled) override { m_enabled = enabled; }

private:
    X11Connection& m_connection;
    unsigned long m_handlerId = 0;
    void handle(std::uint16_t eventType, double scale, double deltaAngle, unsigned long modifierFlags);

    EventTaps::GestureHandler m_handler;
    bool m_valid = false;
    bool m_enabled = false;
    double m_lastScale = 1.0;
};
