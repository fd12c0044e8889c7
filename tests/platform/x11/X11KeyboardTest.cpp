#include "tests/platform/x11/X11ApplicationTest.h"

#include "uikit/shortcuts/NJShortcutView.h"

#include "platform/x11/X11Reply.h"

#include <QCoreApplication>
#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <xcb/xcb.h>
#include <xcb/xtest.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <vector>

namespace {

constexpr xcb_keysym_t kControlL = 0xffe3;
constexpr xcb_keysym_t kAltL = 0xffe9;
constexpr xcb_keysym_t kK = 0x6b;

// Another X client: it holds key grabs and types through XTEST.
class OtherClient final {
public:
    OtherClient()
        : m_connection(xcb_connect(nullptr, nullptr))
        , m_root(xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data->root)
    {
    }
    ~OtherClient() { xcb_disconnect(m_connection); }

    xcb_keycode_t keycode(xcb_keysym_t keysym)
    {
        const xcb_setup_t* setup = xcb_get_setup(m_connection);
        const int count = setup->max_keycode - setup->min_keycode + 1;
        const auto mapping = adoptReply(xcb_get_keyboard_mapping_reply(
            m_connection, xcb_get_keyboard_mapping(m_connection, setup->min_keycode, static_cast<std::uint8_t>(count)),
            nullptr));
        const xcb_keysym_t* keysyms = xcb_get_keyboard_mapping_keysyms(mapping.get());
        for (int i = 0; i < count; ++i) {
            if (keysyms[i * mapping->keysyms_per_keycode] == keysym)
                return static_cast<xcb_keycode_t>(setup->min_keycode + i);
        }
        return 0;
    }
    void grab(xcb_keysym_t keysym, std::uint16_t modifiers)
    {
        xcb_grab_key(m_connection, 1, m_root, modifiers, keycode(keysym), XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC);
        sync();
    }
    // Presses the keys in order and releases them in reverse.
    void type(const std::vector<xcb_keysym_t>& keys)
    {
        for (const xcb_keysym_t key : keys)
            xcb_test_fake_input(m_connection, XCB_KEY_PRESS, keycode(key), XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
        for (auto key = keys.rbegin(); key != keys.rend(); ++key)
            xcb_test_fake_input(m_connection, XCB_KEY_RELEASE, keycode(*key), XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
        sync();
    }
    xcb_window_t focus()
    {
        const auto reply = adoptReply(xcb_get_input_focus_reply(m_connection, xcb_get_input_focus(m_connection), nullptr));
        return reply ? reply->focus : XCB_NONE;
    }
    // The direct children of the root, bottom to top.
    std::vector<xcb_window_t> stackingOrder()
    {
        const auto tree = adoptReply(xcb_query_tree_reply(m_connection, xcb_query_tree(m_connection, m_root), nullptr));
        const xcb_window_t* children = xcb_query_tree_children(tree.get());
        return {children, children + xcb_query_tree_children_length(tree.get())};
    }
    // The root's child that holds the window: its frame under a window manager.
    xcb_window_t frameOf(xcb_window_t window)
    {
        for (;;) {
            const auto tree = adoptReply(xcb_query_tree_reply(m_connection, xcb_query_tree(m_connection, window), nullptr));
            if (!tree || tree->parent == m_root || tree->parent == XCB_NONE)
                return window;
            window = tree->parent;
        }
    }
    void sync() { std::free(xcb_get_input_focus_reply(m_connection, xcb_get_input_focus(m_connection), nullptr)); }

private:
    xcb_connection_t* m_connection;
    xcb_window_t m_root;
};

class X11KeyboardTest : public X11ApplicationTest {
protected:
    // Runs the event loop until the condition holds, for at most two seconds.
    static bool waitFor(const std::function<bool()>& condition)
    {
        QElapsedTimer timer;
        timer.start();
        while (!condition() && timer.elapsed() < 2000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        return condition();
    }
    static xcb_window_t idOf(const QWidget& window)
    {
        return static_cast<xcb_window_t>(window.windowHandle()->winId());
    }
    // Shows the window with a recorder, gives it the keyboard, records and types the
    // combination the other client holds.
    NJShortcutView* recordHeldCombination(QWidget& window)
    {
        m_other.grab(kK, XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1);
        auto* recorder = new NJShortcutView(&window);
        window.show();
        NJApplication::makeKeyWindow(&window);
        EXPECT_TRUE(waitFor([&] { return m_other.focus() == idOf(window); }));
        recorder->setRecording(true);
        m_other.type({kControlL, kAltL, kK});
        return recorder;
    }

    OtherClient m_other;
};

TEST_F(X11KeyboardTest, TheRecorderSeesACombinationAnotherProgramHoldsAndRefusesIt)
{
    std::vector<QString> alerts;
    NJShortcutView::setAlertPresenter([&alerts](const QString& title, const QString&) { alerts.push_back(title); });
    QWidget window;
    NJShortcutView* recorder = recordHeldCombination(window);
    EXPECT_TRUE(waitFor([&] { return !alerts.empty(); }));
    EXPECT_TRUE(recorder->isRecording());
    recorder->setRecording(false);
    NJShortcutView::setAlertPresenter(nullptr);
}

TEST_F(X11KeyboardTest, TheTakenAlertStandsAboveTheRecordersAlwaysOnTopWindow)
{
    QWidget window(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    window.setGeometry(200, 200, 600, 400);
    NJShortcutView* recorder = recordHeldCombination(window);
    std::vector<xcb_window_t> order;
    xcb_window_t alert = XCB_NONE;
    // The alert runs its own loop: it is looked at, then closed, from within it.
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible())
            return;
        poll.stop();
        alert = m_other.frameOf(idOf(*modal));
        m_other.sync();
        m_platform->connection().sync();
        order = m_other.stackingOrder();
        modal->close();
    });
    poll.start(20);
    EXPECT_TRUE(waitFor([&] { return alert != XCB_NONE; }));
    const auto position = [&order](xcb_window_t id) { return std::find(order.begin(), order.end(), id) - order.begin(); };
    EXPECT_GT(position(alert), position(m_other.frameOf(idOf(window))));
    recorder->setRecording(false);
}

} // namespace
