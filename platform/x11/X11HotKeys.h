#pragma once

#include "platform/HotKeys.h"
#include "platform/x11/X11Connection.h"

#include <deque>
#include <map>
#include <memory>
#include <string>
#include <vector>

class X11HotKeyHelper;
class X11KeyboardHold;
class X11KeyboardLayout;

// Passive key grabs on the root window, one per combination of Caps Lock and Num
// Lock, so that the hot key works whatever the lock keys say. The grabs are held by a
// helper process, started with the first hot key, whose press freezes the keyboard
// until the hot key's window holds the focus (see X11KeyboardHold), a second at most
// even while this program is busy or stopped. Without the helper the grabs are held
// here and never freeze: keys typed before the window shows go where they would have.
class X11HotKeys final : public HotKeys {
public:
    // `helper` is the helper program's path; empty to do without it.
    X11HotKeys(X11Connection& connection, X11KeyboardLayout& layout, X11KeyboardHold& hold, std::string helper);
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

    // The helper when it runs, started at the first use; none once it failed.
    X11HotKeyHelper* helper();
    void helperEnded();
    // Every lock variant, or none when another client holds one of them.
    bool grab(xcb_keycode_t keycode, std::uint16_t modifiers);
    bool grabHere(xcb_keycode_t keycode, const std::vector<std::uint16_t>& masks);
    void ungrab(xcb_keycode_t keycode, const std::vector<std::uint16_t>& masks);
    void ungrabHere(xcb_keycode_t keycode, const std::vector<std::uint16_t>& masks);
    std::vector<std::uint16_t> lockVariants(std::uint16_t modifiers) const;
    void handleEvent(const xcb_generic_event_t* event);
    // A press or release from the helper or from our own grabs.
    void received(bool press, xcb_keycode_t keycode, std::uint16_t state);
    void pressed(xcb_keycode_t keycode, std::uint16_t state);
    void released(xcb_keycode_t keycode);
    // The handler of the hot key the press starts, or none.
    Handler pressedHandler(xcb_keycode_t keycode, std::uint16_t state);
    void updateHotKeyDown();
    // The keymap changed: the keys may sit at other key codes now.
    void regrab();
    bool isOurs(xcb_keycode_t keycode, std::uint16_t modifiers) const;

    X11Connection& m_connection;
    X11KeyboardLayout& m_layout;
    X11KeyboardHold& m_hold;
    std::string m_helperProgram;
    std::unique_ptr<X11HotKeyHelper> m_helper;
    bool m_helperTried = false;
    std::map<Id, HotKey> m_hotKeys;
    struct KeyEvent {
        bool press;
        xcb_keycode_t keycode;
        std::uint16_t state;
    };
    std::deque<KeyEvent> m_waiting;
    bool m_handling = false;
    Id m_next = 1;
    X11Connection::HandlerId m_handlerId = 0;
};
