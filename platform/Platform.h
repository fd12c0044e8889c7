#pragma once

#include <memory>

class ActiveApplication;
class Compositor;
class Cursor;
class DisplayProfile;
class EventTaps;
class HotKeys;
class InputSynthesizer;
class KeyboardLayout;
class LoginItems;
class PanelHints;
class PowerEvents;
class ScreenCapture;
class Screens;
class SystemInfo;
class ThemePreference;
class WindowInput;
class WindowList;
class WindowStacking;
class Workspace;

// The operating-system services Qt does not offer.
class Platform {
public:
    virtual ~Platform() = default;

    virtual Screens& screens() = 0;
    virtual Compositor& compositor() = 0;
    virtual Cursor& cursor() = 0;
    virtual DisplayProfile& displayProfile() = 0;
    virtual WindowInput& windowInput() = 0;
    virtual WindowList& windowList() = 0;
    virtual WindowStacking& windowStacking() = 0;
    virtual PanelHints& panelHints() = 0;
    virtual ActiveApplication& activeApplication() = 0;
    virtual EventTaps& eventTaps() = 0;
    virtual HotKeys& hotKeys() = 0;
    virtual KeyboardLayout& keyboardLayout() = 0;
    virtual ThemePreference& themePreference() = 0;
    virtual LoginItems& loginItems() = 0;
    virtual PowerEvents& powerEvents() = 0;
    virtual SystemInfo& systemInfo() = 0;
    virtual InputSynthesizer& inputSynthesizer() = 0;
    virtual ScreenCapture& screenCapture() = 0;
    virtual Workspace& workspace() = 0;

    // The X11 services when Qt runs on xcb and the X server answers, else nothing:
    // the program has no other platform. Needs a QGuiApplication.
    static std::unique_ptr<Platform> create();
    // Whether the X server that DISPLAY names answers and has its screen; needs no
    // application.
    static bool isDisplayReachable();
};
