#pragma once

#include <Qt>

#include <optional>

class KeyboardLayout;
class QKeyEvent;

// Qt's keys in the numbering the settings store.
namespace qtkeys {

// The key position of an event: from its scan code through the layout when it has
// one, else from its Qt key as a US keyboard places it.
std::optional<int> virtualKeyCode(const QKeyEvent& event, const KeyboardLayout* layout);

} // namespace qtkeys
