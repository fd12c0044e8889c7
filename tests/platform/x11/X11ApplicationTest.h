#pragma once

#include "uikit/application/NJApplication.h"

#include "foundation/ManualScheduler.h"
#include "platform/x11/X11Platform.h"

#include <gtest/gtest.h>

#include <cstdlib>

// One application on the X server for the whole suite, its X11 services, and the
// manual clock; tests skip without a DISPLAY.
class X11ApplicationTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        if (!std::getenv("DISPLAY"))
            return;
        qputenv("QT_QPA_PLATFORM", "xcb");
        static int argc = 1;
        static char arg0[] = "x11test";
        static char* argv[] = {arg0, nullptr};
        s_app = new NJApplication(argc, argv);
    }
    static void TearDownTestSuite()
    {
        delete s_app;
        s_app = nullptr;
    }
    void SetUp() override
    {
        if (!s_app)
            GTEST_SKIP() << "needs an X server";
        m_platform = dynamic_cast<X11Platform*>(&s_app->platform());
        ASSERT_NE(m_platform, nullptr);
        Scheduler::setCurrent(&m_scheduler);
    }
    void TearDown() override { Scheduler::setCurrent(nullptr); }

    static inline NJApplication* s_app = nullptr;
    X11Platform* m_platform = nullptr;
    ManualScheduler m_scheduler;
};
