#pragma once

#include <cstdint>
#include <functional>

// How one of our top-level windows takes input. Windows are native window ids
// (QWidget::winId()).
class WindowInput {
public:
    virtual ~WindowInput() = default;
    // Lets clicks pass through the window to the windows below while it keeps the
    // keyboard, which Qt's transparent-for-input flag does not: that flag also stops the
    // window's key events. False when the server refused.
    virtual bool setClickThrough(std::uint64_t window, bool through) = 0;
    // Gives the window the keyboard focus as soon as it is mapped, whatever time stamps
    // other programs used for theirs; a later call for another window replaces it.
    // `unreachable` (may be empty) runs when the window could have neither the focus nor
    // the keyboard within two seconds, as when another program holds the keyboard.
    virtual void takeKeyboardFocus(std::uint64_t window, std::function<void()> unreachable) = 0;
    // Runs `done` once the window last given the focus holds it or gave up, at once when
    // none is being given it. Long work waits for this: the keys typed after a hot key
    // wait for its window until then.
    virtual void whenFocusSettled(std::function<void()> done) = 0;
    // False while another program holds the pointer, as during its drag or with its menu
    // open: no window of ours can take it then.
    virtual bool pointerFree() = 0;
};
