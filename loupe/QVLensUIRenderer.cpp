#include "loupe/QVLensUIRenderer.h"

#include "loupe/ImageAdditions.h"
#include "loupe/LensGeometry.h"
#include "loupe/NJZoomView.h"
#include "loupe/RowBands.h"

#include <QPainter>
#include <QPainterPath>
#include <QPen>

#include <algorithm>
#include <cmath>

namespace {

// The grid shows from this zoom on.
constexpr double kMinGridZoom = 5.5;
// The wash hides the grid from this opacity on.
constexpr double kGridHidingWash = 0.5;
// The outer hairline's distance outside the wide ring.
constexpr double kOuterHairlineGap = 0.35;

QColor grey(double level, double alpha)
{
    return QColor::fromRgbF(static_cast<float>(level), static_cast<float>(level), static_cast<float>(level),
                            static_cast<float>(alpha));
}

void strokeEllipse(QPainter& painter, const QRectF& rect, const QColor& color, double width)
{
    painter.setPen(QPen(color, width));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(rect);
}

} // namespace

void QVLensUIRenderer::setUsePixelGrid(bool use)
{
    if (use == m_usePixelGrid)
        return;
    m_usePixelGrid = use;
    invalidate();
}

void QVLensUIRenderer::setOpaqueBackground(bool opaque)
{
    if (opaque == m_opaqueBackground)
        return;
    m_opaqueBackground = opaque;
    invalidate();
}

QSizeF QVLensUIRenderer::UIDimensions() const
{
    const NJZoomView* view = image();
    if (!view)
        return {};
    const float side = std::ceil(static_cast<float>(view->diameterValue()) + 2 * outerCircleWidth()) + 5;
    return {side, side};
}

QSizeF QVLensUIRenderer::rimDimensions() const
{
    const NJZoomView* view = image();
    if (!view)
        return {};
    const double side = std::ceil(std::ceil(view->diameterValue()) + 2 * (outerCircleWidth() + kOuterHairlineGap)
                                  + hairlineWidth());
    return {side, side};
}

double QVLensUIRenderer::hairlineWidth() const
{
    const NJZoomView* view = image();
    if (!view)
        return 0;
    const double r = view->diameterValue() / view->maxDiameterValue();
    return (0.25 * r + 0.25) / lensgeometry::drawingScale(view->scaleFactor());
}

float QVLensUIRenderer::outerCircleWidth() const
{
    const NJZoomView* view = image();
    if (!view)
        return 0;
    return outerCircleWidth(static_cast<float>(view->diameterValue()), static_cast<int>(lensgeometry::drawingScale(view->scaleFactor())));
}

float QVLensUIRenderer::outerCircleWidth(float diameter, int scale) const
{
    const NJZoomView* view = image();
    const double maxDiameter = view ? view->maxDiameterValue() : 0;
    return static_cast<float>(std::max(2.0 - 0.25 * (scale - 1), diameter / maxDiameter * 10));
}

void QVLensUIRenderer::drawLayer(QPainter& painter, const QRectF& clipBox)
{
    QVBaseRenderer::drawLayer(painter, clipBox);
    const NJZoomView* view = image();
    if (!view)
        return;
    const double d = std::ceil(view->diameterValue());
    // The lens square with its origin moved down to whole points, growing by what was cut.
    QRectF lens((clipBox.width() - d) * 0.5, (clipBox.height() - d) * 0.5, d, d);
    const double cutX = lens.x() - std::trunc(lens.x());
    const double cutY = lens.y() - std::trunc(lens.y());
    lens.adjust(-cutX, -cutY, cutX, cutY);
    lens = lensgeometry::flipped(lens, clipBox.height());

    painter.setRenderHint(QPainter::Antialiasing, true);
    auto* target = dynamic_cast<QImage*>(painter.device());
    std::vector<double> inputs = target && !view->debugging() ? rimInputs(clipBox, target->devicePixelRatio())
                                                              : std::vector<double>();
    if (!inputs.empty() && inputs == m_rimInputs && m_rim.size() == target->size()) {
        painter.save();
        painter.resetTransform();
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(QPointF(), m_rim);
        painter.restore();
    } else {
        drawRim(painter, lens);
        m_rimInputs = std::move(inputs);
        m_rim = m_rimInputs.empty() ? QImage() : target->copy();
    }

    const bool grid = m_usePixelGrid && m_alphaBlind < kGridHidingWash && view->zoomFactor() >= kMinGridZoom;
    if (m_alphaBlind > 0 || grid)
        drawLensInterior(painter, clipBox, lens, grid);
}

