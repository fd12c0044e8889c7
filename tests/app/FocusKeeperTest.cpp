#include "ControllerFixture.h"

#include "platform/ModifierFlags.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using namespace modifierflags;

class FocusKeeperTest : public ControllerFixture {
protected:
    void launchPicking(Dictionary extra = {})
    {
        writeReturningUser(std::move(extra));
        launchController();
        m_delegate->showPicker(nullptr);
        m_loupe->calls.clear();
    }
    int count(const std::string& call) const
    {
        return static_cast<int>(std::count(m_loupe->calls.begin(), m_loupe->calls.end(), call));
    }
};

TEST_F(FocusKeeperTest, TheHotKeysModifiersCountOnlyAfterAllWereReleased)
{
    launchPicking();
    FocusKeeper& focus = m_delegate->focus();
    const int peekSets = m_loupe->peekSets;
    focus.processFlags(kOption | kCommand);
    focus.processFlags(kCommand);
    EXPECT_EQ(m_loupe->peekSets, peekSets);
    focus.processFlags(0);
    EXPECT_FALSE(m_delegate->ignoreFlagSwitchUntilRelease());
    focus.processFlags(kOption);
    EXPECT_EQ(m_loupe->peekSets, peekSets + 1);
    EXPECT_TRUE(m_loupe->peek);
}

TEST_F(FocusKeeperTest, PrecisionFollowsItsKeyAndHoverNeedsTheFunctionKeyAlone)
{
    launchPicking();
    FocusKeeper& focus = m_delegate->focus();
    focus.processFlags(0);
    focus.processFlags(kControl);
    focus.processFlags(kControl | kShift);
    focus.processFlags(0);
    EXPECT_EQ(count("activateHiDPIMode"), 1);
    EXPECT_EQ(count("deactivateHiDPIMode"), 1);

    m_loupe->calls.clear();
    focus.processFlags(kFunction);
    focus.processFlags(kFunction | kShift);
    EXPECT_EQ(m_loupe->calls, (std::vector<std::string>{"activateHoverMode", "deactivateHoverMode"}));
}

TEST_F(FocusKeeperTest, WhileTheMenuIsOpenOptionSwapsItsColours)
{
    writeReturningUser();
    launchController();
    m_menu->open = true;
    m_delegate->focus().processFlags(kOption);
    m_delegate->focus().processFlags(0);
    EXPECT_EQ(m_menu->updates, (std::vector<bool>{true, false}));
}

TEST_F(FocusKeeperTest, FocusIsTakenFromListedApplicationsAndHandedBack)
{
    m_platform->activeApplication().switchTo("Inkscape");
    m_platform->activeApplication().setActiveWindow(0x400007);
    launchPicking({{"stealFocusFromActiveApps", Value(std::vector<Value>{Value("gimp"), Value("INKSCAPE")})}});
    EXPECT_EQ(m_delegate->focus().didStealFocusFromApp(), 0x400007u);
    m_loupe->color = Color::sRGB(0, 0, 0);
    m_delegate->hidePickerAndRestoreFocus(true);
    EXPECT_EQ(m_platform->activeApplication().activated(), (std::vector<std::uint32_t>{0x400007}));
    EXPECT_FALSE(m_delegate->focus().didStealFocusFromApp());
}

TEST_F(FocusKeeperTest, AnUnlistedApplicationOrOurOwnKeepsItsFocus)
{
    m_platform->activeApplication().switchTo("gedit");
    m_platform->activeApplication().setActiveWindow(0x500001);
    launchPicking({{"stealFocusFromActiveApps", Value(std::vector<Value>{Value("gimp")})}});
    EXPECT_FALSE(m_delegate->focus().didStealFocusFromApp());
    m_delegate->hidePickerAndRestoreFocus(false);

    m_platform->activeApplication().switchTo("test");
    m_delegate->setIgnoreFlagSwitchUntilRelease(false);
    m_delegate->focus().stealFocusFromActiveApp();
    EXPECT_FALSE(m_delegate->focus().didStealFocusFromApp());
    EXPECT_TRUE(m_platform->activeApplication().activated().empty());
}

TEST_F(FocusKeeperTest, SleepEndsThePickerWithoutHandingTheFocusBack)
{
    m_platform->activeApplication().switchTo("gimp");
    m_platform->activeApplication().setActiveWindow(0x600003);
    launchPicking({{"stealFocusFromActiveApps", Value(std::vector<Value>{Value("*")})}});
    ASSERT_TRUE(m_delegate->focus().didStealFocusFromApp());
    m_platform->powerEvents().sleep();
    EXPECT_FALSE(m_delegate->inPicking());
    EXPECT_FALSE(m_delegate->focus().didStealFocusFromApp());
    EXPECT_TRUE(m_platform->activeApplication().activated().empty());
}

TEST_F(FocusKeeperTest, ADesktopSwitchWhilePickingKeepsTheLoupeInFront)
{
    launchPicking();
    m_platform->workspace().switchDesktop();
    EXPECT_EQ(m_loupe->calls, (std::vector<std::string>{"refreshLoupe", "makeWindowKey"}));
    m_delegate->hidePickerAndRestoreFocus(false);
    EXPECT_FALSE(m_platform->workspace().isListening());
}

TEST_F(FocusKeeperTest, SwitchingApplicationsWhilePickingBringsTheLoupeBackAQuarterSecondLater)
{
    launchPicking();
    m_loupe->center = QPointF(300, 200);
    m_delegate->frontAppSwitched();
    EXPECT_EQ(m_loupe->calls, (std::vector<std::string>{"makeWindowKey"}));
    m_scheduler.advance(0.249);
    EXPECT_EQ(count("setLoupeCenter"), 0);
    m_scheduler.advance(0.001);
    EXPECT_EQ(count("setLoupeCenter"), 1);
    EXPECT_EQ(m_loupe->center, QPointF(300, 200));
    EXPECT_EQ(m_loupe->calls.back(), "refreshLoupe");
}

} // namespace
