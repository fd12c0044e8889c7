#include "loupe/NJZoomView.h"

#include "loupe/NJZoomViewDelegate.h"
#include "loupe/ScrollWheelEvent.h"
#include "uikit/application/NJApplication.h"

#include <QNativeGestureEvent>
#include <QPainter>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace {

constexpr double kSharpenDuration = 0.2;
constexpr const char* kEaseOutCubic = "easeOutCubic";

bool isWhole(double value)
{
    return value == std::trunc(value);
}

// One offset component within half the captured side.
double constrainedComponent(double component, double size)
{
    const double half = size * 0.5;
    const double limit = std::trunc(component > 0 ? half - 0.5 : half);
    return std::fabs(component) > limit ? std::copysign(limit, component) : component;
}

} // namespace

NJZoomView::NJZoomView(const QRect& frame, QWidget* parent)
    : NJAnimatedView(parent)
{
    setGeometry(frame);
    setAttribute(Qt::WA_AcceptTouchEvents);
    setNormalControlMode();
    for (const char* key : {kSnapShotTargetKey, kCaptureTargetKey, kZoomTargetKey, kDiameterTargetKey, kOffsetTargetKey})
        addAnimationForKey(key);
    assignRootLayer();
    initializeAppearance();
}

NJZoomView::~NJZoomView()
{
    stopRubberPull();
    setCapturedImg(QImage());
}

// Values --------------------------------------------------------------------------------

void NJZoomView::setZoomFactor(double zoom)
{
    stopAllAnimations();
    m_values.setZoomFactor(zoom);
    updateInternalValues(ZoomSet);
}

void NJZoomView::setSilentlyZoomFactor(double zoom)
{
    m_noChangeNotification = true;
    setZoomFactor(zoom);
    m_noChangeNotification = false;
}

void NJZoomView::setCaptureValue(double capture)
{
    stopAllAnimations();
    m_values.setCaptureValue(capture);
    updateInternalValues(CaptureSet);
}

void NJZoomView::setSilentlyCaptureValue(double capture)
{
    m_noChangeNotification = true;
    setCaptureValue(capture);
    m_noChangeNotification = false;
}

void NJZoomView::setDiameterValue(double diameter)
{
    stopAllAnimations();
    m_values.setDiameterValue(diameter);
    updateInternalValues(DiameterSet);
}

void NJZoomView::setOffset(const QPointF& offset)
{
    stopAnimationForKey(kOffsetTargetKey);
    m_offset = constraintedOffset(offset);
}

double NJZoomView::constraintedZoomFactor(double zoom) const
{
    return m_values.clampedZoomFactor(zoom, m_zoomControl == MagnifyGestureControl
                                                || (m_zoomControl == ScrollWheelControl && m_input.scrollPhaseSupport()));
}

double NJZoomView::constraintedCapture(double capture) const
{
    return m_values.clampedCapture(capture, m_captureControl == MagnifyGestureControl
                                             || (m_captureControl == ScrollWheelControl && m_input.scrollPhaseSupport()));
}

double NJZoomView::constraintedDiameter(double diameter) const
{
    const bool hard =
        (m_diameterControl == ScrollWheelControl && !m_input.scrollPhaseSupport()) || m_diameterControl > ScrollWheelControl;
    return m_values.clampedDiameter(diameter, !hard);
}

QPointF NJZoomView::constraintedOffset(const QPointF& offset) const
{
    const QSizeF size = m_captured.pointSize();
    return {constrainedComponent(offset.x(), size.width()), constrainedComponent(offset.y(), size.height())};
}

void NJZoomView::updateInternalValues(int cause)
{
    m_values.recompute(cause, m_sharpening);
    if (!m_noChangeNotification && m_renderer)
        m_renderer->lensAttributeChanged();
}

// Control modes -------------------------------------------------------------------------

void NJZoomView::setSwitchedControls(bool switched)
{
    if (switched == m_switchedControls)
        return;
    m_switchedControls = switched;
    if (switched)
        setReverseControlMode();
    else
        setNormalControlMode();
}

void NJZoomView::setNormalControlMode()
{
    m_captureControl = ScrollWheelControl;
    m_diameterControl = NoControl;
    m_zoomControl = MagnifyGestureControl;
}

void NJZoomView::setReverseControlMode()
{
    m_captureControl = MagnifyGestureControl;
    m_zoomControl = ScrollWheelControl;
}

void NJZoomView::resetModifyState()
{
    if (m_modifyState != ModifyNone)
        setNeedsDisplay();
    m_modifyState = ModifyNone;
}

