#include "loupe/QVBaseRenderer.h"

#include "loupe/LensLayer.h"
#include "loupe/NJZoomView.h"

#include <QPainter>
#include <QPen>

QVBaseRenderer::QVBaseRenderer(NJZoomView* image, const std::shared_ptr<LensLayer>& layer)
    : m_image(image)
{
    assignLayer(layer);
}

QVBaseRenderer::~QVBaseRenderer() = default;

NJZoomView* QVBaseRenderer::image() const
{
    return m_image.data();
}

void QVBaseRenderer::updateLayer()
{
    if (const auto current = layer())
        current->setNeedsDisplay();
}

void QVBaseRenderer::validate()
{
    if (m_invalid)
        updateLayer();
}

void QVBaseRenderer::drawLayer(QPainter& painter, const QRectF& clipBox)
{
    m_invalid = false;
    const NJZoomView* view = image();
    if (!view || !view->debugging())
        return;
    painter.save();
    painter.setPen(QPen(Qt::red, 0.5));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(clipBox);
    painter.restore();
}
