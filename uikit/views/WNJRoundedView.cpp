#include "uikit/views/WNJRoundedView.h"

#include "uikit/views/BezierPathAdditions.h"

#include <QPainter>

WNJRoundedView::WNJRoundedView(QWidget* parent)
    : WNJBackgroundView(parent)
{
}

WNJRoundedView::WNJRoundedView(const QRect& frame, QWidget* parent)
    : WNJBackgroundView(frame, parent)
{
}

void WNJRoundedView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    // On screen the upper corners are the minimum-y ones, which the mask's low bits
    // name: the view's numbering needs no conversion here.
    const QPainterPath path = bezierpath::createRoundedCornerRect(QRectF(rect()), m_roundedCorners, kRadius, kRadius);
    if (hasGradient()) {
        if (m_roundedCorners != 0)
            painter.setClipPath(path);
        fillGradient(painter);
        painter.setClipping(false);
    } else if (backgroundColor() && drawsBackgroundColor()) {
        painter.fillPath(path, *backgroundColor());
    }
    strokeBottom(painter);
}
