#include "uikit/animation/NJAnimationGroup.h"

#include "tests/uikit/FakeApplicationTest.h"

#include <QImage>
#include <QPixmap>
#include <QTest>
#include <QWidget>

namespace {

using NJAnimationGroupTest = FakeApplicationTest;

TEST_F(NJAnimationGroupTest, GeometryFollowsTheCurveAndEndsExactlyThenCompletes)
{
    QWidget window;
    window.setGeometry(0, 0, 100, 100);
    int completions = 0;
    NJAnimationGroup(1.0, "linear").geometry(&window, QRect(200, 100, 300, 50)).completion([&] { ++completions; }).start();
    EXPECT_EQ(window.geometry(), QRect(0, 0, 100, 100));
    // Within one frame of the instant.
    m_scheduler.advance(0.25);
    EXPECT_NEAR(window.x(), 50, 4);
    EXPECT_NEAR(window.y(), 25, 2);
    EXPECT_NEAR(window.width(), 150, 4);
    EXPECT_NEAR(window.height(), 88, 1);
    m_scheduler.advance(0.5);
    EXPECT_NEAR(window.x(), 150, 4);
    EXPECT_EQ(completions, 0);
    m_scheduler.advance(0.26);
    EXPECT_EQ(window.geometry(), QRect(200, 100, 300, 50));
    EXPECT_EQ(completions, 1);
    m_scheduler.advance(1);
    EXPECT_EQ(completions, 1);
}

TEST_F(NJAnimationGroupTest, NamedCurvePacesThePosition)
{
    QWidget window;
    window.setGeometry(0, 0, 10, 10);
    NJAnimationGroup(1.0, "easeIn").position(&window, QPoint(1000, 0)).start();
    m_scheduler.advance(0.5);
    const double expected = 1000 * TimingFunction::easeIn().valueAt(0.5);
    EXPECT_NEAR(window.x(), expected, 25);
    EXPECT_LT(window.x(), 400);
    EXPECT_EQ(window.size(), QSize(10, 10));
}

TEST_F(NJAnimationGroupTest, OpacityOfAWindowAndOfAChild)
{
    QWidget window;
    auto* child = new QWidget(&window);
    NJAnimationGroup(0.5).opacity(&window, 0.0).opacity(child, 0.2).start();
    m_scheduler.advance(0.25);
    EXPECT_NEAR(window.windowOpacity(), 0.5, 0.05);
    EXPECT_NEAR(NJAnimationGroup::widgetOpacity(child), 0.6, 0.05);
    m_scheduler.advance(0.3);
    EXPECT_DOUBLE_EQ(window.windowOpacity(), 0.0);
    EXPECT_NEAR(NJAnimationGroup::widgetOpacity(child), 0.2, 1e-9);
}

TEST_F(NJAnimationGroupTest, AnOpaqueChildOfAFadingViewIsDrawnInPlace)
{
    QWidget window;
    window.setFixedSize(200, 100);
    window.setPalette(QPalette(Qt::white));
    window.setAutoFillBackground(true);
    auto* pane = new QWidget(&window);
    pane->setGeometry(0, 0, 200, 100);
    auto* cap = new QWidget(pane);
    cap->setGeometry(150, 60, 20, 20);
    cap->setPalette(QPalette(Qt::black));
    cap->setAutoFillBackground(true);
    // The cap faded out and back in, then its pane fades out.
    NJAnimationGroup::setWidgetOpacity(cap, 0.1);
    NJAnimationGroup::setWidgetOpacity(cap, 1.0);
    NJAnimationGroup::setWidgetOpacity(pane, 0.5);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const QImage shot = window.grab().toImage();
    EXPECT_LT(qGray(shot.pixel(160, 70)), 128);
    EXPECT_EQ(qGray(shot.pixel(20, 20)), 255);
    EXPECT_EQ(NJAnimationGroup::widgetOpacity(cap), 1.0);
}

TEST_F(NJAnimationGroupTest, ZeroDurationSetsAtOnceAndCompletesOnTheNextTurn)
{
    QWidget window;
    window.setGeometry(0, 0, 10, 10);
    bool completed = false;
    NJAnimationGroup(0).position(&window, QPoint(40, 30)).completion([&] { completed = true; }).start();
    EXPECT_EQ(window.pos(), QPoint(40, 30));
    EXPECT_FALSE(completed);
    m_scheduler.runPending();
    EXPECT_TRUE(completed);
}

TEST_F(NJAnimationGroupTest, StopLeavesValuesAndSkipsTheCompletion)
{
    QWidget window;
    window.setGeometry(0, 0, 10, 10);
    bool completed = false;
    NJAnimationGroup group(1.0);
    group.position(&window, QPoint(100, 0)).completion([&] { completed = true; }).start();
    m_scheduler.advance(0.5);
    group.stop();
    const QPoint stopped = window.pos();
    m_scheduler.advance(1);
    EXPECT_EQ(window.pos(), stopped);
    EXPECT_FALSE(completed);
    EXPECT_FALSE(group.isRunning());
}

TEST_F(NJAnimationGroupTest, NewerAnimationTakesThePropertyOverAndTheOlderStillCompletes)
{
    QWidget window;
    window.setGeometry(0, 0, 10, 10);
    bool firstDone = false;
    NJAnimationGroup(1.0).position(&window, QPoint(1000, 0)).completion([&] { firstDone = true; }).start();
    m_scheduler.advance(0.5);
    NJAnimationGroup(0.2).position(&window, QPoint(0, 500)).start();
    m_scheduler.advance(0.3);
    EXPECT_EQ(window.pos(), QPoint(0, 500));
    m_scheduler.advance(0.3);
    EXPECT_TRUE(firstDone);
    EXPECT_EQ(window.pos(), QPoint(0, 500));
}

TEST_F(NJAnimationGroupTest, AWidgetDestroyedMidwayIsSkipped)
{
    auto* window = new QWidget;
    bool completed = false;
    NJAnimationGroup(0.5).geometry(window, QRect(0, 0, 50, 50)).completion([&] { completed = true; }).start();
    m_scheduler.advance(0.1);
    delete window;
    m_scheduler.advance(1);
    EXPECT_TRUE(completed);
}

} // namespace
