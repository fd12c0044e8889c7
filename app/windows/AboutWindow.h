#pragma once

// The about window.
class AboutWindow {
public:
    virtual ~AboutWindow() = default;
    virtual void center() = 0;
    // Shown in front, with the keyboard focus.
    virtual void makeKeyAndOrderFront() = 0;
    // Whether it has the keyboard focus.
    virtual bool isKeyWindow() const = 0;
    virtual void close() = 0;
};
