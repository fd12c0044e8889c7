#pragma once

#include <string>

// The welcome tour's window. When it closes it calls the controller's closeWelcome.
class WelcomeWindow {
public:
    virtual ~WelcomeWindow() = default;
    // Centred and shown.
    virtual void show() = 0;
    // Brought to the front with the keyboard focus.
    virtual void activate() = 0;
    virtual void close() = 0;
    // Cancels a shortcut recording in progress; true when there was one.
    virtual bool cancelShortcutRecording() = 0;
    // "PickerColor" or "Overlay".
    virtual void focusShortcut(const std::string& name) = 0;
};
