#include "uikit/shortcuts/KeyShortcutDefaultsObserver.h"

#include "uikit/shortcuts/NJShortcutView.h"

namespace {

std::optional<NJShortcut> shortcutFrom(const Value& archive)
{
    const std::vector<std::uint8_t>* bytes = archive.bytes();
    if (!bytes)
        return std::nullopt;
    if (const auto shortcut = KeyShortcut::shortcutWithData(*bytes))
        return NJShortcut(*shortcut);
    return std::nullopt;
}

} // namespace

KeyShortcutDefaultsObserver::KeyShortcutDefaultsObserver(NJShortcutView& shortcutView, UserDefaults& defaults,
                                                         std::string userDefaultsKey)
    : m_shortcutView(&shortcutView)
    , m_defaults(defaults)
    , m_userDefaultsKey(std::move(userDefaultsKey))
    , m_originalShortcut(shortcutView.shortcutValue())
{
    startObservingShortcutView();
}

KeyShortcutDefaultsObserver::~KeyShortcutDefaultsObserver()
{
    stopObservingShortcutView();
}

void KeyShortcutDefaultsObserver::forgetShortcutView()
{
    QObject::disconnect(m_valueConnection);
    m_shortcutView = nullptr;
}

void KeyShortcutDefaultsObserver::startObservingShortcutView()
{
    m_shortcutView->willSetUserDefaultValue(true);
    m_shortcutView->setShortcutValue(shortcutFrom(m_defaults.objectForKey(m_userDefaultsKey)));
    m_shortcutView->willSetUserDefaultValue(false);

    // Only the bound key: a change of another setting leaves a recording alone.
    m_defaultsToken = m_defaults.observe(m_userDefaultsKey, [this](const std::string&, const Value& value) {
        if (m_observing)
            userDefaultsDidChange(value);
    });
    m_observing = true;
    m_valueConnection = QObject::connect(m_shortcutView, &NJShortcutView::shortcutValueChanged,
                                         m_shortcutView, [this] { shortcutValueDidChange(); });
}

void KeyShortcutDefaultsObserver::stopObservingShortcutView()
{
    // The observations go first, so that giving the value back writes nothing.
    QObject::disconnect(m_valueConnection);
    m_defaults.removeObserver(m_defaultsToken);
    m_observing = false;
    if (m_shortcutView)
        m_shortcutView->setShortcutValue(m_originalShortcut);
}

void KeyShortcutDefaultsObserver::userDefaultsDidChange(const Value& archive)
{
    if (m_internalPreferenceChange || !m_shortcutView)
        return;
    m_internalShortcutChange = true;
    m_shortcutView->setShortcutValue(shortcutFrom(archive));
    m_internalShortcutChange = false;
}

void KeyShortcutDefaultsObserver::shortcutValueDidChange()
{
    if (m_internalShortcutChange || !m_shortcutView)
        return;
    m_internalPreferenceChange = true;
    const auto& value = m_shortcutView->shortcutValue();
    // An empty recorder stores an archive of no shortcut rather than removing the key.
    m_defaults.setObject(m_userDefaultsKey, Value::data(value ? value->data() : KeyShortcut::archiveOfNone()));
    m_defaults.synchronize();
    m_internalPreferenceChange = false;
}
