#include "ControllerFixture.h"

#include "app/launch/CrashReporter.h"
#include "app/launch/TerminationSignals.h"
#include "app/launch/Updater.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>

namespace {

using Launch = ControllerFixture;

TEST_F(Launch, FirstRunOpensTheWelcomeTourFromTheStatusItemAndNeverChecksForUpdates)
{
    launchController();
    EXPECT_EQ(AppDelegate::shared(), m_delegate.get());
    EXPECT_EQ(m_menu->calls, (std::vector<std::string>{"initMenulet", "createMenuletItem", "attachWelcome"}));
    EXPECT_EQ(m_welcome.shown, 1);
    // Asked for again, the open tour comes to the front.
    m_delegate->windows().showWelcome();
    EXPECT_EQ(m_welcome.shown, 1);
    EXPECT_EQ(m_welcome.activated, 2);
    EXPECT_FALSE(m_overlay->visible);
    EXPECT_TRUE(m_delegate->updater().automaticallyChecksForUpdates());
    EXPECT_FALSE(m_delegate->updater().backgroundCheckRequested());
    EXPECT_EQ(m_delegate->updater().updateCheckInterval(), 43200.0);
    EXPECT_EQ(m_delegate->crashReporter().identifier(), CrashReporter::kIdentifier);
    EXPECT_TRUE(m_delegate->crashReporter().isStarted());
    // The first run wrote its code style; the banner is on until the settings change.
    EXPECT_TRUE(m_settings.stored().contains("codeStyle"));
    EXPECT_TRUE(m_delegate->useNotification());
    ASSERT_NE(m_delegate->formatProcessor(), nullptr);
}

TEST_F(Launch, AReturningUserWithoutPicksGetsTheMenuAndTheOverlayCentred)
{
    writeReturningUser();
    launchController();
    EXPECT_EQ(m_menu->calls, (std::vector<std::string>{"initMenulet", "createMenuletItem", "attachMenu"}));
    EXPECT_EQ(m_welcome.shown, 0);
    EXPECT_EQ(m_overlaysMade, 1);
    EXPECT_TRUE(m_overlay->visible);
    EXPECT_EQ(m_overlay->centred, 1);
    EXPECT_TRUE(m_delegate->updater().backgroundCheckRequested());
    // Scripts cannot run here: their formats are gone.
    EXPECT_FALSE(m_repository->getExportFormatByName("Script"));
}

TEST_F(Launch, BannersSwitchedOffStayOffFromStartUp)
{
    writeReturningUser({{"useNotification", Value::boolean(false)}});
    launchController();
    EXPECT_FALSE(m_delegate->useNotification());
}

TEST_F(Launch, AReturningUserWithPicksSeesNoOverlay)
{
    writeReturningUser({{"HistoryColors", Value(std::vector<Value>{Value("336699FF")})}});
    launchController();
    EXPECT_EQ(m_overlaysMade, 0);
    EXPECT_FALSE(m_overlay->visible);
}

TEST_F(Launch, ThePickerIsReadiedHiddenOnceTheStartUpWindowsHaveDrawn)
{
    writeReturningUser({{"HistoryColors", Value(std::vector<Value>{Value("336699FF")})}});
    launchController();
    const auto& calls = m_loupe->calls;
    EXPECT_EQ(std::find(calls.begin(), calls.end(), "redrawAll"), calls.end());
    EXPECT_EQ(m_platform->screenCapture().preparedCount(), 0);

    m_scheduler.advance(0.5);
    EXPECT_NE(std::find(calls.begin(), calls.end(), "redrawAll"), calls.end());
    EXPECT_EQ(std::find(calls.begin(), calls.end(), "showWindow"), calls.end());
    EXPECT_EQ(m_platform->screenCapture().preparedCount(), 1);
    EXPECT_FALSE(m_platform->screenCapture().sessionActive());
    EXPECT_FALSE(m_delegate->inPicking());
}

TEST_F(Launch, TheOverlayExistsBeforeTheFirstPickWhenItOpensAfterPicks)
{
    writeReturningUser({{"HistoryColors", Value(std::vector<Value>{Value("336699FF")})},
                        {"openFormatsAfterPick", Value::boolean(true)}});
    launchController();
    EXPECT_EQ(m_overlaysMade, 1);
    EXPECT_FALSE(m_overlay->visible);
    EXPECT_EQ(m_overlay->history.size(), 1u);
}

TEST_F(Launch, AStoredCheckForUpdatesWithoutItsMisspelledPartnerTurnsChecksOff)
{
    writeReturningUser({{"checkForUpdates", Value::boolean(true)}});
    launchController();
    EXPECT_FALSE(m_delegate->checkForUpdate());
    EXPECT_FALSE(m_delegate->updater().automaticallyChecksForUpdates());
    EXPECT_FALSE(m_delegate->updater().backgroundCheckRequested());
}

TEST_F(Launch, CommandLineAppliesTheOptionsAndOpensThePickerAfterFiftyMilliseconds)
{
    writeReturningUser();
    const std::string before = m_settings.bytes();
    commandline::setCLIMode(true);
    commandline::setSettings(Dictionary{{"exportFormat", Value("CSS RGB")},
                                        {"magnificationValue", Value::integer(5)},
                                        {"captureValue", Value::integer(30)}});
    launchController(true);
    EXPECT_TRUE(m_menu->calls.empty());
    EXPECT_EQ(m_welcome.shown, 0);
    EXPECT_EQ(m_overlaysMade, 0);
    ASSERT_TRUE(m_delegate->exportFormat());
    EXPECT_EQ(m_delegate->exportFormat()->name(), "CSS RGB");
    EXPECT_EQ(m_loupe->exportFormat->name(), "CSS RGB");
    EXPECT_TRUE(m_delegate->formatLocked());
    EXPECT_EQ(m_loupe->zoom, 5.0);
    EXPECT_EQ(m_loupe->capture, 30.0);

    // The loupe is placed and drawn while the delay runs, and shown only after it.
    const auto& calls = m_loupe->calls;
    EXPECT_NE(std::find(calls.begin(), calls.end(), "moveLoupeToCurrentMousePosition"), calls.end());
    EXPECT_NE(std::find(calls.begin(), calls.end(), "redrawAll"), calls.end());
    m_scheduler.advance(0.049);
    EXPECT_FALSE(m_delegate->inPicking());
    EXPECT_EQ(std::find(calls.begin(), calls.end(), "showWindow"), calls.end());
    m_scheduler.advance(0.001);
    EXPECT_TRUE(m_delegate->inPicking());
    EXPECT_EQ(m_settings.bytes(), before);
}

TEST_F(Launch, ACommandLinePickEndsWithStatusOneWhenTheMachineSleeps)
{
    writeReturningUser();
    commandline::setCLIMode(true);
    launchController(true);
    m_scheduler.advance(0.05);
    ASSERT_TRUE(m_delegate->inPicking());
    m_platform->powerEvents().sleep();
    EXPECT_FALSE(m_delegate->inPicking());
    EXPECT_EQ(m_exitStatus, 1);
}

TEST_F(Launch, CommandLineWithoutALoupeEndsAtOnceWithStatusOne)
{
    commandline::setCLIMode(true);
    start(true, hexFormats());
    m_delegate->setLoupe(nullptr);
    m_delegate->applicationDidFinishLaunching();
    EXPECT_EQ(m_exitStatus, 1);
    EXPECT_EQ(m_output.str(), "");
}

TEST_F(Launch, TerminatingEndsThePickerUnfocusedSavesAndTheFirstStatusWins)
{
    writeReturningUser({{"HistoryColors", Value(std::vector<Value>{Value("336699FF")})}});
    launchController();
    m_delegate->showPicker(nullptr);
    m_delegate->addColor(Color::sRGB(1, 0, 0));
    m_delegate->terminateApplication();
    EXPECT_FALSE(m_delegate->inPicking());
    EXPECT_EQ(m_exitStatus, 0);
    const Dictionary stored = m_settings.stored();
    const auto history = stored.get("HistoryColors").array();
    ASSERT_NE(history, nullptr);
    EXPECT_EQ(history->front(), Value("FF0000FF"));
    m_delegate->terminate(1);
    EXPECT_EQ(m_delegate->terminationStatus(), 0);
}

TEST_F(Launch, AHangUpEndsTheProgramLikeTermAndInterrupt)
{
    int requests = 0;
    const TerminationSignals termination([&requests] { ++requests; });
    // A closed terminal hangs up on a program started from it.
    for (const int signal : {SIGHUP, SIGTERM, SIGINT}) {
        std::raise(signal);
        QTest::qWait(20);
    }
    EXPECT_EQ(requests, 3);
}

TEST_F(Launch, ClosingTheActiveWindowWithPreferencesAndOverlayOpenHidesOnlyTheOverlay)
{
    writeReturningUser();
    launchController();
    m_delegate->windows().showPreferences();
    m_delegate->setInPreferences(true);
    m_delegate->showOverlay(nullptr);
    ASSERT_TRUE(m_overlay->visible);
    m_delegate->closeActiveWindow();
    EXPECT_FALSE(m_overlay->visible);
    EXPECT_TRUE(m_preferences->visible);
    m_delegate->closeActiveWindow();
    EXPECT_FALSE(m_preferences->visible);
}

TEST_F(Launch, SuperWInAWindowOfTheProgramClosesTheActiveWindow)
{
    writeReturningUser();
    launchController();
    ASSERT_TRUE(m_overlay->visible);
    QWidget window;
    window.show();
    window.activateWindow();
    QTest::keyClick(&window, Qt::Key_W, Qt::MetaModifier | Qt::ShiftModifier);
    QTest::keyClick(&window, Qt::Key_W, Qt::ControlModifier);
    EXPECT_TRUE(m_overlay->visible);
    QTest::keyClick(&window, Qt::Key_W, Qt::MetaModifier);
    EXPECT_FALSE(m_overlay->visible);

    // The about window with the keyboard closes alone.
    m_delegate->showOverlay(nullptr);
    m_delegate->windows().showAbout();
    QTest::keyClick(&window, Qt::Key_W, Qt::MetaModifier);
    EXPECT_FALSE(m_about.key);
    EXPECT_TRUE(m_overlay->visible);
    m_delegate->windows().showWelcome();
    QTest::keyClick(&window, Qt::Key_W, Qt::MetaModifier);
    EXPECT_EQ(m_welcome.closed, 1);
    EXPECT_FALSE(m_overlay->visible);
}

TEST_F(Launch, AChangeOfScreensCentresTheVisibleOverlayAgain)
{
    writeReturningUser();
    launchController();
    m_app->setDelegate(m_delegate.get());
    QScreen* screen = QGuiApplication::primaryScreen();
    ASSERT_TRUE(m_overlay->visible);
    const int centred = m_overlay->centred;
    emit screen->geometryChanged(QRect(0, 0, 1280, 1024));
    emit screen->availableGeometryChanged(QRect(0, 24, 1280, 1000));
    EXPECT_EQ(m_overlay->centred, centred + 2);
    m_delegate->hideOverlay();
    emit screen->geometryChanged(QRect(0, 0, 1920, 1080));
    EXPECT_EQ(m_overlay->centred, centred + 2);
    m_app->setDelegate(nullptr);
}

} // namespace
