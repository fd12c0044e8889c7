#include "windows/FocusRing.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QPainter>

FocusRing::FocusRing(QWidget* window)
    : QWidget(window)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    hide();
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) { follow(now); });
}

void FocusRing::follow(QWidget* focus)
{
    if (m_target)
        m_target->removeEventFilter(this);
    // Other controls draw their own focus.
    const bool ringed = qobject_cast<QAbstractButton*>(focus) || qobject_cast<QComboBox*>(focus);
    m_target = ringed && parentWidget()->isAncestorOf(focus) ? focus : nullptr;
    if (m_target)
        m_target->installEventFilter(this);
    place();
}

bool FocusRing::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_target) {
        switch (event->type()) {
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::Show:
        case QEvent::Hide:
            place();
            break;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void FocusRing::place()
{
    if (!m_target || !m_target->isVisibleTo(parentWidget())) {
        hide();
        return;
    }
    const int margin = kWidth + kGap;
    setGeometry(QRect(m_target->mapTo(parentWidget(), QPoint(0, 0)), m_target->size())
                    .adjusted(-margin, -margin, margin, margin));
    raise();
    show();
    update();
}

void FocusRing::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(palette().color(QPalette::Active, QPalette::Highlight), kWidth));
    painter.setBrush(Qt::NoBrush);
    const qreal inset = kWidth / 2.0;
    painter.drawRoundedRect(QRectF(rect()).adjusted(inset, inset, -inset, -inset), 4, 4);
}
