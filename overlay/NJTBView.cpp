#include "NJTBView.h"

#include "uikit/views/BezierPathAdditions.h"

#include <QPainter>
#include <QToolButton>

namespace {

// White 0.75 at alpha 0.6.
const QColor kSelectedFill(191, 191, 191, 153);

} // namespace

NJTBView::NJTBView(const QRect& frame, QWidget* parent)
    : QWidget(parent)
    , m_button(new QToolButton(this))
{
    setGeometry(frame.x(), frame.y(), kWidth, frame.height());
    m_button->setAutoRaise(true);
    m_button->setFocusPolicy(Qt::NoFocus);
    m_button->setStyleSheet(QStringLiteral("QToolButton { border: none; background: transparent; }"));
    m_button->setGeometry(0, height() - kButtonBottom - kButtonHeight, kWidth, kButtonHeight);
}

void NJTBView::resizeEvent(QResizeEvent*)
{
    m_button->setGeometry(0, height() - kButtonBottom - kButtonHeight, kWidth, kButtonHeight);
}

void NJTBView::paintEvent(QPaintEvent*)
{
    if (!m_selected)
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    // Rounded at the top and open at the bottom, 2 points below the top edge: the tab
    // runs into the page beneath it.
    const QRectF tab = QRectF(rect()).adjusted(1, 2, -1, 0);
    painter.fillPath(bezierpath::createRoundedCornerRect(
                         tab, roundedcorner::kMinXMinY | roundedcorner::kMaxXMinY, kRadius, kRadius),
                     kSelectedFill);
}
