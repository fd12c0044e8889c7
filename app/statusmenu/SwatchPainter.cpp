#include "SwatchPainter.h"

#include "uikit/application/QtColor.h"

#include "formats/color/Color.h"

#include <QPainter>
#include <QPolygonF>
#include <QRectF>

void SwatchPainter::drawSwatch(QPainter& painter, const Color& color, const QRectF& rect)
{
    painter.save();
    painter.setPen(Qt::NoPen);
    const QColor fill = toQColor(color);
    if (fill.alphaF() < 1.0f) {
        painter.fillRect(rect, Qt::black);
        // The lower left half, as seen with the origin at the bottom.
        painter.setBrush(Qt::white);
        painter.drawPolygon(QPolygonF({rect.bottomLeft(), rect.topLeft(), rect.bottomRight()}));
    }
    painter.fillRect(rect, fill);
    painter.restore();
}

QColor SwatchPainter::toQColor(const Color& color)
{
    return qtcolor::fromColor(color);
}
