#include "uikit/application/NJApplication.h"

#include "uikit/application/ApplicationPalette.h"
#include "uikit/shortcuts/HotKeyRegistry.h"
#include "uikit/application/NJApplicationDelegate.h"
#include "uikit/application/NJGestureResponder.h"
#include "uikit/application/UserInterfaceSetting.h"

#include "foundation/CommandLineState.h"
#include "foundation/Log.h"
#include "foundation/NotificationCenter.h"
#include "foundation/Scheduler.h"
#include "foundation/UserDefaults.h"
#include "platform/ActiveApplication.h"
#include "platform/Compositor.h"
#include "platform/Cursor.h"
#include "platform/EventTap.h"
#include "platform/EventTaps.h"
#include "platform/InputSynthesizer.h"
#include "platform/LoginItems.h"
#include "platform/ModifierFlags.h"
#include "platform/Screens.h"
#include "platform/SystemInfo.h"
#include "platform/ThemePreference.h"
#include "platform/WindowInput.h"
#include "platform/WindowList.h"

#include <QKeyEvent>
#include <QScreen>
#include <QWindow>

#include <algorithm>

namespace {

constexpr const char* kSetLoginItemFailed = "Warning: Setting login item failed";
constexpr const char* kRemoveLoginItemFailed = "Warning: Remove login item failed";
constexpr long kVisualEffectMajorVersion = 10;
constexpr long kVisualEffectMinorVersion = 10;
constexpr int kMaxCursorPasses = 10;
constexpr double kWindowListLifetime = 1.0;
constexpr int kVirtualKeyV = 9;

bool isModifierKey(int key)
{
    switch (key) {
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_Meta:
    case Qt::Key_Super_L:
    case Qt::Key_Super_R:
    case Qt::Key_CapsLock:
        return true;
    default:
        return false;
    }
}

bool pointInRect(const QPointF& point, const QRectF& rect)
{
    return point.x() >= rect.left() && point.x() < rect.x() + rect.width() && point.y() >= rect.y()
        && point.y() < rect.y() + rect.height();
}

// The mouse test of an unflipped view: the bottom edge is out, the top edge in.
bool mouseInRect(const QPointF& point, const QRectF& rect)
{
    return point.x() >= rect.left() && point.x() < rect.x() + rect.width() && point.y() > rect.y()
        && point.y() <= rect.y() + rect.height();
}

template <class Test>
std::optional<ScreenInfo> firstScreen(const std::vector<ScreenInfo>& screens, const QPointF& point, Test test)
{
    for (const ScreenInfo& screen : screens) {
        if (test(point, screen.frame))
            return screen;
    }
    return std::nullopt;
}

} // namespace

NJApplication::NJApplication(int& argc, char** argv, std::unique_ptr<Platform> platform)
    : QApplication(argc, argv)
    , m_platform(platform ? std::move(platform) : Platform::create())
    , m_currentAppearance(getAppAppearanceName())
{
    installTranslator(&m_modifierNames);
    if (m_platform) {
        m_platform->compositor().setChangeHandler(
            [this] { NotificationCenter::defaultCenter().post(kCompositingChangedNotification, this); });
    }
    for (QScreen* screen : screens())
        observeScreen(screen);
    connect(this, &QGuiApplication::screenAdded, this, [this](QScreen* screen) {
        observeScreen(screen);
        screenParametersChanged();
    });
    connect(this, &QGuiApplication::screenRemoved, this, &NJApplication::screenParametersChanged);
    connect(this, &QGuiApplication::primaryScreenChanged, this, &NJApplication::screenParametersChanged);
}

void NJApplication::observeScreen(QScreen* screen)
{
    connect(screen, &QScreen::geometryChanged, this, &NJApplication::screenParametersChanged);
    connect(screen, &QScreen::availableGeometryChanged, this, &NJApplication::screenParametersChanged);
}

void NJApplication::screenParametersChanged()
{
    if (m_delegate)
        m_delegate->applicationDidChangeScreenParameters();
}

NJApplication::~NJApplication()
{
    disableEventTab(m_flagSwitchEventTap.get());
    disableEventTab(m_gestureEventTap.get());
    showApplicationCursor();
}

NJApplication* NJApplication::sharedApplication()
{
    return qobject_cast<NJApplication*>(QCoreApplication::instance());
}

