#include "platform/fake/FakeKeyboardLayout.h"

#include "platform/VirtualKeys.h"

#include <QString>

std::string FakeKeyboardLayout::characters(int virtualKeyCode) const
{
    if (const auto set = m_characters.find(virtualKeyCode); set != m_characters.end())
        return set->second;
    const VirtualKey* key = virtualkeys::byCode(virtualKeyCode);
    if (!key || key->usCharacter == 0)
        return {};
    return QString::fromUcs4(&key->usCharacter, 1).toStdString();
}

std::optional<int> FakeKeyboardLayout::virtualKeyCode(std::uint32_t nativeScanCode) const
{
    if (const auto found = m_scanCodes.find(nativeScanCode); found != m_scanCodes.end())
        return found->second;
    return std::nullopt;
}

void FakeKeyboardLayout::setCharacters(int virtualKeyCode, std::string characters)
{
    m_characters[virtualKeyCode] = std::move(characters);
}

void FakeKeyboardLayout::setScanCode(std::uint32_t nativeScanCode, int virtualKeyCode)
{
    m_scanCodes[nativeScanCode] = virtualKeyCode;
}
