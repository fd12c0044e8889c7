#pragma once

// The shared preferences window as the controller reaches it.
class PreferencesWindow {
public:
    virtual ~PreferencesWindow() = default;
    virtual void show() = 0;
    virtual bool isVisible() const = 0;
    virtual void close() = 0;
    virtual bool isShortcutRecording() const = 0;
    virtual void cancelShortcutRecording() = 0;
    virtual void focusShortcutPicker() = 0;
    virtual void focusShortcutOverlay() = 0;
};