void NJZoomView::setDebugging(bool debugging)
{
    m_debugging = debugging;
    setNeedsDisplay();
    if (m_renderer)
        m_renderer->inValidateLayerStack();
}

// Captured image ------------------------------------------------------------------------

void NJZoomView::setCapturedImg(const QImage& image)
{
    // A null image has no size to scale.
    m_captured.setImage(image, image.isNull() ? 1.0 : windowBackingScaleFactor());
}

std::optional<Color> NJZoomView::centerColor()
{
    return m_captured.centerColor(m_offset);
}

// Collaborators and layers --------------------------------------------------------------

void NJZoomView::setRenderer(std::unique_ptr<QVLensBase> renderer)
{
    m_renderer = std::move(renderer);
}

void NJZoomView::assignRootLayer()
{
    m_rootLayer = true;
}

void NJZoomView::assignLayers()
{
    if (!m_rootLayer)
        assignRootLayer();
    if (m_renderer && !m_renderer->hasSublayers())
        m_renderer->addAllSubLayers();
}

void NJZoomView::releaseLayers()
{
    if (m_renderer && m_renderer->hasSublayers())
        m_renderer->removeAllSubLayers();
    m_rootLayer = false;
}

void NJZoomView::setNeedsDisplay(bool)
{
    update();
}

void NJZoomView::initializeAppearance()
{
    const NJApplication* application = NJApplication::sharedApplication();
    m_backgroundColorBase = application && application->darkMode() ? 0.0 : 1.0;
    if (m_renderer)
        m_renderer->inValidateLayerStack();
}

void NJZoomView::viewDidChangeBackingProperties()
{
    m_scaleFactor = windowBackingScaleFactor();
    setOffset(m_delegate ? m_delegate->offsetFromLastCenter() : QPointF());
    m_values.storeZoomFactor(constraintedZoomFactor(m_values.zoomFactor()));
    if (m_renderer)
        m_renderer->updateLayerBacking();
}

double NJZoomView::windowBackingScaleFactor() const
{
    return devicePixelRatioF();
}

bool NJZoomView::event(QEvent* event)
{
    switch (event->type()) {
    case QEvent::NativeGesture:
        if (nativeGestureEvent(*static_cast<QNativeGestureEvent*>(event)))
            return true;
        break;
    case QEvent::Show:
    case QEvent::ParentChange:
    case QEvent::ScreenChangeInternal:
        if (windowBackingScaleFactor() != m_scaleFactor)
            viewDidChangeBackingProperties();
        break;
    default:
        break;
    }
    return NJAnimatedView::event(event);
}

void NJZoomView::paintEvent(QPaintEvent*)
{
    if (!m_rootLayer || !m_renderer)
        return;
    QPainter painter(this);
    m_renderer->draw(painter);
}

// Input ---------------------------------------------------------------------------------

void NJZoomView::doRotateWithEvent(const GestureEvent&) {}

void NJZoomView::doBeginGestureWithEvent(const GestureEvent& event)
{
    m_input.doBeginGesture(event);
}

void NJZoomView::doEndGestureWithEvent(const GestureEvent& event)
{
    m_input.doEndGesture(event);
}

void NJZoomView::doMagnifyWithEvent(const GestureEvent& event)
{
    m_input.doMagnify(event);
}

void NJZoomView::magnifyWithEvent(const GestureEvent& event)
{
    m_input.magnify(event);
}

void NJZoomView::rotateWithEvent(const GestureEvent& event)
{
    m_input.rotate(event);
}

void NJZoomView::beginGestureWithEvent(const GestureEvent& event)
{
    m_input.beginGesture(event);
}

void NJZoomView::endGestureWithEvent(const GestureEvent& event)
{
    m_input.endGesture(event);
}

bool NJZoomView::nativeGestureEvent(const QNativeGestureEvent& event)
{
    return m_input.nativeGesture(event);
}

void NJZoomView::wheelEvent(QWheelEvent* event)
{
    scrollWheel(ScrollWheelEvent::fromWheelEvent(*event));
    event->accept();
}

void NJZoomView::scrollWheel(const ScrollWheelEvent& event)
{
    m_input.scrollWheel(event);
}

void NJZoomView::processDelta(const QPointF& delta, int mode, bool alt)
{
    m_input.processDelta(delta, mode, alt);
}

