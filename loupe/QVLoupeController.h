#pragma once

#include "loupe/NJZoomViewDelegate.h"
#include "loupe/QVLoupePositioning.h"

#include "foundation/NotificationCenter.h"
#include "formats/color/Color.h"

#include <QImage>
#include <QPointF>
#include <QRegion>

#include <memory>
#include <optional>
#include <string>
#include <tuple>

class NJZoomView;
class Platform;
class QVFormatProcessor;
class QVHoverMode;
class QVLensBase;
class QVLensLayerStack;
class QVLensWindow;
class QVLoupeDocking;
class QVLoupeHost;
class QVLoupeKeys;
class QVMouseFollower;

// The loupe's window and zoom view, their placement on the pointer, the capture of the
// screen below them, the zoom and diameter steps and high-precision zoom. It owns the
// collaborators for the keys, the mouse, hover mode and docking. Main thread only.
//
// Points are global (origin at the bottom left of the primary screen) unless named
// top-left; top-left points are X11 pixels of the root window.
class QVLoupeController final : public QVLoupePositioning, public NJZoomViewDelegate {
public:
    QVLoupeController(QVLoupeHost& host, Platform& platform);
    ~QVLoupeController() override;
    QVLoupeController(const QVLoupeController&) = delete;
    QVLoupeController& operator=(const QVLoupeController&) = delete;

    QVLensWindow& window() const { return *m_window; }
    NJZoomView& zoomView() const { return *m_zoomView; }
    QVLensBase* renderer() const;
    // The renderer as the layer stack it is; null for another renderer.
    QVLensLayerStack* layerStack() const;
    QVLoupeHost& host() const { return m_host; }
    Platform& platform() const { return m_platform; }
    QVMouseFollower& mouse() const { return *m_mouse; }
    QVHoverMode& hover() const { return *m_hover; }
    QVLoupeDocking& docking() const { return *m_docking; }
    QVLoupeKeys& keys() const { return *m_keys; }

    // Builds the zoom view with its limits, starting values and renderer.
    void initZoomView(QVFormatProcessor* exportFormatProcessor);
    double backingScaleFactor() const;

    // The window: shown for picking (input focus and pointer) or as a preview.
    void showWindow(bool takePointer);
    void orderOut();

    // Placement and capture.
    QPointF setLoupeCenter(const QPointF& globalPoint) override;
    QPointF lastCenter() const override { return m_lastCenter; }
    QPointF loupeCenter() const { return m_loupeCenter; }
    QPointF currentPos() const { return m_currentPos; }
    QPointF offsetFromCenter(const QPointF& globalPoint) const;
    void updateCaptureImage(const QPointF& topLeftPoint);
    void updateCaptureImage(const QPointF& topLeftPoint, double capture);
    void updateCaptureImageWithMaxValues() override;
    void refreshLoupe();
    // Every layer drawn again; the window's outline follows the info box it sizes.
    void redrawAll();
    // One screen pixel below the loupe, at a top-left point; nothing changes.
    std::optional<Color> colorAt(const QPointF& topLeftPoint) const;
    bool appColorsNeedsRGBConvertion(const std::string& appName) const;
    // The lens alone at its own size: no info box and no focus square.
    QImage lensImage();
    // Cuts the window to the lens and its info box and keeps the capture from looking
    // under them.
    void updateWindowShape();

    // Zoom and diameter steps, the colour-info toggle and the write-back of the values.
    void increaseZoom();
    void decreaseZoom();
    void increaseDiameterValue();
    void decreaseDiameterValue();
    void toggleColorInfo();
    // From the change notification (`notified`) or when picking ends.
    void loupeChanged(bool notified);

    // High precision: mask 0 is the modifier key, 1 the long press.
    unsigned long getIncreasedMovementKeyMask() const;
    void activateHiDPIMode(int mask);
    void deactivateHiDPIMode(int mask);
    void activateHiDPIZoom();
    void deactiveHiDPIZoom();
    void resetHiDPIZoom();
    int HiDPIActivators() const { return m_HiDPIActivators; }

    // Zoom view delegate.
    void checkHiDPIMode() override;
    void gestureStarted() override;
    void gestureEnded() override;
    QPointF offsetFromLastCenter() const override { return offsetFromCenter(m_lastCenter); }

private:
    using ShapeInputs = std::tuple<QRectF, QRectF, QRectF, bool>;

    void stepZoom(double step);
    void stepDiameter(double sign);
    // Without a compositor, lays the snapshot of what lies beneath the window under its
    // see-through parts; without a snapshot, the rim gets a solid ground instead.
    void updateBackdrop();
    void clearBackdrop();

    QVLoupeHost& m_host;
    Platform& m_platform;
    std::unique_ptr<QVLensWindow> m_window;
    NJZoomView* m_zoomView = nullptr;
    std::unique_ptr<QVMouseFollower> m_mouse;
    std::unique_ptr<QVHoverMode> m_hover;
    std::unique_ptr<QVLoupeDocking> m_docking;
    std::unique_ptr<QVLoupeKeys> m_keys;
    std::optional<NotificationCenter::Token> m_attributesObserver;

    QPointF m_loupeCenter;
    // Where the window was last sent.
    QPointF m_windowCenter;
    QPointF m_lastCenter;
    QPointF m_currentPos;
    QPointF m_lastCapturePoint;
    double m_lastCaptureCapture = 0;
    int m_HiDPIActivators = 0;
    QRegion m_shape;
    // The screen rectangle the backdrop shows; empty when there is none.
    QRect m_backdropArea;
    // What the shape was built from: the rim's size, the view's place, the info box and
    // whether a snapshot lies beneath.
    ShapeInputs m_shapeInputs;
};