HotKeyRegistry& NJApplication::hotKeyRegistry()
{
    if (!m_hotKeyRegistry)
        m_hotKeyRegistry = std::make_unique<HotKeyRegistry>(m_platform->hotKeys(), defaults());
    return *m_hotKeyRegistry;
}

UserDefaults& NJApplication::defaults() const
{
    return m_defaults ? *m_defaults : UserDefaults::standard();
}

bool NJApplication::systemThemeIsDark() const
{
    try {
        return m_platform->themePreference().isDark();
    } catch (...) {
        return false;
    }
}

bool NJApplication::themeIsDark() const
{
    const Value chosen = defaults().objectForKey(userinterface::kKey);
    if (chosen.isNil())
        return systemThemeIsDark();
    const std::string* name = chosen.string();
    return name && *name == userinterface::kDark;
}

void NJApplication::initialization()
{
    m_isCLIMode = commandline::isCLIMode();
    m_CLIParams = commandline::settings();
    m_inDarkMode = themeIsDark();
    setPalette(applicationpalette::forTheme(m_inDarkMode));
    m_platform->themePreference().setChangeHandler([this] { themeChanged(); });
}

void NJApplication::themeChanged()
{
    m_inDarkMode = themeIsDark();
    setPalette(applicationpalette::forTheme(m_inDarkMode));
    NotificationCenter::defaultCenter().post(kAppearanceChangedNotification, this);
}

bool NJApplication::isVisualEffectViewAvailable() const
{
    // Without a platform (a display that never answered) nothing is known.
    if (!m_platform)
        return false;
    const OperatingSystemVersion version = operatingSystemVersion();
    const bool classFound = m_platform->systemInfo().hasVisualEffectView() || m_dummyVisualEffectViewRegistered;
    return version.majorVersion == kVisualEffectMajorVersion && version.minorVersion >= kVisualEffectMinorVersion
        && classFound;
}

void NJApplication::registerDummyVisualEffectView()
{
    if (!m_platform->systemInfo().hasVisualEffectView())
        m_dummyVisualEffectViewRegistered = true;
}

std::string NJApplication::getAppAppearanceName() const
{
    if (!isVisualEffectViewAvailable())
        return kAppearanceNameAqua;
    return darkMode() ? kAppearanceNameVibrantDark : kAppearanceNameVibrantLight;
}

void NJApplication::checkVisualEffectChange()
{
    std::string appearance = getAppAppearanceName();
    if (appearance == m_currentAppearance)
        return;
    m_currentAppearance = std::move(appearance);
    NotificationCenter::defaultCenter().post(kAppearanceChangedNotification, this);
}

OperatingSystemVersion NJApplication::operatingSystemVersion() const
{
    return m_platform->systemInfo().operatingSystemVersion();
}

bool NJApplication::notify(QObject* receiver, QEvent* event)
{
    const bool handled = QApplication::notify(receiver, event);
    // A key event reaches the window first, then its widgets; report it once.
    if ((event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) && receiver->isWindowType()) {
        const auto* key = static_cast<const QKeyEvent*>(event);
        if (key->key() == Qt::Key_Menu && !key->isAutoRepeat()) {
            m_functionKeyHeld = event->type() == QEvent::KeyPress;
            postFlagsChanged(key, currentModifierFlags(key->modifiers()));
        } else if (isModifierKey(key->key())) {
            postFlagsChanged(key, currentModifierFlags(key->modifiers()));
        }
    }
    return handled;
}

unsigned long NJApplication::currentModifierFlags(Qt::KeyboardModifiers modifiers) const
{
    return modifierflags::fromQt(modifiers) | (m_functionKeyHeld ? modifierflags::kFunction : 0);
}

void NJApplication::postFlagsChanged(const void* event, unsigned long flags)
{
    const Value userInfo(Dictionary {{kModifierFlagsKey, Value::integer(static_cast<long long>(flags))}});
    NotificationCenter::defaultCenter().post(kFlagsChangedNotification, event, userInfo);
    if (m_flagsQueued)
        return;
    // Coalesced on the name until idle; the event is gone by then, so the application
    // stands in for it.
    m_flagsQueued = true;
    QPointer<NJApplication> self(this);
    Scheduler::current().post([self, userInfo] {
        if (!self)
            return;
        self->m_flagsQueued = false;
        NotificationCenter::defaultCenter().post(kFlagsChangedQueuedNotification, self.data(), userInfo);
    });
}

