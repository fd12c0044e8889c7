#include "uikit/shortcuts/NJRolloverButton.h"

#include "uikit/application/NamedImage.h"

#include <QCursor>
#include <QMouseEvent>
#include <QPainter>

NJRolloverButton::NJRolloverButton(QWidget* parent)
    : QAbstractButton(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_Hover);
}

void NJRolloverButton::setImageName(const QString& name)
{
    m_imageName = name;
    updateNamedImage();
}

void NJRolloverButton::setHovering(bool hovering)
{
    if (hovering == m_hovering)
        return;
    m_hovering = hovering;
    updateNamedImage();
}

void NJRolloverButton::setIsFocusable(bool focusable)
{
    m_isFocusable = focusable;
    setFocusPolicy(focusable ? Qt::StrongFocus : Qt::NoFocus);
}

void NJRolloverButton::updateNamedImage()
{
    m_image = namedImage(m_hovering ? m_imageName + QStringLiteral("-hover") : m_imageName);
    // Without a pressed image the alternate image stays as it was.
    const QPixmap pressed = namedImage(m_imageName + QStringLiteral("-pressed"));
    if (!pressed.isNull())
        m_alternateImage = pressed;
    update();
}

void NJRolloverButton::updateHoverState()
{
    setHovering(isVisible() && rect().contains(mapFromGlobal(QCursor::pos())));
}

QSize NJRolloverButton::sizeHint() const
{
    return m_image.isNull() ? QSize() : m_image.deviceIndependentSize().toSize();
}

void NJRolloverButton::paintEvent(QPaintEvent*)
{
    const QPixmap& shown = isDown() && !m_alternateImage.isNull() ? m_alternateImage : m_image;
    if (shown.isNull())
        return;
    QPainter painter(this);
    const QSizeF size = shown.deviceIndependentSize();
    painter.drawPixmap(QRectF(QPointF((width() - size.width()) / 2, (height() - size.height()) / 2), size), shown,
                       QRectF(shown.rect()));
}

void NJRolloverButton::mousePressEvent(QMouseEvent* event)
{
    // The handler replaces the button's own click handling.
    if (m_clickedHandler)
        m_clickedHandler(event);
    event->accept();
}

void NJRolloverButton::mouseReleaseEvent(QMouseEvent* event)
{
    event->accept();
}

void NJRolloverButton::enterEvent(QEnterEvent* event)
{
    QAbstractButton::enterEvent(event);
    if (window()->isVisible())
        setHovering(true);
}

void NJRolloverButton::leaveEvent(QEvent* event)
{
    QAbstractButton::leaveEvent(event);
    if (window()->isVisible())
        setHovering(false);
}

void NJRolloverButton::showEvent(QShowEvent* event)
{
    QAbstractButton::showEvent(event);
    updateHoverState();
}

void NJRolloverButton::hideEvent(QHideEvent* event)
{
    QAbstractButton::hideEvent(event);
    setHovering(false);
}

void NJRolloverButton::moveEvent(QMoveEvent* event)
{
    QAbstractButton::moveEvent(event);
    updateHoverState();
}

void NJRolloverButton::resizeEvent(QResizeEvent* event)
{
    QAbstractButton::resizeEvent(event);
    updateHoverState();
}
