#pragma once

#include "platform/HotKeys.h"
#include "uikit/shortcuts/MASShortcut.h"

// One system-wide hot key, registered while it lives.
class MASShortcutHotKey final {
public:
    MASShortcutHotKey(HotKeys& hotKeys, const MASShortcut& shortcut, MASShortcut::Handler handler);
    ~MASShortcutHotKey();
    MASShortcutHotKey(const MASShortcutHotKey&) = delete;
    MASShortcutHotKey& operator=(const MASShortcutHotKey&) = delete;

    // False when the system refused the combination.
    bool isRegistered() const { return m_id.has_value(); }
    const MASShortcut& shortcut() const { return m_shortcut; }

private:
    HotKeys& m_hotKeys;
    MASShortcut m_shortcut;
    std::optional<HotKeys::Id> m_id;
};
