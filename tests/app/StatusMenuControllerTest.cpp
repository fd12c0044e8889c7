#include "ControllerFixture.h"

#include "app/StatusMenuController.h"
#include "app/StatusMenuWidget.h"
#include "uikit/MASShortcut.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QIcon>
#include <QMimeData>

#include <gtest/gtest.h>

namespace {

Value hexList(std::vector<std::string> entries)
{
    std::vector<Value> values;
    for (auto& entry : entries)
        values.emplace_back(entry);
    return Value(std::move(values));
}

class StatusMenuControllerTest : public ControllerFixture {
protected:
    void launchMenu(long long recentMenuItems)
    {
        writeReturningUser({{"HistoryColors", hexList({"336699FF", "FF0000FF", "00FF0080"})},
                            {"FavoriteColors", hexList({"0000FFFF"})},
                            {"recentMenuItems", Value::integer(recentMenuItems)}});
        launchController();
        m_controller = std::make_unique<StatusMenuController>(*m_delegate);
        m_controller->initMenulet();
    }
    void TearDown() override
    {
        m_controller.reset();
        ControllerFixture::TearDown();
    }
    static std::vector<std::string> visibleTitles(const std::vector<QAction*>& entries)
    {
        std::vector<std::string> titles;
        for (const QAction* entry : entries) {
            if (entry->isVisible())
                titles.push_back(entry->text().toStdString());
        }
        return titles;
    }

    std::unique_ptr<StatusMenuController> m_controller;
};

TEST_F(StatusMenuControllerTest, TheColourEntriesFollowTheirSettingAndOptionSwapsTheGroups)
{
    launchMenu(2);
    ASSERT_EQ(m_controller->historyMenuEntries().size(), 20u);
    EXPECT_EQ(m_controller->historyMenuEntries().back()->data().toInt(), 20);
    EXPECT_EQ(m_controller->historyMenuEntries().front()->text(), "Entry");

    m_controller->updateMenulet(false);
    EXPECT_EQ(visibleTitles(m_controller->historyMenuEntries()), (std::vector<std::string>{"336699", "ff0000"}));
    EXPECT_TRUE(visibleTitles(m_controller->favoriteMenuEntries()).empty());
    EXPECT_TRUE(m_controller->formatSeparator()->isVisible());

    m_controller->updateMenulet(true);
    EXPECT_TRUE(visibleTitles(m_controller->historyMenuEntries()).empty());
    EXPECT_EQ(visibleTitles(m_controller->favoriteMenuEntries()), (std::vector<std::string>{"0000ff"}));
}

TEST_F(StatusMenuControllerTest, NoRecentEntriesHidesTheGroupsAndTheFormatSeparator)
{
    launchMenu(0);
    m_controller->updateMenulet(false);
    EXPECT_TRUE(visibleTitles(m_controller->historyMenuEntries()).empty());
    EXPECT_FALSE(m_controller->formatSeparator()->isVisible());
}

TEST_F(StatusMenuControllerTest, ATranslucentColourShowsOverBlackAndWhiteAndAnEntryExportsItsColour)
{
    launchMenu(5);
    m_controller->updateMenulet(false);
    const QImage swatch = m_controller->historyMenuEntries().at(2)->icon().pixmap(16, 17).toImage();
    // Half-transparent green over the white lower left and the black upper right.
    EXPECT_GT(qRed(swatch.pixel(3, 13)), 100);
    EXPECT_LT(qRed(swatch.pixel(12, 5)), 20);

    m_controller->historyMenuEntries().at(1)->trigger();
    EXPECT_EQ(QGuiApplication::clipboard()->mimeData()->text(), "ff0000");
    EXPECT_EQ(m_delegate->historyColors().size(), 3u);
}

TEST_F(StatusMenuControllerTest, OpeningTheMenuDropsTheHotKeysAndTheBannerUntilItCloses)
{
    launchMenu(5);
    m_banner->visible = true;
    EXPECT_EQ(MASShortcut::registeredUserDefaultsHotKeys().size(), 2u);
    m_controller->menuWillOpen();
    EXPECT_TRUE(m_controller->isOpen());
    EXPECT_FALSE(m_banner->visible);
    EXPECT_TRUE(MASShortcut::registeredUserDefaultsHotKeys().empty());
    m_controller->menuDidClose();
    EXPECT_EQ(MASShortcut::registeredUserDefaultsHotKeys().size(), 2u);
}

} // namespace
