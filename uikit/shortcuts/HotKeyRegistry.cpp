#include "uikit/shortcuts/HotKeyRegistry.h"

#include "foundation/UserDefaults.h"
#include "uikit/shortcuts/KeyShortcutHotKey.h"
#include "uikit/shortcuts/KeyShortcutUserDefaultsHotKey.h"

HotKeyRegistry::HotKeyRegistry(HotKeys& hotKeys, UserDefaults& defaults)
    : m_hotKeys(hotKeys)
    , m_defaults(defaults)
{
}

HotKeyRegistry::~HotKeyRegistry()
{
    m_userDefaultsHotKeys.clear();
    m_hotKeysByToken.clear();
}

std::optional<std::string> HotKeyRegistry::addGlobalHotkeyMonitor(const KeyShortcut& shortcut,
                                                                  KeyShortcut::Handler handler)
{
    // One hot key per key and modifiers: the same combination again gets no token.
    // Names cannot tell keys apart (two keys may read alike on a layout).
    std::string token = std::to_string(shortcut.keyCode()) + ':' + std::to_string(shortcut.modifierFlags());
    if (m_hotKeysByToken.contains(token))
        return std::nullopt;
    auto hotKey = std::make_unique<KeyShortcutHotKey>(m_hotKeys, shortcut, std::move(handler));
    if (!hotKey->isRegistered())
        return std::nullopt;
    m_hotKeysByToken.emplace(token, std::move(hotKey));
    return token;
}

void HotKeyRegistry::removeGlobalHotkeyMonitor(const std::optional<std::string>& token)
{
    if (token)
        m_hotKeysByToken.erase(*token);
}

void HotKeyRegistry::registerGlobalShortcutWithUserDefaultsKey(const std::string& key, KeyShortcut::Handler handler)
{
    // The previous one goes first: it holds the combination the new one asks for.
    m_userDefaultsHotKeys.erase(key);
    m_userDefaultsHotKeys.emplace(
        key, std::make_unique<KeyShortcutUserDefaultsHotKey>(*this, m_defaults, key, std::move(handler)));
}

void HotKeyRegistry::unregisterGlobalShortcutWithUserDefaultsKey(const std::string& key)
{
    m_userDefaultsHotKeys.erase(key);
}

void HotKeyRegistry::setGlobalShortcut(const std::optional<KeyShortcut>& shortcut, const std::string& key)
{
    if (shortcut)
        m_defaults.setObject(key, Value::data(shortcut->data()));
    else
        m_defaults.removeObject(key);
}

std::vector<std::string> HotKeyRegistry::registeredUserDefaultsHotKeys() const
{
    std::vector<std::string> keys;
    for (const auto& [key, hotKey] : m_userDefaultsHotKeys)
        keys.push_back(key);
    return keys;
}
