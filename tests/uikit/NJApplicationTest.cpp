#include "uikit/application/NJApplication.h"

#include "uikit/application/NJApplicationDelegate.h"
#include "uikit/application/NJGestureResponder.h"

#include "foundation/CommandLineState.h"
#include "foundation/Log.h"
#include "foundation/ManualScheduler.h"
#include "foundation/NotificationCenter.h"
#include "foundation/UserDefaults.h"
#include "platform/ModifierFlags.h"
#include "platform/fake/FakePlatform.h"
#include "tests/foundation/TemporaryFolder.h"
#include "tests/uikit/FakeApplicationTest.h"

#include <QKeyEvent>
#include <QMenu>
#include <QWindow>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class RecordingResponder final : public NJGestureResponder {
public:
    bool gestureActive() const override { return m_active; }
    void doRotateWithEvent(const GestureEvent&) override { m_calls.push_back("rotate"); }
    void doBeginGestureWithEvent(const GestureEvent&) override
    {
        m_calls.push_back("begin");
        m_active = true;
    }
    void doEndGestureWithEvent(const GestureEvent&) override
    {
        m_calls.push_back("end");
        m_active = false;
    }
    void doMagnifyWithEvent(const GestureEvent&) override { m_calls.push_back("magnify"); }

    bool m_active = false;
    std::vector<std::string> m_calls;
};

class RecordingDelegate final : public NJApplicationDelegate {
public:
    void frontAppSwitched() override { ++m_switches; }
    void flagsChanged(const ModifierFlagsEvent& event) override { m_flags.push_back(event.modifierFlags); }
    bool isWindowKey() const override { return m_windowKey; }
    NJGestureResponder* zoomView() override { return &m_responder; }
    void applicationDidChangeScreenParameters() override {}

    int m_switches = 0;
    bool m_windowKey = false;
    std::vector<unsigned long> m_flags;
    RecordingResponder m_responder;
};

class NJApplicationTest : public FakeApplicationTest {
protected:
    void SetUp() override
    {
        FakeApplicationTest::SetUp();
        m_app->setDelegate(&m_delegate);
        m_token = NotificationCenter::defaultCenter().addObserver(
            NJApplication::kAppearanceChangedNotification,
            [this](const NotificationCenter::Notification& n) {
                EXPECT_EQ(n.sender, m_app.get());
                ++m_appearanceNotifications;
            });
    }
    void TearDown() override
    {
        NotificationCenter::defaultCenter().removeObserver(m_token);
        FakeApplicationTest::TearDown();
    }

    void setVersion(long major, long minor) { m_platform->systemInfo().setOperatingSystemVersion({major, minor, 0}); }

    RecordingDelegate m_delegate;
    NotificationCenter::Token m_token = 0;
    int m_appearanceNotifications = 0;
};

TEST_F(NJApplicationTest, UserInterfaceSettingWinsOverTheSystemTheme)
{
    m_platform->themePreference().setDark(true);
    m_defaults.setObject("userInterface", Value("light"));
    EXPECT_FALSE(m_app->themeIsDark());
    m_defaults.setObject("userInterface", Value("dark"));
    EXPECT_TRUE(m_app->themeIsDark());
    m_defaults.setObject("userInterface", Value("Dark"));
    EXPECT_FALSE(m_app->themeIsDark());
    m_defaults.removeObject("userInterface");
    EXPECT_TRUE(m_app->themeIsDark());
    m_platform->themePreference().setDark(false);
    EXPECT_FALSE(m_app->themeIsDark());
}

TEST_F(NJApplicationTest, InitializationCopiesTheCommandLineStateAndTheTheme)
{
    commandline::setCLIMode(true);
    commandline::setSettings(Dictionary {{"exportFormat", Value("HEX")}});
    m_platform->themePreference().setDark(true);
    m_app->initialization();
    commandline::setCLIMode(false);
    commandline::setSettings(Dictionary {});
    EXPECT_TRUE(m_app->isCLIMode());
    EXPECT_EQ(m_app->CLIParams().size(), 1u);
    EXPECT_TRUE(m_app->darkMode());
}