void NJApplication::registerTaskSwitchNotification()
{
    m_platform->activeApplication().setSwitchHandler([this] {
        if (m_delegate)
            m_delegate->frontAppSwitched();
    });
}

void NJApplication::enableFlagSwitchListening()
{
    if (!m_flagSwitchEventTap)
        m_flagSwitchEventTap = m_platform->eventTaps().createModifierTap(
            [this](const ModifierFlagsEvent& event) { flagsChangedTapCallback(event); });
    if (m_flagSwitchEventTap && !m_flagSwitchEventTap->isEnabled())
        m_flagSwitchEventTap->setEnabled(true);
}

void NJApplication::disableFlagSwitchListening()
{
    disableEventTab(m_flagSwitchEventTap.get());
}

void NJApplication::enableGestureListening()
{
    if (!m_gestureEventTap) {
        m_gestureEventTap = m_platform->eventTaps().createGestureTap(
            [this](const GestureEvent& event) { gestureTapCallback(event); });
        if (m_gestureEventTap)
            m_gestureEventTap->setEnabled(true);
    }
    if (m_gestureEventTap && !m_gestureEventTap->isEnabled())
        m_gestureEventTap->setEnabled(true);
}

void NJApplication::disableGestureListening()
{
    disableEventTab(m_gestureEventTap.get());
}

void NJApplication::disableEventTab(EventTap* tap)
{
    if (tap && tap->isEnabled())
        tap->setEnabled(false);
}

void NJApplication::flagsChangedTapCallback(const ModifierFlagsEvent& event)
{
    // While the loupe window is key the flags reach the controller as window events.
    if (m_delegate && !m_delegate->isWindowKey())
        m_delegate->flagsChanged(event);
}

void NJApplication::gestureTapCallback(const GestureEvent& event)
{
    NJGestureResponder* zoomView = m_delegate ? m_delegate->zoomView() : nullptr;
    if (!zoomView)
        return;
    switch (event.type) {
    case GestureEvent::Rotate:
        zoomView->doRotateWithEvent(event);
        break;
    case GestureEvent::BeginGesture:
        zoomView->doBeginGestureWithEvent(event);
        break;
    case GestureEvent::EndGesture:
        zoomView->doEndGestureWithEvent(event);
        break;
    case GestureEvent::Magnify:
        if (event.magnification != 0 && !zoomView->gestureActive())
            zoomView->doBeginGestureWithEvent(event);
        else if (event.magnification == 0 && zoomView->gestureActive())
            zoomView->doEndGestureWithEvent(event);
        zoomView->doMagnifyWithEvent(event);
        break;
    default:
        break;
    }
}

void NJApplication::hideGCursor()
{
    m_platform->cursor().hide();
    m_isGCursorHidden = true;
}

void NJApplication::showGCursor()
{
    if (m_isGCursorHidden)
        m_platform->cursor().show();
}

void NJApplication::hideApplicationCursor()
{
    if (m_applicationCursorHidden)
        return;
    setOverrideCursor(Qt::BlankCursor);
    m_applicationCursorHidden = true;
}

void NJApplication::showApplicationCursor()
{
    if (!m_applicationCursorHidden)
        return;
    restoreOverrideCursor();
    m_applicationCursorHidden = false;
}

void NJApplication::makeKeyWindow(QWidget* window, std::function<void()> unreachable)
{
    window->activateWindow();
    NJApplication* app = sharedApplication();
    // The native window as it stands now: a widget's own id can outlive a re-creation.
    if (app && app->hasPlatform() && window->windowHandle())
        app->platform().windowInput().takeKeyboardFocus(window->windowHandle()->winId(), std::move(unreachable));
}

void NJApplication::forceCursorHide()
{
    const Cursor& cursor = m_platform->cursor();
    for (int pass = 0; pass < kMaxCursorPasses && cursor.isVisible(); ++pass) {
        hideApplicationCursor();
        hideGCursor();
    }
}

void NJApplication::forceCursorShow()
{
    const Cursor& cursor = m_platform->cursor();
    for (int pass = 0; pass < kMaxCursorPasses && !cursor.isVisible(); ++pass) {
        showApplicationCursor();
        showGCursor();
    }
}

