#pragma once

#include "platform/GestureEvent.h"

#include <QPointF>

class NJZoomView;
class QNativeGestureEvent;
struct ScrollWheelEvent;

// The input of one zoom view: trackpad gestures, native pinches and scrolls, turned into
// value deltas by the view's control modes, and the scroll-phase state they leave.
class ZoomInput final {
public:
    explicit ZoomInput(NJZoomView& view);

    bool gestureActive() const { return m_gestureActive; }
    void setGestureActive(bool active) { m_gestureActive = active; }
    bool ignoreLocalGestures() const { return m_ignoreLocalGestures; }
    void setIgnoreLocalGestures(bool ignore) { m_ignoreLocalGestures = ignore; }
    bool ignoreAllInput() const { return m_ignoreAllInput; }
    void setIgnoreAllInput(bool ignore) { m_ignoreAllInput = ignore; }
    bool scrollPhaseSupport() const { return m_scrollPhaseSupport; }
    bool inScrollPhase() const { return m_inScrollPhase; }
    void endScrollPhase() { m_inScrollPhase = false; }
    double lastScrollEvent() const { return m_lastScrollEvent; }

    // The entry points of the gesture tap.
    void doBeginGesture(const GestureEvent& event);
    void doEndGesture(const GestureEvent& event);
    void doMagnify(const GestureEvent& event);
    // The view's own gestures: forwarded unless ignoreLocalGestures.
    void magnify(const GestureEvent& event);
    void rotate(const GestureEvent& event);
    void beginGesture(const GestureEvent& event);
    void endGesture(const GestureEvent& event);
    bool nativeGesture(const QNativeGestureEvent& event);
    void scrollWheel(const ScrollWheelEvent& event);
    // Only d.y is used; `mode` is the control mode the input stands for.
    void processDelta(const QPointF& delta, int mode, bool alt);

private:
    NJZoomView& m_view;
    bool m_scrollPhaseSupport = false;
    bool m_inScrollPhase = false;
    double m_lastScrollEvent = 0;
    bool m_gestureActive = false;
    bool m_ignoreLocalGestures = false;
    bool m_ignoreAllInput = false;
};
