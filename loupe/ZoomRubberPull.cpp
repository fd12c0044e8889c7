#include "loupe/ZoomRubberPull.h"

#include "loupe/NJZoomView.h"

#include <cmath>

namespace {

constexpr double kRubberPullInterval = 1.0 / 12.0;
// Input must rest this long before values are pulled back.
constexpr double kRubberPullDelay = static_cast<double>(0.1f);
constexpr const char* kLinear = "linear";
constexpr const char* kEaseOutCubic = "easeOutCubic";

} // namespace

ZoomRubberPull::ZoomRubberPull(NJZoomView& view)
    : m_view(view)
{
}

ZoomRubberPull::~ZoomRubberPull()
{
    stop();
}

void ZoomRubberPull::start()
{
    if (m_timer)
        return;
    m_timer = Scheduler::current().scheduleRepeating(kRubberPullInterval, [this] { tick(); });
}

void ZoomRubberPull::stop()
{
    if (!m_timer)
        return;
    Scheduler::current().cancel(*m_timer);
    m_timer.reset();
}

void ZoomRubberPull::tick()
{
    if (!m_armed || Scheduler::current().now() - m_view.lastScrollEvent() < kRubberPullDelay
        || m_view.gestureActive() || m_view.isAnimationActive())
        return;
    disarm();
    pull();
}

void ZoomRubberPull::pullBack(const char* key, const std::function<void(const AnimationCallbacks&)>& animate)
{
    m_view.stopAnimationForKey(key, [&view = m_view, animate] {
        animate({[&target = view] { target.resetModifyState(); }, {}});
    });
}

void ZoomRubberPull::pull()
{
    NJZoomView& view = m_view;
    if (view.zoomFactor() > view.maxZoomFactor()) {
        pullBack(NJZoomView::kZoomTargetKey, [&view = m_view](const AnimationCallbacks& callbacks) {
            view.zoomTo(view.maxZoomFactor(), view.maxAnimDuration(), kLinear, callbacks);
        });
        return;
    }
    if (view.zoomFactor() < view.minZoomFactor()) {
        pullBack(NJZoomView::kZoomTargetKey, [&view = m_view](const AnimationCallbacks& callbacks) {
            view.zoomTo(view.minZoomFactor(), view.maxAnimDuration(), kEaseOutCubic, callbacks);
        });
        return;
    }
    // On a display of scale 2 a zoom of 2.5 is already whole device pixels.
    const double devicePixels = view.zoomFactor() * view.scaleFactor();
    if (devicePixels != std::trunc(devicePixels)) {
        view.sharpenZoom();
        return;
    }
    bool pulled = false;
    if (view.diameterValue() > view.maxDiameterValue()) {
        pullBack(NJZoomView::kDiameterTargetKey, [&view = m_view](const AnimationCallbacks& callbacks) {
            view.diameterTo(view.maxDiameterValue(), view.maxAnimDuration(), kLinear, callbacks);
        });
        pulled = true;
    } else if (view.captureValue() > view.maxCaptureValue()) {
        pullBack(NJZoomView::kCaptureTargetKey, [&view = m_view](const AnimationCallbacks& callbacks) {
            view.captureTo(view.maxCaptureValue(), view.maxAnimDuration(), kLinear, callbacks);
        });
        pulled = true;
    }
    if (view.captureValue() < view.minCaptureValue()) {
        pullBack(NJZoomView::kCaptureTargetKey, [&view = m_view](const AnimationCallbacks& callbacks) {
            view.captureTo(view.minCaptureValue(), view.minAnimDuration(), kEaseOutCubic, callbacks);
        });
        pulled = true;
    }
    if (!pulled)
        view.resetModifyState();
}