std::optional<ScreenInfo> NJApplication::screenAtPoint(const QPointF& point) const
{
    return firstScreen(m_platform->screens().screens(), point, pointInRect);
}

std::optional<ScreenInfo> NJApplication::getScreenFromMousePoint(const QPointF& point) const
{
    return firstScreen(m_platform->screens().screens(), point, mouseInRect);
}

std::optional<ScreenInfo> NJApplication::getMouseScreen() const
{
    return getScreenFromMousePoint(m_platform->cursor().location());
}

NJApplication::ScreenCorners NJApplication::getTotalScreenSize() const
{
    ScreenCorners corners;
    double right = 0;
    for (const ScreenInfo& screen : m_platform->screens().screens()) {
        const QRectF& frame = screen.frame;
        corners.minX = std::min(corners.minX, frame.x());
        corners.minY = std::min(corners.minY, frame.y());
        right = std::max(right, frame.x() + frame.width());
        corners.maxY = std::max(corners.maxY, frame.y() + frame.height());
    }
    corners.maxX = right - 1;
    return corners;
}

bool NJApplication::isMousePointinScreens(const QPointF& point) const
{
    if (!getScreenFromMousePoint(point))
        return false;
    const ScreenCorners corners = getTotalScreenSize();
    return point.x() >= corners.minX && point.x() <= corners.maxX && point.y() >= corners.minY
        && point.y() <= corners.maxY;
}

QPointF NJApplication::checkMousePointinScreens(const QPointF& point) const
{
    std::optional<ScreenInfo> screen = getScreenFromMousePoint(point);
    if (!screen || screen->frame.width() == 0)
        screen = getMouseScreen();
    const QRectF frame = screen ? screen->frame : QRectF();
    const double x = std::max(frame.x(), std::min(point.x(), frame.x() + frame.width() - 1));
    double y = std::min(point.y(), frame.y() + frame.height());
    if (y <= frame.y())
        y = frame.y() + 1;
    return {x, y};
}

void NJApplication::addAppAsLoginItem()
{
    if (!m_platform->loginItems().setEnabled(kLoginItemIdentifier, true))
        logging::log(kSetLoginItemFailed);
}

void NJApplication::deleteAppFromLoginItem()
{
    if (!m_platform->loginItems().setEnabled(kLoginItemIdentifier, false))
        logging::log(kRemoveLoginItemFailed);
}

bool NJApplication::isAppLoginItem() const
{
    return m_platform->loginItems().isEnabled(kLoginItemIdentifier);
}

std::optional<std::string> NJApplication::getApplicationNameForWndNum(std::uint32_t windowNumber)
{
    if (!m_currentWindows || Scheduler::current().now() - m_currentWindowTimestamp > kWindowListLifetime)
        updateCurrentWindows();
    if (auto owner = windowOwnerForNum(windowNumber))
        return owner;
    updateCurrentWindows();
    return windowOwnerForNum(windowNumber);
}

std::optional<std::uint32_t> NJApplication::windowNumberAtPoint(const QPointF& point, std::uint32_t below)
{
    if (!m_currentWindows || Scheduler::current().now() - m_currentWindowTimestamp > kWindowListLifetime)
        updateCurrentWindows();
    if (const auto window = WindowList::windowAt(*m_currentWindows, point, below))
        return window->number;
    return std::nullopt;
}

void NJApplication::updateCurrentWindows()
{
    m_currentWindows = m_platform->windowList().onScreenWindows();
    m_currentWindowTimestamp = Scheduler::current().now();
}

std::optional<std::string> NJApplication::windowOwnerForNum(std::uint32_t windowNumber) const
{
    if (!m_currentWindows)
        return std::nullopt;
    // When several entries match, the last one wins.
    const auto found = std::find_if(m_currentWindows->rbegin(), m_currentWindows->rend(),
                                    [windowNumber](const WindowInfo& window) { return window.number == windowNumber; });
    if (found == m_currentWindows->rend())
        return std::nullopt;
    return found->ownerName;
}

std::optional<std::string> NJApplication::activeApplicationBundleIdentifier() const
{
    return m_platform->activeApplication().identifier();
}

void NJApplication::sendPasteEvent()
{
    // Paste is Control-V on this desktop.
    m_platform->inputSynthesizer().postKeyStroke(kVirtualKeyV, modifierflags::kControl);
}
