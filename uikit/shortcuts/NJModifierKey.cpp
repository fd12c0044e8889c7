#include "uikit/shortcuts/NJModifierKey.h"

#include "platform/ModifierFlags.h"

unsigned long NJKeyCommand::modifierFlag() const
{
    return modifierflags::kCommand;
}

unsigned long NJKeyControl::modifierFlag() const
{
    return modifierflags::kControl;
}

unsigned long NJKeyOption::modifierFlag() const
{
    return modifierflags::kOption;
}

unsigned long NJKeyShift::modifierFlag() const
{
    return modifierflags::kShift;
}
