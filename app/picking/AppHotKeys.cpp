#include "AppHotKeys.h"

#include "app/AppDelegate.h"
#include "app/settings/SettingsKey.h"
#include "platform/ModifierFlags.h"
#include "uikit/shortcuts/NJShortcut.h"

#include <QString>

AppHotKeys::AppHotKeys(AppDelegate& delegate)
    : m_delegate(delegate)
{
}

AppHotKeys::~AppHotKeys()
{
    if (m_registered)
        unregisterShortcuts();
}

void AppHotKeys::registerShortcuts()
{
    m_registered = true;
    KeyShortcut::registerGlobalShortcutWithUserDefaultsKey(settingskeys::kPickColorShortCut.name,
                                                           [this] { pickHotKeyPressed(); });
    KeyShortcut::registerGlobalShortcutWithUserDefaultsKey(settingskeys::kColorsAndFormatsShortCut.name,
                                                           [this] { overlayHotKeyPressed(); });
    if (!m_delegate.firstRun())
        return;
    // A shortcut the user recorded, or cleared, stays as it is.
    if (!m_delegate.settings().isStored(settingskeys::kPickColorShortCut))
        KeyShortcut::setGlobalShortcut(NJShortcut(kDefaultKeyCode, kPickModifiers), settingskeys::kPickColorShortCut.name);
    if (!m_delegate.settings().isStored(settingskeys::kColorsAndFormatsShortCut))
        KeyShortcut::setGlobalShortcut(NJShortcut(kDefaultKeyCode, kOverlayModifiers),
                                       settingskeys::kColorsAndFormatsShortCut.name);
}

void AppHotKeys::unregisterShortcuts()
{
    m_registered = false;
    KeyShortcut::unregisterGlobalShortcutWithUserDefaultsKey(settingskeys::kPickColorShortCut.name);
    KeyShortcut::unregisterGlobalShortcutWithUserDefaultsKey(settingskeys::kColorsAndFormatsShortCut.name);
}

void AppHotKeys::pickHotKeyPressed()
{
    if (m_delegate.cancelShortcutRecording())
        m_delegate.focusShortcut(kPickerShortcutName);
    else if (m_delegate.inPicking())
        m_delegate.hidePickerAndRestoreFocus(true);
    else
        m_delegate.showPicker(nullptr);
}

void AppHotKeys::overlayHotKeyPressed()
{
    if (m_delegate.cancelShortcutRecording())
        m_delegate.focusShortcut(kOverlayShortcutName);
    else if (m_delegate.isOverlayVisible())
        m_delegate.hideOverlay();
    else
        m_delegate.showOverlay(nullptr);
}

QKeySequence AppHotKeys::keySequence(const std::vector<std::uint8_t>& archivedShortcut)
{
    const auto shortcut = KeyShortcut::shortcutWithData(archivedShortcut);
    return shortcut ? shortcut->keySequence() : QKeySequence();
}
