#pragma once

// The about window.
class AboutWindow {
public:
    virtual ~AboutWindow() = default;
    virtual void center() = 0;
    // Shown in front, with the keyboard focus.
    virtual void makeKeyAndOrderFront() = 0;
};