void QVLensUIRenderer::drawRim(QPainter& painter, const QRectF& lens)
{
    const NJZoomView* view = image();
    const double w = outerCircleWidth();
    const double d = std::ceil(view->diameterValue());
    const double r = view->diameterValue() / view->maxDiameterValue();
    const double g = view->backgroundColorBase();
    const double s = lensgeometry::drawingScale(view->scaleFactor());
    const double hairlineAlpha = d <= 50 && s == 1.0 ? std::max(0.45, d / 50) : 0.75;
    const double hairlineWidth = this->hairlineWidth();
    const QColor hairline = grey((static_cast<int>(std::trunc(g)) + 1) % 2, hairlineAlpha);

    if (m_opaqueBackground) {
        // Everything around the lens up to a pixel past the rim's outer hairline, where
        // the window's outline ends; the lens itself shows the capture.
        const double outer = rimDimensions().width() / 2 + 1;
        QPainterPath ring;
        ring.addEllipse(lens.center(), outer, outer);
        ring.addEllipse(lens);
        painter.fillPath(ring, grey(g, 1.0));
    }
    strokeEllipse(painter, lens.adjusted(-w / 2, -w / 2, w / 2, w / 2), grey(g, 0.9 - 0.4 * r), w);
    const double outerInset = w + kOuterHairlineGap;
    strokeEllipse(painter, lens.adjusted(-outerInset, -outerInset, outerInset, outerInset), hairline, hairlineWidth);
    strokeEllipse(painter, lens.adjusted(0.3, 0.3, -0.3, -0.3), hairline, hairlineWidth);
}

std::vector<double> QVLensUIRenderer::rimInputs(const QRectF& clipBox, double devicePixelRatio) const
{
    const NJZoomView* view = image();
    return {clipBox.x(),
            clipBox.y(),
            clipBox.width(),
            clipBox.height(),
            devicePixelRatio,
            view->diameterValue(),
            view->maxDiameterValue(),
            view->backgroundColorBase(),
            view->scaleFactor(),
            static_cast<double>(m_opaqueBackground)};
}

void QVLensUIRenderer::drawLensInterior(QPainter& painter, const QRectF& clipBox, const QRectF& lens, bool grid)
{
    // What the wash and the grid are drawn from: a frame that changes none of it (a still
    // loupe) lays the last ones over again.
    const NJZoomView* view = image();
    const std::vector<double> inputs {m_alphaBlind,
                                      static_cast<double>(grid),
                                      view->zoomFactor(),
                                      view->scaleFactor(),
                                      static_cast<double>(view->HiDPIState()),
                                      view->preHiDPIMaxZoom(),
                                      view->maxZoomFactor(),
                                      view->diameterValue(),
                                      clipBox.x(),
                                      clipBox.y(),
                                      clipBox.width(),
                                      clipBox.height()};
    // Cut to the lens inset by half a point and laid over the rim.
    m_disc.drawCut(painter, lens, lens.adjusted(0.5, 0.5, -0.5, -0.5), [&](QPainter& inside) {
        if (m_alphaBlind > 0) {
            const QColor wash = QColor::fromRgbF(1, 1, 1, static_cast<float>(m_alphaBlind));
            rowbands::paint(inside, lens, [&] { inside.fillRect(lens, wash); });
        }
        if (grid)
            drawPixelGrid(inside, clipBox);
    }, inputs);
}

void QVLensUIRenderer::drawPixelGrid(QPainter& painter, const QRectF& clipBox) const
{
    const NJZoomView* view = image();
    const double zoom = view->zoomFactor();
    const double s = lensgeometry::drawingScale(view->scaleFactor());
    const double strengthZoom = view->HiDPIState() != NJZoomView::HiDPIOff ? view->preHiDPIMaxZoom()
                                                                           : view->maxZoomFactor();
    const double strength = std::min(zoom / strengthZoom, 1.0);
    const QColor color = QColor::fromRgbF(0, 0, 0, static_cast<float>(strength * (s > 1.0 ? 0.25 : 0.15)));
    imageadditions::drawGridInContext(painter, QSizeF(zoom, zoom), lensgeometry::halfPointCenter(clipBox), view->diameterValue(),
                                      color, 0.5 / s, s);
}
