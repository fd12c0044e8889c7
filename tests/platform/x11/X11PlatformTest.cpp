#include "tests/platform/x11/X11ApplicationTest.h"

#include "foundation/ManualScheduler.h"
#include "platform/ActiveApplication.h"
#include "platform/Cursor.h"
#include "platform/EventTaps.h"
#include "platform/HotKeys.h"
#include "platform/InputSynthesizer.h"
#include "platform/KeyboardLayout.h"
#include "platform/ModifierFlags.h"
#include "platform/Screens.h"
#include "platform/ThemePreference.h"
#include "platform/WindowList.h"
#include "platform/x11/X11HotKeys.h"
#include "platform/x11/X11KeyboardHold.h"
#include "platform/x11/X11KeyboardLayout.h"
#include "platform/x11/X11Platform.h"
#include "uikit/shortcuts/NJShortcutView.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <QWidget>

#include <xcb/xcb.h>
#include <xcb/xtest.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr const char* kOwnerClass = "VendrelOwnerTest";

// The hot-key helper process the platform started, or -1.
pid_t hotKeyHelper()
{
    const std::string self = std::to_string(getpid());
    std::ifstream children("/proc/" + self + "/task/" + self + "/children");
    for (pid_t child = 0; children >> child;) {
        std::string comm;
        std::getline(std::ifstream("/proc/" + std::to_string(child) + "/comm"), comm);
        if (comm == "vendrel-hotkeys")
            return child;
    }
    return -1;
}

// Another X client, as another application would be.
class OtherClient final {
public:
    OtherClient()
        : m_connection(xcb_connect(nullptr, nullptr))
        , m_screen(xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data)
    {
    }
    ~OtherClient() { xcb_disconnect(m_connection); }

