#include "loupe/ZoomValueModel.h"

#include <algorithm>

namespace {

constexpr double kZoomEdgeMargin = 0.01;
constexpr double kDiameterEdgeMargin = 2.0;
constexpr double kMinDiameterRubberFloor = 2.0;
constexpr double kMinZoomRubberFloor = 0.1;
constexpr double kMinCaptureRubberFloor = 1.0;

// Clamps as min(max(v, low), high), where a NaN takes the lower bound.
double clampValue(double value, double low, double high)
{
    const double raised = value > low ? value : low;
    return raised < high ? raised : high;
}

} // namespace

void ZoomValueModel::setZoomFactor(double zoom)
{
    m_rezoomCapture = m_diameterValue / m_zoomFactor;
    const double newZoom = clampValue(zoom, m_minZoomRubberValue, m_maxZoomRubberValue);
    m_zoomFactorDelta = newZoom - m_zoomFactor;
    m_zoomFactor = newZoom;
    m_captureValue = clampValue(m_captureValue, m_minCaptureValue, m_maxCaptureValue);
}

void ZoomValueModel::setCaptureValue(double capture)
{
    m_captureValue = clampValue(capture, m_minCaptureRubberValue, m_maxCaptureRubberValue);
    m_rezoomCapture = m_captureValue;
    m_zoomFactor = clampValue(m_zoomFactor, m_minZoomFactor, m_maxZoomFactor);
}

void ZoomValueModel::setDiameterValue(double diameter)
{
    m_rezoomCapture = m_diameterValue / m_zoomFactor;
    m_diameterValue = diameter;
}

void ZoomValueModel::aimZoom(double target)
{
    m_rezoomTarget = target;
    m_rezoomCapture = m_diameterValue / m_zoomFactor;
}

void ZoomValueModel::aimDiameter()
{
    m_rezoomCapture = clampValue(m_diameterValue, m_minDiameterValue, m_maxDiameterValue) / m_zoomFactor;
}

double ZoomValueModel::clampedZoomFactor(double zoom, bool rubber) const
{
    if (rubber)
        return clampValue(zoom, m_minZoomRubberValue, m_maxZoomRubberValue);
    return clampValue(zoom, m_minZoomFactor, m_maxZoomFactor);
}

double ZoomValueModel::clampedCapture(double capture, bool rubber) const
{
    if (rubber)
        return clampValue(capture, m_minCaptureRubberValue, m_maxCaptureRubberValue);
    return clampValue(capture, m_minCaptureValue, m_maxCaptureValue);
}

double ZoomValueModel::clampedDiameter(double diameter, bool rubber) const
{
    if (rubber)
        return clampValue(diameter, m_minDiameterRubberValue, m_maxDiameterRubberValue);
    return clampValue(diameter, m_minDiameterValue, m_maxDiameterValue);
}

void ZoomValueModel::recompute(int cause, bool sharpening)
{
    m_minDiameterValue = m_minCaptureValue * m_minZoomFactor;
    m_minDiameterRubberValue = std::max(m_minDiameterValue - m_minRubberPixels, kMinDiameterRubberFloor);
    m_maxDiameterValue = m_maxViewDiameter - m_maxRubberPixels;
    m_maxDiameterRubberValue = m_maxViewDiameter;
    m_maxZoomRubberValue =
        m_maxZoomFactor + m_maxRubberPixels / std::min(m_captureValue, m_maxViewDiameter / m_zoomFactor);
    m_minZoomRubberValue = std::max(m_minZoomFactor - m_minRubberPixels / m_captureValue, kMinZoomRubberFloor);
    m_maxCaptureValue = m_maxDiameterValue / m_minZoomFactor;
    m_maxCaptureRubberValue = m_maxCaptureValue + m_maxRubberPixels / m_zoomFactor;
    m_minCaptureRubberValue = std::max(m_minCaptureValue - m_minRubberPixels / m_zoomFactor, kMinCaptureRubberFloor);

    m_diameterValue = diameterForCause(cause, sharpening);
    if (cause == ZoomSet)
        m_stopInertia = zoomAtRubberEdge();
    else if (cause == DiameterSet || cause == CaptureSet)
        m_stopInertia = captureAtRubberEdge();
}

double ZoomValueModel::diameterForCause(int cause, bool sharpening) const
{
    const double spanned = m_zoomFactor * m_captureValue;
    switch (cause) {
    case ZoomSet:
        if (m_zoomFactorDelta < 0)
            return std::min(m_diameterValue, spanned);
        if (m_zoomFactor >= m_maxZoomFactor)
            return std::min(m_maxDiameterRubberValue, m_zoomFactor * m_rezoomCapture);
        return std::min(m_maxDiameterValue, spanned);
    case CaptureSet:
    case CaptureAnimated:
        return std::min(m_maxDiameterRubberValue, spanned);
    case ZoomAnimated:
        if (!sharpening && m_rezoomTarget >= m_maxZoomFactor)
            return std::min(m_maxDiameterRubberValue, m_zoomFactor * m_rezoomCapture);
        return std::min(m_maxDiameterValue, spanned);
    default:
        return m_diameterValue;
    }
}

bool ZoomValueModel::zoomAtRubberEdge() const
{
    return m_maxZoomRubberValue - m_zoomFactor <= kZoomEdgeMargin
        || m_zoomFactor - m_minZoomRubberValue <= kZoomEdgeMargin;
}

bool ZoomValueModel::captureAtRubberEdge() const
{
    return m_maxCaptureRubberValue - m_captureValue <= kZoomEdgeMargin
        || m_captureValue - m_minCaptureRubberValue <= kZoomEdgeMargin
        || m_maxDiameterRubberValue - m_diameterValue <= kDiameterEdgeMargin
        || m_diameterValue - m_minDiameterRubberValue <= kDiameterEdgeMargin;
}