TEST_F(NJApplicationTest, ThemeChangedPostsEveryTime)
{
    m_app->initialization();
    m_app->themeChanged();
    m_app->themeChanged();
    EXPECT_EQ(m_appearanceNotifications, 2);
    // The desktop's own change arrives through the same path.
    m_platform->themePreference().setDark(true);
    EXPECT_EQ(m_appearanceNotifications, 3);
    EXPECT_TRUE(m_app->darkMode());
}

TEST_F(NJApplicationTest, QtWidgetsTakeTheThemesPalette)
{
    m_app->initialization();
    QMenu menu;
    EXPECT_GT(menu.palette().color(QPalette::Window).lightness(), 200);
    m_platform->themePreference().setDark(true);
    QCoreApplication::sendPostedEvents();
    for (const QPalette& palette : {QApplication::palette(), menu.palette()}) {
        EXPECT_LT(palette.color(QPalette::Window).lightness(), 80);
        EXPECT_LT(palette.color(QPalette::Base).lightness(), 80);
        EXPECT_GT(palette.color(QPalette::WindowText).lightness(), 200);
        EXPECT_GT(palette.color(QPalette::Text).lightness(), 200);
    }
    m_platform->themePreference().setDark(false);
    QCoreApplication::sendPostedEvents();
    EXPECT_LT(menu.palette().color(QPalette::WindowText).lightness(), 80);
}

TEST_F(NJApplicationTest, NoThemeObserverBeforeInitialization)
{
    m_platform->themePreference().setDark(true);
    EXPECT_EQ(m_appearanceNotifications, 0);
    EXPECT_FALSE(m_app->darkMode());
}

TEST_F(NJApplicationTest, OlderAndLaterSystemsTakeTheAquaAppearanceInBothThemes)
{
    m_platform->systemInfo().setHasVisualEffectView(true);
    for (const auto& [major, minor] : {std::pair {10L, 9L}, std::pair {11L, 0L}, std::pair {6L, 1L}}) {
        setVersion(major, minor);
        for (const bool dark : {false, true}) {
            m_platform->themePreference().setDark(dark);
            m_app->initialization();
            EXPECT_FALSE(m_app->isVisualEffectViewAvailable()) << major << "." << minor;
            EXPECT_EQ(m_app->getAppAppearanceName(), NJApplication::kAppearanceNameAqua) << major << "." << minor;
        }
    }
}

TEST_F(NJApplicationTest, VibrancyNeedsTenTenAndTheViewClass)
{
    setVersion(10, 12);
    EXPECT_FALSE(m_app->isVisualEffectViewAvailable());
    m_app->registerDummyVisualEffectView();
    EXPECT_TRUE(m_app->isVisualEffectViewAvailable());
    m_app->initialization();
    EXPECT_EQ(m_app->getAppAppearanceName(), NJApplication::kAppearanceNameVibrantLight);
    m_platform->themePreference().setDark(true);
    EXPECT_EQ(m_app->getAppAppearanceName(), NJApplication::kAppearanceNameVibrantDark);
}

TEST_F(NJApplicationTest, TheRunningSystemTakesTheOlderBranch)
{
    EXPECT_EQ(m_app->currentAppearance(), NJApplication::kAppearanceNameAqua);
    m_app->checkVisualEffectChange();
    EXPECT_EQ(m_appearanceNotifications, 0);
}

// Qt on a platform that is not X11 gives no platform services: the application still
// starts, so the caller can say so and end.
TEST(NJApplicationWithoutPlatform, StartsWithTheAquaAppearanceAndSaysItHasNoPlatform)
{
    int argc = 1;
    char arg0[] = "test";
    char* argv[] = {arg0, nullptr};
    const NJApplication app(argc, argv);
    EXPECT_FALSE(app.hasPlatform());
    EXPECT_EQ(app.currentAppearance(), NJApplication::kAppearanceNameAqua);
}

