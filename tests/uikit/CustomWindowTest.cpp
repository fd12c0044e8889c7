#include "uikit/windows/CustomWindow.h"

#include "tests/uikit/FakeApplicationTest.h"

#include <QPainterPath>

namespace {

class CountingWindow final : public CustomWindow {
public:
    explicit CountingWindow(int& count)
        : m_count(count)
    {
    }
    void applicationAppearanceDidChange() override
    {
        CustomWindow::applicationAppearanceDidChange();
        ++m_count;
    }

private:
    int& m_count;
};

class CustomWindowTest : public FakeApplicationTest {
protected:
    void SetUp() override
    {
        FakeApplicationTest::SetUp();
        setScreens({QRectF(0, 0, 1280, 1024), QRectF(1280, 0, 1920, 1080)});
    }
};

TEST_F(CustomWindowTest, PointToScreenPositionIsTopLeftWithinTheScreen)
{
    EXPECT_EQ(CustomWindow::pointToScreenPosition(QPointF(0, 1024)), QPointF(0, 0));
    EXPECT_EQ(CustomWindow::pointToScreenPosition(QPointF(100, 24)), QPointF(100, 1000));
    const ScreenInfo secondary {QRectF(1280, 0, 1920, 1080), QRectF(1280, 0, 1920, 1080), 1.0};
    EXPECT_EQ(CustomWindow::pointToScreenPosition(QPointF(1380, 900), secondary), QPointF(100, 180));
    EXPECT_EQ(CustomWindow::pointToScreenPosition(QPointF(30, 40), std::nullopt), QPointF(30, -40));
    m_platform->cursor().setLocation(QPointF(10, 1014));
    EXPECT_EQ(CustomWindow::getMouseScreenPosition(), QPointF(10, 10));
}

TEST_F(CustomWindowTest, FrameIsInGlobalPointsFromTheBottomLeft)
{
    CustomWindow window;
    window.setFrame(QRectF(100, 100, 400, 300), false);
    EXPECT_EQ(window.geometry(), QRect(100, 1024 - 400, 400, 300));
    EXPECT_EQ(window.frame(), QRectF(100, 100, 400, 300));
    window.setFrameOrigin(QPointF(0, 0));
    EXPECT_EQ(window.geometry(), QRect(0, 724, 400, 300));
    EXPECT_EQ(window.windowCenter(), QPointF(200, 150));
}

TEST_F(CustomWindowTest, CenterLocationPlacesTheMiddleUnclamped)
{
    CustomWindow window;
    window.setFrame(QRectF(0, 0, 200, 100), false);
    window.setCenterLocation(QPointF(500, 500));
    EXPECT_EQ(window.frame(), QRectF(400, 450, 200, 100));
    window.setCenterLocation(QPointF(-50, 3000));
    EXPECT_EQ(window.frame(), QRectF(-150, 2950, 200, 100));
}

TEST_F(CustomWindowTest, OriginLocationKeepsTheCentreOnScreenAtWholePoints)
{
    setScreens({QRectF(0, 0, 1280, 1024)});
    // A centre off every screen is kept on the pointer's screen.
    m_platform->cursor().setLocation(QPointF(640, 500));
    CustomWindow window;
    window.setFrame(QRectF(0, 0, 200, 100), false);
    window.setOriginLocation(QPointF(1250.7, 500.6));
    EXPECT_EQ(window.frame(), QRectF(1179, 500, 200, 100));
    EXPECT_EQ(window.windowCenter().x(), 1279);
    window.setOriginLocation(QPointF(-400, -400));
    EXPECT_EQ(window.frame(), QRectF(-100, -49, 200, 100));
}

TEST_F(CustomWindowTest, AnimatedFrameEndsExactlyAtTheTarget)
{
    CustomWindow window;
    window.setFrame(QRectF(0, 0, 200, 100), false);
    window.setFrame(QRectF(300, 200, 400, 300), true, true);
    EXPECT_EQ(window.frame(), QRectF(0, 0, 200, 100));
    m_scheduler.advance(CustomWindow::kResizeDuration / 2);
    EXPECT_GT(window.frame().x(), 0);
    EXPECT_LT(window.frame().x(), 300);
    m_scheduler.advance(CustomWindow::kResizeDuration);
    EXPECT_EQ(window.frame(), QRectF(300, 200, 400, 300));
}

TEST_F(CustomWindowTest, MouseRelativeMoveOnlyWithinTheScreens)
{
    CustomWindow window;
    window.setFrame(QRectF(100, 100, 200, 100), false);
    m_platform->cursor().setLocation(QPointF(150, 120));
    window.setCenterMouseRelative(QPointF(10.6, 20.4));
    EXPECT_EQ(window.frame(), QRectF(110, 120, 200, 100));
    ASSERT_EQ(m_platform->cursor().warps().size(), 1U);
    EXPECT_NEAR(m_platform->cursor().warps()[0].x(), 160.6, 1e-9);
    EXPECT_NEAR(m_platform->cursor().warps()[0].y(), 140.4, 1e-9);
    window.setCenterMouseRelative(QPointF(-5000, 0));
    EXPECT_EQ(window.frame(), QRectF(110, 120, 200, 100));
    EXPECT_EQ(m_platform->cursor().warps().size(), 1U);
}

TEST_F(CustomWindowTest, AppearanceHookRunsOnChangesAndStopsWithTheWindow)
{
    int count = 0;
    auto window = std::make_unique<CountingWindow>(count);
    EXPECT_EQ(window->property("appearance").toString(), QString(NJApplication::kAppearanceNameAqua));
    m_app->themeChanged();
    EXPECT_EQ(count, 1);
    window.reset();
    m_app->themeChanged();
    EXPECT_EQ(count, 1);
}

TEST_F(CustomWindowTest, KeyOnlyWhileNotDocked)
{
    CustomWindow host;
    CustomWindow window;
    EXPECT_TRUE(window.canBecomeKeyWindow());
    window.setParent(&host, window.windowFlags());
    EXPECT_FALSE(window.canBecomeKeyWindow());
}

TEST_F(CustomWindowTest, OutlineShapesTheWindowOnlyWithoutACompositor)
{
    QPainterPath circle;
    circle.addEllipse(QRectF(0, 0, 100, 100));
    CustomWindow plain;
    plain.resize(100, 100);
    plain.setWindowOutline(circle);
    EXPECT_FALSE(plain.mask().isEmpty());
    EXPECT_FALSE(plain.mask().contains(QPoint(2, 2)));
    EXPECT_TRUE(plain.mask().contains(QPoint(50, 50)));
    // Translucent anyway, for a compositing manager that starts later.
    EXPECT_TRUE(plain.testAttribute(Qt::WA_TranslucentBackground));

    int changes = 0;
    QObject::connect(&plain, &CustomWindow::compositingChanged, [&changes] { ++changes; });
    m_platform->compositor().setRunning(true);
    EXPECT_TRUE(plain.mask().isEmpty());
    CustomWindow clear;
    clear.setWindowOutline(circle);
    EXPECT_TRUE(clear.mask().isEmpty());

    // A compositing manager that stops shapes every outlined window again.
    m_platform->compositor().setRunning(false);
    EXPECT_EQ(changes, 2);
    EXPECT_FALSE(plain.mask().contains(QPoint(2, 2)));
    EXPECT_TRUE(clear.mask().contains(QPoint(50, 50)));
    EXPECT_FALSE(clear.mask().contains(QPoint(2, 2)));
}

} // namespace
