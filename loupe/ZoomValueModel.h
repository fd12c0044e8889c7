#pragma once

#include <limits>

// The zoom view's zoom, capture and diameter with their hard limits and the rubber bands
// derived from them. Pure arithmetic: it neither animates nor announces changes.
//
// Units: zoom = points per captured device pixel; capture = captured side in device
// pixels; diameter = lens diameter in points.
class ZoomValueModel final {
public:
    // What made a recomputation run.
    enum ChangeCause : int {
        DiameterSet = 0,
        ZoomSet = 1,
        CaptureSet = 2,
        DiameterAnimated = 3,
        ZoomAnimated = 4,
        CaptureAnimated = 5,
    };

    double zoomFactor() const { return m_zoomFactor; }
    double captureValue() const { return m_captureValue; }
    double diameterValue() const { return m_diameterValue; }
    // Store a value as it is, without clamping or recomputation.
    void storeZoomFactor(double zoom) { m_zoomFactor = zoom; }
    void storeCaptureValue(double capture) { m_captureValue = capture; }
    void storeDiameterValue(double diameter) { m_diameterValue = diameter; }

    // Zoom within its rubber band, capture back within its limits.
    void setZoomFactor(double zoom);
    // Capture within its rubber band, zoom back within its limits.
    void setCaptureValue(double capture);
    // Stores any value; the next recomputation may bound it.
    void setDiameterValue(double diameter);
    // The starting points of a zoom or diameter animation.
    void aimZoom(double target);
    void aimDiameter();

    // Clamps that change nothing: within the rubber band or within the hard limits.
    double clampedZoomFactor(double zoom, bool rubber) const;
    double clampedCapture(double capture, bool rubber) const;
    double clampedDiameter(double diameter, bool rubber) const;

    // Derives the limits, then the diameter the cause calls for, and whether momentum
    // must stop at a rubber edge.
    void recompute(int cause, bool sharpening);

    double minZoomFactor() const { return m_minZoomFactor; }
    void setMinZoomFactor(double value) { m_minZoomFactor = value; }
    double maxZoomFactor() const { return m_maxZoomFactor; }
    void setMaxZoomFactor(double value) { m_maxZoomFactor = value; }
    double minCaptureValue() const { return m_minCaptureValue; }
    void setMinCaptureValue(double value) { m_minCaptureValue = value; }
    double maxCaptureValue() const { return m_maxCaptureValue; }
    void setMaxCaptureValue(double value) { m_maxCaptureValue = value; }
    double minDiameterValue() const { return m_minDiameterValue; }
    double maxDiameterValue() const { return m_maxDiameterValue; }
    int maxViewDiameter() const { return m_maxViewDiameter; }
    void setMaxViewDiameter(int value) { m_maxViewDiameter = value; }
    double minRubberPixels() const { return m_minRubberPixels; }
    void setMinRubberPixels(double value) { m_minRubberPixels = value; }
    double maxRubberPixels() const { return m_maxRubberPixels; }
    void setMaxRubberPixels(double value) { m_maxRubberPixels = value; }
    double minZoomRubberValue() const { return m_minZoomRubberValue; }
    double maxZoomRubberValue() const { return m_maxZoomRubberValue; }
    double minCaptureRubberValue() const { return m_minCaptureRubberValue; }
    double maxCaptureRubberValue() const { return m_maxCaptureRubberValue; }
    double minDiameterRubberValue() const { return m_minDiameterRubberValue; }
    double maxDiameterRubberValue() const { return m_maxDiameterRubberValue; }
    bool stopInertia() const { return m_stopInertia; }
    void clearStopInertia() { m_stopInertia = false; }

private:
    double diameterForCause(int cause, bool sharpening) const;
    bool zoomAtRubberEdge() const;
    bool captureAtRubberEdge() const;

    double m_zoomFactor = 0;
    double m_captureValue = 0;
    double m_diameterValue = 0;
    double m_rezoomCapture = 0;
    double m_rezoomTarget = 0;
    double m_zoomFactorDelta = 0;
    double m_minZoomRubberValue = 0;
    double m_maxZoomRubberValue = std::numeric_limits<double>::infinity();
    double m_minCaptureRubberValue = 1.0;
    double m_maxCaptureRubberValue = std::numeric_limits<double>::infinity();
    double m_minDiameterValue = 1.0;
    double m_maxDiameterValue = std::numeric_limits<double>::infinity();
    double m_minDiameterRubberValue = 1.0;
    double m_maxDiameterRubberValue = std::numeric_limits<double>::infinity();
    bool m_stopInertia = false;
    int m_maxViewDiameter = 0;
    double m_minZoomFactor = 0;
    double m_maxZoomFactor = std::numeric_limits<double>::infinity();
    double m_minCaptureValue = 1.0;
    double m_maxCaptureValue = std::numeric_limits<double>::infinity();
    double m_minRubberPixels = 0;
    double m_maxRubberPixels = 0;
};
