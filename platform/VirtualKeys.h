#pragma once

#include <span>
#include <string_view>

// Virtual key codes name key positions, whatever the layout prints on them. Each has
// the XKB name of the same position and the characters it types on a US layout.
struct VirtualKey {
    int code;
    const char* xkbName;
    // 0 when the key types no character.
    char32_t usCharacter;
    char32_t usShiftedCharacter;
};

namespace virtualkeys {

inline constexpr int kReturn = 36;
inline constexpr int kTab = 48;
inline constexpr int kSpace = 49;
inline constexpr int kDelete = 51;
inline constexpr int kEscape = 53;
inline constexpr int kKeypadEnter = 76;
inline constexpr int kForwardDelete = 117;

std::span<const VirtualKey> all();
const VirtualKey* byCode(int code);
const VirtualKey* byXkbName(std::string_view name);
// The key that types a character on a US layout, shifted or not.
const VirtualKey* byUsCharacter(char32_t character);
// F1 to F20 by number; -1 for any other number.
int functionKey(int number);

} // namespace virtualkeys
