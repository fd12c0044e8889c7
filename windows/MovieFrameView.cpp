#include "windows/MovieFrameView.h"

#include <QPainter>

MovieFrameView::MovieFrameView(QWidget* parent)
    : QWidget(parent)
{
}

void MovieFrameView::showFrame(QImage frame)
{
    m_frame = std::move(frame);
    update();
}

void MovieFrameView::paintEvent(QPaintEvent*)
{
    if (m_frame.isNull())
        return;
    QRect target(QPoint(), m_frame.size().scaled(size(), Qt::KeepAspectRatio));
    target.moveCenter(rect().center());
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, m_frame);
}
