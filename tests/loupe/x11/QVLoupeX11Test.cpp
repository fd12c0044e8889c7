#include "loupe/NJZoomView.h"
#include "loupe/QVLensBase.h"
#include "loupe/QVLensWindow.h"
#include "loupe/QVLoupeController.h"
#include "loupe/QVMouseFollower.h"
#include "tests/loupe/RecordingLoupeHost.h"
#include "uikit/NJApplication.h"
#include "uikit/QtScheduler.h"

#include <QElapsedTimer>

#include <xcb/xcb.h>
#include <xcb/xtest.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <iostream>
#include <memory>
#include <vector>

namespace {

constexpr std::uint32_t kBackground = 0x808080;
constexpr std::uint32_t kBlock = 0xffcc00;
constexpr std::uint32_t kMarker = 0x336699;
constexpr QPoint kMarkerAt(640, 512);
constexpr int kCornerSide = 40;

// Another application: a window over the whole screen with colour blocks painted by
// the X server itself, and the pointer moved through XTest.
class Scene final {
public:
    Scene()
        : m_connection(xcb_connect(nullptr, nullptr))
        , m_screen(xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data)
    {
        const int w = width();
        const int h = height();
        m_window = window(m_screen->root, {0, 0, w, h}, kBackground, true);
        window(m_window, {kMarkerAt.x() - 100, kMarkerAt.y() - 100, 200, 200}, kBlock);
        window(m_window, {kMarkerAt.x(), kMarkerAt.y(), 1, 1}, kMarker);
        for (const auto& [corner, color] : corners())
            window(m_window, {corner.x() - corner.x() % kCornerSide, corner.y() - corner.y() % kCornerSide,
                              kCornerSide, kCornerSide}, color);
        sync();
    }
    ~Scene() { xcb_disconnect(m_connection); }

    int width() const { return m_screen->width_in_pixels; }
    int height() const { return m_screen->height_in_pixels; }
    // Each corner pixel of the screen and the colour of the block there.
    std::vector<std::pair<QPoint, std::uint32_t>> corners() const
    {
        return {{{0, 0}, 0xff0000},
                {{width() - 1, 0}, 0x00ff00},
                {{0, height() - 1}, 0x0000ff},
                {{width() - 1, height() - 1}, 0xff00ff}};
    }
    void movePointer(const QPoint& point)
    {
        xcb_test_fake_input(m_connection, XCB_MOTION_NOTIFY, 0, XCB_CURRENT_TIME, m_screen->root,
                            static_cast<std::int16_t>(point.x()), static_cast<std::int16_t>(point.y()), 0);
        xcb_flush(m_connection);
    }
    void sync() { std::free(xcb_get_input_focus_reply(m_connection, xcb_get_input_focus(m_connection), nullptr)); }
    // What the screen shows at the point, windows on top included, as 0xRRGGBB.
    std::uint32_t screenPixel(const QPoint& point)
    {
        xcb_get_image_reply_t* reply = xcb_get_image_reply(
            m_connection,
            xcb_get_image(m_connection, XCB_IMAGE_FORMAT_Z_PIXMAP, m_screen->root, static_cast<std::int16_t>(point.x()),
                          static_cast<std::int16_t>(point.y()), 1, 1, ~0u),
            nullptr);
        if (!reply)
            return 0xffffffffu;
        const std::uint8_t* bgrx = xcb_get_image_data(reply);
        const std::uint32_t rgb = (std::uint32_t(bgrx[2]) << 16) | (std::uint32_t(bgrx[1]) << 8) | bgrx[0];
        std::free(reply);
        return rgb;
    }

private:
    xcb_window_t window(xcb_window_t parent, const QRect& r, std::uint32_t pixel, bool overrideRedirect = false)
    {
        const xcb_window_t id = xcb_generate_id(m_connection);
        const std::uint32_t values[] = {pixel, overrideRedirect ? 1u : 0u};
        xcb_create_window(m_connection, XCB_COPY_FROM_PARENT, id, parent, static_cast<std::int16_t>(r.x()),
                          static_cast<std::int16_t>(r.y()), static_cast<std::uint16_t>(r.width()),
                          static_cast<std::uint16_t>(r.height()), 0, XCB_WINDOW_CLASS_INPUT_OUTPUT,
                          m_screen->root_visual, XCB_CW_BACK_PIXEL | XCB_CW_OVERRIDE_REDIRECT, values);
        xcb_map_window(m_connection, id);
        return id;
    }

