#pragma once

#include "uikit/application/NJApplication.h"

#include "foundation/ManualScheduler.h"
#include "foundation/UserDefaults.h"
#include "platform/fake/FakePlatform.h"
#include "tests/foundation/TemporaryFolder.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

// An application on the fake platform and the manual clock, with a settings file of
// its own.
class FakeApplicationTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Scheduler::setCurrent(&m_scheduler);
        auto platform = std::make_unique<FakePlatform>();
        m_platform = platform.get();
        m_app = std::make_unique<NJApplication>(m_argc, m_argv, std::move(platform));
        m_app->setUserDefaults(&m_defaults);
    }
    void TearDown() override
    {
        m_app.reset();
        Scheduler::setCurrent(nullptr);
    }

    // Global frames, the primary first.
    void setScreens(const std::vector<QRectF>& frames)
    {
        std::vector<ScreenInfo> screens;
        for (const QRectF& frame : frames)
            screens.push_back({frame, frame, 1.0});
        m_platform->screens().setScreens(screens);
    }

    int m_argc = 1;
    char m_arg0[8] = "test";
    char* m_argv[2] = {m_arg0, nullptr};
    ManualScheduler m_scheduler;
    TemporaryFolder m_folder;
    UserDefaults m_defaults {m_folder / "settings.plist"};
    FakePlatform* m_platform = nullptr;
    std::unique_ptr<NJApplication> m_app;
};
