#include "NJNotificationWindow.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

namespace {

constexpr double kCornerRadius = 8.0;
const QColor kLightBackground(0xf5, 0xf5, 0xf5, 0xf2);
const QColor kDarkBackground(0x33, 0x33, 0x33, 0xf2);

} // namespace

NJNotificationWindow::NJNotificationWindow(QWidget* parent)
    : CustomWindow(parent, Qt::WindowStaysOnTopHint | Qt::X11BypassWindowManagerHint | Qt::WindowDoesNotAcceptFocus)
    , m_textField(new QLabel(this))
    , m_imageView(new QLabel(this))
{
    setObjectName("notificationWindow");
    setWindowTitle(kTitle);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    m_textField->setObjectName("textField");
    m_imageView->setObjectName("imageView");
    m_imageView->setFixedSize(kImageSide, kImageSide);
    resize(kMargin * 2 + kImageSide + kSpacing, kHeight);
}

void NJNotificationWindow::setDark(bool dark)
{
    m_dark = dark;
    QPalette palette = m_textField->palette();
    palette.setColor(QPalette::WindowText, dark ? Qt::white : QColor(Qt::black));
    m_textField->setPalette(palette);
    update();
}

void NJNotificationWindow::layoutContent()
{
    m_imageView->move(kMargin, (height() - kImageSide) / 2);
    const int textX = kMargin + kImageSide + kSpacing;
    m_textField->setGeometry(textX, 0, std::max(0, width() - textX - kMargin), height());
    QPainterPath outline;
    outline.addRoundedRect(QRectF(rect()), kCornerRadius, kCornerRadius);
    setWindowOutline(outline);
}

void NJNotificationWindow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    QColor background = m_dark ? kDarkBackground : kLightBackground;
    // Shaped by a mask, every pixel inside it shows as it is painted: an edge blended
    // with nothing would show black, so the ground is opaque up to the mask's edge.
    if (!mask().isEmpty()) {
        background.setAlpha(255);
        painter.fillRect(rect(), background);
        return;
    }
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(background);
    painter.drawRoundedRect(QRectF(rect()), kCornerRadius, kCornerRadius);
}

void NJNotificationWindow::mouseReleaseEvent(QMouseEvent* event)
{
    event->accept();
    if (m_clickHandler)
        m_clickHandler();
}

void NJNotificationWindow::resizeEvent(QResizeEvent* event)
{
    CustomWindow::resizeEvent(event);
    layoutContent();
}
