#pragma once

// The modifier keys held after a change of them.
struct ModifierFlagsEvent {
    // A combination of modifierflags constants.
    unsigned long modifierFlags = 0;
};
