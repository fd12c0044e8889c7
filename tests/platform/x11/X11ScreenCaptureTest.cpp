#include "X11ApplicationTest.h"

#include "platform/ScreenCapture.h"

#include <xcb/xcb.h>

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

constexpr std::uint32_t kRed = 0xff0000;
constexpr std::uint32_t kGreen = 0x00ff00;
constexpr std::uint32_t kMagenta = 0xff00ff;
constexpr QRect kScene(100, 100, 400, 300);
constexpr QRect kLoupe(200, 150, 100, 100);

// Another X client that shows windows filled with one colour each.
class Painter final {
public:
    Painter()
        : m_connection(xcb_connect(nullptr, nullptr))
        , m_screen(xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data)
    {
    }
    ~Painter() { xcb_disconnect(m_connection); }

    xcb_window_t show(const QRect& rect, std::uint32_t color)
    {
        const xcb_window_t window = xcb_generate_id(m_connection);
        const std::uint32_t values[] = {color, 1};
        xcb_create_window(m_connection, XCB_COPY_FROM_PARENT, window, m_screen->root, static_cast<std::int16_t>(rect.x()),
                          static_cast<std::int16_t>(rect.y()), static_cast<std::uint16_t>(rect.width()),
                          static_cast<std::uint16_t>(rect.height()), 0, XCB_WINDOW_CLASS_INPUT_OUTPUT,
                          m_screen->root_visual, XCB_CW_BACK_PIXEL | XCB_CW_OVERRIDE_REDIRECT, values);
        xcb_map_window(m_connection, window);
        sync();
        return window;
    }
    void fill(xcb_window_t window, std::uint32_t color)
    {
        xcb_change_window_attributes(m_connection, window, XCB_CW_BACK_PIXEL, &color);
        xcb_clear_area(m_connection, 0, window, 0, 0, 0, 0);
        sync();
    }
    void move(xcb_window_t window, const QPoint& to)
    {
        const std::uint32_t values[] = {static_cast<std::uint32_t>(to.x()), static_cast<std::uint32_t>(to.y())};
        xcb_configure_window(m_connection, window, XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y, values);
        sync();
    }
    void sync() { std::free(xcb_get_input_focus_reply(m_connection, xcb_get_input_focus(m_connection), nullptr)); }

private:
    xcb_connection_t* m_connection;
    xcb_screen_t* m_screen;
};

int pixelsOf(const QImage& image, std::uint32_t color)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += image.pixel(x, y) == (0xff000000u | color);
    return count;
}

class X11ScreenCaptureTest : public X11ApplicationTest {
protected:
    void TearDown() override
    {
        if (m_platform)
            capture().endSession();
        X11ApplicationTest::TearDown();
    }
    ScreenCapture& capture() { return m_platform->screenCapture(); }
    // Lets the capture hear the damage the painter caused.
    void settle()
    {
        m_painter.sync();
        m_platform->connection().sync();
    }

    Painter m_painter;
};

TEST_F(X11ScreenCaptureTest, OutsideASessionTheScreenIsReadAsItIsAndOpaque)
{
    m_painter.show(kScene, kRed);
    const QImage image = capture().capture(QRect(150, 150, 10, 10));
    ASSERT_EQ(image.size(), QSize(10, 10));
    EXPECT_EQ(pixelsOf(image, kRed), 100);

    const QImage edge = capture().capture(QRect(1275, 1020, 10, 10));
    ASSERT_EQ(edge.size(), QSize(10, 10));
    EXPECT_EQ(edge.pixel(9, 9), 0xff000000u);
    EXPECT_EQ(qAlpha(edge.pixel(0, 0)), 255);
}

