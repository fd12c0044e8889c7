#include "uikit/shortcuts/KeyShortcutHotKey.h"

#include <limits>

KeyShortcutHotKey::KeyShortcutHotKey(HotKeys& hotKeys, const KeyShortcut& shortcut, KeyShortcut::Handler handler)
    : m_hotKeys(hotKeys)
    , m_shortcut(shortcut)
{
    // A shortcut without a key grabs nothing.
    if (shortcut.keyCode() > static_cast<std::uint64_t>(std::numeric_limits<int>::max()))
        return;
    m_id = hotKeys.registerHotKey(static_cast<int>(shortcut.keyCode()), static_cast<unsigned long>(shortcut.modifierFlags()),
                                  std::move(handler));
}

KeyShortcutHotKey::~KeyShortcutHotKey()
{
    if (m_id)
        m_hotKeys.unregisterHotKey(*m_id);
}
