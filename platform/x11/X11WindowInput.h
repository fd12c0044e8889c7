#pragma once

#include "platform/WindowInput.h"

#include <QDeadlineTimer>
#include <QTimer>

#include <cstdint>
#include <functional>
#include <vector>

class X11Connection;
class X11KeyboardHold;

// Empties the window's input shape (XFixes) to let clicks through, and restores the
// default shape to take them again; the window's event mask is left alone. The focus
// is set with the server's current time once the window is viewable: Qt's own request
// carries the time of the last event Qt saw, which the server ignores when another
// client changed the focus later. A keyboard a hot key froze waits for that focus.
class X11WindowInput final : public WindowInput {
public:
    X11WindowInput(X11Connection& connection, X11KeyboardHold& hold);
    bool setClickThrough(std::uint64_t window, bool through) override;
    void takeKeyboardFocus(std::uint64_t window, std::function<void()> unreachable) override;
    void whenFocusSettled(std::function<void()> done) override;
    bool pointerFree() override;

private:
    void attemptFocus();
    // True once the window holds the focus and the keyboard, or when it is gone.
    bool tryFocus();
    bool keyboardFree();

    X11Connection& m_connection;
    X11KeyboardHold& m_hold;
    bool m_xfixes = false;
    std::uint32_t m_focusWindow = 0;
    std::function<void()> m_unreachable;
    bool m_focusPending = false;
    std::vector<std::function<void()>> m_whenSettled;
    QDeadlineTimer m_focusDeadline;
    QTimer m_focusRetry;
};