namespace {

// The resistance beyond a limit: 1 inside, falling towards 0 at the band's edge, and
// applied squared.
double resisted(double delta, double value, double low, double high, double lowRubber, double highRubber)
{
    double factor = 1.0;
    if (delta > 0 && value > high)
        factor = 1.0 - (value - high) / highRubber;
    if (delta < 0 && value < low)
        factor = 1.0 - (low - value) / lowRubber;
    return factor == 1.0 ? delta : factor * delta * factor;
}

} // namespace

void NJZoomView::zoomDelta(double delta)
{
    m_modifyState = ModifyZoom;
    const double effective =
        resisted(delta, zoomFactor(), minZoomFactor(), maxZoomFactor(), minRubberPixels(), maxRubberPixels());
    setZoomFactor(zoomFactor() * (1.0 + effective));
    setNeedsDisplay();
}

void NJZoomView::captureDelta(double delta)
{
    m_modifyState = ModifyCapture;
    m_values.storeZoomFactor(constraintedZoomFactor(m_values.zoomFactor()));
    const double effective = resisted(delta, captureValue(), minCaptureValue(), maxCaptureValue(),
                                      minRubberPixels(), maxRubberPixels());
    const double base = delta < 0 ? diameterValue() / zoomFactor() : captureValue();
    setCaptureValue(base * (1.0 + effective));
    setNeedsDisplay();
}

void NJZoomView::diameterDelta(double delta)
{
    m_modifyState = ModifyDiameter;
    setDiameterValue(diameterValue() * (1.0 + delta));
    setNeedsDisplay();
}

// Animations ----------------------------------------------------------------------------

void NJZoomView::zoomTo(double zoom, double duration)
{
    zoomTo(zoom, duration, m_zoomEasing, {});
}

void NJZoomView::zoomTo(double zoom, double duration, const EasingName& easing, const AnimationCallbacks& callbacks)
{
    m_values.aimZoom(zoom);
    animateKey(kZoomTargetKey, QVariant(static_cast<float>(zoom)), duration, easing, callbacks);
}

void NJZoomView::captureTo(double capture, double duration)
{
    captureTo(capture, duration, m_captureEasing, {});
}

void NJZoomView::captureTo(double capture, double duration, const EasingName& easing,
                           const AnimationCallbacks& callbacks)
{
    animateKey(kCaptureTargetKey, QVariant(static_cast<float>(capture)), duration, easing, callbacks);
}

void NJZoomView::zoomCaptureTo(const QPointF& zoomCapture, double duration)
{
    zoomCaptureTo(zoomCapture, duration, m_captureEasing, {});
}

void NJZoomView::zoomCaptureTo(const QPointF& zoomCapture, double duration, const EasingName& easing,
                               const AnimationCallbacks& callbacks)
{
    animateKey(kZoomCaptureTargetKey, QVariant(zoomCapture), duration, easing, callbacks);
}

void NJZoomView::diameterTo(double diameter, double duration)
{
    diameterTo(diameter, duration, m_captureEasing, {});
}

void NJZoomView::diameterTo(double diameter, double duration, const EasingName& easing,
                            const AnimationCallbacks& callbacks)
{
    m_values.aimDiameter();
    stopAnimationForKey(kCaptureTargetKey);
    animateKey(kDiameterTargetKey, QVariant(static_cast<float>(diameter)), duration, easing, callbacks);
}

void NJZoomView::offsetTo(const QPointF& offset, double duration)
{
    stopAnimationForKey(kOffsetTargetKey);
    animateKey(kOffsetTargetKey, QVariant(offset), duration, kEaseOutCubic);
}

void NJZoomView::snapShotTo(double value, double duration, const EasingName& easing,
                            const AnimationCallbacks& callbacks)
{
    animateKey(kSnapShotTargetKey, QVariant(static_cast<float>(value)), duration, easing, callbacks);
}

void NJZoomView::stopAllAnimations()
{
    m_sharpening = false;
    NJAnimatedView::stopAllAnimations();
}

bool NJZoomView::needsSharping() const
{
    return !isWhole(zoomFactor());
}

void NJZoomView::finishSharpening()
{
    m_sharpening = false;
    resetModifyState();
}

void NJZoomView::sharpenZoom()
{
    m_input.endScrollPhase();
    stopAllAnimations();
    m_sharpening = true;
    if (!needsSharping()) {
        finishSharpening();
        return;
    }
    const auto finish = [this] { finishSharpening(); };
    zoomTo(constraintedZoomFactor(std::round(zoomFactor())), kSharpenDuration, kEaseOutCubic, {finish, finish});
}

// Animated targets ----------------------------------------------------------------------

