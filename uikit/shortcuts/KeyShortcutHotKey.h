#pragma once

#include "platform/HotKeys.h"
#include "uikit/shortcuts/KeyShortcut.h"

// One system-wide hot key, registered while it lives.
class KeyShortcutHotKey final {
public:
    KeyShortcutHotKey(HotKeys& hotKeys, const KeyShortcut& shortcut, KeyShortcut::Handler handler);
    ~KeyShortcutHotKey();
    KeyShortcutHotKey(const KeyShortcutHotKey&) = delete;
    KeyShortcutHotKey& operator=(const KeyShortcutHotKey&) = delete;

    // False when the system refused the combination.
    bool isRegistered() const { return m_id.has_value(); }
    const KeyShortcut& shortcut() const { return m_shortcut; }

private:
    HotKeys& m_hotKeys;
    KeyShortcut m_shortcut;
    std::optional<HotKeys::Id> m_id;
};
