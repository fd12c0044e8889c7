#include "uikit/windows/WNJShadowWindow.h"
#include "uikit/windows/WNJVisualEffectWindow.h"

#include "tests/uikit/FakeApplicationTest.h"

#include <QImage>
#include <QLabel>
#include <QPainter>

namespace {

class WNJShadowWindowTest : public FakeApplicationTest {
protected:
    void SetUp() override
    {
        FakeApplicationTest::SetUp();
        setScreens({QRectF(0, 0, 1280, 1024)});
    }
    void makeDark(bool dark)
    {
        m_defaults.setObject("userInterface", Value(dark ? "dark" : "light"));
        m_app->themeChanged();
    }
};

TEST_F(WNJShadowWindowTest, ShadowPanelSurroundsTheWindowAndFollowsIt)
{
    m_platform->compositor().setRunning(true);
    WNJShadowWindow window;
    window.setFrame(QRectF(100, 100, 400, 300), false);
    EXPECT_EQ(window.shadowWindowRct(), QRectF(50, 50, 500, 385));
    window.addShadowWnd();
    ASSERT_NE(window.shadowWindow(), nullptr);
    // Global (50, 50, 500, 385) seen from the top left of a 1024 pt high screen.
    EXPECT_EQ(window.shadowWindow()->geometry(), QRect(50, 1024 - 435, 500, 385));

    window.setFrame(QRectF(200, 300, 300, 200), true, true);
    m_scheduler.advance(1);
    EXPECT_EQ(window.frame(), QRectF(200, 300, 300, 200));
    EXPECT_EQ(window.shadowWindow()->geometry(), QRect(150, 1024 - 535, 400, 285));

    window.show();
    EXPECT_TRUE(window.shadowWindow()->isVisible());
    ASSERT_FALSE(m_platform->windowStacking().calls().empty());
    EXPECT_EQ(m_platform->windowStacking().calls().back(),
              std::make_pair(std::uint64_t(window.shadowWindow()->winId()), std::uint64_t(window.winId())));
    window.hide();
    EXPECT_FALSE(window.shadowWindow()->isVisible());

    // A custom shadow never replaces the panel; addShadowWnd always does.
    QWidget* first = window.shadowWindow();
    QLabel content(&window);
    window.addCustomWindowShadow(&content);
    EXPECT_EQ(window.shadowWindow(), first);
    window.removeShadowWnd();
    EXPECT_EQ(window.shadowWindow(), nullptr);
}

TEST_F(WNJShadowWindowTest, WithoutACompositorTheWindowIsShapedInstead)
{
    WNJShadowWindow window;
    window.setFrame(QRectF(100, 100, 400, 300), false);
    QLabel content(&window);
    window.addCustomWindowShadow(&content);
    EXPECT_EQ(window.shadowWindow(), nullptr);
    EXPECT_FALSE(window.mask().contains(QPoint(0, 0)));
    EXPECT_TRUE(window.mask().contains(QPoint(200, 150)));
    window.setFrame(QRectF(100, 100, 600, 300), false);
    EXPECT_TRUE(window.mask().contains(QPoint(550, 150)));
    EXPECT_FALSE(window.mask().contains(QPoint(599, 299)));
}

TEST_F(WNJShadowWindowTest, AShapedWindowPaintsEveryPixelItKeepsOpaque)
{
    for (const bool dark : {false, true}) {
        makeDark(dark);
        WNJVisualEffectWindow window;
        window.setFrame(QRectF(100, 100, 300, 200), false);
        QWidget content(&window);
        window.addCustomWindowShadow(&content);
        ASSERT_FALSE(window.mask().isEmpty());
        QImage image(window.size(), QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        window.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
        int kept = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if (!window.mask().contains(QPoint(x, y)))
                    continue;
                ++kept;
                ASSERT_EQ(qAlpha(image.pixel(x, y)), 255) << x << "," << y << " dark " << dark;
            }
        }
        EXPECT_GT(kept, 300 * 190);
    }
}

