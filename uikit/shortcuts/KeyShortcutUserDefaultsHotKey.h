#pragma once

#include "foundation/UserDefaults.h"
#include "uikit/shortcuts/KeyShortcut.h"

#include <optional>
#include <string>

class HotKeyRegistry;

// A hot key that follows the shortcut archived under a settings key: each change of
// the key replaces it, and a key without a shortcut has none.
class KeyShortcutUserDefaultsHotKey final {
public:
    KeyShortcutUserDefaultsHotKey(HotKeyRegistry& registry, UserDefaults& defaults, std::string userDefaultsKey,
                                  KeyShortcut::Handler handler);
    ~KeyShortcutUserDefaultsHotKey();
    KeyShortcutUserDefaultsHotKey(const KeyShortcutUserDefaultsHotKey&) = delete;
    KeyShortcutUserDefaultsHotKey& operator=(const KeyShortcutUserDefaultsHotKey&) = delete;

    const std::string& userDefaultsKey() const { return m_userDefaultsKey; }

private:
    void follow(const Value& archive);

    HotKeyRegistry& m_registry;
    UserDefaults& m_defaults;
    std::string m_userDefaultsKey;
    KeyShortcut::Handler m_handler;
    std::optional<std::string> m_monitor;
    UserDefaults::Token m_observation = 0;
};