    xcb_window_t createWindow(int x, int y, int width, int height, const std::string& wmClass)
    {
        const xcb_window_t window = xcb_generate_id(m_connection);
        xcb_create_window(m_connection, XCB_COPY_FROM_PARENT, window, m_screen->root, static_cast<std::int16_t>(x),
                          static_cast<std::int16_t>(y), static_cast<std::uint16_t>(width),
                          static_cast<std::uint16_t>(height), 0, XCB_WINDOW_CLASS_INPUT_OUTPUT, m_screen->root_visual,
                          0, nullptr);
        if (!wmClass.empty()) {
            const std::string value = std::string("vendrel-test") + '\0' + wmClass + '\0';
            xcb_change_property(m_connection, XCB_PROP_MODE_REPLACE, window, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, 8,
                                static_cast<std::uint32_t>(value.size()), value.data());
        }
        xcb_map_window(m_connection, window);
        sync();
        x11windows::waitUntilViewable(m_connection, window);
        return window;
    }
    void setCardinal(xcb_window_t window, const char* name, xcb_atom_t type, std::uint32_t value)
    {
        setCardinals(window, name, type, {value});
    }
    void setCardinals(xcb_window_t window, const char* name, xcb_atom_t type, const std::vector<std::uint32_t>& values)
    {
        xcb_change_property(m_connection, XCB_PROP_MODE_REPLACE, window, atom(name), type, 32,
                            static_cast<std::uint32_t>(values.size()), values.data());
        sync();
    }
    void deleteProperty(xcb_window_t window, const char* name)
    {
        xcb_delete_property(m_connection, window, atom(name));
        sync();
    }
    void setBlob(xcb_window_t window, const char* name, const std::vector<std::uint8_t>& blob)
    {
        xcb_change_property(m_connection, XCB_PROP_MODE_REPLACE, window, atom(name), atom(name), 8,
                            static_cast<std::uint32_t>(blob.size()), blob.data());
        sync();
    }
    // Takes a manager selection and announces it on the root window.
    void becomeManager(const char* selection, xcb_window_t owner)
    {
        xcb_set_selection_owner(m_connection, owner, atom(selection), XCB_CURRENT_TIME);
        xcb_client_message_event_t message {};
        message.response_type = XCB_CLIENT_MESSAGE;
        message.format = 32;
        message.window = m_screen->root;
        message.type = atom("MANAGER");
        message.data.data32[0] = XCB_CURRENT_TIME;
        message.data.data32[1] = atom(selection);
        message.data.data32[2] = owner;
        xcb_send_event(m_connection, 0, m_screen->root, XCB_EVENT_MASK_STRUCTURE_NOTIFY,
                       reinterpret_cast<const char*>(&message));
        sync();
    }
    // Makes the window the active one: a window manager is asked, as a pager asks it;
    // with none this client plays its part and writes the root's property.
    void activate(xcb_window_t window)
    {
        if (x11windows::windowManagerRuns(m_connection, m_screen->root)) {
            xcb_client_message_event_t message {};
            message.response_type = XCB_CLIENT_MESSAGE;
            message.format = 32;
            message.window = window;
            message.type = atom("_NET_ACTIVE_WINDOW");
            message.data.data32[0] = 2;
            xcb_send_event(m_connection, 0, m_screen->root,
                           XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                           reinterpret_cast<const char*>(&message));
        } else {
            setCardinal(m_screen->root, "_NET_ACTIVE_WINDOW", XCB_ATOM_WINDOW, window);
        }
        for (int i = 0; i < 200 && activeWindow() != window; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    xcb_window_t activeWindow()
    {
        auto* reply = xcb_get_property_reply(
            m_connection,
            xcb_get_property(m_connection, 0, m_screen->root, atom("_NET_ACTIVE_WINDOW"), XCB_ATOM_WINDOW, 0, 1),
            nullptr);
        const xcb_window_t window = reply && xcb_get_property_value_length(reply) == 4
            ? *static_cast<const xcb_window_t*>(xcb_get_property_value(reply))
            : xcb_window_t {XCB_WINDOW_NONE};
        std::free(reply);
        return window;
    }
    QPoint pointer()
    {
        auto* reply = xcb_query_pointer_reply(m_connection, xcb_query_pointer(m_connection, m_screen->root), nullptr);
        const QPoint point(reply->root_x, reply->root_y);
        std::free(reply);
        return point;
    }
    // The first key code that types a keysym.
    xcb_keycode_t keycode(std::uint32_t keysym)
    {
        const xcb_setup_t* setup = xcb_get_setup(m_connection);
        const int count = setup->max_keycode - setup->min_keycode + 1;
        auto* reply = xcb_get_keyboard_mapping_reply(
            m_connection,
            xcb_get_keyboard_mapping(m_connection, setup->min_keycode, static_cast<std::uint8_t>(count)), nullptr);
        const xcb_keysym_t* keysyms = xcb_get_keyboard_mapping_keysyms(reply);
        xcb_keycode_t found = 0;
        for (int i = 0; i < count && !found; ++i) {
            if (keysyms[i * reply->keysyms_per_keycode] == keysym)
                found = static_cast<xcb_keycode_t>(setup->min_keycode + i);
        }
        std::free(reply);
        return found;
    }
    // Gives a key code another keysym on its first level, as xmodmap would.
    void remap(xcb_keycode_t keycode, xcb_keysym_t keysym)
    {
        auto* reply = xcb_get_keyboard_mapping_reply(m_connection, xcb_get_keyboard_mapping(m_connection, keycode, 1),
                                                     nullptr);
        std::vector<xcb_keysym_t> keysyms(xcb_get_keyboard_mapping_keysyms(reply),
                                          xcb_get_keyboard_mapping_keysyms(reply) + reply->keysyms_per_keycode);
        keysyms[0] = keysym;
        xcb_change_keyboard_mapping(m_connection, 1, keycode, reply->keysyms_per_keycode, keysyms.data());
        std::free(reply);
        sync();
    }
    // Key presses and releases as the keyboard would send them.
    void key(std::uint8_t type, xcb_keycode_t keycode)
    {
        xcb_test_fake_input(m_connection, type, keycode, XCB_CURRENT_TIME, XCB_WINDOW_NONE, 0, 0, 0);
        sync();
    }
    void tap(xcb_keycode_t keycode)
    {
        key(XCB_KEY_PRESS, keycode);
        key(XCB_KEY_RELEASE, keycode);
    }
    bool isDown(xcb_keycode_t keycode)
    {
        auto* reply = xcb_query_keymap_reply(m_connection, xcb_query_keymap(m_connection), nullptr);
        const bool down = reply->keys[keycode / 8] & (1 << (keycode % 8));
        std::free(reply);
        return down;
    }
    bool grabKey(xcb_keycode_t keycode, std::uint16_t modifiers)
    {
        auto* error = xcb_request_check(m_connection, xcb_grab_key_checked(m_connection, 1, m_screen->root, modifiers,
                                                                           keycode, XCB_GRAB_MODE_ASYNC,
                                                                           XCB_GRAB_MODE_ASYNC));
        std::free(error);
        return error == nullptr;
    }
    xcb_window_t root() const { return m_screen->root; }
    xcb_connection_t* connection() const { return m_connection; }
    int height() const { return m_screen->height_in_pixels; }
    int width() const { return m_screen->width_in_pixels; }

    void sync()
    {
        std::free(xcb_get_input_focus_reply(m_connection, xcb_get_input_focus(m_connection), nullptr));
    }

private:
    xcb_atom_t atom(const char* name)
    {
        auto* reply = xcb_intern_atom_reply(
            m_connection, xcb_intern_atom(m_connection, 0, static_cast<std::uint16_t>(std::strlen(name)), name), nullptr);
        const xcb_atom_t value = reply->atom;
        std::free(reply);
        return value;
    }

    xcb_connection_t* m_connection;
    xcb_screen_t* m_screen;
};

class X11PlatformTest : public X11ApplicationTest {
protected:
    void SetUp() override
    {
        X11ApplicationTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        // Window ids come back with each new client; start from a fresh window list.
        s_app->updateCurrentWindows();
    }

    // Lets our connection see what the other client has done.
    void settle()
    {
        m_other.sync();
        m_platform->connection().sync();
    }
    // Handles events of every source, the hot-key helper's included, until `done` says
    // so or the time is up.
    void runFor(int milliseconds, const std::function<bool()>& done = [] { return false; })
    {
        QElapsedTimer timer;
        timer.start();
        while (!done() && timer.elapsed() < milliseconds) {
            m_platform->connection().sync();
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        }
    }
    // Super, then C, as the keyboard sends them; the chord of the hot keys below.
    void chord(int repeats = 1)
    {
        const xcb_keycode_t super = m_other.keycode(0xffeb);
        const xcb_keycode_t c = m_other.keycode('c');
        m_other.key(XCB_KEY_PRESS, super);
        for (int i = 0; i < repeats; ++i)
            m_other.key(XCB_KEY_PRESS, c);
        m_other.key(XCB_KEY_RELEASE, c);
        m_other.key(XCB_KEY_RELEASE, super);
    }
    QPointF global(double x, double y) const { return QPointF(x, m_other.height() - y); }

    OtherClient m_other;
};

TEST_F(X11PlatformTest, PrimaryScreenCoversTheRootWindow)
{
    const auto screens = m_platform->screens().screens();
    ASSERT_FALSE(screens.empty());
    EXPECT_EQ(screens.front().frame, QRectF(0, 0, m_other.width(), m_other.height()));
    EXPECT_TRUE(screens.front().frame.contains(screens.front().visibleFrame));
    EXPECT_EQ(m_platform->screens().coordinates().toGlobal(QPointF(0, 0)), QPointF(0, m_other.height()));
}

TEST_F(X11PlatformTest, ADisplayWithoutTheNamedScreenIsNotReachable)
{
    const std::string display = std::getenv("DISPLAY");
    const std::string server = display.substr(0, display.find('.', display.rfind(':')));
    EXPECT_TRUE(Platform::isDisplayReachable());
    setenv("DISPLAY", (server + ".7").c_str(), 1);
    const bool missingScreenReachable = Platform::isDisplayReachable();
    setenv("DISPLAY", display.c_str(), 1);
    EXPECT_FALSE(missingScreenReachable);
}

TEST_F(X11PlatformTest, VisibleFrameIsTheCurrentDesktopsWorkArea)
{
    const auto width = static_cast<std::uint32_t>(m_other.width());
    const auto height = static_cast<std::uint32_t>(m_other.height());
    m_other.setCardinals(m_other.root(), "_NET_WORKAREA", XCB_ATOM_CARDINAL,
                         {0, 0, width, height, 0, 30, width, height - 30});
    m_other.setCardinal(m_other.root(), "_NET_CURRENT_DESKTOP", XCB_ATOM_CARDINAL, 1);
    settle();
    EXPECT_EQ(m_platform->screens().screens().front().visibleFrame, QRectF(0, 0, width, height - 30));

    // A desktop index far past the data, one that wraps a 32-bit byte count included.
    for (const std::uint32_t desktop : {2u, 0x10000000u, 0xFFFFFFFFu}) {
        m_other.setCardinal(m_other.root(), "_NET_CURRENT_DESKTOP", XCB_ATOM_CARDINAL, desktop);
        settle();
        const ScreenInfo primary = m_platform->screens().screens().front();
        EXPECT_EQ(primary.visibleFrame, primary.frame) << desktop;
    }
    m_other.deleteProperty(m_other.root(), "_NET_WORKAREA");
    m_other.deleteProperty(m_other.root(), "_NET_CURRENT_DESKTOP");
    settle();
}

TEST_F(X11PlatformTest, WarpMovesThePointerInGlobalPoints)
{
    m_platform->cursor().warp(QPointF(100, 200));
    settle();
    EXPECT_EQ(m_other.pointer(), QPoint(100, m_other.height() - 200));
    EXPECT_EQ(m_platform->cursor().location(), QPointF(100, 200));
    EXPECT_EQ(s_app->getMouseScreen()->frame.width(), m_other.width());
}

// A display of separate X screens: the pointer on the second one is not on ours.
TEST_F(X11PlatformTest, OnAnotherXScreenThePointerIsNotOursAndStaysWhereItLeft)
{
    xcb_connection_t* c = m_platform->connection().connection();
    auto roots = xcb_setup_roots_iterator(xcb_get_setup(c));
    if (roots.rem < 2)
        GTEST_SKIP() << "needs a display of two X screens";
    xcb_screen_next(&roots);
    const xcb_window_t otherRoot = roots.data->root;
    Cursor& cursor = m_platform->cursor();
    cursor.warp(QPointF(100, 200));
    settle();
    EXPECT_TRUE(cursor.isOnOurScreen());

    xcb_warp_pointer(c, XCB_WINDOW_NONE, otherRoot, 0, 0, 0, 0, 300, 40);
    settle();
    EXPECT_FALSE(cursor.isOnOurScreen());
    EXPECT_EQ(cursor.location(), QPointF(100, 200));

    cursor.warp(QPointF(150, 250));
    settle();
    EXPECT_TRUE(cursor.isOnOurScreen());
    EXPECT_EQ(cursor.location(), QPointF(150, 250));
}

TEST_F(X11PlatformTest, CursorHidesEverywhereAndComesBack)
{
    Cursor& cursor = m_platform->cursor();
    ASSERT_TRUE(cursor.isVisible());
    s_app->forceCursorHide();
    EXPECT_FALSE(cursor.isVisible());
    // Hiding twice still needs one show only.
    cursor.hide();
    s_app->forceCursorShow();
    EXPECT_TRUE(cursor.isVisible());
}

TEST_F(X11PlatformTest, WindowUnderAPointAndItsOwner)
{
    const xcb_window_t window = m_other.createWindow(50, 60, 200, 100, kOwnerClass);
    settle();
    // A window manager may place the window elsewhere and frame it: the frame is the
    // window's bounds, the number and the owner are the window's own.
    const QRect placed = x11windows::bounds(m_other.connection(), window);
    const QRect frame = x11windows::bounds(m_other.connection(), x11windows::topLevel(m_other.connection(), window));
    const QPointF inside = global(placed.x() + 10, placed.y() + 10);
    const auto found = m_platform->windowList().windowAt(inside);
    ASSERT_TRUE(found);
    EXPECT_EQ(found->number, window);
    EXPECT_EQ(found->ownerName, kOwnerClass);
    EXPECT_EQ(found->frame, QRectF(frame.x(), m_other.height() - frame.y() - frame.height(), frame.width(), frame.height()));
    EXPECT_EQ(placed.size(), QSize(200, 100));
    EXPECT_EQ(s_app->getApplicationNameForWndNum(window), kOwnerClass);
    EXPECT_NE(m_platform->windowList().windowAt(inside, window).value_or(WindowInfo {}).number, window);
}

TEST_F(X11PlatformTest, OwnerFallsBackToTheProcessName)
{
    const xcb_window_t window = m_other.createWindow(300, 60, 50, 50, "");
    m_other.setCardinal(window, "_NET_WM_PID", XCB_ATOM_CARDINAL, static_cast<std::uint32_t>(::getpid()));
    settle();
    std::string comm;
    std::getline(std::ifstream("/proc/self/comm"), comm);
    EXPECT_EQ(s_app->getApplicationNameForWndNum(window), comm);
}

TEST_F(X11PlatformTest, ActiveWindowChangesReportApplicationSwitches)
{
    const xcb_window_t first = m_other.createWindow(10, 10, 20, 20, kOwnerClass);
    const xcb_window_t second = m_other.createWindow(40, 10, 20, 20, kOwnerClass);
    const xcb_window_t other = m_other.createWindow(70, 10, 20, 20, "OtherApplication");
    m_other.activate(other);
    settle();
    int switches = 0;
    m_platform->activeApplication().setSwitchHandler([&] { ++switches; });
    m_other.activate(first);
    settle();
    EXPECT_EQ(switches, 1);
    EXPECT_EQ(m_platform->activeApplication().identifier(), kOwnerClass);
    m_other.activate(second);
    settle();
    EXPECT_EQ(switches, 1);
    m_other.activate(other);
    settle();
    EXPECT_EQ(switches, 2);
    EXPECT_EQ(s_app->activeApplicationBundleIdentifier(), "OtherApplication");
    m_platform->activeApplication().setSwitchHandler({});
}

std::vector<std::uint8_t> themeBlob(const std::string& theme)
{
    const std::string name = "Net/ThemeName";
    std::vector<std::uint8_t> blob = {0, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1, 0};
    blob.push_back(static_cast<std::uint8_t>(name.size()));
    blob.push_back(0);
    blob.insert(blob.end(), name.begin(), name.end());
    while (blob.size() % 4)
        blob.push_back(0);
    blob.insert(blob.end(), {1, 0, 0, 0, static_cast<std::uint8_t>(theme.size()), 0, 0, 0});
    blob.insert(blob.end(), theme.begin(), theme.end());
    while (blob.size() % 4)
        blob.push_back(0);
    return blob;
}

TEST_F(X11PlatformTest, ThemeFollowsTheSettingsManagerAndFallsBackToLight)
{
    ThemePreference& theme = m_platform->themePreference();
    EXPECT_FALSE(theme.isDark());
    int changes = 0;
    theme.setChangeHandler([&] { ++changes; });

    const xcb_window_t manager = m_other.createWindow(0, 0, 1, 1, "");
    m_other.setBlob(manager, "_XSETTINGS_SETTINGS", themeBlob("Adwaita-dark"));
    m_other.becomeManager("_XSETTINGS_S0", manager);
    settle();
    EXPECT_EQ(changes, 1);
    EXPECT_TRUE(theme.isDark());

    m_other.setBlob(manager, "_XSETTINGS_SETTINGS", themeBlob("Adwaita"));
    settle();
    EXPECT_EQ(changes, 2);
    EXPECT_FALSE(theme.isDark());
    // The manager window goes with this test's client; `changes` goes with the test.
    theme.setChangeHandler({});
}

TEST_F(X11PlatformTest, ModifierTapHearsSynthesizedModifiers)
{
    std::vector<unsigned long> flags;
    auto tap = m_platform->eventTaps().createModifierTap([&](const ModifierFlagsEvent& e) { flags.push_back(e.modifierFlags); });
    ASSERT_NE(tap, nullptr);
    tap->setEnabled(true);
    ASSERT_TRUE(m_platform->inputSynthesizer().postKeyStroke(0, modifierflags::kShift));
    settle();
    EXPECT_EQ(flags, std::vector<unsigned long>({modifierflags::kShift, 0}));

    tap->setEnabled(false);
    ASSERT_TRUE(m_platform->inputSynthesizer().postKeyStroke(0, modifierflags::kControl));
    settle();
    EXPECT_EQ(flags.size(), 2u);
}

TEST_F(X11PlatformTest, UnknownVirtualKeyIsNotTyped)
{
    EXPECT_FALSE(m_platform->inputSynthesizer().postKeyStroke(127, 0));
}

TEST_F(X11PlatformTest, KeyboardLayoutPlacesKeysByPosition)
{
    const KeyboardLayout& layout = m_platform->keyboardLayout();
    const xcb_keycode_t c = m_other.keycode('c');
    EXPECT_EQ(layout.characters(8), "c");
    EXPECT_EQ(layout.virtualKeyCode(c), 8);
    EXPECT_EQ(layout.virtualKeyCode(m_other.keycode(0xff0d)), 36);
    EXPECT_EQ(layout.characters(36), "\r");
}

TEST_F(X11PlatformTest, KeyboardLayoutFollowsARemappedKey)
{
    const KeyboardLayout& layout = m_platform->keyboardLayout();
    const xcb_keycode_t c = m_other.keycode('c');
    ASSERT_EQ(layout.characters(8), "c");
    m_other.remap(c, 'x');
    settle();
    EXPECT_EQ(layout.characters(8), "x");
    m_other.remap(c, 'c');
    settle();
    EXPECT_EQ(layout.characters(8), "c");
}

TEST_F(X11PlatformTest, ADeadKeyIsNamedByItsAccentsSpacingCharacter)
{
    const KeyboardLayout& layout = m_platform->keyboardLayout();
    const xcb_keycode_t c = m_other.keycode('c');
    for (const auto& [deadKey, name] : {std::pair {0xfe52u, "^"}, std::pair {0xfe51u, "\u00B4"},
                                        std::pair {0xfe57u, "\u00A8"}, std::pair {0xfe60u, "\u0323"}}) {
        m_other.remap(c, deadKey);
        settle();
        EXPECT_EQ(layout.characters(8), name) << deadKey;
    }
    m_other.remap(c, 'c');
    settle();
}

TEST_F(X11PlatformTest, HotKeyFiresOncePerPressWhateverTheLockKeysSay)
{
    const xcb_keycode_t super = m_other.keycode(0xffeb);
    const xcb_keycode_t c = m_other.keycode('c');
    const xcb_keycode_t numLock = m_other.keycode(0xff7f);
    const xcb_keycode_t capsLock = m_other.keycode(0xffe5);
    ASSERT_TRUE(super && c && numLock && capsLock);

    int presses = 0;
    HotKeys& hotKeys = m_platform->hotKeys();
    const auto id = hotKeys.registerHotKey(8, modifierflags::kCommand, [&] { ++presses; });
    ASSERT_TRUE(id);
    // Long enough for a second, unwanted call to arrive too.
    const auto pressesAfter = [&](int repeats) {
        const int before = presses;
        chord(repeats);
        runFor(2000, [&] { return presses > before; });
        runFor(200);
        return presses - before;
    };

    EXPECT_EQ(pressesAfter(1), 1);
    m_other.tap(numLock);
    EXPECT_EQ(pressesAfter(1), 1);
    m_other.tap(numLock);
    m_other.tap(capsLock);
    EXPECT_EQ(pressesAfter(1), 1);
    m_other.tap(capsLock);
    // Held for over a second, the key repeats; the handler hears it once.
    m_other.key(XCB_KEY_PRESS, super);
    m_other.key(XCB_KEY_PRESS, c);
    runFor(1200);
    m_other.key(XCB_KEY_RELEASE, c);
    m_other.key(XCB_KEY_RELEASE, super);
    runFor(200);
    EXPECT_EQ(presses, 4);

    EXPECT_FALSE(m_other.grabKey(c, XCB_MOD_MASK_4));
    EXPECT_FALSE(hotKeys.isReserved(8, modifierflags::kCommand));
    EXPECT_EQ(pressesAfter(1), 1);

    hotKeys.unregisterHotKey(*id);
    EXPECT_EQ(pressesAfter(1), 0);
    EXPECT_TRUE(m_other.grabKey(c, XCB_MOD_MASK_4));
}

TEST_F(X11PlatformTest, AHotKeyHoldsTheKeyboardForItsWindowAtMostASecond)
{
    const xcb_keycode_t c = m_other.keycode('c');
    const xcb_keycode_t x = m_other.keycode('x');
    ASSERT_TRUE(c && x);
    // The hot key's window never maps, so it never takes the focus.
    QWidget neverShown;
    const auto window = neverShown.winId();
    int presses = 0;
    const auto id = m_platform->hotKeys().registerHotKey(8, modifierflags::kCommand, [&] {
        ++presses;
        m_platform->windowInput().takeKeyboardFocus(window, nullptr);
    });
    ASSERT_TRUE(id);

    chord();
    runFor(500, [&] { return presses == 1; });
    // Typed while the keyboard waits for the window: they wait too, and the hot key
    // among them opens nothing more.
    QElapsedTimer held;
    held.start();
    chord();
    m_other.key(XCB_KEY_PRESS, x);
    runFor(2000, [&] { return m_other.isDown(x); });
    const qint64 keyHeld = held.elapsed();
    m_other.key(XCB_KEY_RELEASE, x);
    runFor(300);
    EXPECT_GT(keyHeld, 300);
    EXPECT_LT(keyHeld, 1000);
    EXPECT_EQ(presses, 1);
    // Longer than the server's repeat delay: the second hot key's key must not stay down.
    runFor(1200);
    EXPECT_FALSE(m_other.isDown(c));
    if (m_other.isDown(c))
        m_other.tap(c);
    m_platform->hotKeys().unregisterHotKey(*id);
}

TEST_F(X11PlatformTest, AProgramThatDoesNotAnswerHoldsNoKeyboardForASecondAndOpensOneWindow)
{
    const xcb_keycode_t x = m_other.keycode('x');
    ASSERT_TRUE(x);
    int presses = 0;
    const auto id = m_platform->hotKeys().registerHotKey(8, modifierflags::kCommand, [&] { ++presses; });
    ASSERT_TRUE(id);
    const pid_t helper = hotKeyHelper();
    ASSERT_GT(helper, 0);

    // On a loaded machine the helper too may not run for a while: the presses typed
    // meanwhile then reach it after the program has acted on the first.
    for (const bool helperLate : {false, true}) {
        presses = 0;
        // Nothing of ours runs meanwhile, as in a program that is stopped or busy.
        chord();
        QElapsedTimer held;
        held.start();
        m_other.key(XCB_KEY_PRESS, x);
        while (!m_other.isDown(x) && held.elapsed() < 3000)
            QThread::msleep(5);
        const qint64 keyHeld = held.elapsed();
        m_other.key(XCB_KEY_RELEASE, x);
        if (helperLate) {
            kill(helper, SIGSTOP);
            waitpid(helper, nullptr, WUNTRACED);
        }
        // Tapped again because nothing seemed to happen.
        chord();
        chord();

        runFor(2000, [&] { return presses > 0; });
        if (helperLate)
            kill(helper, SIGCONT);
        runFor(300);
        EXPECT_LT(keyHeld, 1000) << helperLate;
        EXPECT_EQ(presses, 1) << helperLate;
    }
    m_platform->hotKeys().unregisterHotKey(*id);
}

TEST_F(X11PlatformTest, WithoutItsHelperAHotKeyWorksNeverHoldsTheKeyboardAndNeverNests)
{
    const xcb_keycode_t super = m_other.keycode(0xffeb);
    const xcb_keycode_t c = m_other.keycode('c');
    const xcb_keycode_t x = m_other.keycode('x');
    // The suite's helper lets the hot key of the test before go when it gets to it.
    runFor(2000, [&] { return !m_platform->hotKeys().isReserved(8, modifierflags::kCommand); });
    // A helper that cannot be started, and one that ends at once.
    for (const char* helper : {"/nonexistent/vendrel-hotkeys", "/bin/true"}) {
        X11KeyboardLayout layout(m_platform->connection());
        X11KeyboardHold hold;
        X11HotKeys hotKeys(m_platform->connection(), layout, hold, helper);
        int presses = 0;
        int depth = 0;
        int deepest = 0;
        const auto id = hotKeys.registerHotKey(8, modifierflags::kCommand, [&] {
            deepest = std::max(deepest, ++depth);
            // A round trip inside a handler, as opening the picker makes, brings in the
            // next press.
            if (++presses == 1) {
                chord();
                m_platform->connection().sync();
            }
            --depth;
        });
        ASSERT_TRUE(id) << helper;

        m_other.key(XCB_KEY_PRESS, super);
        m_other.key(XCB_KEY_PRESS, c);
        m_other.key(XCB_KEY_PRESS, x);
        EXPECT_TRUE(m_other.isDown(x)) << helper;
        m_other.key(XCB_KEY_RELEASE, x);
        m_other.key(XCB_KEY_RELEASE, c);
        m_other.key(XCB_KEY_RELEASE, super);
        runFor(2000, [&] { return presses == 2; });
        EXPECT_EQ(presses, 2) << helper;
        EXPECT_EQ(deepest, 1) << helper;
        hotKeys.unregisterHotKey(*id);
    }
}

TEST_F(X11PlatformTest, CombinationAnotherClientHoldsIsReservedAndRefused)
{
    const xcb_keycode_t x = m_other.keycode('x');
    ASSERT_TRUE(m_other.grabKey(x, XCB_MOD_MASK_4 | XCB_MOD_MASK_SHIFT));
    const unsigned long flags = modifierflags::kCommand | modifierflags::kShift;
    EXPECT_TRUE(m_platform->hotKeys().isReserved(7, flags));
    EXPECT_FALSE(m_platform->hotKeys().registerHotKey(7, flags, [] {}));
    EXPECT_FALSE(m_platform->hotKeys().isReserved(7, modifierflags::kCommand));
    // The probe took nothing for good.
    const auto id = m_platform->hotKeys().registerHotKey(7, modifierflags::kCommand, [] {});
    EXPECT_TRUE(id);
    m_platform->hotKeys().unregisterHotKey(*id);
}

TEST_F(X11PlatformTest, RecorderTakesACombinationTypedOnTheKeyboard)
{
    QWidget window;
    window.setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::X11BypassWindowManagerHint);
    window.setGeometry(100, 100, 200, 45);
    auto* recorder = new NJShortcutView(&window);
    recorder->setGeometry(10, 10, 160, 25);
    window.show();
    window.raise();
    window.activateWindow();
    const auto waitFor = [](const std::function<bool()>& done) -> bool {
        QElapsedTimer timer;
        timer.start();
        while (!done() && timer.elapsed() < 3000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        return done();
    };
    ASSERT_TRUE(waitFor([&] { return QApplication::activeWindow() == &window; }));
    recorder->setFocus();
    recorder->setRecording(true);

    // Super is Command: the key position comes from the event's scan code.
    const xcb_keycode_t super = m_other.keycode(0xffeb);
    const xcb_keycode_t shift = m_other.keycode(0xffe1);
    const xcb_keycode_t x = m_other.keycode('x');
    m_other.key(XCB_KEY_PRESS, super);
    m_other.key(XCB_KEY_PRESS, shift);
    m_other.tap(x);
    m_other.key(XCB_KEY_RELEASE, shift);
    m_other.key(XCB_KEY_RELEASE, super);
    ASSERT_TRUE(waitFor([&] { return recorder->shortcutValue().has_value(); }));
    EXPECT_EQ(*recorder->shortcutValue(), KeyShortcut(7, modifierflags::kCommand | modifierflags::kShift));
    EXPECT_FALSE(recorder->isRecording());

    // Keypad 1 without Num Lock is End to Qt; its position is still keypad 1.
    recorder->setRecording(true);
    const xcb_keycode_t keypadOne = m_other.keycode(0xff9c);
    ASSERT_TRUE(keypadOne);
    m_other.key(XCB_KEY_PRESS, super);
    m_other.tap(keypadOne);
    m_other.key(XCB_KEY_RELEASE, super);
    ASSERT_TRUE(waitFor([&] { return !recorder->isRecording(); }));
    EXPECT_EQ(*recorder->shortcutValue(), KeyShortcut(83, modifierflags::kCommand));
}

} // namespace
