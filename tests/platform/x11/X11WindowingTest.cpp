#include "tests/platform/x11/X11ApplicationTest.h"

#include "uikit/application/ColorProfileSettings.h"
#include "uikit/windows/WNJShadowWindow.h"

#include "platform/Compositor.h"
#include "platform/DisplayProfile.h"
#include "platform/x11/X11Platform.h"
#include "platform/x11/X11Reply.h"

#include <QCoreApplication>
#include <QLabel>

#include <xcb/shape.h>
#include <xcb/xcb.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>
#include <cstdlib>
#include <vector>

namespace {

// The display profile, the compositor and our windows' shapes and stacking, seen by
// the X server.
class X11WindowingTest : public X11ApplicationTest {
protected:
    xcb_connection_t* connection() { return m_platform->connection().connection(); }
    xcb_atom_t atom(const char* name) { return m_platform->connection().atom(name); }
    // Lets the server see everything Qt has sent.
    void settle()
    {
        QCoreApplication::processEvents();
        m_platform->connection().sync();
    }
    // The direct children of the root, bottom to top.
    std::vector<xcb_window_t> stackingOrder()
    {
        const auto tree = adoptReply(
            xcb_query_tree_reply(connection(), xcb_query_tree(connection(), m_platform->connection().root()), nullptr));
        const xcb_window_t* children = xcb_query_tree_children(tree.get());
        return {children, children + xcb_query_tree_children_length(tree.get())};
    }
};

TEST_F(X11WindowingTest, ProfileIsWrittenAndRestoredByteForByte)
{
    // The root window's property, as other clients see it.
    const auto property = [this] {
        const auto reply = adoptReply(xcb_get_property_reply(
            connection(),
            xcb_get_property(connection(), 0, m_platform->connection().root(), atom("_ICC_PROFILE"),
                             XCB_GET_PROPERTY_TYPE_ANY, 0, 1 << 20),
            nullptr));
        const auto* data = static_cast<const std::uint8_t*>(xcb_get_property_value(reply.get()));
        return std::make_tuple(reply->type, reply->format,
                               std::vector<std::uint8_t>(data, data + xcb_get_property_value_length(reply.get())));
    };
    DisplayProfile& display = m_platform->displayProfile();
    for (const std::uint8_t format : {8, 32}) {
        const std::vector<std::uint8_t> own {0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08};
        xcb_change_property(connection(), XCB_PROP_MODE_REPLACE, m_platform->connection().root(),
                            atom("_ICC_PROFILE"), XCB_ATOM_INTEGER, format,
                            static_cast<std::uint32_t>(own.size() / (format / 8)), own.data());
        settle();
        const auto before = property();

        ColorProfileSettings settings(display);
        settings.initColorProfileSettings();
        settings.installsRGBProfile();
        const auto installed = display.read();
        ASSERT_TRUE(installed.profile.has_value());
        const DisplayProfile::Bytes& bytes = installed.profile->bytes;
        ASSERT_GT(bytes.size(), 40U);
        EXPECT_EQ(std::string(bytes.begin() + 36, bytes.begin() + 40), "acsp");
        EXPECT_EQ(std::get<1>(property()), 8);

        settings.restoreColorProfileSettings();
        EXPECT_EQ(property(), before) << int(format);
    }

    // Without a profile to begin with, restoring removes ours again.
    ASSERT_EQ(display.remove(), 0);
    ColorProfileSettings settings(display);
    settings.initColorProfileSettings();
    settings.installsRGBProfile();
    EXPECT_TRUE(display.read().profile.has_value());
    settings.restoreColorProfileSettings();
    EXPECT_FALSE(display.read().profile.has_value());
}

TEST_F(X11WindowingTest, RoundedWindowWithoutACompositorIsShaped)
{
    ASSERT_FALSE(m_platform->compositor().isRunning());
    WNJShadowWindow window;
    window.setFrame(QRectF(100, 100, 200, 150), false);
    QLabel content(&window);
    window.addCustomWindowShadow(&content);
    window.show();
    settle();
    EXPECT_EQ(window.shadowWindow(), nullptr);

    const auto rectangles = adoptReply(xcb_shape_get_rectangles_reply(
        connection(),
        xcb_shape_get_rectangles(connection(), static_cast<xcb_window_t>(window.winId()), XCB_SHAPE_SK_BOUNDING),
        nullptr));
    ASSERT_NE(rectangles, nullptr);
    const xcb_rectangle_t* first = xcb_shape_get_rectangles_rectangles(rectangles.get());
    const int count = xcb_shape_get_rectangles_rectangles_length(rectangles.get());
    ASSERT_GT(count, 1);
    auto covers = [&](int x, int y) {
        return std::any_of(first, first + count, [&](const xcb_rectangle_t& r) {
            return x >= r.x && x < r.x + r.width && y >= r.y && y < r.y + r.height;
        });
    };
    EXPECT_FALSE(covers(0, 0));
    EXPECT_FALSE(covers(199, 149));
    EXPECT_TRUE(covers(100, 75));
    EXPECT_TRUE(covers(100, 0));
}

TEST_F(X11WindowingTest, WithACompositorTheShadowPanelStandsDirectlyBelow)
{
    // Another client takes the compositing manager's selection.
    xcb_connection_t* other = xcb_connect(nullptr, nullptr);
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(other)).data;
    const xcb_window_t owner = xcb_generate_id(other);
    xcb_create_window(other, XCB_COPY_FROM_PARENT, owner, screen->root, 0, 0, 1, 1, 0, XCB_WINDOW_CLASS_INPUT_ONLY,
                      XCB_COPY_FROM_PARENT, 0, nullptr);
    xcb_set_selection_owner(other, owner, atom("_NET_WM_CM_S0"), XCB_CURRENT_TIME);
    std::free(xcb_get_input_focus_reply(other, xcb_get_input_focus(other), nullptr));
    EXPECT_TRUE(m_platform->compositor().isRunning());

