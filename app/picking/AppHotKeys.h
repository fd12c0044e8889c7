#pragma once

#include <QKeySequence>

#include <cstdint>
#include <vector>

class AppDelegate;

// The two system-wide hot keys: one opens or closes the picker, the other the
// colours-and-formats overlay. Each follows its shortcut in the settings.
class AppHotKeys final {
public:
    // Key code 8 (C) with Command and Option, and with Command and Shift.
    static constexpr std::uint64_t kDefaultKeyCode = 8;
    static constexpr std::uint64_t kPickModifiers = 0x180000;
    static constexpr std::uint64_t kOverlayModifiers = 0x120000;
    // The names of the recorder fields a hot key focuses while one is recording.
    static constexpr const char* kPickerShortcutName = "PickerColor";
    static constexpr const char* kOverlayShortcutName = "Overlay";

    explicit AppHotKeys(AppDelegate& delegate);
    // The hot keys' handlers never outlive the controller.
    ~AppHotKeys();
    AppHotKeys(const AppHotKeys&) = delete;
    AppHotKeys& operator=(const AppHotKeys&) = delete;

    // On the first run the defaults are stored where no shortcut is.
    void registerShortcuts();
    void unregisterShortcuts();

    void pickHotKeyPressed();
    void overlayHotKeyPressed();

    // A menu entry's key equivalent for an archived shortcut; empty for none.
    static QKeySequence keySequence(const std::vector<std::uint8_t>& archivedShortcut);

private:
    AppDelegate& m_delegate;
    bool m_registered = false;
};
