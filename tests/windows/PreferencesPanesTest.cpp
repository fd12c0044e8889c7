#include "tests/windows/PreferencesFixture.h"

#include "tests/uikit/OpaqueGrey.h"
#include "windows/QVPreferenceWindow.h"

#include <QAction>
#include <QToolBar>

#include <gtest/gtest.h>

namespace {

class PreferencesPanesTest : public PreferencesFixture {
protected:
    int toolbarHeight() const { return m_controller->toolbar()->sizeHint().height(); }
};

TEST_F(PreferencesPanesTest, FirstShowingSelectsTheFirstPaneWithoutAnimation)
{
    open();
    QToolBar* toolbar = m_controller->toolbar();
    ASSERT_NE(toolbar, nullptr);
    EXPECT_EQ(toolbar->objectName(), "NJPreferencesToolbar");
    EXPECT_EQ(toolbar->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
    ASSERT_EQ(toolbar->actions().size(), 3);
    EXPECT_EQ(toolbar->actions()[0]->text(), "General");
    EXPECT_EQ(toolbar->actions()[1]->text(), "Appearance");
    EXPECT_EQ(toolbar->actions()[2]->text(), "Code Style");
    EXPECT_TRUE(toolbar->actions()[0]->isChecked());
    for (const QAction* item : toolbar->actions())
        EXPECT_FALSE(item->icon().isNull()) << item->text().toStdString();

    EXPECT_EQ(m_controller->currentViewIdentifier(), "General");
    EXPECT_EQ(m_controller->window()->windowTitle(), "Vendrel \u2013 General");
    ASSERT_EQ(m_controller->contentSubviews().size(), 1u);
    QWidget* general = m_controller->generalPreferenceView();
    EXPECT_EQ(m_controller->contentSubviews().front(), general);
    EXPECT_TRUE(general->isVisible());
    EXPECT_EQ(m_controller->window()->size(), QSize(general->width(), general->height() + toolbarHeight()));
    EXPECT_EQ(m_controller->window()->maximumSize(), m_controller->window()->minimumSize());
    EXPECT_TRUE(m_host->inPreferences);
}

TEST_F(PreferencesPanesTest, TheToolbarPicturesStayVisibleInTheDarkTheme)
{
    open();
    const auto lines = [this] { return opaqueGrey(m_controller->toolbarItem("General")->icon(), 32); };
    const int light = lines();
    EXPECT_GE(light, 0);
    EXPECT_LT(light, 100);
    m_defaults.setObject("userInterface", Value("dark"));
    m_app->themeChanged();
    ASSERT_TRUE(m_app->darkMode());
    EXPECT_GT(lines(), 160);
}

TEST_F(PreferencesPanesTest, TogglingCrossFadesAndResizesWithTheTopEdgeKept)
{
    open();
    QVPreferenceWindow* window = m_controller->window();
    const int top = window->geometry().top();
    QWidget* general = m_controller->generalPreferenceView();
    QWidget* codeStyle = m_controller->codestylePreferenceView();
    ASSERT_GT(codeStyle->height(), general->height());

    m_controller->toolbarItem("Code Style")->trigger();
    EXPECT_EQ(m_controller->currentViewIdentifier(), "Code Style");
    EXPECT_EQ(window->windowTitle(), "Vendrel \u2013 Code Style");
    // Both panes take part in the fade until it ends.
    EXPECT_EQ(m_controller->contentSubviews().size(), 2u);
    m_scheduler.advance(0.1);
    EXPECT_LT(window->height(), codeStyle->height() + toolbarHeight());
    m_scheduler.advance(0.2);
    ASSERT_EQ(m_controller->contentSubviews().size(), 1u);
    EXPECT_EQ(m_controller->contentSubviews().front(), codeStyle);
    EXPECT_FALSE(general->isVisible());
    EXPECT_EQ(window->height(), codeStyle->height() + toolbarHeight());
    EXPECT_EQ(window->width(), codeStyle->width());
    EXPECT_EQ(window->geometry().top(), top);
    // The user cannot resize it.
    EXPECT_EQ(window->minimumSize(), window->size());
    EXPECT_EQ(window->maximumSize(), window->size());
}

TEST_F(PreferencesPanesTest, TogglingTheShownPaneChangesNothing)
{
    open();
    const QRect frame = m_controller->window()->geometry();
    m_controller->toolbarItem("General")->trigger();
    m_scheduler.advance(0.3);
    EXPECT_EQ(m_controller->contentSubviews().size(), 1u);
    EXPECT_EQ(m_controller->window()->geometry(), frame);
    EXPECT_EQ(m_controller->currentViewIdentifier(), "General");
}

TEST_F(PreferencesPanesTest, EscapeClosesAndClosingEndsThePreview)
{
    open();
    m_host->parent = m_controller->window();
    m_host->alpha = 0.4;
    QTest::keyClick(m_controller->window(), Qt::Key_Escape);
    EXPECT_FALSE(m_controller->isVisible());
    EXPECT_FALSE(m_host->inPreferences);
    EXPECT_EQ(m_host->parent, nullptr);
    EXPECT_DOUBLE_EQ(m_host->alpha, 1.0);
}

TEST_F(PreferencesPanesTest, ShowingEndsARunningPickAndAPaneChangeUndocks)
{
    make();
    m_host->picking = true;
    open();
    EXPECT_FALSE(m_host->picking);
    m_host->parent = m_controller->window();
    m_controller->toolbarItem("Appearance")->trigger();
    EXPECT_EQ(m_host->parent, nullptr);
}

} // namespace
