#pragma once

#include "foundation/Error.h"

#include <QKeySequence>

#include <cstdint>
#include <functional>
#include <limits>
#include <optional>
#include <string>
#include <vector>

class QKeyEvent;
class QMenu;

// A key combination: a virtual key code with Shift, Control, Option and Command.
// Its archive is what the settings store under a shortcut key.
class KeyShortcut {
public:
    using Handler = std::function<void()>;

    // No key.
    static constexpr std::uint64_t kNotFound = std::numeric_limits<std::int64_t>::max();
    static constexpr std::uint64_t kModifierMask = 0x1E0000;
    static constexpr const char* kKeyCodeKey = "KeyCode";
    static constexpr const char* kModifierFlagsKey = "ModifierFlags";
    static constexpr const char* kErrorDomain = "NSCocoaErrorDomain";
    static constexpr const char* kSystemShortcutMessage =
        "This combination cannot be used because it is already used by a system-wide keyboard shortcut.\n"
        "If you really want to use this key combination, most shortcuts can be changed in your desktop's "
        "keyboard settings.";
    static constexpr const char* kMenuItemMessage =
        "This shortcut cannot be used because it is already used by the menu item \u2018%@\u2019.";

    KeyShortcut(std::uint64_t keyCode, std::uint64_t modifierFlags);
    // The key and the modifiers of a key event; keys without a position here have none.
    static KeyShortcut shortcutWithEvent(const QKeyEvent& event);
    // None when the bytes are not the archive of a shortcut.
    static std::optional<KeyShortcut> shortcutWithData(const std::vector<std::uint8_t>& data);

    std::uint64_t keyCode() const { return m_keyCode; }
    void setKeyCode(std::uint64_t keyCode) { m_keyCode = keyCode; }
    std::uint64_t modifierFlags() const { return m_modifierFlags; }
    void setModifierFlags(std::uint64_t flags) { m_modifierFlags = flags & kModifierMask; }

    std::vector<std::uint8_t> data() const;
    // What an empty shortcut field stores: an archive that holds no shortcut.
    static std::vector<std::uint8_t> archiveOfNone();

    std::uint32_t carbonKeyCode() const;
    std::uint32_t carbonFlags() const;
    // UTF-8 texts for menus and the recorder.
    std::string keyCodeString() const;
    std::string keyCodeStringForKeyEquivalent() const;
    // The key equivalent as Qt's menus take it; empty for a key they cannot show.
    QKeySequence keySequence() const;
    // The held modifiers by name, each followed by "+", as in "Super+Shift+".
    std::string modifierFlagsString() const;
    std::string description() const { return modifierFlagsString() + keyCodeString(); }

    // Command-W and Command-Q belong to the window and the application.
    bool shouldBypass() const;
    bool isValid() const;
    // Another program holds the combination, or an item of the application's menu
    // uses it; the error says which.
    bool isTakenError(Error* error) const;
    static bool isKeyEquivalent(const std::string& keyEquivalent, std::uint64_t flags, const QMenu* menu,
                                Error* error);

    static bool allowsAnyHotkeyWithOptionModifier();
    static void setAllowsAnyHotkeyWithOptionModifier(bool allows);

    // The process-wide hot keys of the application's registry; they do nothing
    // without an application.
    static std::optional<std::string> addGlobalHotkeyMonitor(const KeyShortcut& shortcut, Handler handler);
    static void removeGlobalHotkeyMonitor(const std::optional<std::string>& token);
    static void registerGlobalShortcutWithUserDefaultsKey(const std::string& key, Handler handler);
    static void unregisterGlobalShortcutWithUserDefaultsKey(const std::string& key);
    static void setGlobalShortcut(const std::optional<KeyShortcut>& shortcut, const std::string& key);
    static std::vector<std::string> registeredUserDefaultsHotKeys();

    bool operator==(const KeyShortcut& other) const = default;

private:
    std::uint64_t m_keyCode;
    std::uint64_t m_modifierFlags;
};
