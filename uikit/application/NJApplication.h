#pragma once

#include "foundation/Dictionary.h"
#include "platform/GestureEvent.h"
#include "platform/ModifierFlagsEvent.h"
#include "platform/OperatingSystemVersion.h"
#include "platform/Platform.h"
#include "platform/ScreenInfo.h"
#include "platform/WindowInfo.h"
#include "uikit/shortcuts/ModifierNameTranslator.h"

#include <QApplication>
#include <QMenu>
#include <QPointF>
#include <QPointer>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class EventTap;
class HotKeyRegistry;
class NJApplicationDelegate;
class UserDefaults;

// The process's application object: theme and appearance, command-line state, the
// modifier and gesture taps, cursor hiding, screen geometry, the login item and the
// owners of other applications' windows. Main thread only.
class NJApplication : public QApplication {
    Q_OBJECT
public:
    static constexpr const char* kAppearanceChangedNotification = "NJApplicationAppearanceChangedNotification";
    // Posted when a compositing manager starts or stops.
    static constexpr const char* kCompositingChangedNotification = "NJCompositingChangedNotification";
    static constexpr const char* kFlagsChangedNotification = "NJFlagsChangedNotification";
    static constexpr const char* kFlagsChangedQueuedNotification = "NJFlagsChangedNotification (Queued)";
    // The user info key of the flags notifications.
    static constexpr const char* kModifierFlagsKey = "modifierFlags";
    static constexpr const char* kAppearanceNameVibrantDark = "NSAppearanceNameVibrantDark";
    static constexpr const char* kAppearanceNameVibrantLight = "NSAppearanceNameVibrantLight";
    static constexpr const char* kAppearanceNameAqua = "NSAppearanceNameAqua";
    static constexpr const char* kLoginItemIdentifier = "org.vendrel.Vendrel.LoginItem";

    // A bounding box of all screens that holds corners, not a size.
    struct ScreenCorners {
        double minX = 0;
        double minY = 0;
        double maxX = 0;
        double maxY = 0;
    };

    // Takes the platform services; null picks them by the Qt platform in use.
    NJApplication(int& argc, char** argv, std::unique_ptr<Platform> platform = nullptr);
    ~NJApplication() override;

    static NJApplication* sharedApplication();

    // Outside X11 there is none, and the program ends at once.
    bool hasPlatform() const { return m_platform != nullptr; }
    Platform& platform() { return *m_platform; }
    void setDelegate(NJApplicationDelegate* delegate) { m_delegate = delegate; }
    NJApplicationDelegate* delegate() const { return m_delegate; }
    // The settings "userInterface" is read from; the standard ones unless set.
    void setUserDefaults(UserDefaults* defaults) { m_defaults = defaults; }
    // The process-wide hot keys, made on first use on the settings then in force.
    HotKeyRegistry& hotKeyRegistry();
    // The menu whose key equivalents a new shortcut must not take.
    QMenu* mainMenu() const { return m_mainMenu; }
    void setMainMenu(QMenu* menu) { m_mainMenu = menu; }

    // Theme and appearance.
    bool systemThemeIsDark() const;
    bool themeIsDark() const;
    void initialization();
    void themeChanged();
    bool darkMode() const { return m_inDarkMode; }
    bool isVisualEffectViewAvailable() const;
    void registerDummyVisualEffectView();
    std::string getAppAppearanceName() const;
    void checkVisualEffectChange();
    const std::string& currentAppearance() const { return m_currentAppearance; }
    OperatingSystemVersion operatingSystemVersion() const;

    // Command-line state.
    bool isCLIMode() const { return m_isCLIMode; }
    void setIsCLIMode(bool on) { m_isCLIMode = on; }
    const Dictionary& CLIParams() const { return m_CLIParams; }
    void setCLIParams(Dictionary params) { m_CLIParams = std::move(params); }

    // Modifier flags and application events.
    bool notify(QObject* receiver, QEvent* event) override;
    // The flags of these modifiers, with Function while the Menu key is held.
    unsigned long currentModifierFlags(Qt::KeyboardModifiers modifiers) const;
    void registerTaskSwitchNotification();
    void enableFlagSwitchListening();
    void disableFlagSwitchListening();
    void enableGestureListening();
    void disableGestureListening();

    // Activates one of our windows for keys and gives it the keyboard focus once it is
    // mapped, with or without a window manager. `unreachable` runs when the keyboard
    // cannot be had within two seconds.
    static void makeKeyWindow(QWidget* window, std::function<void()> unreachable = nullptr);

    // Cursor.
    void hideGCursor();
    void showGCursor();
    void forceCursorHide();
    void forceCursorShow();

    // Screens, in global points.
    std::optional<ScreenInfo> screenAtPoint(const QPointF& point) const;
    std::optional<ScreenInfo> getScreenFromMousePoint(const QPointF& point) const;
    std::optional<ScreenInfo> getMouseScreen() const;
    ScreenCorners getTotalScreenSize() const;
    bool isMousePointinScreens(const QPointF& point) const;
    QPointF checkMousePointinScreens(const QPointF& point) const;

    // Login item.
    void addAppAsLoginItem();
    void deleteAppFromLoginItem();
    bool isAppLoginItem() const;

    // Window owners.
    std::optional<std::string> getApplicationNameForWndNum(std::uint32_t windowNumber);
    // The frontmost window under a global point other than `below`, from the same list
    // as the owners.
    std::optional<std::uint32_t> windowNumberAtPoint(const QPointF& point, std::uint32_t below);
    void updateCurrentWindows();
    std::optional<std::string> windowOwnerForNum(std::uint32_t windowNumber) const;

    std::optional<std::string> activeApplicationBundleIdentifier() const;
    void sendPasteEvent();

private:
    UserDefaults& defaults() const;
    void flagsChangedTapCallback(const ModifierFlagsEvent& event);
    void gestureTapCallback(const GestureEvent& event);
    void postFlagsChanged(const void* event, unsigned long modifierFlags);
    void observeScreen(QScreen* screen);
    void screenParametersChanged();
    static void disableEventTab(EventTap* tap);
    void hideApplicationCursor();
    void showApplicationCursor();

    std::unique_ptr<Platform> m_platform;
    ModifierNameTranslator m_modifierNames;
    NJApplicationDelegate* m_delegate = nullptr;
    UserDefaults* m_defaults = nullptr;
    std::unique_ptr<EventTap> m_flagSwitchEventTap;
    std::unique_ptr<EventTap> m_gestureEventTap;
    bool m_isGCursorHidden = false;
    bool m_applicationCursorHidden = false;
    bool m_isCLIMode = false;
    bool m_inDarkMode = false;
    bool m_dummyVisualEffectViewRegistered = false;
    bool m_flagsQueued = false;
    bool m_functionKeyHeld = false;
    double m_currentWindowTimestamp = 0;
    std::optional<std::vector<WindowInfo>> m_currentWindows;
    Dictionary m_CLIParams;
    std::string m_currentAppearance;
    QPointer<QMenu> m_mainMenu;
    // Last, so that its hot keys go before the platform does.
    std::unique_ptr<HotKeyRegistry> m_hotKeyRegistry;
};
