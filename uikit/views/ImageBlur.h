#pragma once

#include <QImage>
#include <QPointF>

#include <functional>

class QColor;
class QPainter;

namespace imageblur {

// A Gaussian-like blur of about `radius` points: three box passes each way. The
// result is premultiplied ARGB of the same size; edges clamp.
QImage blurred(const QImage& image, double radius);

// Paints the soft shadow of what `shape` draws, in the colour and moved by the offset,
// under the painter's current drawing. The shape is drawn into a canvas of the size.
void drawShadow(QPainter& painter, const QSize& canvas, const QPointF& offset, double blur, const QColor& color,
                const std::function<void(QPainter&)>& shape);

} // namespace imageblur
