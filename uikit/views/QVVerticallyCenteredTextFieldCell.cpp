#include "uikit/views/QVVerticallyCenteredTextFieldCell.h"

#include <QPainter>

QVVerticallyCenteredTextFieldCell::QVVerticallyCenteredTextFieldCell(QWidget* parent)
    : QLabel(parent)
{
}

QRectF QVVerticallyCenteredTextFieldCell::titleRectForBounds(const QRectF& bounds) const
{
    const double textHeight = fontMetrics().boundingRect(bounds.toRect(), Qt::TextWordWrap, text()).height();
    return {bounds.x(), bounds.y() + (bounds.height() - textHeight) / 2, bounds.width(), textHeight};
}

void QVVerticallyCenteredTextFieldCell::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(titleRectForBounds(QRectF(contentsRect())), static_cast<int>(alignment()) | Qt::TextWordWrap,
                     text());
}
