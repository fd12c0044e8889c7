#pragma once

#include <QTimer>

#include <functional>

class X11Connection;

// The keyboard as a hot key's synchronous grab leaves it: frozen, its keys queued in
// the server, until the window shown for the hot key holds the focus. The queued keys
// then reach that window instead of the one focused before. Never frozen for long.
class X11KeyboardHold final {
public:
    explicit X11KeyboardHold(X11Connection& connection);

    // Switches the hot keys' grabs between freezing the keyboard and not.
    void setFreezingGrabs(std::function<void(bool freezing)> set) { m_setFreezingGrabs = std::move(set); }

    // A hot key press froze the keyboard.
    void frozen();
    // A window is about to take the focus: the keyboard waits for it.
    void awaitFocus() { m_awaitingFocus = true; }
    // The window took the focus, or gave up.
    void focusSettled();
    // After the hot key's action: thawed unless a window is taking the focus.
    void thawUnlessAwaitingFocus();
    // While a hot key is down its grab has the keyboard, which no other program can then
    // hold, and which a grab of ours would end before the key's release reached us.
    void setHotKeyDown(bool down) { m_hotKeyDown = down; }
    bool hotKeyDown() const { return m_hotKeyDown; }

private:
    void thaw();

    X11Connection& m_connection;
    bool m_frozen = false;
    bool m_awaitingFocus = false;
    bool m_hotKeyDown = false;
    std::function<void(bool freezing)> m_setFreezingGrabs;
    QTimer m_safety;
};