TEST_F(X11ScreenCaptureTest, SessionNeverShowsTheLoupeAndFollowsChangesOutsideIt)
{
    const xcb_window_t scene = m_painter.show(kScene, kRed);
    ASSERT_TRUE(capture().beginSession());
    capture().setExcludedRegion(QRegion(kLoupe));
    const xcb_window_t loupe = m_painter.show(kLoupe, kMagenta);
    settle();

    const QRect around = kLoupe.adjusted(-10, -10, 10, 10);
    QImage image = capture().capture(around);
    EXPECT_EQ(pixelsOf(image, kMagenta), 0);
    EXPECT_EQ(pixelsOf(image, kRed), around.width() * around.height());

    // The part under the loupe stays as it was when the loupe arrived.
    m_painter.fill(scene, kGreen);
    settle();
    image = capture().capture(around);
    EXPECT_EQ(pixelsOf(image, kMagenta), 0);
    EXPECT_EQ(pixelsOf(image, kRed), kLoupe.width() * kLoupe.height());
    EXPECT_EQ(pixelsOf(image, kGreen), around.width() * around.height() - kLoupe.width() * kLoupe.height());

    // Once the loupe moves on, what it uncovered comes back.
    const QRect moved = kLoupe.translated(150, 50);
    capture().setExcludedRegion(QRegion(moved));
    m_painter.move(loupe, moved.topLeft());
    settle();
    image = capture().capture(kScene);
    EXPECT_EQ(pixelsOf(image, kMagenta), 0);
    EXPECT_EQ(pixelsOf(image.copy(kLoupe.translated(-kScene.topLeft())), kGreen), kLoupe.width() * kLoupe.height());

    capture().endSession();
    EXPECT_FALSE(capture().sessionActive());
    EXPECT_EQ(pixelsOf(capture().capture(moved), kMagenta), moved.width() * moved.height());
}

TEST_F(X11ScreenCaptureTest, ASessionAfterPreparingSnapshotsTheScreenAsItIsThen)
{
    const xcb_window_t scene = m_painter.show(kScene, kRed);
    capture().prepare();
    m_painter.fill(scene, kGreen);
    ASSERT_TRUE(capture().beginSession());
    capture().setExcludedRegion(QRegion(kLoupe));
    EXPECT_EQ(pixelsOf(capture().capture(kScene), kGreen), kScene.width() * kScene.height());

    // Preparing again while the session runs leaves its snapshot alone.
    m_painter.show(kLoupe, kMagenta);
    capture().prepare();
    settle();
    EXPECT_EQ(pixelsOf(capture().capture(kLoupe), kMagenta), 0);
}

TEST_F(X11ScreenCaptureTest, AChangePartlyUnderTheLoupeKeepsItsPartOutside)
{
    // No window covers the loupe's place: the scene's change arrives as one rectangle
    // that overlaps it.
    const xcb_window_t scene = m_painter.show(kScene, kRed);
    ASSERT_TRUE(capture().beginSession());
    capture().setExcludedRegion(QRegion(kLoupe));
    m_painter.fill(scene, kGreen);
    settle();

    const QImage image = capture().capture(kScene);
    EXPECT_EQ(pixelsOf(image, kRed), kLoupe.width() * kLoupe.height());
    EXPECT_EQ(pixelsOf(image, kGreen), kScene.width() * kScene.height() - kLoupe.width() * kLoupe.height());
}

TEST_F(X11ScreenCaptureTest, NewSnapshotKeepsWhatLiesUnderTheLoupe)
{
    const xcb_window_t scene = m_painter.show(kScene, kRed);
    ASSERT_TRUE(capture().beginSession());
    capture().setExcludedRegion(QRegion(kLoupe));
    m_painter.show(kLoupe, kMagenta);
    m_painter.fill(scene, kGreen);
    capture().resnapshot();
    settle();

    const QImage image = capture().capture(kScene);
    EXPECT_EQ(pixelsOf(image, kMagenta), 0);
    EXPECT_EQ(pixelsOf(image, kRed), kLoupe.width() * kLoupe.height());
    EXPECT_EQ(pixelsOf(image, kGreen), kScene.width() * kScene.height() - kLoupe.width() * kLoupe.height());
}

} // namespace
