#include "FocusKeeper.h"

#include "app/AppDelegate.h"
#include "app/picking/LoupeView.h"
#include "app/statusmenu/StatusMenu.h"
#include "foundation/Scheduler.h"
#include "foundation/StringUtils.h"
#include "platform/ActiveApplication.h"
#include "platform/ModifierFlags.h"
#include "uikit/application/NJApplication.h"

#include <QCoreApplication>

namespace {

constexpr unsigned long kDeviceIndependentModifiers =
    modifierflags::kShift | modifierflags::kControl | modifierflags::kOption | modifierflags::kCommand;
constexpr double kAfterAppSwitchDelay = 0.25;
constexpr double kSecondCursorHideDelay = 0.5;
constexpr const char* kAnyApplication = "*";

void forceCursorHide()
{
    if (NJApplication* app = NJApplication::sharedApplication(); app && app->hasPlatform())
        app->forceCursorHide();
}

ActiveApplication* activeApplication()
{
    NJApplication* app = NJApplication::sharedApplication();
    return app && app->hasPlatform() ? &app->platform().activeApplication() : nullptr;
}

bool sameName(const std::string& a, const std::string& b)
{
    return strings::lowercase(a) == strings::lowercase(b);
}

} // namespace

FocusKeeper::FocusKeeper(AppDelegate& delegate)
    : m_delegate(delegate)
{
}

void FocusKeeper::processFlags(unsigned long flags)
{
    if (StatusMenu* menu = m_delegate.statusMenu(); menu && menu->isOpen())
        menu->updateMenulet((flags & modifierflags::kOption) != 0);
    if (!m_delegate.inPicking()) {
        m_lastFlags = flags;
        return;
    }
    validateFlagChange(flags);
    if (shouldIgnoreFlagChange())
        return;
    LoupeView* loupe = m_delegate.loupe();
    const unsigned long precision = m_delegate.HiDPIActivateKeyMask();
    if (loupe && (flags & precision) != (m_lastFlags & precision)) {
        if (flags & precision)
            loupe->activateHiDPIMode(0);
        else
            loupe->deactivateHiDPIMode(0);
    }
    if (loupe && (flags & modifierflags::kOption) != (m_lastFlags & modifierflags::kOption))
        loupe->setPeekModeActive(m_delegate.willOpenOverlayAfterPick(flags));
    if (loupe) {
        if (flags == modifierflags::kFunction)
            loupe->activateHoverMode();
        else
            loupe->deactivateHoverMode();
    }
    m_lastFlags = flags;
}

void FocusKeeper::validateFlagChange(unsigned long flags)
{
    if (!(flags & kDeviceIndependentModifiers))
        m_ignoreFlagSwitchUntilRelease = false;
}

void FocusKeeper::frontAppSwitched()
{
    if (!m_delegate.inPicking())
        return;
    if (LoupeView* loupe = m_delegate.loupe())
        loupe->makeWindowKey();
    forceCursorHide();
    AppDelegate* delegate = &m_delegate;
    Scheduler::current().schedule(kAfterAppSwitchDelay, [delegate] { delegate->focus().afterAppSwitch(); });
    Scheduler::current().schedule(kSecondCursorHideDelay, [delegate] {
        if (delegate->inPicking())
            forceCursorHide();
    });
}

void FocusKeeper::afterAppSwitch()
{
    if (!m_delegate.inPicking())
        return;
    forceCursorHide();
    LoupeView* loupe = m_delegate.loupe();
    if (!loupe)
        return;
    loupe->makeWindowKey();
    loupe->setLoupeCenter(loupe->lastCenter());
    loupe->refreshLoupe();
}

void FocusKeeper::spaceSwitch()
{
    if (!m_delegate.inPicking())
        return;
    if (LoupeView* loupe = m_delegate.loupe()) {
        loupe->refreshLoupe();
        loupe->makeWindowKey();
    }
    Scheduler::current().post([] { forceCursorHide(); });
}

bool FocusKeeper::isOwnApplication(const std::optional<std::string>& identifier) const
{
    return identifier && sameName(*identifier, QCoreApplication::applicationName().toStdString());
}

void FocusKeeper::stealFocusFromActiveApp()
{
    ActiveApplication* active = activeApplication();
    const std::optional<std::string> front = active ? active->identifier() : std::nullopt;
    if (isOwnApplication(front))
        return;
    m_didStealFocusFromApp.reset();
    const auto& list = m_delegate.stealFocusFromActiveApps();
    if (list.empty() || !front)
        return;
    for (const std::string& entry : list) {
        if (entry == kAnyApplication || sameName(entry, *front)) {
            if (LoupeView* loupe = m_delegate.loupe())
                loupe->makeWindowKey();
            m_didStealFocusFromApp = active->activeWindow();
            return;
        }
    }
}

void FocusKeeper::restoreStolenActiveFocus()
{
    ActiveApplication* active = activeApplication();
    if (!active || !m_didStealFocusFromApp)
        return;
    // Another application was activated meanwhile: it keeps the focus. The loupe
    // takes the focus without becoming the window manager's active window, so the
    // window we took it from may still be named active.
    const auto front = active->activeWindow();
    if (front && *front != *m_didStealFocusFromApp && !isOwnApplication(active->identifier()))
        return;
    active->activate(*m_didStealFocusFromApp);
    m_didStealFocusFromApp.reset();
}
