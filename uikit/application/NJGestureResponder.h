#pragma once

#include "platform/GestureEvent.h"

// What receives the trackpad gestures the application taps while the picker is open.
class NJGestureResponder {
public:
    virtual ~NJGestureResponder() = default;
    virtual bool gestureActive() const = 0;
    virtual void doRotateWithEvent(const GestureEvent& event) = 0;
    virtual void doBeginGestureWithEvent(const GestureEvent& event) = 0;
    virtual void doEndGestureWithEvent(const GestureEvent& event) = 0;
    virtual void doMagnifyWithEvent(const GestureEvent& event) = 0;
};
