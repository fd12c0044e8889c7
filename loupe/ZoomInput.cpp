#include "loupe/ZoomInput.h"

#include "loupe/NJZoomView.h"
#include "loupe/NJZoomViewDelegate.h"
#include "loupe/ScrollWheelEvent.h"

#include "foundation/Scheduler.h"
#include "platform/ModifierFlags.h"

#include <QNativeGestureEvent>

namespace {

constexpr double kPinchZoomGain = 1.15;

} // namespace

ZoomInput::ZoomInput(NJZoomView& view)
    : m_view(view)
{
}

void ZoomInput::doBeginGesture(const GestureEvent&)
{
    if (m_ignoreAllInput)
        return;
    m_gestureActive = true;
    m_view.stopUpdateTimer();
    m_view.stopAllAnimations();
    if (m_view.m_delegate)
        m_view.m_delegate->gestureStarted();
}

void ZoomInput::doEndGesture(const GestureEvent&)
{
    if (m_ignoreAllInput)
        return;
    m_gestureActive = false;
    m_view.stopAllAnimations();
    m_view.startUpdateTimer();
    if (m_view.m_delegate)
        m_view.m_delegate->gestureEnded();
}

void ZoomInput::doMagnify(const GestureEvent& event)
{
    if (m_ignoreAllInput)
        return;
    processDelta(QPointF(event.magnification, event.magnification), NJZoomView::MagnifyGestureControl,
                 (event.modifierFlags & modifierflags::kOption) != 0);
}

void ZoomInput::magnify(const GestureEvent& event)
{
    if (!m_ignoreLocalGestures)
        m_view.doMagnifyWithEvent(event);
}

void ZoomInput::rotate(const GestureEvent& event)
{
    if (!m_ignoreLocalGestures)
        m_view.doRotateWithEvent(event);
}

void ZoomInput::beginGesture(const GestureEvent& event)
{
    if (m_view.renderer())
        m_view.renderer()->gestureStarted();
    if (!m_ignoreLocalGestures)
        m_view.doBeginGestureWithEvent(event);
}

void ZoomInput::endGesture(const GestureEvent& event)
{
    if (m_view.renderer())
        m_view.renderer()->gestureEnded();
    if (!m_ignoreLocalGestures)
        m_view.doEndGestureWithEvent(event);
}

bool ZoomInput::nativeGesture(const QNativeGestureEvent& event)
{
    GestureEvent gesture;
    gesture.modifierFlags = modifierflags::fromQt(event.modifiers());
    switch (event.gestureType()) {
    case Qt::BeginNativeGesture:
        gesture.type = GestureEvent::BeginGesture;
        if (m_view.renderer())
            m_view.renderer()->gestureStarted();
        m_view.doBeginGestureWithEvent(gesture);
        return true;
    case Qt::EndNativeGesture:
        gesture.type = GestureEvent::EndGesture;
        if (m_view.renderer())
            m_view.renderer()->gestureEnded();
        m_view.doEndGestureWithEvent(gesture);
        return true;
    case Qt::ZoomNativeGesture:
        gesture.type = GestureEvent::Magnify;
        gesture.magnification = event.value();
        m_view.doMagnifyWithEvent(gesture);
        return true;
    case Qt::RotateNativeGesture:
        gesture.type = GestureEvent::Rotate;
        gesture.rotation = event.value();
        m_view.doRotateWithEvent(gesture);
        return true;
    default:
        return false;
    }
}

void ZoomInput::scrollWheel(const ScrollWheelEvent& event)
{
    if (m_ignoreAllInput)
        return;
    if (event.phase == ScrollWheelEvent::Ended && m_view.needsSharping())
        m_view.sharpenZoom();
    if (event.phase == ScrollWheelEvent::Began)
        m_scrollPhaseSupport = true;
    if (event.phase == ScrollWheelEvent::Began || event.phase == ScrollWheelEvent::Changed) {
        m_inScrollPhase = true;
        if (m_view.zoomControl() == NJZoomView::ScrollWheelControl
            || m_view.captureControl() == NJZoomView::ScrollWheelControl
            || m_view.diameterControl() == NJZoomView::ScrollWheelControl) {
            m_view.stopAllAnimations();
            m_view.stopUpdateTimer();
        }
        m_view.m_values.clearStopInertia();
    }
    // Momentum after a value met the edge of its rubber band is ignored.
    if (m_view.stopInertia() && m_scrollPhaseSupport)
        return;
    m_lastScrollEvent = Scheduler::current().now();
    if (event.deltaY != 0 || event.deltaX != 0)
        processDelta(QPointF(event.deltaX, -event.deltaY), NJZoomView::ScrollWheelControl,
                     (event.modifierFlags & modifierflags::kOption) != 0);
    m_view.startUpdateTimer();
    if (m_view.m_delegate)
        m_view.m_delegate->gestureStarted();
}

void ZoomInput::processDelta(const QPointF& delta, int mode, bool alt)
{
    const double d = delta.y();
    if (d == 0)
        return;
    const bool scroll = mode == NJZoomView::ScrollWheelControl;
    const double scale = m_view.windowBackingScaleFactor();
    if ((!alt && m_view.captureControl() == mode) || (alt && m_view.zoomControl() == mode))
        m_view.captureDelta(scroll ? scale * d / (m_view.zoomFactor() * m_view.captureValue()) : d);
    if (m_view.diameterControl() == mode)
        m_view.diameterDelta(scroll ? scale * d / m_view.diameterValue() : d);
    if ((!alt && m_view.zoomControl() == mode) || (alt && m_view.captureControl() == mode))
        m_view.zoomDelta(scroll ? scale * d / (m_view.zoomFactor() * m_view.captureValue()) : d * kPinchZoomGain);
}
