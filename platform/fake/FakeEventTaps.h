#pragma once

#include "platform/EventTaps.h"
#include "platform/fake/FakeEventTap.h"

// Hands out fake taps and keeps a pointer to the last of each kind.
class FakeEventTaps final : public EventTaps {
public:
    using ModifierTap = FakeEventTap<ModifierFlagsEvent>;
    using GestureTap = FakeEventTap<GestureEvent>;

    std::unique_ptr<EventTap> createModifierTap(ModifierHandler handler) override;
    std::unique_ptr<EventTap> createGestureTap(GestureHandler handler) override;

    // Makes the next creations fail, as a system that refuses taps.
    void setRefusesTaps(bool refuses) { m_refuses = refuses; }
    ModifierTap* modifierTap() const { return m_modifierTap; }
    GestureTap* gestureTap() const { return m_gestureTap; }
    int createdCount() const { return m_created; }

private:
    bool m_refuses = false;
    int m_created = 0;
    ModifierTap* m_modifierTap = nullptr;
    GestureTap* m_gestureTap = nullptr;
};
