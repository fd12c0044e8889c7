#pragma once

#include "platform/EventTap.h"
#include "platform/GestureEvent.h"
#include "platform/ModifierFlagsEvent.h"

#include <functional>
#include <memory>

// Makes listen-only taps. A tap starts disabled; its handler runs on the main thread.
class EventTaps {
public:
    using ModifierHandler = std::function<void(const ModifierFlagsEvent&)>;
    using GestureHandler = std::function<void(const GestureEvent&)>;

    virtual ~EventTaps() = default;
    // nullptr when the system refuses the tap.
    virtual std::unique_ptr<EventTap> createModifierTap(ModifierHandler handler) = 0;
    virtual std::unique_ptr<EventTap> createGestureTap(GestureHandler handler) = 0;
};
