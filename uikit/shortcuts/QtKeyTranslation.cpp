#include "uikit/shortcuts/QtKeyTranslation.h"

#include "platform/KeyboardLayout.h"
#include "platform/VirtualKeys.h"

#include <QKeyEvent>

#include <array>
#include <utility>

namespace {

constexpr auto kSpecialKeys = std::to_array<std::pair<int, int>>({
    {Qt::Key_Return, virtualkeys::kReturn},
    {Qt::Key_Tab, virtualkeys::kTab},
    {Qt::Key_Backtab, virtualkeys::kTab},
    {Qt::Key_Space, virtualkeys::kSpace},
    {Qt::Key_Backspace, virtualkeys::kDelete},
    {Qt::Key_Escape, virtualkeys::kEscape},
    {Qt::Key_Enter, virtualkeys::kKeypadEnter},
    {Qt::Key_Delete, virtualkeys::kForwardDelete},
    {Qt::Key_Help, 114},
    {Qt::Key_Home, 115},
    {Qt::Key_PageUp, 116},
    {Qt::Key_End, 119},
    {Qt::Key_PageDown, 121},
    {Qt::Key_Left, 123},
    {Qt::Key_Right, 124},
    {Qt::Key_Down, 125},
    {Qt::Key_Up, 126},
});

constexpr std::array<std::pair<int, int>, 16> kKeypadKeys {{
    {Qt::Key_0, 82},        {Qt::Key_1, 83},     {Qt::Key_2, 84},     {Qt::Key_3, 85},
    {Qt::Key_4, 86},        {Qt::Key_5, 87},     {Qt::Key_6, 88},     {Qt::Key_7, 89},
    {Qt::Key_8, 91},        {Qt::Key_9, 92},     {Qt::Key_Period, 65}, {Qt::Key_Asterisk, 67},
    {Qt::Key_Plus, 69},     {Qt::Key_Minus, 78}, {Qt::Key_Slash, 75}, {Qt::Key_Equal, 81},
}};

std::optional<int> lookUp(const auto& table, int key)
{
    for (const auto& [qtKey, code] : table) {
        if (qtKey == key)
            return code;
    }
    return std::nullopt;
}

} // namespace

namespace qtkeys {

std::optional<int> virtualKeyCode(const QKeyEvent& event, const KeyboardLayout* layout)
{
    if (layout && event.nativeScanCode() != 0) {
        if (const auto code = layout->virtualKeyCode(event.nativeScanCode()))
            return code;
    }
    const int key = event.key();
    if (event.modifiers() & Qt::KeypadModifier) {
        if (const auto code = lookUp(kKeypadKeys, key))
            return code;
    }
    if (key >= Qt::Key_F1 && key <= Qt::Key_F20)
        return virtualkeys::functionKey(key - Qt::Key_F1 + 1);
    if (const auto code = lookUp(kSpecialKeys, key))
        return code;
    // Printable keys: Qt names letters in upper case and punctuation by its character.
    if (key > 0x20 && key < 0x7f) {
        const char32_t character = (key >= 'A' && key <= 'Z') ? static_cast<char32_t>(key - 'A' + 'a')
                                                               : static_cast<char32_t>(key);
        if (const VirtualKey* virtualKey = virtualkeys::byUsCharacter(character))
            return virtualKey->code;
    }
    return std::nullopt;
}

} // namespace qtkeys
