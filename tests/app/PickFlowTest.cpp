#include "ControllerFixture.h"

#include "app/picking/PickFlow.h"
#include "foundation/Log.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

class PickFlowTest : public ControllerFixture {
protected:
    void launchPicking(Dictionary extra = {})
    {
        writeReturningUser(std::move(extra));
        launchController();
        m_overlay->visible = false;
        m_loupe->calls.clear();
        m_delegate->showPicker(nullptr);
    }
    // The snapshot flash ends.
    void finishFlash()
    {
        ASSERT_TRUE(m_loupe->snapShotCallbacks.finished);
        m_loupe->snapShotCallbacks.finished();
    }
};

TEST_F(PickFlowTest, OpeningThePickerShowsTheLoupeAtTheMouseWithTheTapsOn)
{
    launchPicking();
    EXPECT_EQ(m_loupe->calls,
              (std::vector<std::string>{"resetHiDPIZoom", "unDockWindow", "registerMouseListener",
                                        "moveLoupeToCurrentMousePosition", "assignLayers", "refreshLoupe", "redrawAll",
                                        "startRubberPull", "showWindow", "refreshLoupe"}));
    EXPECT_TRUE(m_delegate->inPicking());
    EXPECT_TRUE(m_delegate->ignoreFlagSwitchUntilRelease());
    ASSERT_NE(m_platform->eventTaps().modifierTap(), nullptr);
    EXPECT_TRUE(m_platform->eventTaps().modifierTap()->isEnabled());
    EXPECT_FALSE(m_platform->cursor().isVisible());
    m_scheduler.advance(0.125);
    EXPECT_EQ(m_loupe->calls.back(), "checkHiDPIMode");

    // Opening again leaves the loupe where it is.
    m_loupe->calls.clear();
    m_delegate->showPicker(m_delegate.get());
    EXPECT_EQ(m_loupe->calls, (std::vector<std::string>{"resetHiDPIZoom"}));
    EXPECT_FALSE(m_delegate->ignoreFlagSwitchUntilRelease());
}

TEST_F(PickFlowTest, APickExportsOnceThenRecordsTheColourAndSaves)
{
    launchPicking();
    m_loupe->color = Color::sRGB(0.2, 0.4, 0.6);
    m_delegate->doPick();
    // A second click during the flash is ignored.
    m_delegate->doPick();
    finishFlash();
    m_loupe->snapShotCallbacks.canceled();
    EXPECT_FALSE(m_delegate->inPicking());
    EXPECT_TRUE(m_platform->cursor().isVisible());
    EXPECT_TRUE(m_banner->shown.empty());

    m_scheduler.runPending();
    ASSERT_EQ(m_banner->shown.size(), 1u);
    EXPECT_EQ(m_banner->shown.front().first, "336699");
    EXPECT_EQ(m_banner->lastSeconds, 3.0);
    EXPECT_EQ(QGuiApplication::clipboard()->mimeData()->text(), "336699");
    ASSERT_EQ(m_delegate->historyColors().size(), 1u);
    const Dictionary stored = m_settings.stored();
    const auto history = stored.get("HistoryColors").array();
    ASSERT_NE(history, nullptr);
    EXPECT_EQ(history->front(), Value("336699FF"));
}

TEST_F(PickFlowTest, QuittingDuringAPicksFlashStillSavesThatPickOnce)
{
    launchPicking();
    m_loupe->color = Color::sRGB(0.2, 0.4, 0.6);
    m_delegate->doPick();
    // The event loop ends here: neither the flash nor anything posted runs in the program.
    m_delegate->terminateApplication();
    const Value history = m_settings.stored().get("HistoryColors");
    ASSERT_NE(history.array(), nullptr);
    EXPECT_EQ(*history.array(), std::vector<Value>{Value("336699FF")});
    finishFlash();
    m_scheduler.runPending();
    EXPECT_EQ(m_delegate->historyColors().size(), 1u);
}

TEST_F(PickFlowTest, WhatAnotherProcessWroteMeanwhileStaysBesideThePick)
{
    launchPicking({{"HistoryColors", Value(std::vector<Value>{Value("11223344")})}});
    const Value custom(std::vector<Value>{Value(Dictionary{{"name", Value("Mine")}})});
    m_settings.open()->setObjects(Dictionary{{"customFormats", custom}, {"useNotification", Value::boolean(false)},
                                             {"HistoryColors", Value(std::vector<Value>{Value("55667788")})}});
    m_loupe->color = Color::sRGB(0.2, 0.4, 0.6);
    m_delegate->doPick();
    finishFlash();
    m_scheduler.runPending();
    const Dictionary stored = m_settings.stored();
    EXPECT_EQ(stored.get("customFormats"), custom);
    EXPECT_EQ(stored.get("useNotification"), Value::boolean(false));
    EXPECT_EQ(stored.get("HistoryColors"), Value(std::vector<Value>{Value("336699FF"), Value("55667788")}));
    EXPECT_FALSE(m_delegate->useNotification());

    // Read in as the watcher does, an outside change applies without a save.
    m_settings.open()->setObject("useNotification", Value::boolean(true));
    m_defaults->readOutsideChanges();
    EXPECT_TRUE(m_delegate->useNotification());
}

