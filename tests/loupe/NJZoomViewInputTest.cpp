#include "ZoomViewFixture.h"

#include "platform/ModifierFlags.h"

#include <QNativeGestureEvent>
#include <QWheelEvent>

#include <cmath>

namespace {

constexpr double kTick = 1.0 / 12.0;

GestureEvent magnify(double magnification, unsigned long flags = 0)
{
    return {GestureEvent::Magnify, magnification, 0, flags};
}

void sendWheel(QWidget& view, QPoint pixelDelta, QPoint angleDelta, Qt::KeyboardModifiers modifiers)
{
    QWheelEvent event(QPointF(10, 10), QPointF(10, 10), pixelDelta, angleDelta, Qt::NoButton, modifiers,
                      Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(&view, &event);
}

void sendGesture(QWidget& view, Qt::NativeGestureType type, double value)
{
    QNativeGestureEvent event(type, QPointingDevice::primaryPointingDevice(), 2, QPointF(), QPointF(), QPointF(),
                              value, QPointF());
    QCoreApplication::sendEvent(&view, &event);
}

TEST_F(ZoomViewTest, PinchZoomsAndThePullBackSharpensItOnceInputRests)
{
    m_view->startRubberPull();
    m_view->doBeginGestureWithEvent({GestureEvent::BeginGesture});
    m_view->doMagnifyWithEvent(magnify(0.1));
    EXPECT_DOUBLE_EQ(m_view->zoomFactor(), 8.0 * 1.115);
    EXPECT_EQ(m_view->modifyState(), NJZoomView::ModifyZoom);

    // No pull-back while the fingers rest on the pad.
    m_scheduler.advance(0.5);
    EXPECT_DOUBLE_EQ(m_view->zoomFactor(), 8.0 * 1.115);

    m_view->doEndGestureWithEvent({GestureEvent::EndGesture});
    EXPECT_EQ(m_delegate.started, 1);
    EXPECT_EQ(m_delegate.ended, 1);
    m_scheduler.advance(kTick);
    EXPECT_TRUE(m_view->sharpening());
    m_scheduler.advance(0.25);
    EXPECT_EQ(m_view->zoomFactor(), 9.0);
    EXPECT_EQ(m_view->diameterValue(), 216.0);
    EXPECT_FALSE(m_view->sharpening());
    EXPECT_EQ(m_view->modifyState(), NJZoomView::ModifyNone);
    EXPECT_FALSE(m_view->timerEnabled());
}

TEST_F(ZoomViewTest, ScrollChangesTheCaptureByTheDevicePixelsScrolled)
{
    m_view->scale = 2.0;
    m_scheduler.advance(3.0);
    m_view->scrollWheel({ScrollWheelEvent::None, 0, -1, 0});
    EXPECT_DOUBLE_EQ(m_view->captureValue(), 24.0 * (1.0 + 2.0 / 192.0));
    EXPECT_EQ(m_view->zoomFactor(), 8.0);
    EXPECT_EQ(m_view->lastScrollEvent(), 3.0);
    EXPECT_TRUE(m_view->timerEnabled());
    EXPECT_EQ(m_delegate.started, 1);
}

TEST_F(ZoomViewTest, OptionSwapsWhatScrollAndPinchChange)
{
    m_view->scrollWheel({ScrollWheelEvent::None, 0, 1, modifierflags::kOption});
    EXPECT_DOUBLE_EQ(m_view->zoomFactor(), 8.0 * (1.0 - 1.0 / 192.0));
    EXPECT_EQ(m_view->captureValue(), 24.0);

    m_view->doMagnifyWithEvent(magnify(0.1, modifierflags::kOption));
    EXPECT_DOUBLE_EQ(m_view->captureValue(), 24.0 * 1.1);

    // The reverse mode swaps them for good.
    m_view->setSwitchedControls(true);
    const double capture = m_view->captureValue();
    m_view->scrollWheel({ScrollWheelEvent::None, 0, 1, 0});
    EXPECT_EQ(m_view->captureValue(), capture);
    EXPECT_LT(m_view->zoomFactor(), 8.0 * (1.0 - 1.0 / 192.0));
}

TEST_F(ZoomViewTest, ZoomPushedPastItsMaximumMeetsResistanceAndIsPulledBack)
{
    m_view->setZoomFactor(15.0);
    m_view->startRubberPull();
    m_view->doBeginGestureWithEvent({GestureEvent::BeginGesture});
    m_view->doMagnifyWithEvent(magnify(0.05));
    EXPECT_NEAR(m_view->zoomFactor() - 15.0, 15.0 * 0.0575, 1e-9);
    const double before = m_view->zoomFactor();
    m_view->doMagnifyWithEvent(magnify(0.05));
    EXPECT_LT(m_view->zoomFactor() - before, before * 0.0575);
    EXPECT_LE(m_view->zoomFactor(), m_view->maxZoomRubberValue());
    m_view->doEndGestureWithEvent({GestureEvent::EndGesture});

    m_scheduler.advance(2 * kTick);
    const double pulledFrom = m_view->zoomFactor();
    m_scheduler.advance(0.125);
    EXPECT_NEAR(m_view->zoomFactor(), (pulledFrom + 15.0) / 2.0, (pulledFrom - 15.0) * 0.15);
    m_scheduler.advance(0.2);
    EXPECT_EQ(m_view->zoomFactor(), 15.0);
    EXPECT_EQ(m_view->modifyState(), NJZoomView::ModifyNone);
}

TEST_F(ZoomViewTest, PullBackWaitsForTheWheelToRestAndRestoresTheCaptureLimits)
{
    m_view->startRubberPull();
    m_view->setSwitchedControls(true);
    m_view->doMagnifyWithEvent(magnify(-0.2));
    EXPECT_LT(m_view->captureValue(), 21.0);
    m_view->startUpdateTimer();
    m_scheduler.advance(0.05);
    m_view->scrollWheel({ScrollWheelEvent::None, 0, 0, 0});
    m_scheduler.advance(kTick);
    EXPECT_LT(m_view->captureValue(), 21.0);
    m_scheduler.advance(kTick + 0.3);
    EXPECT_EQ(m_view->captureValue(), 21.0);

    m_view->stopRubberPull();
    EXPECT_FALSE(m_view->rubberPullRunning());
}

TEST_F(ZoomViewTest, PhasedScrollsSharpenAtTheirEndAndIgnoreMomentumAfterTheBandsEdge)
{
    m_view->scrollWheel({ScrollWheelEvent::Began, 0, 0, 0});
    m_view->setZoomFactor(7.6);
    m_view->scrollWheel({ScrollWheelEvent::Ended, 0, 0, 0});
    EXPECT_FALSE(m_view->inScrollPhase());
    m_scheduler.advance(0.3);
    EXPECT_EQ(m_view->zoomFactor(), 8.0);

    m_view->setCaptureValue(1000.0);
    ASSERT_TRUE(m_view->stopInertia());
    const double capture = m_view->captureValue();
    m_view->scrollWheel({ScrollWheelEvent::None, 0, -5, 0});
    EXPECT_EQ(m_view->captureValue(), capture);
    m_view->scrollWheel({ScrollWheelEvent::Began, 0, 5, 0});
    EXPECT_LT(m_view->captureValue(), capture);
}

TEST_F(ZoomViewTest, QtWheelAndPinchEventsReachTheInputRules)
{
    // Qt moves Alt+wheel to the horizontal axis; it still zooms.
    sendWheel(*m_view, QPoint(), QPoint(120, 0), Qt::AltModifier);
    EXPECT_DOUBLE_EQ(m_view->zoomFactor(), 8.0 * (1.0 - 1.0 / 192.0));

    sendWheel(*m_view, QPoint(), QPoint(0, -120), Qt::NoModifier);
    EXPECT_GT(m_view->captureValue(), 24.0);
    const double capture = m_view->captureValue();
    sendWheel(*m_view, QPoint(0, 30), QPoint(0, 120), Qt::NoModifier);
    EXPECT_LT(m_view->captureValue(), capture);

    const ScrollWheelEvent pixels = ScrollWheelEvent::fromWheelEvent(
        QWheelEvent(QPointF(), QPointF(), QPoint(0, 30), QPoint(0, 120), Qt::NoButton, Qt::ShiftModifier,
                    Qt::ScrollUpdate, false));
    EXPECT_EQ(pixels.deltaY, 3.0);
    EXPECT_EQ(pixels.phase, ScrollWheelEvent::Changed);
    EXPECT_EQ(pixels.modifierFlags, modifierflags::kShift);

    m_view->setSwitchedControls(false);
    const double zoom = m_view->zoomFactor();
    sendGesture(*m_view, Qt::BeginNativeGesture, 0);
    EXPECT_TRUE(m_view->gestureActive());
    sendGesture(*m_view, Qt::ZoomNativeGesture, 0.1);
    sendGesture(*m_view, Qt::EndNativeGesture, 0);
    EXPECT_FALSE(m_view->gestureActive());
    EXPECT_DOUBLE_EQ(m_view->zoomFactor(), zoom * 1.115);
}

TEST_F(ZoomViewTest, LocalGesturesAreDroppedWhenTheyComeThroughTheTap)
{
    m_view->setIgnoreLocalGestures(true);
    m_view->beginGestureWithEvent({GestureEvent::BeginGesture});
    m_view->magnifyWithEvent(magnify(0.1));
    EXPECT_FALSE(m_view->gestureActive());
    EXPECT_EQ(m_view->zoomFactor(), 8.0);

    m_view->setIgnoreLocalGestures(false);
    m_view->magnifyWithEvent(magnify(0.1));
    EXPECT_DOUBLE_EQ(m_view->zoomFactor(), 8.92);

    m_view->setIgnoreAllInput(true);
    m_view->doMagnifyWithEvent(magnify(0.1));
    m_view->scrollWheel({ScrollWheelEvent::None, 0, 3, 0});
    EXPECT_DOUBLE_EQ(m_view->zoomFactor(), 8.92);
    EXPECT_EQ(m_view->captureValue(), 24.0);
}

TEST_F(ZoomViewTest, AnimationStepsFollowTheirKeysAndIgnoreNumbersThatAreNot)
{
    m_view->setZoomTarget(10.0f);
    EXPECT_EQ(m_view->zoomFactor(), 8.0);

    m_view->zoomTo(10.0, 1.0);
    m_view->setZoomTarget(std::nanf(""));
    EXPECT_EQ(m_view->zoomFactor(), 8.0);
    m_scheduler.advance(1.1);
    EXPECT_EQ(m_view->zoomFactor(), 10.0);
    EXPECT_EQ(m_view->diameterValue(), 240.0);

    m_view->captureTo(30.0, 0.5);
    m_scheduler.advance(0.6);
    EXPECT_EQ(m_view->captureValue(), 30.0);
    // A diameter animation stops a running capture animation where it stands.
    m_view->captureTo(40.0, 0.5);
    m_view->diameterTo(300.0, 0.5);
    m_scheduler.advance(0.6);
    EXPECT_EQ(m_view->captureValue(), 30.0);
    EXPECT_EQ(m_view->diameterValue(), 300.0);

    m_view->zoomCaptureTo(QPointF(6.0, 25.0), 0.2);
    m_view->offsetTo(QPointF(3.0, -2.0), 0.2);
    m_scheduler.advance(0.3);
    EXPECT_EQ(m_view->zoomFactor(), 6.0);
    EXPECT_EQ(m_view->captureValue(), 25.0);
    EXPECT_EQ(m_view->offset(), QPointF(3.0, -2.0));
    EXPECT_FALSE(m_view->isAnimationActive());
}

TEST_F(ZoomViewTest, PickFlashWashRisesToFullAtHalfAndFallsBack)
{
    const std::pair<float, double> steps[] = {{0.25f, 0.125}, {0.5f, 1.0}, {0.75f, 0.75}, {1.0f, 0.0}, {1.2f, 0.0}};
    for (const auto& [value, wash] : steps) {
        m_view->setSnapShotTarget(value);
        EXPECT_DOUBLE_EQ(m_renderer->alphaBlind(), wash) << value;
    }
    m_view->setSnapShotTarget(0.0f);
    bool finished = false;
    m_view->snapShotTo(1.2, 0.19, "linear", {[&] { finished = true; }, {}});
    m_scheduler.advance(0.09);
    EXPECT_GT(m_renderer->alphaBlind(), 0.9);
    m_scheduler.advance(0.15);
    EXPECT_EQ(m_renderer->alphaBlind(), 0.0);
    EXPECT_TRUE(finished);
}

TEST_F(ZoomViewTest, TheFlashDrawsOnlyFramesThatChangeTheWash)
{
    m_view->assignLayers();
    m_view->show();
    const auto framesFor = [&](float value) {
        m_view->setSnapShotTarget(value);
        QCoreApplication::processEvents();
        const int drawn = m_renderer->draws;
        m_renderer->draws = 0;
        return drawn;
    };
    framesFor(0.0f);
    EXPECT_EQ(framesFor(0.5f), 1);
    EXPECT_EQ(framesFor(1.0f), 1);
    EXPECT_EQ(framesFor(1.2f), 0);
    EXPECT_EQ(framesFor(0.0f), 0);
}

TEST_F(ZoomViewTest, LayersComeAndGoWithTheRenderersSublayers)
{
    m_view->releaseLayers();
    EXPECT_FALSE(m_view->hasRootLayer());
    m_view->assignLayers();
    EXPECT_TRUE(m_view->hasRootLayer());
    EXPECT_TRUE(m_renderer->hasSublayers());
    m_view->releaseLayers();
    EXPECT_FALSE(m_renderer->hasSublayers());

    const int before = m_renderer->invalidations;
    m_view->initializeAppearance();
    m_view->setDebugging(true);
    EXPECT_EQ(m_renderer->invalidations, before + 2);
    EXPECT_TRUE(m_view->debugging());
}

} // namespace
