#include "tests/loupe/LoupeFixture.h"

#include <gtest/gtest.h>

namespace {

using Type = QVLensWindow::MouseEventType;

class QVMouseFollowerTest : public LoupeFixture {
protected:
    void event(Type type) { m_loupe->mouse().windowMouseEvent(type, 0); }
    // High precision on, pointer detached at the loupe centre.
    void detachAt(const QPointF& point)
    {
        moveMouse(point);
        m_loupe->activateHiDPIMode(1);
        m_scheduler.advance(0.5);
        ASSERT_TRUE(m_loupe->mouse().mouseDetached());
    }
};

TEST_F(QVMouseFollowerTest, TheLoupeFollowsThePointerOnlyWhilePickingAndFollowing)
{
    moveMouse({300, 400});
    EXPECT_EQ(windowCenter(), QPointF(300, 400));
    m_host.picking = false;
    moveMouse({320, 400});
    EXPECT_EQ(windowCenter(), QPointF(300, 400));
    m_host.picking = true;
    m_loupe->mouse().setMouseFollow(false);
    moveMouse({340, 400});
    EXPECT_EQ(windowCenter(), QPointF(300, 400));
    m_loupe->mouse().setMouseFollow(true);
    m_loupe->mouse().unregisterMouseListener();
    moveMouse({360, 400});
    EXPECT_EQ(windowCenter(), QPointF(300, 400));
}

TEST_F(QVMouseFollowerTest, APointerMoveTheWindowWasNotToldOfMovesTheLoupeUntilAMotionArrives)
{
    // The window's first motion can be dropped: the pointer is watched meanwhile.
    m_platform->cursor().setLocation({1000, 700});
    m_scheduler.advance(QVMouseFollower::kSampleInterval);
    EXPECT_EQ(windowCenter(), QPointF(1000, 700));

    moveMouse({500, 400});
    m_platform->cursor().setLocation({900, 400});
    m_scheduler.advance(QVMouseFollower::kSampleInterval);
    EXPECT_EQ(windowCenter(), QPointF(500, 400));

    m_loupe->mouse().unregisterMouseListener();
    m_loupe->mouse().registerMouseListener();
    m_platform->cursor().setLocation({300, 200});
    m_scheduler.advance(QVMouseFollower::kSampleInterval);
    EXPECT_EQ(windowCenter(), QPointF(300, 200));
}

TEST_F(QVMouseFollowerTest, AShortClickPicksAndAHeldPressEntersHighPrecisionFirst)
{
    event(Type::LeftDown);
    m_scheduler.advance(0.1);
    event(Type::LeftUp);
    m_scheduler.advance(0.5);
    EXPECT_EQ(m_loupe->HiDPIActivators(), 0);
    EXPECT_EQ(m_host.calls, std::vector<std::string>({"doPick"}));

    event(Type::RightDown);
    m_scheduler.advance(0.2);
    EXPECT_EQ(m_loupe->HiDPIActivators(), 1);
    event(Type::RightUp);
    EXPECT_EQ(m_host.calls.back(), "doPick");

    m_loupe->resetHiDPIZoom();
    event(Type::LeftDragged);
    EXPECT_EQ(m_loupe->HiDPIActivators(), 1);
}

TEST_F(QVMouseFollowerTest, DetachedTheLoupeMovesAThirdAndThePointerStaysWithinTwentyPoints)
{
    detachAt({600, 500});
    const std::size_t warps = m_platform->cursor().warps().size();
    m_scheduler.advance(0.05);
    moveMouse({630, 500});
    EXPECT_EQ(m_loupe->lastCenter(), QPointF(610, 500));
    EXPECT_EQ(m_platform->cursor().warps().size(), warps);
    moveMouse({690, 500});
    EXPECT_EQ(m_loupe->lastCenter(), QPointF(630, 500));
    EXPECT_EQ(m_platform->cursor().warps().back(), QPointF(630, 500));
}

TEST_F(QVMouseFollowerTest, NearTheLeftEdgeThePointerParksInsideTheScreen)
{
    detachAt({60, 500});
    m_scheduler.advance(0.05);
    // The lens (diameter 184) crosses the left edge: parked 20 points right of its centre.
    moveMouse({0, 500});
    EXPECT_EQ(m_loupe->lastCenter(), QPointF(40, 500));
    EXPECT_EQ(m_platform->cursor().warps().back(), QPointF(60, 500));
}

} // namespace
