#pragma once

#include <functional>

// The keyboard as a hot key's press leaves it: frozen, its keys queued in the server,
// until the window shown for the hot key holds the focus. The queued keys then reach
// that window instead of the one focused before. Whoever froze it lets it go, and lets
// it go by itself within a second.
class X11KeyboardHold final {
public:
    // How the keyboard is let go.
    void setRelease(std::function<void()> release) { m_release = std::move(release); }

    // A hot key press froze the keyboard.
    void frozen();
    // A window is about to take the focus: the keyboard waits for it.
    void awaitFocus() { m_awaitingFocus = true; }
    // The window took the focus, or gave up.
    void focusSettled();
    // After the hot key's action: thawed unless a window is taking the focus.
    void thawUnlessAwaitingFocus();
    // While a hot key is down its grab has the keyboard, which no other client can then
    // hold, and which a grab of ours would end before the key's release reached us.
    void setHotKeyDown(bool down) { m_hotKeyDown = down; }
    bool hotKeyDown() const { return m_hotKeyDown; }

private:
    void thaw();

    bool m_frozen = false;
    bool m_awaitingFocus = false;
    bool m_hotKeyDown = false;
    std::function<void()> m_release;
};
