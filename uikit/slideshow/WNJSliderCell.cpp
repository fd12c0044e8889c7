#include "uikit/slideshow/WNJSliderCell.h"

#include <QPainter>
#include <QPainterPath>
#include <QStyleOptionSlider>

#include <algorithm>

WNJSliderCell::WNJSliderCell(Qt::Orientation orientation, QWidget* parent)
    : QSlider(orientation, parent)
{
}

WNJSliderCell::WNJSliderCell(QWidget* parent)
    : QSlider(parent)
{
}

void WNJSliderCell::setMaxSliderValue(double value)
{
    m_maxSliderValue = value;
    repaint();
}

QRectF WNJSliderCell::forbiddenRect(const QRectF& bar) const
{
    // A slider without a range would divide by zero; a maximum past the end marks nothing.
    if (m_maxSliderValue <= 0 || maximum() <= minimum())
        return {};
    const double share = (m_maxSliderValue - minimum()) / (maximum() - minimum());
    const double d = std::clamp(share * bar.width(), 0.0, bar.width());
    return {bar.x() + d, bar.y(), bar.width() - d, bar.height()};
}

void WNJSliderCell::paintEvent(QPaintEvent* event)
{
    QSlider::paintEvent(event);
    QStyleOptionSlider option;
    initStyleOption(&option);
    // The style draws its groove one pixel inside the groove rectangle (two at the far
    // edges, where its outline falls); the mark covers what is drawn, not the rectangle.
    const QRectF groove = style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderGroove, this);
    const QRectF bar = groove.adjusted(1, 1, -2, -2);
    const QRectF mark = forbiddenRect(bar);
    if (mark.isEmpty())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath path;
    path.addRoundedRect(mark, kMarkRadius, kMarkRadius);
    painter.fillPath(path, Qt::black);
}
