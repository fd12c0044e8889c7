#pragma once

#include "platform/EventTap.h"
#include "platform/EventTaps.h"

#include <cstdint>

class X11Connection;

// Listens to the core keyboard's XKB state and reports each change of the modifiers.
class X11ModifierTap final : public EventTap {
public:
    // Valid only when the server has XKB.
    X11ModifierTap(X11Connection& connection, EventTaps::ModifierHandler handler);

    ~X11ModifierTap() override;

    bool isValid() const { return m_valid; }
    bool isEnabled() const override { return m_enabled; }
    void setEnabled(bool enabled) override { m_enabled = enabled; }

    // XKB modifier bits to modifierflags.
    static unsigned long modifierFlags(std::uint8_t xkbModifiers);

private:
    X11Connection& m_connection;
    unsigned long m_handlerId = 0;
    EventTaps::ModifierHandler m_handler;
    bool m_valid = false;
    bool m_enabled = false;
    unsigned long m_last = 0;
};
