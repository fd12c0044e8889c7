#include "ZoomViewFixture.h"

namespace {

TEST_F(ZoomViewTest, HighPrecisionAddsFiveZoomQuicklyAndReturnsToTheSavedValues)
{
    m_view->setZoomFactor(9.0);
    int completions = 0;
    m_view->activeHiDPIZoom([&] { ++completions; });
    EXPECT_EQ(m_view->HiDPIState(), NJZoomView::HiDPIActivating);
    EXPECT_EQ(m_view->maxZoomFactor(), 35.0);
    EXPECT_EQ(m_view->preHiDPIValues(), QPointF(9.0, 24.0));
    EXPECT_TRUE(m_view->ignoreAllInput());
    m_view->scrollWheel({ScrollWheelEvent::None, 0, -3, 0});
    EXPECT_EQ(m_view->captureValue(), 24.0);
    EXPECT_TRUE(m_view->canDeactivateHiDPIZoom());

    // Above a target of 13 the zoom runs linearly in 0.1 s.
    m_scheduler.advance(0.09);
    EXPECT_NEAR(m_view->zoomFactor(), 9.0 + 5.0 * 5.0 / 6.0, 1e-4);
    m_scheduler.advance(0.05);
    EXPECT_EQ(m_view->zoomFactor(), 14.0);
    EXPECT_EQ(m_view->HiDPIState(), NJZoomView::HiDPIOn);
    EXPECT_TRUE(m_view->HiDPIActive());
    EXPECT_FALSE(m_view->ignoreAllInput());
    EXPECT_EQ(completions, 1);

    bool returned = false;
    m_view->deactiveHiDPIZoom([&] { returned = true; });
    EXPECT_EQ(m_view->HiDPIState(), NJZoomView::HiDPIReturning);
    EXPECT_EQ(m_delegate.maxCaptures, 1);
    EXPECT_FALSE(m_view->ignoreAllInput());
    m_scheduler.advance(0.1);
    EXPECT_TRUE(m_view->HiDPIActive());
    m_scheduler.advance(0.1);
    EXPECT_EQ(m_view->zoomFactor(), 9.0);
    EXPECT_EQ(m_view->captureValue(), 24.0);
    EXPECT_EQ(m_view->maxZoomFactor(), 15.0);
    EXPECT_EQ(m_view->HiDPIState(), NJZoomView::HiDPIOff);
    EXPECT_FALSE(m_view->HiDPIActive());
    EXPECT_TRUE(returned);
}

TEST_F(ZoomViewTest, HighPrecisionFromALowZoomEasesOutOverALongerTime)
{
    m_view->setZoomFactor(4.0);
    m_view->activeHiDPIZoom();
    m_scheduler.advance(0.11);
    EXPECT_GT(m_view->zoomFactor(), 8.0);
    EXPECT_LT(m_view->zoomFactor(), 9.0);
    m_scheduler.advance(0.1);
    EXPECT_EQ(m_view->zoomFactor(), 9.0);
    EXPECT_EQ(m_view->HiDPIState(), NJZoomView::HiDPIOn);
}

TEST_F(ZoomViewTest, ReleasingDuringActivationRestoresTheSavedValuesWithoutCompleting)
{
    int completions = 0;
    m_view->activeHiDPIZoom([&] { ++completions; });
    m_scheduler.advance(0.05);
    m_view->deactiveHiDPIZoom();
    EXPECT_FALSE(m_view->ignoreAllInput());
    EXPECT_EQ(m_view->zoomFactor(), 8.0);
    EXPECT_EQ(m_view->maxZoomFactor(), 15.0);
    m_scheduler.advance(0.3);
    EXPECT_EQ(m_view->HiDPIState(), NJZoomView::HiDPIOff);
    EXPECT_FALSE(m_view->HiDPIActive());
    EXPECT_EQ(m_view->zoomFactor(), 8.0);
    EXPECT_EQ(completions, 0);
    EXPECT_EQ(m_delegate.maxCaptures, 0);
}

TEST_F(ZoomViewTest, ActivatingDuringTheReturnKeepsTheFirstSavedValues)
{
    m_view->activeHiDPIZoom();
    m_scheduler.advance(0.2);
    m_view->deactiveHiDPIZoom();
    m_scheduler.advance(0.05);
    ASSERT_TRUE(m_view->canActivateHiDPIZoom());
    m_view->activeHiDPIZoom();
    EXPECT_EQ(m_view->preHiDPIValues(), QPointF(8.0, 24.0));
    EXPECT_EQ(m_view->preHiDPIMaxZoom(), 15.0);
    EXPECT_EQ(m_view->maxZoomFactor(), 35.0);
    m_scheduler.advance(0.2);
    EXPECT_EQ(m_view->zoomFactor(), 13.0);
    EXPECT_EQ(m_view->HiDPIState(), NJZoomView::HiDPIOn);

    m_view->resetHiDPIZoom();
    EXPECT_EQ(m_view->zoomFactor(), 8.0);
    EXPECT_EQ(m_view->maxZoomFactor(), 15.0);
    EXPECT_EQ(m_view->HiDPIState(), NJZoomView::HiDPIOff);
    EXPECT_FALSE(m_view->HiDPIActive());
    EXPECT_FALSE(m_view->canDeactivateHiDPIZoom());
}

TEST_F(ZoomViewTest, AnActivationStoppedOutsideItsOwnStateAsksTheDelegateLater)
{
    m_view->activeHiDPIZoom();
    m_view->setHiDPIState(NJZoomView::HiDPIOn);
    m_view->stopAllAnimations();
    EXPECT_EQ(m_delegate.checks, 0);
    m_scheduler.runPending();
    EXPECT_EQ(m_delegate.checks, 1);
    EXPECT_FALSE(m_view->ignoreAllInput());
}

} // namespace
