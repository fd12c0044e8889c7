#include "ControllerFixture.h"

#include "app/statusmenu/AppIcons.h"
#include "app/statusmenu/StatusMenuController.h"
#include "app/statusmenu/StatusMenuWidget.h"
#include "foundation/Bundle.h"
#include "platform/ModifierFlags.h"
#include "uikit/shortcuts/KeyShortcut.h"
#include "uikit/shortcuts/NJShortcutView.h"
#include "tests/foundation/TemporaryFolder.h"

#include <QAction>
#include <QClipboard>
#include <QCursor>
#include <QMenu>
#include <QScreen>
#include <QGuiApplication>
#include <QIcon>
#include <QMimeData>
#include <QPainter>
#include <QSystemTrayIcon>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

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

TEST_F(StatusMenuControllerTest, OpenedAboveThePointerTheMenuKeepsItsBottomEdgeWhenOptionSwapsTheGroups)
{
    writeReturningUser({{"HistoryColors", hexList({"336699FF"})},
                        {"FavoriteColors", hexList({"0000FFFF", "00FF00FF", "FF0000FF", "FFFF00FF", "FFFFFFFF"})}});
    launchController();
    m_controller = std::make_unique<StatusMenuController>(*m_delegate);
    m_controller->initMenulet();
    QMenu* menu = m_controller->menu();
    const QPoint panel = QGuiApplication::primaryScreen()->geometry().bottomLeft() + QPoint(100, -10);
    QCursor::setPos(panel);
    menu->popup(panel);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(menu));
    const QRect opened = menu->geometry();
    const int bottom = opened.bottom();
    ASSERT_LE(bottom, panel.y());
    m_controller->updateMenulet(true);
    QCoreApplication::processEvents();
    EXPECT_GT(menu->height(), opened.height());
    EXPECT_EQ(menu->geometry().bottom(), bottom);
    m_controller->updateMenulet(false);
    QCoreApplication::processEvents();
    EXPECT_EQ(menu->geometry().bottom(), bottom);
    menu->hide();
}

TEST_F(StatusMenuControllerTest, OpeningTheMenuDropsTheHotKeysAndTheBannerUntilItCloses)
{
    launchMenu(5);
    m_banner->visible = true;
    EXPECT_EQ(KeyShortcut::registeredUserDefaultsHotKeys().size(), 2u);
    m_controller->menuWillOpen();
    EXPECT_TRUE(m_controller->isOpen());
    EXPECT_FALSE(m_banner->visible);
    EXPECT_TRUE(KeyShortcut::registeredUserDefaultsHotKeys().empty());
    m_controller->menuDidClose();
    EXPECT_EQ(KeyShortcut::registeredUserDefaultsHotKeys().size(), 2u);
}

TEST_F(StatusMenuControllerTest, ARecorderRefusesTheMenusShortcutsButKeepsItsOwn)
{
    using namespace modifierflags;
    launchMenu(5);
    const KeyShortcut pick(8, kOption | kCommand);
    m_controller->setShortcut(StatusMenu::Entry::PickColor, pick.data());
    std::vector<QString> alerts;
    NJShortcutView::setAlertPresenter([&alerts](const QString&, const QString& message) { alerts.push_back(message); });
    QWidget window;
    auto* recorder = new NJShortcutView(&window);
    (new QVBoxLayout(&window))->addWidget(recorder);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    const auto record = [recorder](Qt::KeyboardModifiers modifiers) {
        recorder->setFocus();
        QTest::keyClick(recorder, Qt::Key_Space);
        QTest::keyClick(recorder, Qt::Key_C, modifiers);
    };

    record(Qt::MetaModifier | Qt::AltModifier);
    ASSERT_EQ(alerts.size(), 1u);
    EXPECT_EQ(alerts[0], QString::fromUtf8("This shortcut cannot be used because it is already used by the menu item "
                                           "\u2018Pick Color\u2019."));
    EXPECT_TRUE(recorder->isRecording());
    EXPECT_FALSE(recorder->shortcutValue());

    // The recorder that holds the pick shortcut may enter it again.
    recorder->setShortcutValue(NJShortcut(pick));
    recorder->resetPressed();
    record(Qt::MetaModifier | Qt::AltModifier);
    EXPECT_EQ(alerts.size(), 1u);
    EXPECT_FALSE(recorder->isRecording());
    EXPECT_EQ(*recorder->shortcutValue(), pick);
    NJShortcutView::setAlertPresenter(nullptr);
}

TEST_F(StatusMenuControllerTest, TheStatusIconReadsOnDarkAndOnLightPanelsInEitherTheme)
{
    for (const bool darkTheme : {false, true}) {
        const QImage icon = AppIcons::statusIcon(darkTheme).pixmap(22, 22).toImage();
        for (const QColor panel : {QColor(Qt::black), QColor(Qt::white)}) {
            QImage shown(icon.size(), QImage::Format_RGB32);
            shown.fill(panel);
            QPainter(&shown).drawImage(0, 0, icon);
            int standingOut = 0;
            for (int y = 0; y < shown.height(); ++y) {
                for (int x = 0; x < shown.width(); ++x)
                    standingOut += std::abs(shown.pixelColor(x, y).lightness() - panel.lightness()) > 160;
            }
            EXPECT_GT(standingOut, 30) << darkTheme << " on " << panel.name().toStdString();
        }
    }
}

TEST_F(StatusMenuControllerTest, TheStatusIconFollowsALiveThemeChange)
{
    launchMenu(10);
    m_controller->createMenuletItem();
    const auto shown = [this] { return m_controller->statusItem()->icon().pixmap(22, 22).toImage(); };
    const auto drawn = [](bool dark) { return AppIcons::statusIcon(dark).pixmap(22, 22).toImage(); };
    ASSERT_NE(drawn(false), drawn(true));
    for (const bool dark : {true, false}) {
        m_defaults->setObject("userInterface", Value(dark ? "dark" : "light"));
        m_app->themeChanged();
        ASSERT_EQ(m_app->darkMode(), dark);
        EXPECT_EQ(shown(), drawn(dark)) << dark;
    }
}

TEST_F(StatusMenuControllerTest, TheProgramIconIsTheResourcesCopyOrTheInstalledOne)
{
    const QIcon fromResources = AppIcons::programIcon();
    EXPECT_TRUE(fromResources.availableSizes().contains(QSize(16, 16)));
    EXPECT_TRUE(fromResources.availableSizes().contains(QSize(256, 256)));

    // Installed: share/vendrel/resources without the icons, share/icons beside it.
    const TemporaryFolder prefix;
    const std::filesystem::path resources = prefix / "share/vendrel/resources";
    const std::filesystem::path apps = prefix / "share/icons/hicolor/32x32/apps";
    std::filesystem::create_directories(resources);
    std::filesystem::create_directories(apps);
    std::filesystem::copy_file(Bundle::main().resourceDirectory() / "icons/hicolor/32x32/apps/vendrel.png",
                               apps / "vendrel.png");
    Bundle::main().setResourceDirectory(resources);
    const QIcon installed = AppIcons::programIcon();
    Bundle::main().setResourceDirectory({});
    EXPECT_EQ(installed.availableSizes(), QList<QSize>{QSize(32, 32)});
}

} // namespace
