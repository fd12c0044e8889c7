#pragma once

// A trackpad gesture, typed with the event numbers the zoom view dispatches on.
struct GestureEvent {
    enum Type : int { Rotate = 18, BeginGesture = 19, EndGesture = 20, Magnify = 30 };

    int type = 0;
    // Relative scale change of a magnify event; 0 when the fingers rest.
    double magnification = 0;
    // Degrees, anticlockwise.
    double rotation = 0;
    // The modifierflags held.
    unsigned long modifierFlags = 0;
};