TEST_F(NJApplicationTest, CheckVisualEffectChangePostsOnlyOnAChange)
{
    setVersion(10, 11);
    m_platform->systemInfo().setHasVisualEffectView(true);
    m_app->initialization();
    m_app->checkVisualEffectChange();
    EXPECT_EQ(m_appearanceNotifications, 1);
    EXPECT_EQ(m_app->currentAppearance(), NJApplication::kAppearanceNameVibrantLight);
    m_app->checkVisualEffectChange();
    EXPECT_EQ(m_appearanceNotifications, 1);
    m_platform->themePreference().setDark(true);
    EXPECT_EQ(m_appearanceNotifications, 2);
    m_app->checkVisualEffectChange();
    EXPECT_EQ(m_appearanceNotifications, 3);
    EXPECT_EQ(m_app->currentAppearance(), NJApplication::kAppearanceNameVibrantDark);
}

TEST_F(NJApplicationTest, ScreenQueriesKeepTheirOwnEdgeRules)
{
    setScreens({QRectF(0, 0, 100, 50), QRectF(100, 0, 100, 50)});
    // Bottom edge: in for screenAtPoint, out for the mouse test.
    EXPECT_TRUE(m_app->screenAtPoint({10, 0}));
    EXPECT_FALSE(m_app->getScreenFromMousePoint({10, 0}));
    // Top edge: the other way round.
    EXPECT_FALSE(m_app->screenAtPoint({10, 50}));
    EXPECT_TRUE(m_app->getScreenFromMousePoint({10, 50}));
    // The right edge belongs to the next screen for both.
    EXPECT_EQ(m_app->screenAtPoint({100, 10})->frame.x(), 100);
    EXPECT_EQ(m_app->getScreenFromMousePoint({100, 10})->frame.x(), 100);
    EXPECT_FALSE(m_app->screenAtPoint({200, 10}));
}

TEST_F(NJApplicationTest, FirstScreenInOrderWins)
{
    setScreens({QRectF(0, 0, 100, 100), QRectF(50, 50, 100, 100)});
    EXPECT_EQ(m_app->screenAtPoint({60, 60})->frame.x(), 0);
    EXPECT_EQ(m_app->getScreenFromMousePoint({60, 60})->frame.x(), 0);
}

TEST_F(NJApplicationTest, MouseScreenFollowsThePointer)
{
    setScreens({QRectF(0, 0, 100, 100), QRectF(-80, 20, 80, 60)});
    m_platform->cursor().setLocation({-10, 30});
    ASSERT_TRUE(m_app->getMouseScreen());
    EXPECT_EQ(m_app->getMouseScreen()->frame.x(), -80);
}

TEST_F(NJApplicationTest, TotalScreenSizeHoldsCorners)
{
    setScreens({QRectF(0, 0, 100, 50), QRectF(-80, 20, 80, 60)});
    const auto corners = m_app->getTotalScreenSize();
    EXPECT_EQ(corners.minX, -80);
    EXPECT_EQ(corners.minY, 0);
    EXPECT_EQ(corners.maxX, 99);
    EXPECT_EQ(corners.maxY, 80);
    setScreens({QRectF(10, 10, 100, 50)});
    EXPECT_EQ(m_app->getTotalScreenSize().minX, 0);
    EXPECT_EQ(m_app->getTotalScreenSize().minY, 0);
}

TEST_F(NJApplicationTest, PointInScreensIsInclusiveOfTheBoundingBox)
{
    setScreens({QRectF(0, 0, 100, 50)});
    EXPECT_TRUE(m_app->isMousePointinScreens({99, 50}));
    EXPECT_TRUE(m_app->isMousePointinScreens({0, 1}));
    // No screen holds it by the mouse test.
    EXPECT_FALSE(m_app->isMousePointinScreens({0, 0}));
    EXPECT_FALSE(m_app->isMousePointinScreens({100, 10}));
    EXPECT_FALSE(m_app->isMousePointinScreens({50, 51}));
}

