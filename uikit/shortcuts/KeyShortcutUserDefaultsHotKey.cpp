#include "uikit/shortcuts/KeyShortcutUserDefaultsHotKey.h"

#include "uikit/shortcuts/HotKeyRegistry.h"

KeyShortcutUserDefaultsHotKey::KeyShortcutUserDefaultsHotKey(HotKeyRegistry& registry, UserDefaults& defaults,
                                                             std::string userDefaultsKey, KeyShortcut::Handler handler)
    : m_registry(registry)
    , m_defaults(defaults)
    , m_userDefaultsKey(std::move(userDefaultsKey))
    , m_handler(std::move(handler))
{
    m_observation = defaults.observe(m_userDefaultsKey, [this](const std::string&, const Value& value) { follow(value); });
}

KeyShortcutUserDefaultsHotKey::~KeyShortcutUserDefaultsHotKey()
{
    m_defaults.removeObserver(m_observation);
    m_registry.removeGlobalHotkeyMonitor(m_monitor);
}

void KeyShortcutUserDefaultsHotKey::follow(const Value& archive)
{
    m_registry.removeGlobalHotkeyMonitor(m_monitor);
    m_monitor.reset();
    const std::vector<std::uint8_t>* bytes = archive.bytes();
    if (const auto shortcut = bytes ? KeyShortcut::shortcutWithData(*bytes) : std::nullopt)
        m_monitor = m_registry.addGlobalHotkeyMonitor(*shortcut, m_handler);
}
