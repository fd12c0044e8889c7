#include "tests/loupe/LoupeFixture.h"

#include "loupe/QVLoupeDocking.h"

#include <QWidget>

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

class QVLoupeDockingTest : public LoupeFixture {
protected:
    // A window at a top-left position of the 1920x1080 screen.
    void placeHost(const QRect& topLeftGeometry)
    {
        m_window = std::make_unique<QWidget>(nullptr, Qt::FramelessWindowHint);
        m_window->setGeometry(topLeftGeometry);
    }

    void TearDown() override
    {
        m_window.reset();
        LoupeFixture::TearDown();
    }

    std::unique_ptr<QWidget> m_window;
};

TEST_F(QVLoupeDockingTest, AWindowInTheLeftHalfGetsTheLoupeOverItsRightEdge)
{
    // Global frame (100, 380, 500, 400): the picked point is its right edge's middle.
    placeHost(QRect(100, 300, 500, 400));
    m_loupe->mouse().setMouseFollow(true);
    m_loupe->docking().dockToWindow(m_window.get());
    EXPECT_TRUE(m_loupe->docking().isWindowDocked());
    EXPECT_FALSE(m_loupe->mouse().mouseFollow());
    const QRectF frame = m_loupe->window().frame();
    EXPECT_EQ(frame.x(), 600 - 80);
    EXPECT_EQ(frame.y(), 380 - 200 + 155);
    // The lens shifts left by (400 - 184) / 2 - 12.
    EXPECT_EQ(view().pos(), QPoint(-96, 0));
    // The lens's capture, not the larger one of what lies beneath the whole loupe.
    const std::vector<QRect>& captures = capture().captures();
    const auto lens = std::find_if(captures.rbegin(), captures.rend(),
                                   [](const QRect& rect) { return rect.width() < 100; });
    ASSERT_NE(lens, captures.rend());
    EXPECT_EQ(QRectF(*lens).center().x(), 600);
    EXPECT_TRUE(view().testAttribute(Qt::WA_TransparentForMouseEvents));

    m_loupe->docking().unDockWindow();
    EXPECT_FALSE(m_loupe->docking().isWindowDocked());
    EXPECT_FALSE(m_loupe->window().isVisible());
    EXPECT_EQ(view().pos(), QPoint(0, 0));
    EXPECT_TRUE(m_loupe->mouse().mouseFollow());
}

TEST_F(QVLoupeDockingTest, AWindowInTheRightHalfGetsTheLoupeOverItsLeftEdge)
{
    placeHost(QRect(1200, 300, 500, 400));
    m_loupe->docking().dockToWindow(m_window.get());
    EXPECT_EQ(m_loupe->window().frame().x(), 1200 - 400 + 120);
    // (400 - 184) / 2 - 12 = 96, held to 400 / 2 - 120.
    EXPECT_EQ(view().pos(), QPoint(80, 0));
    EXPECT_EQ(QRectF(capture().captures().back()).center().x(), 1200);
}

} // namespace
