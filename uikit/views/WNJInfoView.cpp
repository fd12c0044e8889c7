#include "uikit/views/WNJInfoView.h"

#include "uikit/application/ThemeColors.h"

#include <QPainter>

WNJInfoView::WNJInfoView(QWidget* parent)
    : WNJThemeAwareView(parent)
{
}

void WNJInfoView::paintEvent(QPaintEvent*)
{
    if (m_hideStroke)
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(themecolors::hairline(), kHairlineWidth));
    painter.drawLine(QPointF(0, height() - 0.5), QPointF(width(), height() - 0.5));
}
