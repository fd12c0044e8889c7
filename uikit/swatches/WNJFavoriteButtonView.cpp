#include "uikit/swatches/WNJFavoriteButtonView.h"

#include "uikit/application/ThemeColors.h"

#include <QPaintEvent>
#include <QPainter>

namespace {

constexpr double kFillAlpha = 0.75;

} // namespace

WNJFavoriteButtonView::WNJFavoriteButtonView(QWidget* parent)
    : QWidget(parent)
{
}

void WNJFavoriteButtonView::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.fillRect(event->rect(), themecolors::hex(themecolors::darkMode() ? "333333" : "F5F5F5", kFillAlpha));
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(themecolors::hairline(), kHairlineWidth));
    painter.drawLine(QPointF(0, height() - 0.5), QPointF(width(), height() - 0.5));
    painter.drawLine(QPointF(0, height()), QPointF(0, 0));
}
