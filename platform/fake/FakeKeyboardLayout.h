#pragma once

#include "platform/KeyboardLayout.h"

#include <map>

// A US layout, where tests can change what a key types.
class FakeKeyboardLayout final : public KeyboardLayout {
public:
    std::string characters(int virtualKeyCode) const override;
    std::optional<int> virtualKeyCode(std::uint32_t nativeScanCode) const override;

    void setCharacters(int virtualKeyCode, std::string characters);
    void setScanCode(std::uint32_t nativeScanCode, int virtualKeyCode);

private:
    std::map<int, std::string> m_characters;
    std::map<std::uint32_t, int> m_scanCodes;
};
