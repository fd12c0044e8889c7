#include "uikit/shortcuts/MASShortcutHotKey.h"

#include <limits>

MASShortcutHotKey::MASShortcutHotKey(HotKeys& hotKeys, const MASShortcut& shortcut, MASShortcut::Handler handler)
    : m_hotKeys(hotKeys)
    , m_shortcut(shortcut)
{
    // A shortcut without a key grabs nothing.
    if (shortcut.keyCode() > static_cast<std::uint64_t>(std::numeric_limits<int>::max()))
        return;
    m_id = hotKeys.registerHotKey(static_cast<int>(shortcut.keyCode()), static_cast<unsigned long>(shortcut.modifierFlags()),
                                  std::move(handler));
}

MASShortcutHotKey::~MASShortcutHotKey()
{
    if (m_id)
        m_hotKeys.unregisterHotKey(*m_id);
}
