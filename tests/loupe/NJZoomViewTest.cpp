#include "ZoomViewFixture.h"

#include <cmath>
#include <limits>

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();

TEST(NJZoomViewFreshTest, StartsWithoutValuesOrLimitsInNormalControlMode)
{
    int argc = 1;
    char arg0[] = "test";
    char* argv[] = {arg0, nullptr};
    QApplication app(argc, argv);
    ManualScheduler scheduler;
    Scheduler::setCurrent(&scheduler);
    {
        NJZoomView view(QRect(0, 0, 400, 400));
        EXPECT_EQ(view.zoomFactor(), 0.0);
        EXPECT_EQ(view.captureValue(), 0.0);
        EXPECT_EQ(view.diameterValue(), 0.0);
        EXPECT_EQ(view.minCaptureValue(), 1.0);
        EXPECT_EQ(view.maxZoomFactor(), kInfinity);
        EXPECT_EQ(view.maxCaptureRubberValue(), kInfinity);
        EXPECT_EQ(view.minDiameterRubberValue(), 1.0);
        EXPECT_EQ(view.zoomControl(), NJZoomView::MagnifyGestureControl);
        EXPECT_EQ(view.diameterControl(), NJZoomView::NoControl);
        EXPECT_EQ(view.captureControl(), NJZoomView::ScrollWheelControl);
        EXPECT_EQ(view.minAnimDuration(), 0.25);
        EXPECT_EQ(view.zoomEasing(), "easeOutBack");
        EXPECT_EQ(view.captureEasing(), "easeOutBack");
        EXPECT_EQ(view.backgroundColorBase(), 1.0);
        EXPECT_EQ(view.HiDPIState(), NJZoomView::HiDPIOff);
        EXPECT_TRUE(view.capturedImg().isNull());
    }
    Scheduler::setCurrent(nullptr);
}

TEST_F(ZoomViewTest, StartingValuesDeriveTheLimitsAndRubberBands)
{
    EXPECT_EQ(m_view->zoomFactor(), 8.0);
    EXPECT_EQ(m_view->captureValue(), 24.0);
    EXPECT_EQ(m_view->diameterValue(), 184.0);
    EXPECT_EQ(m_view->minDiameterValue(), 42.0);
    EXPECT_EQ(m_view->minDiameterRubberValue(), 32.0);
    EXPECT_EQ(m_view->maxDiameterValue(), 351.0);
    EXPECT_EQ(m_view->maxDiameterRubberValue(), 375.0);
    EXPECT_EQ(m_view->maxCaptureValue(), 175.5);
    EXPECT_EQ(m_view->maxCaptureRubberValue(), 178.5);
    EXPECT_EQ(m_view->minCaptureRubberValue(), 19.75);
    EXPECT_EQ(m_view->maxZoomRubberValue(), 16.0);
    EXPECT_DOUBLE_EQ(m_view->minZoomRubberValue(), 2.0 - 10.0 / 24.0);
    EXPECT_EQ(m_view->scaleFactor(), 1.0);
}

TEST_F(ZoomViewTest, SettersClampIntoTheRubberBandAndHoldTheOtherValueToItsHardLimits)
{
    m_view->setZoomFactor(100.0);
    EXPECT_EQ(m_view->zoomFactor(), 16.0);
    EXPECT_EQ(m_view->captureValue(), 24.0);
    // At or above the maximum zoom the lens keeps the pixels it showed: 184 / 8 of them.
    EXPECT_EQ(m_view->diameterValue(), 16.0 * 23.0);
    EXPECT_FALSE(m_view->stopInertia());

    m_view->setZoomFactor(8.0);
    m_view->setCaptureValue(1000.0);
    EXPECT_EQ(m_view->captureValue(), 178.5);
    EXPECT_EQ(m_view->zoomFactor(), 8.0);
    EXPECT_EQ(m_view->diameterValue(), 375.0);
    EXPECT_TRUE(m_view->stopInertia());

    m_view->setCaptureValue(0.0);
    EXPECT_EQ(m_view->captureValue(), 19.75);
    EXPECT_TRUE(m_view->stopInertia());
}

TEST_F(ZoomViewTest, ZoomingOutNeverGrowsTheDiameterAndZoomingInGrowsItToTheMaximum)
{
    m_view->setZoomFactor(4.0);
    EXPECT_EQ(m_view->diameterValue(), 96.0);
    m_view->setZoomFactor(3.0);
    EXPECT_EQ(m_view->diameterValue(), 72.0);
    m_view->setZoomFactor(10.0);
    EXPECT_EQ(m_view->diameterValue(), 240.0);
    m_view->setCaptureValue(40.0);
    EXPECT_EQ(m_view->diameterValue(), 375.0);
    m_view->setZoomFactor(11.0);
    EXPECT_EQ(m_view->diameterValue(), 351.0);
    m_view->setDiameterValue(500.0);
    EXPECT_EQ(m_view->diameterValue(), 500.0);
    EXPECT_TRUE(m_view->stopInertia());
}

