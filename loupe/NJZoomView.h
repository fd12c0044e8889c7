#pragma once

#include "loupe/CapturedImage.h"
#include "loupe/HighPrecisionZoom.h"
#include "loupe/QVLensBase.h"
#include "loupe/ZoomInput.h"
#include "loupe/ZoomRubberPull.h"
#include "loupe/ZoomValueModel.h"
#include "uikit/animation/AnimationCallbacks.h"
#include "uikit/animation/NJAnimatedView.h"
#include "uikit/application/NJGestureResponder.h"
#include "uikit/animation/TimingFunction.h"

#include "formats/color/Color.h"

#include <QImage>
#include <QPointF>
#include <QSizeF>

#include <functional>
#include <memory>
#include <optional>

class NJZoomViewDelegate;
class QNativeGestureEvent;
struct ScrollWheelEvent;

// The loupe's magnifier: owner of zoom, capture, diameter and offset, their limits and
// rubber bands, the captured image and the renderer that draws it. Main thread only.
//
// Units: zoom = points per captured device pixel; capture = captured side in device
// pixels; diameter = lens diameter in points; offset = device pixels, y upwards.
class NJZoomView : public NJAnimatedView, public NJGestureResponder {
    Q_OBJECT
    Q_PROPERTY(float zoomTarget READ zoomTarget WRITE setZoomTarget)
    Q_PROPERTY(float captureTarget READ captureTarget WRITE setCaptureTarget)
    Q_PROPERTY(QPointF zoomCaptureTarget READ zoomCaptureTarget WRITE setZoomCaptureTarget)
    Q_PROPERTY(float diameterTarget READ diameterTarget WRITE setDiameterTarget)
    Q_PROPERTY(QPointF offsetTarget READ offsetTarget WRITE setOffsetTarget)
    Q_PROPERTY(float snapShotTarget READ snapShotTarget WRITE setSnapShotTarget)
public:
    using Completion = std::function<void()>;

    static constexpr const char* kZoomTargetKey = "zoomTarget";
    static constexpr const char* kCaptureTargetKey = "captureTarget";
    static constexpr const char* kZoomCaptureTargetKey = "zoomCaptureTarget";
    static constexpr const char* kDiameterTargetKey = "diameterTarget";
    static constexpr const char* kOffsetTargetKey = "offsetTarget";
    static constexpr const char* kSnapShotTargetKey = "snapShotTarget";

    // Which input drives a value.
    enum ControlMode : int { NoControl = 0, MagnifyGestureControl = 1, ScrollWheelControl = 2 };
    // Which value input is changing.
    enum ModifyState : int { ModifyNone = 0, ModifyZoom = 1, ModifyCapture = 2, ModifyDiameter = 3, ModifyOffset = 4 };
    // What made updateInternalValues run.
    using ChangeCause = ZoomValueModel::ChangeCause;
    using enum ZoomValueModel::ChangeCause;
    // High-precision zoom.
    enum HiDPIStates : int { HiDPIOff = 0, HiDPIActivating = 1, HiDPIOn = 2, HiDPIReturning = 3 };

    explicit NJZoomView(const QRect& frame, QWidget* parent = nullptr);
    ~NJZoomView() override;

    // Values. The setters clamp with the limits of the previous recomputation, stop every
    // animation, recompute and announce the change; the silent ones do not announce it.
    double zoomFactor() const { return m_values.zoomFactor(); }
    void setZoomFactor(double zoom);
    void setSilentlyZoomFactor(double zoom);
    double captureValue() const { return m_values.captureValue(); }
    void setCaptureValue(double capture);
    void setSilentlyCaptureValue(double capture);
    double diameterValue() const { return m_values.diameterValue(); }
    // Stores any value; the next recomputation may bound it.
    void setDiameterValue(double diameter);
    QPointF offset() const { return m_offset; }
    // Stops the offset animation and stores the point within the captured image.
    void setOffset(const QPointF& offset);

    // Clamps that change nothing.
    double constraintedZoomFactor(double zoom) const;
    double constraintedCapture(double capture) const;
    double constraintedDiameter(double diameter) const;
    QPointF constraintedOffset(const QPointF& offset) const;
    void updateInternalValues(int cause);