TEST_F(NJApplicationTest, CheckMousePointClampsOntoOneScreen)
{
    setScreens({QRectF(0, 0, 100, 50), QRectF(100, 0, 100, 50)});
    m_platform->cursor().setLocation({150, 25});
    EXPECT_EQ(m_app->checkMousePointinScreens({20, 30}), QPointF(20, 30));
    // Off every screen: the mouse's screen clamps it.
    EXPECT_EQ(m_app->checkMousePointinScreens({500, 80}), QPointF(199, 50));
    EXPECT_EQ(m_app->checkMousePointinScreens({150, -10}), QPointF(150, 1));
    m_platform->cursor().setLocation({-500, -500});
    EXPECT_EQ(m_app->checkMousePointinScreens({500, 80}), QPointF(0, 1));
}

TEST_F(NJApplicationTest, ZeroWidthScreenFallsBackToTheMouseScreen)
{
    setScreens({QRectF(0, 0, 0, 50), QRectF(0, 0, 100, 50)});
    m_platform->cursor().setLocation({50, 25});
    EXPECT_EQ(m_app->checkMousePointinScreens({500, 25}), QPointF(99, 25));
}

TEST_F(NJApplicationTest, ForceCursorHideStopsAfterTenPasses)
{
    m_platform->cursor().setRefusesToHide(true);
    m_app->forceCursorHide();
    EXPECT_EQ(m_platform->cursor().hideCount(), 10);
}

TEST_F(NJApplicationTest, ForceCursorHideAndShowStopOnceTheyTakeEffect)
{
    m_app->forceCursorHide();
    EXPECT_EQ(m_platform->cursor().hideCount(), 1);
    EXPECT_FALSE(m_platform->cursor().isVisible());
    m_app->forceCursorHide();
    EXPECT_EQ(m_platform->cursor().hideCount(), 1);
    m_app->forceCursorShow();
    EXPECT_EQ(m_platform->cursor().showCount(), 1);
    EXPECT_TRUE(m_platform->cursor().isVisible());
    m_app->forceCursorShow();
    EXPECT_EQ(m_platform->cursor().showCount(), 1);
}

TEST_F(NJApplicationTest, ForceCursorShowStopsAfterTenPasses)
{
    m_app->forceCursorHide();
    m_platform->cursor().setRefusesToShow(true);
    m_app->forceCursorShow();
    EXPECT_EQ(m_platform->cursor().showCount(), 10);
}

TEST_F(NJApplicationTest, ShowIsIgnoredUntilTheFirstHide)
{
    m_platform->cursor().setVisible(false);
    m_app->showGCursor();
    EXPECT_EQ(m_platform->cursor().showCount(), 0);
    m_app->hideGCursor();
    m_app->showGCursor();
    m_app->showGCursor();
    EXPECT_EQ(m_platform->cursor().showCount(), 2);
}

TEST_F(NJApplicationTest, OwnerLookupReadsTheWindowListOncePerSecond)
{
    m_platform->windowList().setWindows({{7, "Editor", QRectF(0, 0, 10, 10)}});
    EXPECT_EQ(m_app->getApplicationNameForWndNum(7), "Editor");
    m_scheduler.advance(0.9);
    EXPECT_EQ(m_app->getApplicationNameForWndNum(7), "Editor");
    EXPECT_EQ(m_platform->windowList().readCount(), 1);
    m_scheduler.advance(0.2);
    EXPECT_EQ(m_app->getApplicationNameForWndNum(7), "Editor");
    EXPECT_EQ(m_platform->windowList().readCount(), 2);
}

TEST_F(NJApplicationTest, OwnerLookupRefreshesOnceOnAMiss)
{
    m_platform->windowList().setWindows({{7, "Editor", QRectF()}});
    EXPECT_EQ(m_app->getApplicationNameForWndNum(7), "Editor");
    m_platform->windowList().setWindows({{7, "Editor", QRectF()}, {9, "Viewer", QRectF()}});
    EXPECT_EQ(m_app->getApplicationNameForWndNum(9), "Viewer");
    EXPECT_EQ(m_platform->windowList().readCount(), 2);
    EXPECT_FALSE(m_app->getApplicationNameForWndNum(11));
    EXPECT_EQ(m_platform->windowList().readCount(), 3);
}

