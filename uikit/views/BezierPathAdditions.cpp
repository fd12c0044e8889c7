#include "uikit/views/BezierPathAdditions.h"

namespace bezierpath {

QPainterPath createRoundedCornerRect(const QRectF& rect, RoundedCornerMask roundCorners, double rx, double ry)
{
    QPainterPath path;
    if (roundCorners == 0) {
        path.addRect(rect);
        return path;
    }
    const double x = rect.x();
    const double y = rect.y();
    const double w = rect.width();
    const double h = rect.height();

    QPointF start(x, y);
    if (roundCorners & roundedcorner::kMinXMinY) {
        start = QPointF(x, y + ry);
        path.moveTo(start);
        path.cubicTo(x, y + ry / 2, x + rx / 2, y, x + rx, y);
    } else {
        path.moveTo(start);
    }
    if (roundCorners & roundedcorner::kMaxXMinY) {
        path.lineTo(x + w - rx, y);
        path.cubicTo(x + w - rx / 2, y, x + w, y + ry / 2, x + w, y + ry);
    } else {
        path.lineTo(x + w, y);
    }
    if (roundCorners & roundedcorner::kMaxXMaxY) {
        path.lineTo(x + w, y + h - ry);
        path.cubicTo(x + w, y + h - ry / 2, x + w - rx / 2, y + h, x + w - rx, y + h);
    } else {
        path.lineTo(x + w, y + h);
    }
    if (roundCorners & roundedcorner::kMinXMaxY) {
        path.lineTo(x + rx, y + h);
        path.cubicTo(x + rx / 2, y + h, x, y + h - ry / 2, x, y + h - ry);
    } else {
        path.lineTo(x, y + h);
    }
    path.lineTo(start);
    path.closeSubpath();
    return path;
}

} // namespace bezierpath
