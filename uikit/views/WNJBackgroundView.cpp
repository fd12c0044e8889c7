#include "uikit/views/WNJBackgroundView.h"

#include "uikit/application/ThemeColors.h"

#include <QLinearGradient>
#include <QPaintEvent>
#include <QPainter>

#include <cmath>
#include <numbers>

namespace {

constexpr double kFrameAlpha = 0.75;
constexpr double kPanelAlpha = 0.95;

} // namespace

WNJBackgroundView::WNJBackgroundView(QWidget* parent)
    : WNJOpaqueView(parent)
{
    initializeAppearance();
}

WNJBackgroundView::WNJBackgroundView(const QRect& frame, QWidget* parent)
    : WNJOpaqueView(frame, parent)
    , m_angle(kDefaultAngle)
{
    setBackgroundColor(themecolors::white(themecolors::darkMode() ? 0 : 1, kFrameAlpha));
}

void WNJBackgroundView::initializeAppearance()
{
    setBackgroundColor(themecolors::hex(themecolors::darkMode() ? "333333" : "F5F5F5", kPanelAlpha));
}

void WNJBackgroundView::fillGradient(QPainter& painter) const
{
    const double radians = m_angle * std::numbers::pi / 180.0;
    // On screen y grows downwards, so an upward angle has a negative y.
    const QPointF direction(std::cos(radians), -std::sin(radians));
    const QRectF bounds = rect();
    const double half = (std::abs(direction.x()) * bounds.width() + std::abs(direction.y()) * bounds.height()) / 2;
    QLinearGradient gradient(bounds.center() - direction * half, bounds.center() + direction * half);
    gradient.setColorAt(0, *m_startingColor);
    gradient.setColorAt(1, *m_endingColor);
    painter.fillRect(bounds, gradient);
}

void WNJBackgroundView::strokeBottom(QPainter& painter) const
{
    if (!m_bottomStrokeColor)
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(*m_bottomStrokeColor, 1));
    painter.drawLine(QPointF(0, height() - 1), QPointF(width(), height() - 1));
    painter.restore();
}

void WNJBackgroundView::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    if (hasGradient())
        fillGradient(painter);
    else
        fillBackground(painter, event->rect());
    strokeBottom(painter);
}
