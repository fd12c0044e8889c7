#include "uikit/views/WNJOpaqueView.h"

#include <QPaintEvent>
#include <QPainter>

WNJOpaqueView::WNJOpaqueView(QWidget* parent)
    : WNJBasicView(parent)
{
}

WNJOpaqueView::WNJOpaqueView(const QRect& frame, QWidget* parent)
    : WNJBasicView(parent)
    , m_drawsBackgroundColor(true)
{
    setGeometry(frame);
}

void WNJOpaqueView::setBackgroundColor(std::optional<QColor> color)
{
    if (color == m_backgroundColor)
        return;
    m_backgroundColor = std::move(color);
    update();
}

void WNJOpaqueView::fillBackground(QPainter& painter, const QRectF& rect) const
{
    if (m_backgroundColor && m_drawsBackgroundColor)
        painter.fillRect(rect, *m_backgroundColor);
}

void WNJOpaqueView::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    fillBackground(painter, event->rect());
}
