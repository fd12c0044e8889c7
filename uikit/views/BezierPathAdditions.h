#pragma once

#include "uikit/windows/RoundedCornerMask.h"

#include <QPainterPath>
#include <QRectF>

namespace bezierpath {

// A rectangle with the corners of the mask rounded, built anticlockwise from the
// minimum corner. Each rounded corner is one cubic curve whose control points lie half
// a radius from the corner; the radii are not clamped.
QPainterPath createRoundedCornerRect(const QRectF& rect, RoundedCornerMask roundCorners, double xRadius,
                                     double yRadius);

} // namespace bezierpath
