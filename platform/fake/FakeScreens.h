#pragma once

#include "platform/Screens.h"

class FakeScreens final : public Screens {
public:
    FakeScreens();
    std::vector<ScreenInfo> screens() const override { return m_screens; }
    // The primary screen's frame, placed at the top left of the desktop.
    GlobalCoordinates coordinates() const override;

    void setScreens(std::vector<ScreenInfo> screens) { m_screens = std::move(screens); }

private:
    std::vector<ScreenInfo> m_screens;
};
