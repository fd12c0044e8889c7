#include "loupe/LensDisc.h"

#include <QPainter>

namespace {

// One premultiplied channel scaled by coverage, rounded.
inline int covered(int channel, int coverage)
{
    return (channel * coverage + 127) / 255;
}

} // namespace

void LensDisc::drawCut(QPainter& painter, const QRectF& area, const QRectF& disc,
                       const std::function<void(QPainter&)>& draw)
{
    const double scale = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
    const QRect devicePixels = QRectF(area.topLeft() * scale, area.size() * scale).toAlignedRect();
    if (devicePixels.isEmpty())
        return;
    if (m_pixels.size() != devicePixels.size())
        m_pixels = QImage(devicePixels.size(), QImage::Format_ARGB32_Premultiplied);
    m_pixels.setDevicePixelRatio(scale);
    m_pixels.fill(Qt::transparent);
    const QPointF origin = QPointF(devicePixels.topLeft()) / scale;
    {
        QPainter own(&m_pixels);
        own.translate(-origin);
        draw(own);
    }
    cut(disc.translated(-origin));
    painter.drawImage(origin, m_pixels);
}

void LensDisc::cut(const QRectF& disc)
{
    const double scale = m_pixels.devicePixelRatio();
    if (m_mask.size() != m_pixels.size() || m_mask.devicePixelRatio() != scale || disc != m_maskDisc) {
        m_maskDisc = disc;
        m_mask = QImage(m_pixels.size(), QImage::Format_Alpha8);
        m_mask.setDevicePixelRatio(scale);
        m_mask.fill(0);
        QPainter painter(&m_mask);
        painter.setRenderHint(QPainter::Antialiasing, true);
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::black);
        painter.drawEllipse(disc);
    }
    const int width = m_pixels.width();
    const int height = m_pixels.height();
    for (int y = 0; y < height; ++y) {
        const uchar* coverage = m_mask.constScanLine(y);
        auto* pixels = reinterpret_cast<QRgb*>(m_pixels.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const int c = coverage[x];
            if (c == 255)
                continue;
            const QRgb p = pixels[x];
            pixels[x] = c == 0 ? 0u
                               : qRgba(covered(qRed(p), c), covered(qGreen(p), c), covered(qBlue(p), c),
                                       covered(qAlpha(p), c));
        }
    }
}
