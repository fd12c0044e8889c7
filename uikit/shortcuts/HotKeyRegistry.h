#pragma once

#include "uikit/shortcuts/KeyShortcut.h"

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class HotKeys;
class KeyShortcutHotKey;
class KeyShortcutUserDefaultsHotKey;
class UserDefaults;

// The process's hot keys: each under a token, and those that follow a settings key.
class HotKeyRegistry final {
public:
    HotKeyRegistry(HotKeys& hotKeys, UserDefaults& defaults);
    ~HotKeyRegistry();
    HotKeyRegistry(const HotKeyRegistry&) = delete;
    HotKeyRegistry& operator=(const HotKeyRegistry&) = delete;

    // A token for removing the hot key; none when the same combination is registered
    // already or the system refuses it.
    std::optional<std::string> addGlobalHotkeyMonitor(const KeyShortcut& shortcut, KeyShortcut::Handler handler);
    void removeGlobalHotkeyMonitor(const std::optional<std::string>& token);

    // Replaces the key's previous hot key.
    void registerGlobalShortcutWithUserDefaultsKey(const std::string& key, KeyShortcut::Handler handler);
    void unregisterGlobalShortcutWithUserDefaultsKey(const std::string& key);
    // Stores the shortcut's archive under the key, or removes the key for none; the
    // key's hot key follows at once.
    void setGlobalShortcut(const std::optional<KeyShortcut>& shortcut, const std::string& key);
    std::vector<std::string> registeredUserDefaultsHotKeys() const;

private:
    HotKeys& m_hotKeys;
    UserDefaults& m_defaults;
    std::map<std::string, std::unique_ptr<KeyShortcutHotKey>> m_hotKeysByToken;
    // After the hot keys: its entries remove theirs as they go.
    std::map<std::string, std::unique_ptr<KeyShortcutUserDefaultsHotKey>> m_userDefaultsHotKeys;
};
