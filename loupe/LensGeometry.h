#pragma once

#include <QPointF>
#include <QRectF>

// The lens's drawing is laid out with the origin at the bottom left, as its layers were
// designed; Qt paints with the origin at the top left. These convert once.
namespace lensgeometry {

// A rectangle laid out from the bottom of a box of `height`, in top-left coordinates.
QRectF flipped(const QRectF& bottomUpRect, double height);

// The centre of bounds at the origin, each coordinate moved toward the bottom left to a
// multiple of half a point (in single precision), in top-left coordinates.
QPointF halfPointCenter(const QRectF& bounds);

// The scale to draw at: a view that has not joined a window yet knows none, and a Qt
// point is a device pixel here.
double drawingScale(double scaleFactor);

} // namespace lensgeometry