    // Hard limits.
    double minZoomFactor() const { return m_values.minZoomFactor(); }
    void setMinZoomFactor(double value) { m_values.setMinZoomFactor(value); }
    double maxZoomFactor() const { return m_values.maxZoomFactor(); }
    void setMaxZoomFactor(double value) { m_values.setMaxZoomFactor(value); }
    double minCaptureValue() const { return m_values.minCaptureValue(); }
    void setMinCaptureValue(double value) { m_values.setMinCaptureValue(value); }
    // Derived: the next recomputation replaces whatever was set.
    double maxCaptureValue() const { return m_values.maxCaptureValue(); }
    void setMaxCaptureValue(double value) { m_values.setMaxCaptureValue(value); }
    double minDiameterValue() const { return m_values.minDiameterValue(); }
    double maxDiameterValue() const { return m_values.maxDiameterValue(); }
    int maxViewDiameter() const { return m_values.maxViewDiameter(); }
    void setMaxViewDiameter(int value) { m_values.setMaxViewDiameter(value); }
    // How far values may be pushed beyond their limits.
    double minRubberPixels() const { return m_values.minRubberPixels(); }
    void setMinRubberPixels(double value) { m_values.setMinRubberPixels(value); }
    double maxRubberPixels() const { return m_values.maxRubberPixels(); }
    void setMaxRubberPixels(double value) { m_values.setMaxRubberPixels(value); }
    // Rubber-band limits, derived by every recomputation.
    double minZoomRubberValue() const { return m_values.minZoomRubberValue(); }
    double maxZoomRubberValue() const { return m_values.maxZoomRubberValue(); }
    double minCaptureRubberValue() const { return m_values.minCaptureRubberValue(); }
    double maxCaptureRubberValue() const { return m_values.maxCaptureRubberValue(); }
    double minDiameterRubberValue() const { return m_values.minDiameterRubberValue(); }
    double maxDiameterRubberValue() const { return m_values.maxDiameterRubberValue(); }
    bool stopInertia() const { return m_values.stopInertia(); }

    // Pull-back animations.
    double minAnimDuration() const { return m_minAnimDuration; }
    void setMinAnimDuration(double seconds) { m_minAnimDuration = seconds; }
    double maxAnimDuration() const { return m_maxAnimDuration; }
    void setMaxAnimDuration(double seconds) { m_maxAnimDuration = seconds; }
    const EasingName& captureEasing() const { return m_captureEasing; }
    void setCaptureEasing(const EasingName& easing) { m_captureEasing = easing; }
    const EasingName& zoomEasing() const { return m_zoomEasing; }
    void setZoomEasing(const EasingName& easing) { m_zoomEasing = easing; }

    // Control modes.
    int zoomControl() const { return m_zoomControl; }
    int captureControl() const { return m_captureControl; }
    int diameterControl() const { return m_diameterControl; }
    bool switchedControls() const { return m_switchedControls; }
    // Swaps the roles of scroll and pinch; nothing happens when unchanged.
    void setSwitchedControls(bool switched);
    void setNormalControlMode();
    void setReverseControlMode();

    int modifyState() const { return m_modifyState; }
    void resetModifyState();
    double scaleFactor() const { return m_scaleFactor; }
    double backgroundColorBase() const { return m_backgroundColorBase; }
    void setBackgroundColorBase(double base) { m_backgroundColorBase = base; }
    bool debugging() const { return m_debugging; }
    void setDebugging(bool debugging);

    // The captured image: opaque BGRA pixels, null for none.
    const QImage& capturedImg() const { return m_captured.image(); }
    void setCapturedImg(const QImage& image);
    QSizeF captureImgPointSize() const { return m_captured.pointSize(); }
    void setCaptureImgPointSize(const QSizeF& size) { m_captured.setPointSize(size); }
    QSizeF captureImgPixelSize() const { return m_captured.pixelSize(); }
    void setCaptureImgPixelSize(const QSizeF& size) { m_captured.setPixelSize(size); }
    // The colour of the picked pixel of the capture (the one under the pointer's hot
    // spot, moved by the offset); cached until the next capture. nullopt without an image.
    std::optional<Color> centerColor();

    // Collaborators. The renderer is owned; the delegate is not.
    QVLensBase* renderer() const { return m_renderer.get(); }
    void setRenderer(std::unique_ptr<QVLensBase> renderer);
    void setDelegate(NJZoomViewDelegate* delegate) { m_delegate = delegate; }

    // Layers and drawing.
    void assignRootLayer();
    void assignLayers();
    void releaseLayers();
    bool hasRootLayer() const { return m_rootLayer; }
    // Schedules a repaint; the flag is ignored.
    void setNeedsDisplay(bool flag = true);
    void initializeAppearance();
    void viewDidChangeBackingProperties();

    // Input.
    bool gestureActive() const override { return m_input.gestureActive(); }
    void setGestureActive(bool active) { m_input.setGestureActive(active); }
    bool ignoreLocalGestures() const { return m_input.ignoreLocalGestures(); }
    void setIgnoreLocalGestures(bool ignore) { m_input.setIgnoreLocalGestures(ignore); }
    bool ignoreAllInput() const { return m_input.ignoreAllInput(); }
    void setIgnoreAllInput(bool ignore) { m_input.setIgnoreAllInput(ignore); }
    bool scrollPhaseSupport() const { return m_input.scrollPhaseSupport(); }
    bool inScrollPhase() const { return m_input.inScrollPhase(); }
    double lastScrollEvent() const { return m_input.lastScrollEvent(); }
    // The entry points of the gesture tap.
    void doRotateWithEvent(const GestureEvent& event) override;
    void doBeginGestureWithEvent(const GestureEvent& event) override;
    void doEndGestureWithEvent(const GestureEvent& event) override;
    void doMagnifyWithEvent(const GestureEvent& event) override;
    // The view's own gestures: forwarded unless ignoreLocalGestures.
    void magnifyWithEvent(const GestureEvent& event);
    void rotateWithEvent(const GestureEvent& event);
    void beginGestureWithEvent(const GestureEvent& event);
    void endGestureWithEvent(const GestureEvent& event);
    // A pinch Qt delivered to one of our windows. X11 hands a pinch to one client only,
    // so these reach the tap's entry points directly. False for other gestures.
    bool nativeGestureEvent(const QNativeGestureEvent& event);
    void scrollWheel(const ScrollWheelEvent& event);
    // Only d.y is used; `mode` is the control mode the input stands for.
    void processDelta(const QPointF& delta, int mode, bool alt);
    void zoomDelta(double delta);
    void captureDelta(double delta);
    void diameterDelta(double delta);

