#include "loupe/HighPrecisionZoom.h"

#include "loupe/NJZoomView.h"
#include "loupe/NJZoomViewDelegate.h"

#include "foundation/Scheduler.h"

#include <QPointer>

#include <algorithm>
#include <mutex>

namespace {

constexpr double kZoomStep = 5.0;
// Above this target the zoom runs fast and linearly.
constexpr double kFastTarget = 13.0;
constexpr double kFastDuration = static_cast<double>(0.1f);
constexpr double kSlowDuration = static_cast<double>(0.15f);
constexpr double kReturnDuration = 0.16;
constexpr const char* kLinear = "linear";
constexpr const char* kEaseOut = "easeOut";
constexpr const char* kEaseOutCubic = "easeOutCubic";

// The one lock of the high-precision state, for every view. Recursive, because the
// cancelled callbacks of the animations a guarded step stops run inside that step.
std::recursive_mutex& hiDPILock()
{
    static std::recursive_mutex lock;
    return lock;
}

} // namespace

HighPrecisionZoom::HighPrecisionZoom(NJZoomView& view)
    : m_view(view)
{
}

int HighPrecisionZoom::state() const
{
    std::scoped_lock guard(hiDPILock());
    return m_state;
}

void HighPrecisionZoom::setState(int state)
{
    std::scoped_lock guard(hiDPILock());
    m_state = state;
}

bool HighPrecisionZoom::active() const
{
    std::scoped_lock guard(hiDPILock());
    return m_active;
}

QPointF HighPrecisionZoom::savedValues() const
{
    std::scoped_lock guard(hiDPILock());
    return m_savedValues;
}

double HighPrecisionZoom::savedMaxZoom() const
{
    std::scoped_lock guard(hiDPILock());
    return m_savedMaxZoom;
}

bool HighPrecisionZoom::canActivate() const
{
    std::scoped_lock guard(hiDPILock());
    return !m_active || m_state == NJZoomView::HiDPIReturning;
}

bool HighPrecisionZoom::canDeactivate() const
{
    std::scoped_lock guard(hiDPILock());
    return m_active || m_state == NJZoomView::HiDPIActivating;
}

void HighPrecisionZoom::activate(Completion completion)
{
    std::scoped_lock guard(hiDPILock());
    if (!canActivate())
        return;
    // An interrupted return restores the saved values in its cancelled callback first.
    m_view.stopAllAnimations();
    if (m_state == NJZoomView::HiDPIOff) {
        m_savedMaxZoom = m_view.maxZoomFactor();
        m_savedValues = QPointF(m_view.zoomFactor(), m_view.captureValue());
    }
    m_state = NJZoomView::HiDPIActivating;
    m_view.setMaxZoomFactor(m_view.maxZoomFactor() + m_savedMaxZoom + kZoomStep);
    const double target = m_savedValues.x() + kZoomStep;
    m_view.setIgnoreAllInput(true);
    const bool fast = target > kFastTarget;

    QPointer<NJZoomView> self(&m_view);
    const auto finished = [this, completion] {
        std::scoped_lock finishGuard(hiDPILock());
        m_view.setIgnoreAllInput(false);
        if (m_state == NJZoomView::HiDPIActivating) {
            m_state = NJZoomView::HiDPIOn;
            if (completion)
                completion();
        }
        m_active = true;
        m_view.setNeedsDisplay();
    };
    const auto canceled = [this, self] {
        std::scoped_lock cancelGuard(hiDPILock());
        m_view.setIgnoreAllInput(false);
        if (m_state == NJZoomView::HiDPIActivating) {
            m_state = NJZoomView::HiDPIReturning;
            restoreSavedValues();
        } else {
            Scheduler::current().post([self] {
                if (self)
                    self->notifyDelegateCheckHiDPIMode();
            });
        }
    };
    m_view.zoomTo(std::min(target, m_view.maxZoomFactor()), fast ? kFastDuration : kSlowDuration,
                  fast ? kLinear : kEaseOut, {finished, canceled});
}

void HighPrecisionZoom::deactivate(Completion completion)
{
    std::scoped_lock guard(hiDPILock());
    if (!canDeactivate())
        return;
    m_view.stopAllAnimations();
    m_state = NJZoomView::HiDPIReturning;
    // The wider view is captured before zooming out, so no empty margin shows.
    if (m_view.zoomFactor() > m_savedValues.x() && m_view.m_delegate)
        m_view.m_delegate->updateCaptureImageWithMaxValues();
    const auto finished = [this, completion] {
        std::scoped_lock finishGuard(hiDPILock());
        m_view.setMaxZoomFactor(m_savedMaxZoom);
        m_view.m_values.storeCaptureValue(m_savedValues.y());
        m_view.setZoomFactor(m_savedValues.x());
        m_state = NJZoomView::HiDPIOff;
        if (completion)
            completion();
        m_active = false;
        m_view.setNeedsDisplay();
    };
    const auto canceled = [this] {
        std::scoped_lock cancelGuard(hiDPILock());
        restoreSavedValues();
        m_state = NJZoomView::HiDPIReturning;
    };
    m_view.zoomCaptureTo(m_savedValues, kReturnDuration, kEaseOutCubic, {finished, canceled});
}

void HighPrecisionZoom::reset()
{
    if (canDeactivate()) {
        m_view.setMaxZoomFactor(m_savedMaxZoom);
        m_view.m_values.storeCaptureValue(m_savedValues.y());
        m_view.setZoomFactor(m_savedValues.x());
    }
    m_state = NJZoomView::HiDPIOff;
    m_active = false;
}

void HighPrecisionZoom::restoreSavedValues()
{
    m_view.setMaxZoomFactor(m_savedMaxZoom);
    m_view.m_values.storeZoomFactor(m_savedValues.x());
    m_view.m_values.storeCaptureValue(m_savedValues.y());
    m_view.setNeedsDisplay();
}
