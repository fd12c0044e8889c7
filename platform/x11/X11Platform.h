#pragma once

#include "platform/Platform.h"
#include "platform/linux/LogindPowerEvents.h"
#include "platform/linux/UnameSystemInfo.h"
#include "platform/linux/XdgAutostartLoginItems.h"
#include "platform/x11/X11ActiveApplication.h"
#include "platform/x11/X11Compositor.h"
#include "platform/x11/X11Connection.h"
#include "platform/x11/X11Cursor.h"
#include "platform/x11/X11DisplayProfile.h"
#include "platform/x11/X11EventTaps.h"
#include "platform/x11/X11HotKeys.h"
#include "platform/x11/X11InputSynthesizer.h"
#include "platform/x11/X11KeyboardHold.h"
#include "platform/x11/X11KeyboardLayout.h"
#include "platform/x11/X11PanelHints.h"
#include "platform/x11/X11ScreenCapture.h"
#include "platform/x11/X11Screens.h"
#include "platform/x11/X11ThemePreference.h"
#include "platform/x11/X11WindowInput.h"
#include "platform/x11/X11WindowList.h"
#include "platform/x11/X11WindowStacking.h"
#include "platform/x11/X11Workspace.h"

// The services of an X11 desktop, all on one connection of our own.
class X11Platform final : public Platform {
public:
    // Takes a connection that is valid.
    explicit X11Platform(std::unique_ptr<X11Connection> connection);

    Screens& screens() override { return m_screens; }
    Compositor& compositor() override { return m_compositor; }
    Cursor& cursor() override { return m_cursor; }
    DisplayProfile& displayProfile() override { return m_displayProfile; }
    WindowInput& windowInput() override { return m_windowInput; }
    WindowList& windowList() override { return m_windowList; }
    WindowStacking& windowStacking() override { return m_windowStacking; }
    PanelHints& panelHints() override { return m_panelHints; }
    ActiveApplication& activeApplication() override { return m_activeApplication; }
    EventTaps& eventTaps() override { return m_eventTaps; }
    HotKeys& hotKeys() override { return m_hotKeys; }
    KeyboardLayout& keyboardLayout() override { return m_keyboardLayout; }
    ThemePreference& themePreference() override { return m_themePreference; }
    LoginItems& loginItems() override { return m_loginItems; }
    PowerEvents& powerEvents() override { return m_powerEvents; }
    SystemInfo& systemInfo() override { return m_systemInfo; }
    InputSynthesizer& inputSynthesizer() override { return m_inputSynthesizer; }
    ScreenCapture& screenCapture() override { return m_screenCapture; }
    Workspace& workspace() override { return m_workspace; }

    X11Connection& connection() { return *m_connection; }

private:
    std::unique_ptr<X11Connection> m_connection;
    X11Screens m_screens;
    X11Compositor m_compositor;
    X11Cursor m_cursor;
    X11DisplayProfile m_displayProfile;
    X11KeyboardHold m_keyboardHold;
    X11WindowInput m_windowInput;
    X11WindowList m_windowList;
    X11WindowStacking m_windowStacking;
    X11PanelHints m_panelHints;
    X11ActiveApplication m_activeApplication;
    X11EventTaps m_eventTaps;
    // Before the hot keys, which find their keys through it.
    X11KeyboardLayout m_keyboardLayout;
    X11HotKeys m_hotKeys;
    X11ThemePreference m_themePreference;
    XdgAutostartLoginItems m_loginItems;
    LogindPowerEvents m_powerEvents;
    UnameSystemInfo m_systemInfo;
    X11InputSynthesizer m_inputSynthesizer;
    X11ScreenCapture m_screenCapture;
    X11Workspace m_workspace;
};
