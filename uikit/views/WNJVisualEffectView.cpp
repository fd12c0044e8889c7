#include "uikit/views/WNJVisualEffectView.h"

#include "uikit/application/NJApplication.h"

#include <QPainterPath>
#include <QRegion>

WNJVisualEffectView::WNJVisualEffectView(QWidget* parent)
    : QWidget(parent)
{
}

void WNJVisualEffectView::updateMask()
{
    m_hasMask = true;
    QPainterPath path;
    path.addRoundedRect(QRectF(rect()), kMaskRadius, kMaskRadius);
    setMask(QRegion(path.toFillPolygon().toPolygon()));
}

void WNJVisualEffectView::paintEvent(QPaintEvent* event)
{
    if (NJApplication* app = NJApplication::sharedApplication())
        app->checkVisualEffectChange();
    QWidget::paintEvent(event);
}

void WNJVisualEffectView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (m_hasMask)
        updateMask();
}