    // Animations; durations in seconds.
    void zoomTo(double zoom, double duration);
    void zoomTo(double zoom, double duration, const EasingName& easing, const AnimationCallbacks& callbacks);
    void captureTo(double capture, double duration);
    void captureTo(double capture, double duration, const EasingName& easing, const AnimationCallbacks& callbacks);
    // x zoom, y capture.
    void zoomCaptureTo(const QPointF& zoomCapture, double duration);
    void zoomCaptureTo(const QPointF& zoomCapture, double duration, const EasingName& easing,
                       const AnimationCallbacks& callbacks);
    void diameterTo(double diameter, double duration);
    void diameterTo(double diameter, double duration, const EasingName& easing, const AnimationCallbacks& callbacks);
    void offsetTo(const QPointF& offset, double duration);
    // The pick flash: 0 rests, the wash peaks at 0.5 and is gone again from 1.0.
    void snapShotTo(double value, double duration, const EasingName& easing, const AnimationCallbacks& callbacks);
    void stopAllAnimations() override;
    bool sharpening() const { return m_sharpening; }
    // The zoom is not a whole number.
    bool needsSharping() const;
    void sharpenZoom();

    // The animated targets: getters read the model, setters are the animation steps.
    float zoomTarget() const;
    void setZoomTarget(float zoom);
    float captureTarget() const;
    void setCaptureTarget(float capture);
    QPointF zoomCaptureTarget() const;
    void setZoomCaptureTarget(const QPointF& zoomCapture);
    float diameterTarget() const;
    void setDiameterTarget(float diameter);
    QPointF offsetTarget() const;
    void setOffsetTarget(const QPointF& offset);
    float snapShotTarget() const;
    void setSnapShotTarget(float value);

    // Rubber-band pull-back: a timer 12 times a second while picking that pulls values
    // back inside their limits once input has rested.
    void startRubberPull();
    void stopRubberPull();
    bool rubberPullRunning() const { return m_rubberPull.running(); }
    void startUpdateTimer() { m_rubberPull.arm(); }
    void stopUpdateTimer() { m_rubberPull.disarm(); }
    bool timerEnabled() const { return m_rubberPull.armed(); }
    void timerAction();
    void rubberDrag();

    // High-precision zoom: 5 more zoom while a key or long press holds it.
    int HiDPIState() const;
    void setHiDPIState(int state);
    bool HiDPIActive() const;
    QPointF preHiDPIValues() const;
    double preHiDPIMaxZoom() const;
    bool canActivateHiDPIZoom() const;
    bool canDeactivateHiDPIZoom() const;
    void activeHiDPIZoom(Completion completion = {});
    void deactiveHiDPIZoom(Completion completion = {});
    // Back to the saved values at once, without animation or lock.
    void resetHiDPIZoom();
    void notifyDelegateCheckHiDPIMode();

protected:
    // The backing scale of the window the view is in (device pixels per point).
    virtual double windowBackingScaleFactor() const;

    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    // It stores zoom and capture without a recomputation, and asks the delegate.
    friend class HighPrecisionZoom;
    // It reads the backing scale, clears the inertia stop and tells the delegate.
    friend class ZoomInput;

    void finishSharpening();

    NJZoomViewDelegate* m_delegate = nullptr;
    std::unique_ptr<QVLensBase> m_renderer;
    ZoomValueModel m_values;
    bool m_sharpening = false;
    CapturedImage m_captured;
    double m_scaleFactor = 0;
    QPointF m_offset;
    int m_zoomControl = MagnifyGestureControl;
    int m_diameterControl = NoControl;
    int m_captureControl = ScrollWheelControl;
    int m_modifyState = ModifyNone;
    bool m_noChangeNotification = false;
    bool m_switchedControls = false;
    bool m_rootLayer = false;
    bool m_debugging = false;
    double m_minAnimDuration = 0.25;
    double m_maxAnimDuration = 0.25;
    EasingName m_captureEasing = "easeOutBack";
    EasingName m_zoomEasing = "easeOutBack";
    double m_backgroundColorBase = 1.0;
    HighPrecisionZoom m_highPrecision {*this};
    ZoomRubberPull m_rubberPull {*this};
    ZoomInput m_input {*this};
};
