#include "loupe/RowBands.h"

#include <QPainter>

void rowbands::paint(QPainter& painter, const QRectF& area, const std::function<void()>& draw)
{
    const QTransform toDevice = painter.deviceTransform();
    const QRect rows = toDevice.mapRect(area).toAlignedRect();
    if (rows.height() <= kRows) {
        draw();
        return;
    }
    const QTransform fromDevice = toDevice.inverted();
    for (int top = rows.top(); top <= rows.bottom(); top += kRows) {
        painter.save();
        painter.setClipRect(fromDevice.mapRect(QRectF(rows.left(), top, rows.width(), kRows)), Qt::IntersectClip);
        draw();
        painter.restore();
    }
}
