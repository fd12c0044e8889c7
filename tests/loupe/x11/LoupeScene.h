#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QObject>
#include <QPoint>
#include <QRect>

#include <xcb/xcb.h>
#include <xcb/xtest.h>

#include <cstdint>
#include <cstdlib>
#include <functional>
#include <utility>
#include <vector>

namespace loupex11 {

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
    void click(int button)
    {
        for (const std::uint8_t type : {XCB_BUTTON_PRESS, XCB_BUTTON_RELEASE})
            xcb_test_fake_input(m_connection, type, static_cast<std::uint8_t>(button), XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
        xcb_flush(m_connection);
    }
    // Holds the pointer as another program's drag or open menu does.
    void grabPointer()
    {
        std::free(xcb_grab_pointer_reply(m_connection,
                                         xcb_grab_pointer(m_connection, 0, m_window, 0, XCB_GRAB_MODE_ASYNC,
                                                          XCB_GRAB_MODE_ASYNC, XCB_NONE, XCB_NONE, XCB_CURRENT_TIME),
                                         nullptr));
    }
    void ungrabPointer()
    {
        xcb_ungrab_pointer(m_connection, XCB_CURRENT_TIME);
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

// Runs the event loop until the condition holds or the time (ms) is up.
inline bool waitFor(const std::function<bool()>& condition, int milliseconds)
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

} // namespace loupex11
