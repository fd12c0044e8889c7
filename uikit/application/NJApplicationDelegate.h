#pragma once

#include "platform/ModifierFlagsEvent.h"

class NJGestureResponder;

// The application controller as the application object reaches it.
class NJApplicationDelegate {
public:
    virtual ~NJApplicationDelegate() = default;
    virtual void frontAppSwitched() = 0;
    virtual void flagsChanged(const ModifierFlagsEvent& event) = 0;
    // Whether the controller's own window (the loupe) has the keyboard focus.
    virtual bool isWindowKey() const = 0;
    // The loupe's zoom view; null while there is none.
    virtual NJGestureResponder* zoomView() = 0;
    // A screen came, went or changed its size, its place or the area panels leave free.
    virtual void applicationDidChangeScreenParameters() = 0;
};
