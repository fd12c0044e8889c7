#include "AppWindows.h"

#include "app/windows/AboutWindow.h"
#include "app/AppDelegate.h"
#include "app/banner/ExportBanner.h"
#include "app/windows/OverlayWindow.h"
#include "app/windows/PreferencesWindow.h"
#include "app/settings/SettingsKey.h"
#include "app/windows/WelcomeWindow.h"
#include "foundation/Log.h"
#include "foundation/Scheduler.h"
#include "foundation/UserDefaults.h"

#include <chrono>

namespace {

constexpr double kBannerSeconds = 3.0;
constexpr const char* kUsageTrackingDisabled = "Usage tracking disabled.";

double secondsSince1970()
{
    using namespace std::chrono;
    return duration<double>(system_clock::now().time_since_epoch()).count();
}

template <class Factory>
auto make(const Factory& factory) -> decltype(factory())
{
    return factory ? factory() : nullptr;
}

} // namespace

AppWindows::AppWindows(AppDelegate& delegate)
    : m_delegate(delegate)
{
}

AppWindows::~AppWindows() = default;

void AppWindows::initOverlayWindow()
{
    if (!m_overlay) {
        m_overlay = make(m_delegate.windowFactories().overlay);
        if (!m_overlay)
            return;
        m_lastOverlayActivation = 0;
        m_overlay->setFormatProcessor(m_delegate.formatProcessor());
    }
    m_overlay->initWithColors(m_delegate.historyColors(), m_delegate.favoriteColors());
}

void AppWindows::showOverlay(const void* sender)
{
    if (m_delegate.isCommandLineMode())
        return;
    m_delegate.setIgnoreFlagSwitchUntilRelease(sender == nullptr);
    if (isOverlayVisible())
        return;
    cancelNotification();
    initOverlayWindow();
    m_delegate.hidePickerAndRestoreFocus(false);
    if (!m_overlay)
        return;
    if (m_lastOverlayActivation == 0)
        m_overlay->center();
    m_overlay->makeKeyAndOrderFront();
}

void AppWindows::hideOverlayAndRestoreFocus(bool restoreFocus)
{
    if (!isOverlayVisible())
        return;
    m_lastOverlayActivation = secondsSince1970();
    m_overlay->orderOut();
    if (restoreFocus)
        m_delegate.restoreStolenActiveFocus();
}

bool AppWindows::isOverlayVisible() const
{
    return m_overlay && m_overlay->isVisible();
}

bool AppWindows::hasSelectedColor() const
{
    return m_overlay && m_overlay->hasSelectedColor();
}

void AppWindows::showAbout()
{
    if (!m_about) {
        m_about = make(m_delegate.windowFactories().about);
        if (!m_about)
            return;
        m_about->center();
    }
    m_about->makeKeyAndOrderFront();
}

void AppWindows::showWelcome()
{
    if (!m_welcome) {
        m_welcome = make(m_delegate.windowFactories().welcome);
        if (!m_welcome)
            return;
        m_welcome->show();
    }
    m_welcome->activate();
}

void AppWindows::closeWelcome()
{
    m_welcome.reset();
    const bool tracking = !m_delegate.settings().flag(settingskeys::kDisableUsageTracking);
    m_delegate.setUsageTracking(tracking);
    if (!tracking)
        logging::log(kUsageTrackingDisabled);
    AppDelegate* delegate = &m_delegate;
    Scheduler::current().post([delegate] {
        if (StatusMenu* menu = delegate->statusMenu())
            menu->attachMenu();
        delegate->windows().showOverlay(delegate);
        delegate->setFirstRun(false);
    });
}

void AppWindows::showPreferences()
{
    if (m_delegate.isCommandLineMode() || inWelcome())
        return;
    cancelNotification();
    m_delegate.hidePickerAndRestoreFocus(false);
    if (!m_preferences)
        m_preferences = make(m_delegate.windowFactories().preferences);
    if (m_preferences)
        m_preferences->show();
}

void AppWindows::createBanner()
{
    if (!m_banner)
        m_banner = make(m_delegate.windowFactories().banner);
}

void AppWindows::showNotification(const std::string& text, const QImage& image)
{
    if (m_delegate.useNotification() && m_banner)
        m_banner->present(text, image, kBannerSeconds);
}

void AppWindows::cancelNotification()
{
    if (m_banner && m_banner->isVisible())
        m_banner->orderOut();
}
