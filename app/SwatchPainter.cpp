#include "SwatchPainter.h"

#include "formats/color/Color.h"

#include <QPainter>
#include <QPolygonF>
#include <QRectF>

#include <algorithm>

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
    const ColorQuad rgba = color.getRedGreenBlueAlpha();
    auto unit = [](double component) { return static_cast<float>(std::clamp(component, 0.0, 1.0)); };
    return QColor::fromRgbF(unit(rgba[0]), unit(rgba[1]), unit(rgba[2]), unit(rgba[3]));
}
