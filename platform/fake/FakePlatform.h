#pragma once

#include "platform/Platform.h"
#include "platform/fake/FakeActiveApplication.h"
#include "platform/fake/FakeCompositor.h"
#include "platform/fake/FakeCursor.h"
#include "platform/fake/FakeDisplayProfile.h"
#include "platform/fake/FakeEventTaps.h"
#include "platform/fake/FakeHotKeys.h"
#include "platform/fake/FakeInputSynthesizer.h"
#include "platform/fake/FakeKeyboardLayout.h"
#include "platform/fake/FakeLoginItems.h"
#include "platform/fake/FakePanelHints.h"
#include "platform/fake/FakePowerEvents.h"
#include "platform/fake/FakeScreenCapture.h"
#include "platform/fake/FakeScreens.h"
#include "platform/fake/FakeSystemInfo.h"
#include "platform/fake/FakeThemePreference.h"
#include "platform/fake/FakeWindowInput.h"
#include "platform/fake/FakeWindowList.h"
#include "platform/fake/FakeWindowStacking.h"
#include "platform/fake/FakeWorkspace.h"

// Services that touch nothing outside the process; tests reach the fakes directly.
class FakePlatform final : public Platform {
public:
    FakeScreens& screens() override { return m_screens; }
    FakeCompositor& compositor() override { return m_compositor; }
    FakeCursor& cursor() override { return m_cursor; }
    FakeDisplayProfile& displayProfile() override { return m_displayProfile; }
    FakeWindowInput& windowInput() override { return m_windowInput; }
    FakeWindowList& windowList() override { return m_windowList; }
    FakeWindowStacking& windowStacking() override { return m_windowStacking; }
    FakePanelHints& panelHints() override { return m_panelHints; }
    FakeActiveApplication& activeApplication() override { return m_activeApplication; }
    FakeEventTaps& eventTaps() override { return m_eventTaps; }
    FakeHotKeys& hotKeys() override { return m_hotKeys; }
    FakeKeyboardLayout& keyboardLayout() override { return m_keyboardLayout; }
    FakeThemePreference& themePreference() override { return m_themePreference; }
    FakeLoginItems& loginItems() override { return m_loginItems; }
    FakePowerEvents& powerEvents() override { return m_powerEvents; }
    FakeSystemInfo& systemInfo() override { return m_systemInfo; }
    FakeInputSynthesizer& inputSynthesizer() override { return m_inputSynthesizer; }
    FakeScreenCapture& screenCapture() override { return m_screenCapture; }
    FakeWorkspace& workspace() override { return m_workspace; }

private:
    FakeScreens m_screens;
    FakeCompositor m_compositor;
    FakeCursor m_cursor;
    FakeDisplayProfile m_displayProfile;
    FakeWindowInput m_windowInput;
    FakeWindowList m_windowList;
    FakeWindowStacking m_windowStacking;
    FakePanelHints m_panelHints;
    FakeActiveApplication m_activeApplication;
    FakeEventTaps m_eventTaps;
    FakeHotKeys m_hotKeys;
    FakeKeyboardLayout m_keyboardLayout;
    FakeThemePreference m_themePreference;
    FakeLoginItems m_loginItems;
    FakePowerEvents m_powerEvents;
    FakeSystemInfo m_systemInfo;
    FakeInputSynthesizer m_inputSynthesizer;
    FakeScreenCapture m_screenCapture;
    FakeWorkspace m_workspace;
};