    {
        QWidget unrelated(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::X11BypassWindowManagerHint);
        unrelated.setGeometry(0, 0, 50, 50);
        WNJShadowWindow window(nullptr, Qt::X11BypassWindowManagerHint);
        window.setFrame(QRectF(300, 300, 200, 150), false);
        window.addShadowWnd();
        window.show();
        unrelated.show();
        settle();
        window.raise();
        settle();
        ASSERT_NE(window.shadowWindow(), nullptr);
        EXPECT_TRUE(window.shadowWindow()->isVisible());
        // A replacement panel goes below the window as well.
        window.addShadowWnd();
        settle();
        const std::vector<xcb_window_t> order = stackingOrder();
        const auto shadow = std::find(order.begin(), order.end(), window.shadowWindow()->winId());
        ASSERT_NE(shadow, order.end());
        ASSERT_NE(shadow + 1, order.end());
        EXPECT_EQ(*(shadow + 1), window.winId());
    }
    xcb_disconnect(other);
    settle();
    EXPECT_FALSE(m_platform->compositor().isRunning());
}

TEST_F(X11WindowingTest, TheShadowPanelFollowsTheFrameAndTheCompositor)
{
    xcb_connection_t* other = xcb_connect(nullptr, nullptr);
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(other)).data;
    auto roundTrip = [other] { std::free(xcb_get_input_focus_reply(other, xcb_get_input_focus(other), nullptr)); };
    const xcb_window_t owner = xcb_generate_id(other);
    xcb_create_window(other, XCB_COPY_FROM_PARENT, owner, screen->root, 0, 0, 1, 1, 0, XCB_WINDOW_CLASS_INPUT_ONLY,
                      XCB_COPY_FROM_PARENT, 0, nullptr);
    xcb_set_selection_owner(other, owner, atom("_NET_WM_CM_S0"), XCB_CURRENT_TIME);
    roundTrip();
    settle();

    // A window manager makes the frame first and reparents the window into it after
    // the map, when the panel already stands above the frame. With none running, this
    // client plays its part.
    const bool managed = x11windows::windowManagerRuns(other, screen->root);
    xcb_window_t frame = XCB_WINDOW_NONE;
    if (!managed) {
        frame = xcb_generate_id(other);
        xcb_create_window(other, XCB_COPY_FROM_PARENT, frame, screen->root, 290, 290, 220, 180, 0,
                          XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT, 0, nullptr);
        roundTrip();
    }
    WNJShadowWindow window;
    window.setFrame(QRectF(300, 300, 200, 150), false);
    QLabel content(&window);
    window.addCustomWindowShadow(&content);
    window.show();
    settle();
    ASSERT_NE(window.shadowWindow(), nullptr);
    const xcb_window_t panel = window.shadowWindow()->winId();
    if (managed) {
        for (int i = 0; i < 200 && x11windows::topLevel(other, window.winId()) == window.winId(); ++i) {
            settle();
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        frame = x11windows::topLevel(other, window.winId());
        ASSERT_NE(frame, window.winId());
    } else {
        xcb_reparent_window(other, window.winId(), frame, 10, 10);
        xcb_map_window(other, frame);
        roundTrip();
    }
    settle();
    settle();
    std::vector<xcb_window_t> order = stackingOrder();
    auto below = std::find(order.begin(), order.end(), panel);
    ASSERT_NE(below, order.end());
    ASSERT_NE(below + 1, order.end());
    EXPECT_EQ(*(below + 1), frame);

    // The compositing manager goes: the panel goes with it and the window is shaped.
    xcb_destroy_window(other, owner);
    roundTrip();
    settle();
    settle();
    EXPECT_FALSE(m_platform->compositor().isRunning());
    EXPECT_EQ(window.shadowWindow(), nullptr);
    xcb_disconnect(other);
    settle();
}

} // namespace
