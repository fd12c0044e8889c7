#pragma once

#include "platform/InputSynthesizer.h"

#include <xcb/xcb.h>

#include <cstdint>
#include <optional>

class X11Connection;

// Types keys through XTest, as if on the keyboard.
class X11InputSynthesizer final : public InputSynthesizer {
public:
    explicit X11InputSynthesizer(X11Connection& connection);

    bool postKeyStroke(int virtualKeyCode, unsigned long modifierFlags) override;

    // The keysym a virtual key code types on a US layout, for the printable keys and
    // Return, Tab and Escape.
    static std::optional<std::uint32_t> keysymForVirtualKey(int virtualKeyCode);

private:
    std::optional<xcb_keycode_t> keycodeForKeysym(std::uint32_t keysym) const;

    X11Connection& m_connection;
    bool m_xtest = false;
};