    xcb_connection_t* m_connection;
    xcb_screen_t* m_screen;
    xcb_window_t m_window = 0;
};

// Counts the zoom view's finished repaints.
class PaintCounter final : public QObject {
public:
    bool eventFilter(QObject* object, QEvent* event) override
    {
        if (event->type() != QEvent::Paint || m_inPaint)
            return false;
        m_inPaint = true;
        object->event(event);
        m_inPaint = false;
        ++count;
        return true;
    }
    int count = 0;

private:
    bool m_inPaint = false;
};

class QVLoupeX11Test : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        qputenv("QT_QPA_PLATFORM", "xcb");
        qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
        static int argc = 1;
        static char arg0[] = "loupex11test";
        static char* argv[] = {arg0, nullptr};
        s_app = new NJApplication(argc, argv);
        s_scheduler = new QtScheduler;
        Scheduler::setCurrent(s_scheduler);
    }
    static void TearDownTestSuite()
    {
        Scheduler::setCurrent(nullptr);
        delete s_scheduler;
        delete s_app;
    }
    void SetUp() override
    {
        m_scene = std::make_unique<Scene>();
        waitFor([] { return false; }, 100);
        m_loupe = std::make_unique<QVLoupeController>(m_host, s_app->platform());
        m_loupe->initZoomView(nullptr);
        m_loupe->zoomView().installEventFilter(&m_paints);
        m_loupe->mouse().registerMouseListener();
        m_loupe->mouse().setMouseFollow(true);
        m_loupe->showWindow(true);
        waitFor([this] { return m_loupe->window().isVisible(); }, 1000);
    }
    void TearDown() override
    {
        m_loupe->orderOut();
        m_loupe.reset();
        m_scene.reset();
    }

    // Runs the event loop until the condition holds or the time (ms) is up.
    static bool waitFor(const std::function<bool()>& condition, int milliseconds)
    {
        QElapsedTimer timer;
        timer.start();
        while (!condition()) {
            if (timer.elapsed() > milliseconds)
                return false;
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        }
        return true;
    }
    QPointF global(const QPoint& topLeft) const { return {double(topLeft.x()), double(m_scene->height() - topLeft.y())}; }
    // Moves the pointer and waits until the loupe has been placed there and repainted.
    bool moveTo(const QPoint& topLeft)
    {
        const int paints = m_paints.count;
        m_scene->movePointer(topLeft);
        const QPointF target = global(topLeft);
        return waitFor([&] { return m_loupe->lastCenter() == target && m_paints.count > paints; }, 2000);
    }
    std::uint32_t pickedColor()
    {
        const auto color = m_loupe->zoomView().centerColor();
        return color ? static_cast<std::uint32_t>(std::stoul(color->getPlainHexString(), nullptr, 16)) : 0xffffffffu;
    }

    static NJApplication* s_app;
    static QtScheduler* s_scheduler;
    std::unique_ptr<Scene> m_scene;
    RecordingLoupeHost m_host;
    PaintCounter m_paints;
    std::unique_ptr<QVLoupeController> m_loupe;
};

NJApplication* QVLoupeX11Test::s_app = nullptr;
QtScheduler* QVLoupeX11Test::s_scheduler = nullptr;

TEST_F(QVLoupeX11Test, TheLoupeHoldsThePointerAndFollowsItOntoTheMarker)
{
    EXPECT_TRUE(m_loupe->window().pointerGrabbed());
    ASSERT_TRUE(moveTo(kMarkerAt));
    EXPECT_EQ(m_loupe->window().frame().center(), global(kMarkerAt));
    EXPECT_EQ(pickedColor(), kMarker);

    ASSERT_TRUE(moveTo(kMarkerAt + QPoint(1, 0)));
    EXPECT_EQ(pickedColor(), kBlock);
    ASSERT_TRUE(moveTo(kMarkerAt + QPoint(0, 1)));
    EXPECT_EQ(pickedColor(), kBlock);
}

TEST_F(QVLoupeX11Test, AtTheScreensCornersTheLoupeCentresOnTheCornerPixel)
{
    for (const auto& [corner, color] : m_scene->corners()) {
        ASSERT_TRUE(moveTo(corner)) << corner.x() << "," << corner.y();
        EXPECT_EQ(m_loupe->window().frame().center(), global(corner));
        EXPECT_EQ(pickedColor(), color) << corner.x() << "," << corner.y();
    }
}

TEST_F(QVLoupeX11Test, TheScreenShowsThePickedPixelMagnifiedInTheLensCentre)
{
    ASSERT_TRUE(moveTo(kMarkerAt));
    waitFor([] { return false; }, 100);
    // At zoom 8 the picked pixel covers the 8 x 8 square from 4 points up and left of
    // the pointer; the focus square lies on the pixels around it.
    for (const QPoint& inside : {QPoint(-3, -3), QPoint(0, 0), QPoint(2, 2)})
        EXPECT_EQ(m_scene->screenPixel(kMarkerAt + inside), kMarker) << inside.x() << "," << inside.y();
    // Left of the centre (the info box lies to the right) the block shows magnified.
    EXPECT_EQ(m_scene->screenPixel(kMarkerAt + QPoint(-30, 2)), kBlock);
}

TEST_F(QVLoupeX11Test, MotionToRepaintLatencyOverAThousandMoves)
{
    constexpr int kMoves = 1000;
    std::vector<double> latencies;
    latencies.reserve(kMoves);
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < kMoves; ++i) {
        const QPoint point(300 + i % 600, 300 + (i / 600) * 7 + i % 3);
        const qint64 start = clock.nsecsElapsed();
        ASSERT_TRUE(moveTo(point)) << i;
        latencies.push_back((clock.nsecsElapsed() - start) / 1e6);
    }
    std::sort(latencies.begin(), latencies.end());
    const double median = latencies[kMoves / 2];
    const double p99 = latencies[kMoves * 99 / 100];
    std::cout << "motion to repaint over " << kMoves << " moves: median " << median << " ms, p99 " << p99 << " ms, max "
              << latencies.back() << " ms\n";
    RecordProperty("median_ms", std::to_string(median));
    RecordProperty("p99_ms", std::to_string(p99));
}

} // namespace