TEST_F(PickFlowTest, AnOutsideEditOfTheListsJustBeforeThePickIsSavedStays)
{
    launchPicking({{"HistoryColors", Value(std::vector<Value>{Value("11223344")})}});
    m_loupe->color = Color::sRGB(0.2, 0.4, 0.6);
    m_delegate->doPick();
    finishFlash();
    // Written after the picker closed and before the pick is recorded and saved.
    const Value favorites(std::vector<Value>{Value("AABBCCFF")});
    m_settings.open()->setObjects(Dictionary{{"FavoriteColors", favorites},
                                             {"HistoryColors", Value(std::vector<Value>{Value("55667788")})}});
    m_scheduler.runPending();
    const Dictionary stored = m_settings.stored();
    EXPECT_EQ(stored.get("HistoryColors"), Value(std::vector<Value>{Value("336699FF"), Value("55667788")}));
    EXPECT_EQ(stored.get("FavoriteColors"), favorites);
}

TEST_F(PickFlowTest, WithTheOverlayDueThePickOpensItAfterTheHistoryHasTheColour)
{
    launchPicking({{"openFormatsAfterPick", Value::boolean(true)}});
    m_loupe->color = Color::sRGB(1, 0, 0);
    m_delegate->doPick();
    finishFlash();
    m_scheduler.runPending();
    EXPECT_TRUE(m_overlay->visible);
    ASSERT_FALSE(m_overlay->history.empty());
    EXPECT_TRUE(m_overlay->history.front().isSame32BitColorAs(Color::sRGB(1, 0, 0)));
    EXPECT_TRUE(m_banner->shown.empty());
}

TEST_F(PickFlowTest, APickWithoutAColourLogsAndRecordsNothing)
{
    launchPicking();
    logging::Capture log;
    m_delegate->doPick();
    finishFlash();
    m_scheduler.runPending();
    EXPECT_TRUE(log.contains(PickFlow::kNoColorAvailable));
    EXPECT_TRUE(m_delegate->historyColors().empty());
    EXPECT_FALSE(m_delegate->inPicking());
}

TEST_F(PickFlowTest, ACommandLinePickPrintsTheTextAndEndsWithZero)
{
    commandline::setCLIMode(true);
    commandline::setSettings(Dictionary{{"exportFormat", Value("HEX")}});
    launchController(true);
    m_scheduler.advance(0.05);
    m_loupe->color = Color::sRGB(0.2, 0.4, 0.6);
    m_delegate->doPick();
    finishFlash();
    EXPECT_EQ(m_output.str(), "336699");
    // Closing the picker asks to end again; the first status stands.
    EXPECT_EQ(m_delegate->terminationStatus(), 0);
    EXPECT_FALSE(m_delegate->inPicking());
}

TEST_F(PickFlowTest, CommandLineModeSnapshotsTheScreenWhileThePickerWaits)
{
    commandline::setCLIMode(true);
    m_platform->screenCapture().setScreen(QImage(4, 4, QImage::Format_ARGB32_Premultiplied));
    launchController(true);
    EXPECT_FALSE(m_delegate->inPicking());
    EXPECT_TRUE(m_platform->screenCapture().sessionActive());
    EXPECT_EQ(m_platform->screenCapture().snapshotCount(), 1);
}

TEST_F(PickFlowTest, EscapeInCommandLineModePrintsNothingAndEndsWithOne)
{
    commandline::setCLIMode(true);
    launchController(true);
    m_scheduler.advance(0.05);
    m_delegate->hidePicker();
    EXPECT_EQ(m_output.str(), "");
    EXPECT_EQ(m_delegate->terminationStatus(), 1);
}

// Another X screen's pixels can be neither shown nor picked: nothing opens or is picked there.
TEST_F(PickFlowTest, WithThePointerOnAnotherScreenNothingOpensOrIsPicked)
{
    logging::Capture log;
    const auto saidWhy = [&log] {
        return std::count_if(log.lines().begin(), log.lines().end(),
                             [](const std::string& line) { return line.find("another X screen") != std::string::npos; });
    };
    QGuiApplication::clipboard()->clear();
    m_platform->cursor().setOnOurScreen(false);
    launchPicking();
    EXPECT_FALSE(m_delegate->inPicking());
    EXPECT_EQ(m_loupe->calls, (std::vector<std::string>{"resetHiDPIZoom"}));
    EXPECT_EQ(saidWhy(), 1);

    m_platform->cursor().setOnOurScreen(true);
    m_delegate->showPicker(nullptr);
    ASSERT_TRUE(m_delegate->inPicking());
    m_loupe->color = Color::sRGB(0.2, 0.4, 0.6);
    m_platform->cursor().setOnOurScreen(false);
    m_delegate->doPick();
    EXPECT_FALSE(m_delegate->inPicking());
    EXPECT_FALSE(m_loupe->snapShotCallbacks.finished);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "");
    EXPECT_EQ(saidWhy(), 2);
}

TEST_F(PickFlowTest, ACommandLinePickWithThePointerOnAnotherScreenEndsAsCancelled)
{
    commandline::setCLIMode(true);
    m_platform->cursor().setOnOurScreen(false);
    launchController(true);
    m_scheduler.advance(0.05);
    EXPECT_FALSE(m_delegate->inPicking());
    EXPECT_EQ(m_output.str(), "");
    EXPECT_EQ(m_delegate->terminationStatus(), 1);
}

TEST_F(PickFlowTest, CopyingTheLensShowsItsBannerAfterTheFlash)
{
    launchPicking();
    bool done = false;
    m_delegate->copyLoupeImageToClipboard([&done] { done = true; });
    EXPECT_FALSE(done);
    finishFlash();
    EXPECT_TRUE(done);
    ASSERT_EQ(m_banner->shown.size(), 1u);
    EXPECT_EQ(m_banner->shown.front().first, PickFlow::kImageCopied);
}

} // namespace