float NJZoomView::zoomTarget() const
{
    return static_cast<float>(zoomFactor());
}

void NJZoomView::setZoomTarget(float zoom)
{
    if (!animationActiveForKey(kZoomTargetKey) || std::isnan(zoom))
        return;
    m_values.storeZoomFactor(constraintedZoomFactor(zoom));
    updateInternalValues(ZoomAnimated);
    setNeedsDisplay();
}

float NJZoomView::captureTarget() const
{
    return static_cast<float>(captureValue());
}

void NJZoomView::setCaptureTarget(float capture)
{
    if (!animationActiveForKey(kCaptureTargetKey) || std::isnan(capture))
        return;
    m_values.storeCaptureValue(constraintedCapture(capture));
    updateInternalValues(CaptureAnimated);
    setNeedsDisplay();
}

QPointF NJZoomView::zoomCaptureTarget() const
{
    return {zoomFactor(), captureValue()};
}

void NJZoomView::setZoomCaptureTarget(const QPointF& zoomCapture)
{
    if (!animationActiveForKey(kZoomCaptureTargetKey) || std::isnan(zoomCapture.x()) || std::isnan(zoomCapture.y()))
        return;
    m_values.storeZoomFactor(constraintedZoomFactor(zoomCapture.x()));
    m_values.storeCaptureValue(constraintedCapture(zoomCapture.y()));
    updateInternalValues(ZoomAnimated);
    setNeedsDisplay();
}

float NJZoomView::diameterTarget() const
{
    return static_cast<float>(diameterValue());
}

void NJZoomView::setDiameterTarget(float diameter)
{
    if (!animationActiveForKey(kDiameterTargetKey) || std::isnan(diameter))
        return;
    m_values.storeDiameterValue(constraintedDiameter(diameter));
    updateInternalValues(DiameterAnimated);
    setNeedsDisplay();
}

QPointF NJZoomView::offsetTarget() const
{
    return m_offset;
}

void NJZoomView::setOffsetTarget(const QPointF& offset)
{
    m_offset = offset;
    setNeedsDisplay();
}

float NJZoomView::snapShotTarget() const
{
    return m_renderer ? static_cast<float>(m_renderer->alphaBlind()) : 0.0f;
}

void NJZoomView::setSnapShotTarget(float value)
{
    const float v = std::clamp(value, 0.0f, 1.0f);
    // Rises to full white at 0.5 and falls back to none at 1.0.
    const double alpha = v < 0.5f ? std::pow(2.0 * v, 3.0) : 1.0 - std::pow(2.0 * (v - 0.5), 2.0);
    // The flash's last frames (past 1.0) and its reset leave the wash as it is: no frame.
    if (!m_renderer || alpha == m_renderer->alphaBlind())
        return;
    m_renderer->setAlphaBlind(alpha);
    setNeedsDisplay();
}

// Rubber-band pull-back -----------------------------------------------------------------

void NJZoomView::startRubberPull()
{
    m_rubberPull.start();
}

void NJZoomView::stopRubberPull()
{
    m_rubberPull.stop();
}

void NJZoomView::timerAction()
{
    m_rubberPull.tick();
}

void NJZoomView::rubberDrag()
{
    m_rubberPull.pull();
}

// High-precision zoom -------------------------------------------------------------------

int NJZoomView::HiDPIState() const
{
    return m_highPrecision.state();
}

void NJZoomView::setHiDPIState(int state)
{
    m_highPrecision.setState(state);
}

bool NJZoomView::HiDPIActive() const
{
    return m_highPrecision.active();
}

QPointF NJZoomView::preHiDPIValues() const
{
    return m_highPrecision.savedValues();
}

double NJZoomView::preHiDPIMaxZoom() const
{
    return m_highPrecision.savedMaxZoom();
}

bool NJZoomView::canActivateHiDPIZoom() const
{
    return m_highPrecision.canActivate();
}

bool NJZoomView::canDeactivateHiDPIZoom() const
{
    return m_highPrecision.canDeactivate();
}

void NJZoomView::activeHiDPIZoom(Completion completion)
{
    m_highPrecision.activate(std::move(completion));
}

void NJZoomView::deactiveHiDPIZoom(Completion completion)
{
    m_highPrecision.deactivate(std::move(completion));
}

void NJZoomView::resetHiDPIZoom()
{
    m_highPrecision.reset();
}

void NJZoomView::notifyDelegateCheckHiDPIMode()
{
    if (m_delegate)
        m_delegate->checkHiDPIMode();
}
