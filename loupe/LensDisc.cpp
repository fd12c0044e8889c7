#include "loupe/LensDisc.h"

#include <QPainter>

#include <algorithm>

namespace {

// One premultiplied channel scaled by coverage, rounded.
inline int covered(int channel, int coverage)
{
    return (channel * coverage + 127) / 255;
}

} // namespace

void LensDisc::drawCut(QPainter& painter, const QRectF& area, const QRectF& disc,
                       const std::function<void(QPainter&)>& draw, const std::vector<double>& inputs)
{
    const double scale = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
    const QRect devicePixels = QRectF(area.topLeft() * scale, area.size() * scale).toAlignedRect();
    if (devicePixels.isEmpty())
        return;
    const QPointF origin = QPointF(devicePixels.topLeft()) / scale;
    std::vector<double> drawn;
    if (!inputs.empty()) {
        drawn = inputs;
        drawn.insert(drawn.end(), {area.x(), area.y(), area.width(), area.height(), disc.x(), disc.y(), disc.width(),
                                   disc.height(), scale});
    }
    if (drawn.empty() || drawn != m_drawnInputs) {
        if (m_pixels.size() != devicePixels.size())
            m_pixels = QImage(devicePixels.size(), QImage::Format_ARGB32_Premultiplied);
        m_pixels.setDevicePixelRatio(scale);
        m_pixels.fill(Qt::transparent);
        {
            QPainter own(&m_pixels);
            own.translate(-origin);
            draw(own);
        }
        cut(disc.translated(-origin));
        m_drawnInputs = std::move(drawn);
    }
    painter.drawImage(origin, m_pixels);
}

void LensDisc::cut(const QRectF& disc)
{
    if (m_mask.size() != m_pixels.size() || m_mask.devicePixelRatio() != m_pixels.devicePixelRatio()
        || disc != m_maskDisc)
        makeMask(disc);
    for (const Run& run : m_runs) {
        auto* pixels = reinterpret_cast<QRgb*>(m_pixels.scanLine(run.row));
        if (run.cleared) {
            std::fill(pixels + run.begin, pixels + run.end, 0u);
            continue;
        }
        const uchar* coverage = m_mask.constScanLine(run.row);
        for (int x = run.begin; x < run.end; ++x) {
            const int c = coverage[x];
            const QRgb p = pixels[x];
            pixels[x] = qRgba(covered(qRed(p), c), covered(qGreen(p), c), covered(qBlue(p), c), covered(qAlpha(p), c));
        }
    }
}

void LensDisc::makeMask(const QRectF& disc)
{
    const double scale = m_pixels.devicePixelRatio();
    m_maskDisc = disc;
    m_mask = QImage(m_pixels.size(), QImage::Format_Alpha8);
    m_mask.setDevicePixelRatio(scale);
    m_mask.fill(0);
    {
        QPainter painter(&m_mask);
        painter.setRenderHint(QPainter::Antialiasing, true);
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::black);
        painter.drawEllipse(disc);
    }
    // Each frame touches only the pixels the disc does not fully cover.
    const auto kind = [](uchar coverage) { return coverage == 0 ? 0 : coverage == 255 ? 2 : 1; };
    m_runs.clear();
    const int width = m_mask.width();
    for (int y = 0; y < m_mask.height(); ++y) {
        const uchar* coverage = m_mask.constScanLine(y);
        for (int x = 0; x < width;) {
            const int run = kind(coverage[x]);
            int end = x + 1;
            while (end < width && kind(coverage[end]) == run)
                ++end;
            if (run != 2)
                m_runs.push_back({y, x, end, run == 0});
            x = end;
        }
    }
}
