#include "loupe/LensGeometry.h"

#include <cmath>

namespace lensgeometry {

QRectF flipped(const QRectF& bottomUpRect, double height)
{
    return {bottomUpRect.x(), height - bottomUpRect.y() - bottomUpRect.height(), bottomUpRect.width(),
            bottomUpRect.height()};
}

QPointF halfPointCenter(const QRectF& bounds)
{
    auto half = [](double v) { return std::trunc(2 * static_cast<float>(v)) / 2; };
    const double upY = half(bounds.y() + bounds.height() / 2);
    return {half(bounds.x() + bounds.width() / 2), bounds.height() - upY};
}

double drawingScale(double scaleFactor)
{
    return scaleFactor > 0 ? scaleFactor : 1.0;
}

} // namespace lensgeometry
