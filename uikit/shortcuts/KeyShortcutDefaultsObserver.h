#pragma once

#include "foundation/UserDefaults.h"
#include "uikit/shortcuts/NJShortcut.h"

#include <QMetaObject>
#include <QPointer>

#include <optional>
#include <string>

class NJShortcutView;

// Binds a recorder to a settings key both ways: the recorder shows the key's
// shortcut, and each change in the recorder is archived into the key at once.
class KeyShortcutDefaultsObserver final {
public:
    KeyShortcutDefaultsObserver(NJShortcutView& shortcutView, UserDefaults& defaults, std::string userDefaultsKey);
    // Ends the binding and gives the recorder back the value it had before.
    ~KeyShortcutDefaultsObserver();
    KeyShortcutDefaultsObserver(const KeyShortcutDefaultsObserver&) = delete;
    KeyShortcutDefaultsObserver& operator=(const KeyShortcutDefaultsObserver&) = delete;

    const std::string& userDefaultsKey() const { return m_userDefaultsKey; }
    NJShortcutView* shortcutView() const { return m_shortcutView; }
    // The recorder is going away: nothing is given back to it.
    void forgetShortcutView();

private:
    void startObservingShortcutView();
    void stopObservingShortcutView();
    void userDefaultsDidChange(const Value& archive);
    void shortcutValueDidChange();

    QPointer<NJShortcutView> m_shortcutView;
    UserDefaults& m_defaults;
    std::string m_userDefaultsKey;
    std::optional<NJShortcut> m_originalShortcut;
    bool m_internalPreferenceChange = false;
    bool m_internalShortcutChange = false;
    bool m_observing = false;
    UserDefaults::Token m_defaultsToken = 0;
    QMetaObject::Connection m_valueConnection;
};
