#pragma once

#include <QColor>
#include <QPointF>
#include <QSizeF>

class QPainter;

namespace imageadditions {

// Strokes a grid of `spacing` over the square of `diameter` around `center`, with the
// lines half a spacing off the centre so that the centre lies in the middle of a cell.
// Coordinates grow downwards; at scale 1 each vertical line covers the device column
// left of its position and each horizontal line the row below it, so that antialiasing
// does not blur them. The lines run past the circle of `diameter`: the caller cuts them.
void drawGridInContext(QPainter& painter, const QSizeF& spacing, const QPointF& center, double diameter,
                       const QColor& color, double strokeWidth, double scaleFactor);

} // namespace imageadditions
