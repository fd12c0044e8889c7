#pragma once

#include "formats/QVDisplayFormatDefinition.h"
#include "formats/QVFormatDefinition.h"
#include "formats/color/Color.h"
#include "uikit/animation/AnimationCallbacks.h"
#include "uikit/animation/TimingFunction.h"

#include <QImage>
#include <QPointF>

#include <functional>
#include <optional>

class NJGestureResponder;
class QVFormatProcessor;
class QWidget;

// The loupe's zoom view and its renderer, as the settings drive them.
class LoupeView {
public:
    virtual ~LoupeView() = default;

    // The zoom view's limits, without changing anything.
    virtual double constraintedCapture(double capture) const = 0;
    virtual double constraintedZoomFactor(double zoomFactor) const = 0;
    virtual double captureValue() const = 0;
    virtual void setCaptureValue(double capture) = 0;
    virtual double zoomFactor() const = 0;
    virtual void setZoomFactor(double zoomFactor) = 0;
    virtual void setSwitchedControls(bool switched) = 0;

    // The renderer.
    virtual long long colorInfo() const = 0;
    virtual void setColorInfo(long long mode) = 0;
    virtual void setExportFormatProcessor(QVFormatProcessor* processor) = 0;
    // The loupe is shown inside the preferences window.
    virtual bool isDockedInPreferences() const = 0;
    virtual void setPeekModeActive(bool peek) = 0;
    virtual void setExportFormat(const std::optional<QVFormatDefinition>& format) = 0;
    virtual void setDisplayFormat(const std::optional<QVDisplayFormatDefinition>& format) = 0;
    // While picking, rebuilds the layers and redraws; otherwise nothing.
    virtual void refreshWhilePicking() = 0;

    // The loupe window. Shown, it takes the input focus and, while picking, the
    // pointer with a blank cursor.
    virtual void showWindow() = 0;
    virtual void orderOut() = 0;
    virtual void makeWindowKey() = 0;
    virtual bool isWindowKey() const = 0;

    // Placement and capture, in global points.
    virtual QPointF setLoupeCenter(const QPointF& globalPoint) = 0;
    virtual QPointF lastCenter() const = 0;
    virtual void refreshLoupe() = 0;
    virtual void redrawAll() = 0;
    virtual void setCapturedImageNone() = 0;
    // The colour of one screen pixel below the loupe, at a top-left point.
    virtual std::optional<Color> colorAt(const QPointF& topLeftPoint) const = 0;
    // The colour a pick takes; none before the first capture.
    virtual std::optional<Color> selectedColor() const = 0;
    // The lens alone, at its own size: no info box and no focus square.
    virtual QImage lensImage() = 0;

    // Layers, the rubber-band pull and the pick flash.
    virtual void assignLayers() = 0;
    virtual void releaseLayers() = 0;
    virtual void startRubberPull() = 0;
    virtual void stopRubberPull() = 0;
    virtual void setSnapShotTarget(double value) = 0;
    virtual void snapShotTo(double value, double duration, const EasingName& easing,
                            const AnimationCallbacks& callbacks) = 0;
    virtual NJGestureResponder* gestureResponder() = 0;

    // The mouse.
    virtual void registerMouseListener() = 0;
    virtual void unregisterMouseListener() = 0;
    virtual void moveLoupeToCurrentMousePosition() = 0;
    virtual void setMouseFollow(bool follow) = 0;

    // High precision (mask 0: the modifier key; 1: the long press) and hover mode.
    virtual void activateHiDPIMode(int mask) = 0;
    virtual void deactivateHiDPIMode(int mask) = 0;
    virtual void resetHiDPIZoom() = 0;
    virtual void checkHiDPIMode() = 0;
    virtual void activateHoverMode() = 0;
    virtual void deactivateHoverMode() = 0;

    // Writes the loupe's capture and zoom into the settings unless they are loading.
    virtual void loupeChanged() = 0;

    // Docking into the preferences window as a live preview, which that window fades
    // in and out.
    virtual void dockToWindow(QWidget* window) = 0;
    virtual void unDockWindow() = 0;
    virtual double previewOpacity() const = 0;
    virtual void setPreviewOpacity(double opacity) = 0;
    virtual void fadePreview(double opacity, double duration, std::function<void()> completion) = 0;
    virtual double maxDiameterValue() const = 0;
    // The zoom view takes the theme again.
    virtual void initializeAppearance() = 0;
};
