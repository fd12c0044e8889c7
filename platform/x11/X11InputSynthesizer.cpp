#include "platform/x11/X11InputSynthesizer.h"

#include "platform/ModifierFlags.h"
#include "platform/VirtualKeys.h"
#include "platform/x11/X11Connection.h"
#include "platform/x11/X11Reply.h"

#include <xcb/xtest.h>

#include <algorithm>
#include <array>
#include <utility>
#include <vector>

namespace {

constexpr std::uint32_t kShiftL = 0xffe1;
constexpr std::uint32_t kControlL = 0xffe3;
constexpr std::uint32_t kAltL = 0xffe9;
constexpr std::uint32_t kSuperL = 0xffeb;

// Keys that type no character have keysyms of their own.
constexpr std::array<std::pair<int, std::uint32_t>, 3> kControlKeys {{
    {virtualkeys::kReturn, 0xff0d},
    {virtualkeys::kTab, 0xff09},
    {virtualkeys::kEscape, 0xff1b},
}};

constexpr std::array<std::pair<unsigned long, std::uint32_t>, 4> kModifierKeys {{
    {modifierflags::kShift, kShiftL},
    {modifierflags::kControl, kControlL},
    {modifierflags::kOption, kAltL},
    {modifierflags::kCommand, kSuperL},
}};

} // namespace

X11InputSynthesizer::X11InputSynthesizer(X11Connection& connection)
    : m_connection(connection)
{
    xcb_connection_t* c = connection.connection();
    if (connection.majorOpcode(&xcb_test_id)) {
        const auto version = adoptReply(xcb_test_get_version_reply(c, xcb_test_get_version(c, 2, 2), nullptr));
        m_xtest = version != nullptr;
    }
}

std::optional<std::uint32_t> X11InputSynthesizer::keysymForVirtualKey(int virtualKeyCode)
{
    for (const auto& [code, keysym] : kControlKeys) {
        if (code == virtualKeyCode)
            return keysym;
    }
    // Printable ASCII keysyms are the characters themselves.
    const VirtualKey* key = virtualkeys::byCode(virtualKeyCode);
    if (!key || key->usCharacter == 0 || key->usCharacter > 0x7e)
        return std::nullopt;
    return static_cast<std::uint32_t>(key->usCharacter);
}

std::optional<xcb_keycode_t> X11InputSynthesizer::keycodeForKeysym(std::uint32_t keysym) const
{
    xcb_connection_t* c = m_connection.connection();
    const xcb_setup_t* setup = xcb_get_setup(c);
    const int count = setup->max_keycode - setup->min_keycode + 1;
    const auto mapping = adoptReply(xcb_get_keyboard_mapping_reply(
        c, xcb_get_keyboard_mapping(c, setup->min_keycode, static_cast<std::uint8_t>(count)), nullptr));
    if (!mapping || mapping->keysyms_per_keycode == 0)
        return std::nullopt;
    const xcb_keysym_t* keysyms = xcb_get_keyboard_mapping_keysyms(mapping.get());
    // The server's reply, not our request, says how many keysyms there are.
    const int rows = xcb_get_keyboard_mapping_keysyms_length(mapping.get()) / mapping->keysyms_per_keycode;
    for (int i = 0; i < std::min(count, rows); ++i) {
        if (keysyms[i * mapping->keysyms_per_keycode] == keysym)
            return static_cast<xcb_keycode_t>(setup->min_keycode + i);
    }
    return std::nullopt;
}

bool X11InputSynthesizer::postKeyStroke(int virtualKeyCode, unsigned long modifierFlags)
{
    const auto keysym = keysymForVirtualKey(virtualKeyCode);
    if (!m_xtest || !keysym)
        return false;
    const auto key = keycodeForKeysym(*keysym);
    if (!key)
        return false;
    std::vector<xcb_keycode_t> modifiers;
    for (const auto& [flag, modifierKeysym] : kModifierKeys) {
        if (!(modifierFlags & flag))
            continue;
        const auto modifier = keycodeForKeysym(modifierKeysym);
        if (!modifier)
            return false;
        modifiers.push_back(*modifier);
    }

    xcb_connection_t* c = m_connection.connection();
    const auto press = [&](std::uint8_t type, xcb_keycode_t code) {
        xcb_test_fake_input(c, type, code, XCB_CURRENT_TIME, XCB_WINDOW_NONE, 0, 0, 0);
    };
    for (const xcb_keycode_t modifier : modifiers)
        press(XCB_KEY_PRESS, modifier);
    press(XCB_KEY_PRESS, *key);
    press(XCB_KEY_RELEASE, *key);
    for (auto it = modifiers.rbegin(); it != modifiers.rend(); ++it)
        press(XCB_KEY_RELEASE, *it);
    xcb_flush(c);
    return true;
}
