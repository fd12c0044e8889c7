#pragma once

#include <Qt>

// Modifier flags in the numbering the settings store.
namespace modifierflags {

constexpr unsigned long kCapsLock = 0x10000;
constexpr unsigned long kShift = 0x20000;
constexpr unsigned long kControl = 0x40000;
constexpr unsigned long kOption = 0x80000;
constexpr unsigned long kCommand = 0x100000;
// X11 reports no Fn key; the Menu key, held, stands for it.
constexpr unsigned long kFunction = 0x800000;

// Shift, Control, Alt and Meta (the Super key) as flags.
inline unsigned long fromQt(Qt::KeyboardModifiers modifiers)
{
    unsigned long flags = 0;
    if (modifiers & Qt::ShiftModifier)
        flags |= kShift;
    if (modifiers & Qt::ControlModifier)
        flags |= kControl;
    if (modifiers & Qt::AltModifier)
        flags |= kOption;
    if (modifiers & Qt::MetaModifier)
        flags |= kCommand;
    return flags;
}

} // namespace modifierflags
