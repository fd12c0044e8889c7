#include "loupe/LensLayer.h"

#include "loupe/QVBaseRenderer.h"
#include "loupe/RowBands.h"

#include <QPainter>

#include <cmath>

void LensLayer::setFrame(const QRectF& frame)
{
    const bool resized = frame.size() != m_frame.size();
    m_frame = frame;
    if (resized)
        setNeedsDisplay();
}

void LensLayer::setBoundsSize(const QSizeF& size)
{
    const QPointF center = position();
    setFrame(QRectF(center.x() - size.width() / 2, center.y() - size.height() / 2, size.width(), size.height()));
}

void LensLayer::setPosition(const QPointF& position)
{
    m_frame.moveCenter(position);
}

void LensLayer::setContentsScale(double scale)
{
    if (scale == m_contentsScale)
        return;
    m_contentsScale = scale;
    setNeedsDisplay();
}

void LensLayer::setNeedsDisplay()
{
    m_needsDisplay = true;
    if (m_displayRequest)
        m_displayRequest();
}

void LensLayer::displayIfNeeded()
{
    if (!m_needsDisplay || !m_delegate)
        return;
    const QSize pixels(static_cast<int>(std::ceil(m_frame.width() * m_contentsScale)),
                       static_cast<int>(std::ceil(m_frame.height() * m_contentsScale)));
    if (pixels.isEmpty()) {
        m_contents = QImage();
        return;
    }
    m_needsDisplay = false;
    if (m_contents.size() != pixels)
        m_contents = QImage(pixels, QImage::Format_ARGB32_Premultiplied);
    m_contents.setDevicePixelRatio(m_contentsScale);
    m_contents.fill(Qt::transparent);
    QPainter painter(&m_contents);
    m_delegate->drawLayer(painter, bounds());
}

void LensLayer::composite(QPainter& painter) const
{
    if (m_contents.isNull())
        return;
    const double deviceScale = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
    const QPointF origin(std::floor(m_frame.x() * deviceScale) / deviceScale,
                         std::floor(m_frame.y() * deviceScale) / deviceScale);
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, m_contentsScale != deviceScale);
    rowbands::paint(painter, QRectF(origin, m_contents.deviceIndependentSize()),
                    [&] { painter.drawImage(origin, m_contents); });
    painter.restore();
}
