#pragma once

#include "platform/HotKeys.h"
#include "platform/x11/X11Connection.h"

#include <map>
#include <vector>

class X11KeyboardHold;
class X11KeyboardLayout;

// Passive key grabs on the root window, one per combination of Caps Lock and Num
// Lock, so that the hot key works whatever the lock keys say. A press freezes the
// keyboard until the hot key's action is done (see X11KeyboardHold).
class X11HotKeys final : public HotKeys {
public:
    X11HotKeys(X11Connection& connection, X11KeyboardLayout& layout, X11KeyboardHold& hold);
    ~X11HotKeys() override;

    std::optional<Id> registerHotKey(int keyCode, unsigned long modifierFlags, Handler handler) override;
    void unregisterHotKey(Id id) override;
    bool isReserved(int keyCode, unsigned long modifierFlags) override;

private:
    struct HotKey {
        int keyCode;
        std::uint16_t modifiers;
        Handler handler;
        std::optional<xcb_keycode_t> keycode;
        bool down = false;
    };

    // Every lock variant, or none when another client holds one of them.
    bool grab(xcb_keycode_t keycode, std::uint16_t modifiers);
    void ungrab(xcb_keycode_t keycode, std::uint16_t modifiers);
    void setFreezing(bool freezing);
    std::vector<std::uint16_t> lockVariants() const;
    void handleEvent(const xcb_generic_event_t* event);
    // The handler of the hot key the press starts, or none.
    Handler pressedHandler(const xcb_key_press_event_t& key);
    void updateHotKeyDown();
    // The keymap changed: the keys may sit at other key codes now.
    void regrab();
    bool isOurs(xcb_keycode_t keycode, std::uint16_t modifiers) const;

    X11Connection& m_connection;
    X11KeyboardLayout& m_layout;
    X11KeyboardHold& m_hold;
    std::map<Id, HotKey> m_hotKeys;
    Id m_next = 1;
    X11Connection::HandlerId m_handlerId = 0;
};