TEST_F(WNJShadowWindowTest, ACompositorStartingOrStoppingSwapsThePanelAndTheShape)
{
    m_platform->compositor().setRunning(true);
    WNJShadowWindow window;
    window.setFrame(QRectF(100, 100, 400, 300), false);
    QLabel content(&window);
    window.addCustomWindowShadow(&content);
    window.show();
    ASSERT_NE(window.shadowWindow(), nullptr);
    const auto& kept = m_platform->windowStacking().kept();
    EXPECT_EQ(kept.count(window.shadowWindow()->winId()), 1U);
    EXPECT_TRUE(m_platform->panelHints().isPanel(window.shadowWindow()->winId()));
    EXPECT_TRUE(m_platform->panelHints().isPanel(window.winId()));

    m_platform->compositor().setRunning(false);
    EXPECT_EQ(window.shadowWindow(), nullptr);
    EXPECT_TRUE(kept.empty());
    EXPECT_FALSE(window.mask().contains(QPoint(0, 0)));
    EXPECT_TRUE(window.mask().contains(QPoint(200, 150)));

    m_platform->compositor().setRunning(true);
    ASSERT_NE(window.shadowWindow(), nullptr);
    EXPECT_TRUE(window.shadowWindow()->isVisible());
    EXPECT_TRUE(window.mask().isEmpty());
    EXPECT_EQ(kept.count(window.shadowWindow()->winId()), 1U);
    window.hide();
    EXPECT_TRUE(kept.empty());
}

TEST_F(WNJShadowWindowTest, MoveToScreenBoundsBringsTheWindowBack)
{
    WNJShadowWindow window;
    window.setFrame(QRectF(-50, 100, 400, 300), false);
    window.moveToScreenBounds();
    m_scheduler.advance(1);
    EXPECT_EQ(window.frame(), QRectF(0, 100, 400, 300));

    // Past the top: the top edge wins.
    window.setFrame(QRectF(100, 900, 400, 300), false);
    window.moveToScreenBounds();
    m_scheduler.advance(1);
    EXPECT_EQ(window.frame(), QRectF(100, 724, 400, 300));

    // Wider than the screen: aligned to its right edge.
    window.setFrame(QRectF(-10, 100, 1400, 300), false);
    window.moveToScreenBounds();
    m_scheduler.advance(1);
    EXPECT_EQ(window.frame(), QRectF(-120, 100, 1400, 300));

    // Inside already: no animation starts.
    window.setFrame(QRectF(10, 10, 100, 100), false);
    window.moveToScreenBounds();
    EXPECT_EQ(m_scheduler.pendingCount(), 0U);
}

TEST_F(WNJShadowWindowTest, BackgroundHasAThemedTitleBandAndRoundedCorners)
{
    for (const bool dark : {true, false}) {
        makeDark(dark);
        WNJVisualEffectWindow window;
        QImage image(200, 120, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::red);
        QPainter painter(&image);
        window.fillWindowBackground(painter, QRectF(0, 0, 200, 120));
        painter.end();
        EXPECT_EQ(QColor(image.pixel(100, 20)), dark ? QColor(Qt::black) : QColor(Qt::white)) << dark;
        // Outside the rounded corners nothing changes; inside, what was there is erased
        // before the translucent pattern goes on.
        EXPECT_EQ(QColor(image.pixel(0, 0)), QColor(Qt::red));
        EXPECT_EQ(QColor(image.pixel(199, 0)), QColor(Qt::red));
        EXPECT_EQ(QColor(image.pixel(0, 119)), QColor(Qt::red));
        const QColor pattern = QColor::fromRgba(image.pixel(100, 80));
        EXPECT_GT(pattern.alpha(), 200);
        EXPECT_LT(pattern.alpha(), 255);
        EXPECT_EQ(pattern.red() < 128, dark) << dark;
        EXPECT_LT(std::abs(pattern.red() - pattern.green()), 8);
        EXPECT_EQ(window.backgroundTintColor(), QColor(dark ? "#333333" : "#F5F5F5"));
    }
}

TEST_F(WNJShadowWindowTest, AppearanceChangeRetintsAndPassesOnTheAppearance)
{
    WNJVisualEffectWindow window;
    auto* content = new QWidget;
    window.setContentView(content);
    EXPECT_EQ(content->property("appearance").toString(), QString(NJApplication::kAppearanceNameAqua));
    EXPECT_EQ(content->geometry(), window.rect());
    makeDark(true);
    EXPECT_EQ(window.backgroundTintColor(), QColor("#333333"));
}

TEST_F(WNJShadowWindowTest, WithVibrancyNoDrawnShadowIsMade)
{
    m_platform->compositor().setRunning(true);
    m_platform->systemInfo().setOperatingSystemVersion({10, 10, 0});
    m_platform->systemInfo().setHasVisualEffectView(true);
    WNJVisualEffectWindow window;
    EXPECT_TRUE(WNJVisualEffectWindow::useVisualEffectView());
    EXPECT_TRUE(WNJShadowWindow::isFullSizeContentAvailable());
    QLabel content(&window);
    window.addCustomWindowShadow(&content);
    EXPECT_EQ(window.shadowWindow(), nullptr);
    EXPECT_EQ(window.palette().color(QPalette::Window), QColor("#F5F5F5"));
}

} // namespace
