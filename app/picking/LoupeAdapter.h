#pragma once

#include "app/picking/LoupeView.h"

#include <memory>

class Platform;
class QVLoupeController;
class QVLoupeHost;

// The loupe window and its zoom view, as the controller drives them.
class LoupeAdapter final : public LoupeView {
public:
    // Builds the loupe window and its zoom view.
    LoupeAdapter(QVLoupeHost& host, Platform& platform, QVFormatProcessor* exportFormatProcessor);
    ~LoupeAdapter() override;

    QVLoupeController& controller() const { return *m_loupe; }

    double constraintedCapture(double capture) const override;
    double constraintedZoomFactor(double zoomFactor) const override;
    double captureValue() const override;
    void setCaptureValue(double capture) override;
    double zoomFactor() const override;
    void setZoomFactor(double zoomFactor) override;
    void setSwitchedControls(bool switched) override;
    long long colorInfo() const override;
    void setColorInfo(long long mode) override;
    void setExportFormatProcessor(QVFormatProcessor* processor) override;
    bool isDockedInPreferences() const override;
    void setPeekModeActive(bool peek) override;
    void setExportFormat(const std::optional<QVFormatDefinition>& format) override;
    void setDisplayFormat(const std::optional<QVDisplayFormatDefinition>& format) override;
    void refreshWhilePicking() override;

    void showWindow() override;
    void orderOut() override;
    void makeWindowKey() override;
    bool isWindowKey() const override;
    QPointF setLoupeCenter(const QPointF& globalPoint) override;
    QPointF lastCenter() const override;
    void refreshLoupe() override;
    void redrawAll() override;
    void setCapturedImageNone() override;
    std::optional<Color> colorAt(const QPointF& topLeftPoint) const override;
    std::optional<Color> selectedColor() const override;
    QImage lensImage() override;
    void assignLayers() override;
    void releaseLayers() override;
    void startRubberPull() override;
    void stopRubberPull() override;
    void setSnapShotTarget(double value) override;
    void snapShotTo(double value, double duration, const EasingName& easing,
                    const AnimationCallbacks& callbacks) override;
    NJGestureResponder* gestureResponder() override;
    void registerMouseListener() override;
    void unregisterMouseListener() override;
    void moveLoupeToCurrentMousePosition() override;
    void setMouseFollow(bool follow) override;
    void activateHiDPIMode(int mask) override;
    void deactivateHiDPIMode(int mask) override;
    void resetHiDPIZoom() override;
    void checkHiDPIMode() override;
    void activateHoverMode() override;
    void deactivateHoverMode() override;
    void loupeChanged() override;
    void dockToWindow(QWidget* window) override;
    void unDockWindow() override;
    double previewOpacity() const override;
    void setPreviewOpacity(double opacity) override;
    void fadePreview(double opacity, double duration, std::function<void()> completion) override;
    double maxDiameterValue() const override;
    void initializeAppearance() override;

private:
    std::unique_ptr<QVLoupeController> m_loupe;
};
