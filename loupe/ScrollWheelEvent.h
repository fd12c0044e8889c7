#pragma once

class QWheelEvent;

// One scroll, in the units the zoom view's input rules are written for.
struct ScrollWheelEvent {
    // Phases of a scroll gesture; a plain wheel has none.
    enum Phase : int { None = 0, Began = 1, Stationary = 2, Changed = 4, Ended = 8, Cancelled = 16, MayBegin = 32 };

    int phase = None;
    double deltaX = 0;
    // Positive when scrolling up: one line per wheel notch.
    double deltaY = 0;
    unsigned long modifierFlags = 0;

    // Qt moves a vertical wheel to the horizontal axis while Alt is held; that delta is
    // turned back so Option-scroll reaches the vertical rules.
    static ScrollWheelEvent fromWheelEvent(const QWheelEvent& event);
};
