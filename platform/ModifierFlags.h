#pragma once

// Modifier flags in the numbering the settings store.
namespace modifierflags {

constexpr unsigned long kCapsLock = 0x10000;
constexpr unsigned long kShift = 0x20000;
constexpr unsigned long kControl = 0x40000;
constexpr unsigned long kOption = 0x80000;
constexpr unsigned long kCommand = 0x100000;

} // namespace modifierflags
