#pragma once

#include <cstdint>
#include <optional>
#include <string>

// The current keyboard layout: what the keys type.
class KeyboardLayout {
public:
    virtual ~KeyboardLayout() = default;
    // UTF-8 text the key at a virtual key code types without modifiers, a dead key's
    // accent as its spacing character; empty when it types nothing or does not exist here.
    virtual std::string characters(int virtualKeyCode) const = 0;
    // The virtual key code of a key event's native scan code, when the key has one.
    virtual std::optional<int> virtualKeyCode(std::uint32_t nativeScanCode) const = 0;
};
