#include "loupe/QVLensUICursorRenderer.h"

#include "loupe/LensGeometry.h"
#include "loupe/LensLayer.h"
#include "loupe/NJZoomView.h"
#include "loupe/LensColor.h"

#include <QPainter>
#include <QPen>

#include <cmath>

void QVLensUICursorRenderer::setShowFocusRect(bool show)
{
    if (show == m_showFocusRect)
        return;
    m_showFocusRect = show;
    invalidate();
}

void QVLensUICursorRenderer::setIndicatorColor(const std::optional<Color>& color)
{
    const bool changed = color && !(m_indicatorColor && m_indicatorColor->isEqual(*color));
    m_indicatorColor = color;
    if (changed)
        invalidate();
}

QRectF QVLensUICursorRenderer::layerFrame() const
{
    const NJZoomView* view = image();
    if (!view)
        return {};
    const double side = 2 * view->maxZoomFactor();
    const double width = view->width();
    const double origin = std::trunc((width - side) / 2);
    // The view is square: its width serves for both coordinates.
    return lensgeometry::flipped(QRectF(origin, origin, side, side), width);
}

void QVLensUICursorRenderer::updateLayerFrame()
{
    if (const auto current = layer())
        current->setFrame(layerFrame());
}

void QVLensUICursorRenderer::drawLayer(QPainter& painter, const QRectF& clipBox)
{
    QVBaseRenderer::drawLayer(painter, clipBox);
    const NJZoomView* view = image();
    if (!m_showFocusRect || !view || !m_indicatorColor)
        return;
    const QPointF center = lensgeometry::halfPointCenter(clipBox);
    const double z = view->zoomFactor();
    const double s = lensgeometry::drawingScale(view->scaleFactor());
    // Symmetric in top-left coordinates: the square sits on the device pixels just
    // outside the magnified centre pixel, on every side.
    double inset = 0;
    double side = 0;
    if (s == 1.0 && z == std::trunc(z)) {
        inset = std::trunc(z / 2) + 1;
        side = z + 1;
    } else if (s == 1.0) {
        inset = z / 2 + 0.5;
        side = z + 1;
    } else {
        inset = z / 2 + 0.25;
        side = z + 0.5;
    }
    // Half a point without antialiasing covers whole device pixels: one device pixel
    // wide, at full strength.
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(lenscolor::toQColor(*m_indicatorColor), 0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(center.x() - inset, center.y() - inset, side, side));
}
