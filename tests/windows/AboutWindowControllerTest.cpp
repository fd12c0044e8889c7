#include "windows/AboutInfoWindow.h"
#include "windows/AboutWindowController.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class AboutWindowControllerTest : public ::testing::Test {
protected:
    int m_argc = 1;
    char m_arg0[8] = "test";
    char* m_argv[2] = {m_arg0, nullptr};
    QApplication m_app {m_argc, m_argv};
    std::vector<QUrl> m_opened;
    AboutWindowController m_controller {"2.1", "\u00A9 Someone <2026>", [this](const QUrl& url) { m_opened.push_back(url); }};
};

TEST_F(AboutWindowControllerTest, ShowsTheVersionAndTheCopyrightUnchanged)
{
    EXPECT_EQ(m_controller.window()->infoText()->text(), "Version 2.1");
    EXPECT_EQ(m_controller.window()->copyrightText()->text(), QString::fromUtf8("\u00A9 Someone <2026>"));
}

TEST_F(AboutWindowControllerTest, TheButtonsOpenTheTwoPages)
{
    QTest::mouseClick(m_controller.window()->homepageButton(), Qt::LeftButton);
    QTest::mouseClick(m_controller.window()->twitterButton(), Qt::LeftButton);
    ASSERT_EQ(m_opened.size(), 2u);
    EXPECT_EQ(m_opened[0], QUrl(AboutWindowController::kHomepage));
    EXPECT_EQ(m_opened[1], QUrl(AboutWindowController::kTwitterAccount));
}

TEST_F(AboutWindowControllerTest, EscapeOrCloseClosesTheWindowAndItShowsAgainWithTheKeyboard)
{
    m_controller.center();
    m_controller.makeKeyAndOrderFront();
    ASSERT_TRUE(m_controller.window()->isVisible());
    QTest::keyClick(m_controller.window(), Qt::Key_Escape);
    EXPECT_FALSE(m_controller.window()->isVisible());
    m_controller.makeKeyAndOrderFront();
    EXPECT_TRUE(m_controller.window()->isVisible());
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_controller.window()));
    EXPECT_TRUE(m_controller.isKeyWindow());
    m_controller.close();
    EXPECT_FALSE(m_controller.window()->isVisible());
    EXPECT_FALSE(m_controller.isKeyWindow());
}

} // namespace
