#include "loupe/ImageAdditions.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <vector>

namespace {

// One device pixel across the lines, drawn once and stretched along them: the same
// pixels as stroking every line to its full length, without Qt's per-line cost.
void drawComb(QPainter& painter, const std::vector<double>& positions, double from, double to, bool vertical,
              const QColor& color, double strokeWidth)
{
    if (positions.empty() || to <= from)
        return;
    const double scale = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
    const double first = std::floor((positions.front() - strokeWidth) * scale) / scale;
    const double last = std::ceil((positions.back() + strokeWidth) * scale) / scale;
    const int across = static_cast<int>(std::lround((last - first) * scale));
    QImage comb(vertical ? QSize(across, 1) : QSize(1, across), QImage::Format_ARGB32_Premultiplied);
    comb.setDevicePixelRatio(scale);
    comb.fill(Qt::transparent);
    {
        QPainter combPainter(&comb);
        combPainter.setRenderHint(QPainter::Antialiasing, true);
        QPainterPath lines;
        for (double position : positions) {
            const double start = position - strokeWidth / 2 - first;
            lines.addRect(vertical ? QRectF(start, 0, strokeWidth, 1 / scale) : QRectF(0, start, 1 / scale, strokeWidth));
        }
        combPainter.fillPath(lines, color);
    }
    const QRectF target = vertical ? QRectF(first, from, last - first, to - from) : QRectF(from, first, to - from, last - first);
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(target, comb);
    painter.restore();
}

} // namespace

namespace imageadditions {

void drawGridInContext(QPainter& painter, const QSizeF& spacing, const QPointF& center, double diameter,
                       const QColor& color, double strokeWidth, double scaleFactor)
{
    const double sx = spacing.width();
    const double sy = spacing.height();
    if (sx <= 0 || sy <= 0)
        return;
    const double radius = diameter / 2;
    const float nx = std::round(static_cast<float>(radius / sx));
    const float ny = std::round(static_cast<float>(radius / sy));
    const double x0 = center.x() - nx * sx - sx / 2;
    const double y0 = center.y() - ny * sy - sy / 2;
    const bool snap = scaleFactor == 1.0;

    std::vector<double> columns;
    for (double t = 0; t <= sx / 2 + diameter; t += sx)
        columns.push_back(snap ? std::round(x0 + t) - 0.5 : x0 + t);
    std::vector<double> rows;
    for (double t = 0; t <= diameter + sy; t += sy)
        rows.push_back(snap ? std::round(y0 + t) + 0.5 : y0 + t);
    drawComb(painter, columns, y0, center.y() + radius, true, color, strokeWidth);
    drawComb(painter, rows, x0, center.x() + radius, false, color, strokeWidth);
}

} // namespace imageadditions
