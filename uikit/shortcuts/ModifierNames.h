#pragma once

#include <QString>

// The names this platform gives the modifier keys, as every text, menu, tooltip and key
// cap shows them: Super for Command, Alt for Option, Ctrl for Control.
namespace modifiernames {

constexpr const char* kCommand = "Super";
constexpr const char* kControl = "Ctrl";
constexpr const char* kOption = "Alt";
constexpr const char* kShift = "Shift";

// The held modifiers in Qt's order, each followed by "+": "Super+Alt+".
QString prefix(unsigned long modifierFlags);

} // namespace modifiernames