TEST_F(ZoomViewTest, LimitChoiceFollowsTheControlModeAndScrollPhases)
{
    EXPECT_EQ(m_view->constraintedZoomFactor(100.0), 16.0);
    EXPECT_EQ(m_view->constraintedCapture(1000.0), 175.5);
    EXPECT_EQ(m_view->constraintedCapture(0.0), 21.0);
    EXPECT_EQ(m_view->constraintedDiameter(1000.0), 375.0);
    EXPECT_EQ(m_view->constraintedDiameter(0.0), 32.0);

    m_view->setSwitchedControls(true);
    EXPECT_EQ(m_view->zoomControl(), NJZoomView::ScrollWheelControl);
    EXPECT_EQ(m_view->captureControl(), NJZoomView::MagnifyGestureControl);
    EXPECT_EQ(m_view->diameterControl(), NJZoomView::NoControl);
    EXPECT_EQ(m_view->constraintedZoomFactor(100.0), 15.0);
    EXPECT_EQ(m_view->constraintedCapture(1000.0), 178.5);

    // A device that reports scroll phases may pull into the rubber band too.
    m_view->scrollWheel({ScrollWheelEvent::Began, 0, 0, 0});
    EXPECT_TRUE(m_view->scrollPhaseSupport());
    EXPECT_EQ(m_view->constraintedZoomFactor(100.0), 16.0);

    m_view->setSwitchedControls(false);
    EXPECT_EQ(m_view->zoomControl(), NJZoomView::MagnifyGestureControl);
    EXPECT_EQ(m_view->captureControl(), NJZoomView::ScrollWheelControl);
}

TEST_F(ZoomViewTest, OffsetStaysWithinHalfTheCapturedImage)
{
    m_view->setCapturedImg(QImage(25, 25, QImage::Format_ARGB32_Premultiplied));
    m_view->setOffset(QPointF(100, -100));
    EXPECT_EQ(m_view->offset(), QPointF(12, -12));
    m_view->setOffset(QPointF(-3, 4));
    EXPECT_EQ(m_view->offset(), QPointF(-3, 4));

    m_view->setCapturedImg(QImage(24, 24, QImage::Format_ARGB32_Premultiplied));
    m_view->setOffset(QPointF(100, -100));
    EXPECT_EQ(m_view->offset(), QPointF(11, -12));
    m_view->setOffset(QPointF(-100, 100));
    EXPECT_EQ(m_view->offset(), QPointF(-12, 11));

    m_view->setCapturedImg(QImage());
    EXPECT_EQ(m_view->captureImgPixelSize(), QSizeF(0, 0));
    m_view->setOffset(QPointF(3, 3));
    EXPECT_EQ(m_view->offset(), QPointF(0, 0));
}

TEST_F(ZoomViewTest, SilentSettersChangeTheSameValuesWithoutAnnouncingThem)
{
    m_view->setSilentlyZoomFactor(10.0);
    m_view->setSilentlyCaptureValue(30.0);
    EXPECT_EQ(m_changes, 0);
    EXPECT_EQ(m_view->zoomFactor(), 10.0);
    EXPECT_EQ(m_view->captureValue(), 30.0);
    EXPECT_EQ(m_view->diameterValue(), 300.0);
    EXPECT_EQ(m_view->maxCaptureRubberValue(), 175.5 + 2.4);

    m_view->setZoomFactor(9.0);
    m_view->setCaptureValue(31.0);
    m_view->setDiameterValue(200.0);
    EXPECT_EQ(m_changes, 3);
}

TEST_F(ZoomViewTest, MaximumCaptureIsAlwaysDerived)
{
    m_view->setMaxCaptureValue(50.0);
    m_view->setCaptureValue(30.0);
    EXPECT_EQ(m_view->maxCaptureValue(), 175.5);
}

TEST_F(ZoomViewTest, CentreColourIsTheHotSpotPixelMovedByTheOffsetAndCachedPerCapture)
{
    QImage image(26, 26, QImage::Format_ARGB32_Premultiplied);
    image.fill(qRgb(0, 0, 0));
    image.setPixel(13, 13, qRgb(255, 0, 0));
    image.setPixel(14, 12, qRgb(0, 255, 0));
    m_view->setCapturedImg(image);
    EXPECT_EQ(m_view->centerColor()->getRGBAHexString(), "FF0000FF");
    // The offset counts y upwards.
    m_view->setOffset(QPointF(1, 1));
    EXPECT_EQ(m_view->centerColor()->getRGBAHexString(), "00FF00FF");

    image.fill(qRgb(0, 0, 255));
    m_view->setCapturedImg(image);
    EXPECT_EQ(m_view->centerColor()->getRGBAHexString(), "0000FFFF");
    m_view->setCapturedImg(QImage());
    EXPECT_FALSE(m_view->centerColor().has_value());
}

} // namespace
