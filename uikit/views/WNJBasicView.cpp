#include "uikit/views/WNJBasicView.h"

#include "uikit/views/ViewAdditions.h"

#include <QMouseEvent>

WNJBasicView::WNJBasicView(QWidget* parent)
    : QWidget(parent)
{
}

void WNJBasicView::mousePressEvent(QMouseEvent* event)
{
    if (!m_canMoveWithMouseDown || event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    const QRect frame = window()->frameGeometry();
    const QPointF offset = event->globalPosition() - QPointF(frame.topLeft());
    // Global points grow upwards: the offset from the window's bottom left corner.
    viewadditions::dragWindowUntilMouseUp(this, QPointF(offset.x(), frame.height() - offset.y()));
}
