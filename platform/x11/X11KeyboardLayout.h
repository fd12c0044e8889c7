#pragma once

#include "platform/KeyboardLayout.h"
#include "platform/x11/X11Connection.h"

#include <functional>
#include <memory>

struct xkb_context;
struct xkb_keymap;

// The server's keymap through xkbcommon, read at its first use (a command-line pick
// needs it only at its first key) and again after the keyboard or its mapping changed.
class X11KeyboardLayout final : public KeyboardLayout {
public:
    explicit X11KeyboardLayout(X11Connection& connection);
    ~X11KeyboardLayout() override;

    std::string characters(int virtualKeyCode) const override;
    std::optional<int> virtualKeyCode(std::uint32_t nativeScanCode) const override;

    // The X key code at a virtual key code's position.
    std::optional<xcb_keycode_t> keycode(int virtualKeyCode) const;
    // The modifier bits Num Lock sets; 0 when no modifier holds it.
    std::uint16_t numLockMask() const;
    // Runs when the keymap changed; it is read again at its next use.
    void setChangeHandler(std::function<void()> handler) { m_changeHandler = std::move(handler); }

private:
    xkb_keymap* keymap() const;
    std::uint16_t readNumLockMask(xkb_keymap* keymap) const;

    X11Connection& m_connection;
    std::unique_ptr<xkb_context, void (*)(xkb_context*)> m_context;
    mutable std::unique_ptr<xkb_keymap, void (*)(xkb_keymap*)> m_keymap;
    mutable bool m_keymapCurrent = false;
    mutable std::uint16_t m_numLockMask = 0;
    std::int32_t m_device = -1;
    X11Connection::HandlerId m_handlerId = 0;
    std::function<void()> m_changeHandler;
};
