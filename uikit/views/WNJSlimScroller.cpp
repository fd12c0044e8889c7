#include "uikit/views/WNJSlimScroller.h"

#include <QPainter>
#include <QPainterPath>
#include <QStyleOptionSlider>

namespace {

constexpr double kKnobX = 1;
constexpr double kKnobWidth = 5;
constexpr double kKnobInset = 1.5;

} // namespace

WNJSlimScroller::WNJSlimScroller(Qt::Orientation orientation, QWidget* parent)
    : QScrollBar(orientation, parent)
{
}

QSize WNJSlimScroller::sizeHint() const
{
    const QSize base = QScrollBar::sizeHint();
    const int width = static_cast<int>(kWidth);
    return orientation() == Qt::Vertical ? QSize(width, base.height()) : QSize(base.width(), width);
}

QRectF WNJSlimScroller::rectForPart(Part part) const
{
    QStyleOptionSlider option;
    initStyleOption(&option);
    switch (part) {
    case Part::KnobSlot:
        return QRectF(rect());
    case Part::Knob: {
        const QRectF knob = style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, this);
        return {kKnobX, knob.y() + kKnobInset, kKnobWidth, knob.height() - 2 * kKnobInset};
    }
    default:
        return {};
    }
}

void WNJSlimScroller::paintEvent(QPaintEvent*)
{
    const QRectF knob = rectForPart(Part::Knob);
    if (knob.isEmpty())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath path;
    path.addRoundedRect(knob, kKnobRadius, kKnobRadius);
    painter.fillPath(path, palette().color(QPalette::Mid));
}
