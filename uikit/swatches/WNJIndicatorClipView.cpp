#include "uikit/swatches/WNJIndicatorClipView.h"

#include "uikit/application/NJApplication.h"
#include "uikit/swatches/WNJICItemView.h"

#include <QPainter>

#include <cmath>
#include <cstdint>

namespace {

constexpr double kRowLineWidth = 0.75;
constexpr double kSeparatorWidth = 0.25;
constexpr double kLineOverhang = 100;

} // namespace

WNJIndicatorClipView::WNJIndicatorClipView(QWidget* parent)
    : WNJClipView(parent)
{
}

void WNJIndicatorClipView::drawRect(QPainter& painter, const QRectF& dirty)
{
    NJApplication* app = NJApplication::sharedApplication();
    const bool dark = app && app->darkMode();
    painter.setRenderHint(QPainter::Antialiasing);
    if (!app || !app->isVisualEffectViewAvailable())
        painter.fillRect(dirty, dark ? QColor::fromRgbF(0, 0, 0, 0.15f) : QColor::fromRgbF(1, 1, 1, 0.3f));
    QColor line = dark ? QColor::fromRgbF(1, 1, 1, 0.25f) : QColor::fromRgbF(0, 0, 0, 0.125f);
    painter.setPen(QPen(line, kRowLineWidth));
    const double rowY = height() - 0.5;
    painter.drawLine(QPointF(dirty.left() - kLineOverhang, rowY), QPointF(dirty.right() + kLineOverhang, rowY));
    if (dark)
        line = QColor::fromRgbF(1, 1, 1, 0.75f);
    painter.setPen(QPen(line, kSeparatorWidth));
    const double step = WNJICItemView::kSide;
    const auto first = static_cast<std::int32_t>(std::ceil(dirty.x() / step));
    const auto end = static_cast<std::int32_t>(std::ceil((dirty.x() + dirty.width()) / step));
    for (std::int32_t i = first; i < end; ++i)
        painter.drawLine(QPointF(i * step, 0), QPointF(i * step, dirty.height() - 0.5));
}