TEST_F(NJApplicationTest, LastMatchingWindowWins)
{
    m_platform->windowList().setWindows({{7, "First", QRectF()}, {7, "Second", QRectF()}});
    m_app->updateCurrentWindows();
    EXPECT_EQ(m_app->windowOwnerForNum(7), "Second");
}

TEST_F(NJApplicationTest, ModifierTapFeedsTheControllerUnlessTheLoupeIsKey)
{
    m_app->enableFlagSwitchListening();
    auto* tap = m_platform->eventTaps().modifierTap();
    ASSERT_NE(tap, nullptr);
    EXPECT_TRUE(tap->isEnabled());
    tap->send({modifierflags::kShift});
    m_delegate.m_windowKey = true;
    tap->send({modifierflags::kOption});
    m_delegate.m_windowKey = false;
    m_app->disableFlagSwitchListening();
    tap->send({modifierflags::kCommand});
    EXPECT_EQ(m_delegate.m_flags, std::vector<unsigned long>({modifierflags::kShift}));

    // Enabling again reuses the one tap.
    m_app->enableFlagSwitchListening();
    EXPECT_EQ(m_platform->eventTaps().createdCount(), 1);
    EXPECT_TRUE(tap->isEnabled());
}

TEST_F(NJApplicationTest, RefusedTapsMakeListeningDoNothing)
{
    m_platform->eventTaps().setRefusesTaps(true);
    m_app->enableFlagSwitchListening();
    m_app->enableGestureListening();
    m_app->disableFlagSwitchListening();
    m_app->disableGestureListening();
    EXPECT_EQ(m_platform->eventTaps().createdCount(), 0);
}

TEST_F(NJApplicationTest, GestureTapDispatchesToTheZoomView)
{
    m_app->enableGestureListening();
    auto* tap = m_platform->eventTaps().gestureTap();
    ASSERT_NE(tap, nullptr);
    auto& calls = m_delegate.m_responder.m_calls;

    tap->send({GestureEvent::Magnify, 0, 0});
    EXPECT_EQ(calls, std::vector<std::string>({"magnify"}));
    calls.clear();
    tap->send({GestureEvent::Magnify, 0.2, 0});
    tap->send({GestureEvent::Magnify, 0.1, 0});
    tap->send({GestureEvent::Magnify, 0, 0});
    EXPECT_EQ(calls, std::vector<std::string>({"begin", "magnify", "magnify", "end", "magnify"}));
    calls.clear();
    tap->send({GestureEvent::Rotate, 0, 15});
    tap->send({GestureEvent::BeginGesture, 0, 0});
    tap->send({GestureEvent::EndGesture, 0, 0});
    tap->send({29, 0, 0});
    EXPECT_EQ(calls, std::vector<std::string>({"rotate", "begin", "end"}));

    m_app->disableGestureListening();
    tap->send({GestureEvent::Rotate, 0, 15});
    EXPECT_EQ(calls.size(), 3u);
}

TEST_F(NJApplicationTest, FrontApplicationSwitchReachesTheController)
{
    m_platform->activeApplication().switchTo("Editor");
    EXPECT_EQ(m_delegate.m_switches, 0);
    m_app->registerTaskSwitchNotification();
    m_platform->activeApplication().switchTo("Viewer");
    EXPECT_EQ(m_delegate.m_switches, 1);
    EXPECT_EQ(m_app->activeApplicationBundleIdentifier(), "Viewer");
}

