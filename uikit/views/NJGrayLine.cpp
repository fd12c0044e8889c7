#include "uikit/views/NJGrayLine.h"

#include <QPainter>

void NJGrayLine::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setPen(QColor::fromRgbF(0, 0, 0, 0.2f));
    const double middle = height() / 2.0;
    painter.drawLine(QPointF(0, middle), QPointF(width(), middle));
}
