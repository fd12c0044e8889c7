#pragma once

// Posts keystrokes to whichever window has the keyboard focus.
class InputSynthesizer {
public:
    virtual ~InputSynthesizer() = default;
    // A key-down and key-up of a virtual key code with modifierflags held; false when
    // the key cannot be typed here.
    virtual bool postKeyStroke(int virtualKeyCode, unsigned long modifierFlags) = 0;
};