TEST_F(NJApplicationTest, ModifierKeyEventsPostNowAndOnceWhenIdle)
{
    int now = 0;
    int queued = 0;
    unsigned long flags = 0;
    auto& center = NotificationCenter::defaultCenter();
    const auto nowToken = center.addObserver(NJApplication::kFlagsChangedNotification,
                                             [&](const NotificationCenter::Notification& n) {
                                                 ++now;
                                                 flags = static_cast<unsigned long>(
                                                     n.userInfo.valueForKey(NJApplication::kModifierFlagsKey).integerValue());
                                             });
    const auto queuedToken = center.addObserver(NJApplication::kFlagsChangedQueuedNotification,
                                                [&](const NotificationCenter::Notification&) { ++queued; });
    QWindow window;
    // Key events carry the modifiers held before them, as X11 reports them.
    QKeyEvent shift(QEvent::KeyPress, Qt::Key_Shift, Qt::NoModifier);
    QKeyEvent letter(QEvent::KeyPress, Qt::Key_A, Qt::ShiftModifier);
    QKeyEvent control(QEvent::KeyPress, Qt::Key_Control, Qt::ShiftModifier);
    QCoreApplication::sendEvent(&window, &shift);
    QCoreApplication::sendEvent(&window, &letter);
    QCoreApplication::sendEvent(&window, &control);
    EXPECT_EQ(now, 2);
    EXPECT_EQ(flags, modifierflags::kShift | modifierflags::kControl);
    EXPECT_EQ(queued, 0);
    m_scheduler.runPending();
    EXPECT_EQ(queued, 1);
    center.removeObserver(nowToken);
    center.removeObserver(queuedToken);
}

TEST_F(NJApplicationTest, TheMenuKeyHeldReportsTheFunctionFlagAndItsRepeatsAreIgnored)
{
    std::vector<unsigned long> posted;
    auto& center = NotificationCenter::defaultCenter();
    const auto token = center.addObserver(NJApplication::kFlagsChangedNotification,
                                          [&](const NotificationCenter::Notification& n) {
                                              posted.push_back(static_cast<unsigned long>(
                                                  n.userInfo.valueForKey(NJApplication::kModifierFlagsKey).integerValue()));
                                          });
    QWindow window;
    QKeyEvent menu(QEvent::KeyPress, Qt::Key_Menu, Qt::NoModifier);
    QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Menu, Qt::NoModifier, QString(), true);
    QKeyEvent shift(QEvent::KeyPress, Qt::Key_Shift, Qt::NoModifier);
    QKeyEvent menuUp(QEvent::KeyRelease, Qt::Key_Menu, Qt::ShiftModifier);
    for (QKeyEvent* event : {&menu, &repeat, &shift, &menuUp})
        QCoreApplication::sendEvent(&window, event);
    EXPECT_EQ(posted, std::vector<unsigned long>({modifierflags::kFunction,
                                                  modifierflags::kFunction | modifierflags::kShift,
                                                  modifierflags::kShift}));
    center.removeObserver(token);
}

TEST_F(NJApplicationTest, LoginItemFailuresAreOnlyLogged)
{
    m_app->addAppAsLoginItem();
    EXPECT_TRUE(m_app->isAppLoginItem());
    m_app->deleteAppFromLoginItem();
    EXPECT_FALSE(m_app->isAppLoginItem());

    m_platform->loginItems().setFails(true);
    logging::Capture capture;
    m_app->addAppAsLoginItem();
    m_app->deleteAppFromLoginItem();
    EXPECT_EQ(capture.lines(),
              std::vector<std::string>({"Warning: Setting login item failed", "Warning: Remove login item failed"}));
}

TEST_F(NJApplicationTest, PasteIsOneControlVKeystroke)
{
    m_app->sendPasteEvent();
    ASSERT_EQ(m_platform->inputSynthesizer().keyStrokes().size(), 1u);
    EXPECT_EQ(m_platform->inputSynthesizer().keyStrokes()[0], std::make_pair(9, modifierflags::kControl));
}

TEST_F(NJApplicationTest, SharedApplicationIsTheInstance)
{
    EXPECT_EQ(NJApplication::sharedApplication(), m_app.get());
}

} // namespace
