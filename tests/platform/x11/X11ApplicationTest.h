#pragma once

#include "uikit/application/NJApplication.h"

#include "foundation/ManualScheduler.h"
#include "platform/x11/X11Platform.h"
#include "platform/x11/X11Reply.h"

#include <QRect>

#include <xcb/xcb.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <chrono>
#include <thread>

// Windows as a window manager, when one runs, leaves them: framed, mapped a little later.
namespace x11windows {

// The window's ancestor among the root's children: the window itself, or its frame.
inline xcb_window_t topLevel(xcb_connection_t* c, xcb_window_t window)
{
    for (;;) {
        const auto tree = adoptReply(xcb_query_tree_reply(c, xcb_query_tree(c, window), nullptr));
        if (!tree || tree->parent == tree->root || tree->parent == XCB_WINDOW_NONE)
            return window;
        window = tree->parent;
    }
}

// Where a window lies on the root, in top-left coordinates, its border included.
inline QRect bounds(xcb_connection_t* c, xcb_window_t window)
{
    const auto geometry = adoptReply(xcb_get_geometry_reply(c, xcb_get_geometry(c, window), nullptr));
    const auto origin = adoptReply(
        xcb_translate_coordinates_reply(c, xcb_translate_coordinates(c, window, geometry->root, 0, 0), nullptr));
    const int border = geometry->border_width;
    return QRect(origin->dst_x - border, origin->dst_y - border, geometry->width + 2 * border,
                 geometry->height + 2 * border);
}

// Waits until the window is viewable, as it is at once with no window manager.
inline bool waitUntilViewable(xcb_connection_t* c, xcb_window_t window)
{
    for (int i = 0; i < 300; ++i) {
        const auto attributes =
            adoptReply(xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, window), nullptr));
        if (attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE)
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}

// Whether a window manager runs: only one client at a time may redirect the root's
// children, and it is the window manager.
inline bool windowManagerRuns(xcb_connection_t* c, xcb_window_t root)
{
    const std::uint32_t redirect = XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT;
    const auto error = adoptReply(
        xcb_request_check(c, xcb_change_window_attributes_checked(c, root, XCB_CW_EVENT_MASK, &redirect)));
    if (error)
        return true;
    const std::uint32_t nothing = 0;
    xcb_change_window_attributes(c, root, XCB_CW_EVENT_MASK, &nothing);
    std::free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
    return false;
}

} // namespace x11windows

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
