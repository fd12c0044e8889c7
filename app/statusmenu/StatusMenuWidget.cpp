#include "StatusMenuWidget.h"

#include <QAction>
#include <QCursor>
#include <QKeyEvent>
#include <QKeySequence>

namespace {

bool isAltKey(const QKeyEvent& event)
{
    return event.key() == Qt::Key_Alt || event.key() == Qt::Key_AltGr;
}

} // namespace

StatusMenuWidget::StatusMenuWidget(QWidget* parent)
    : QMenu(parent)
{
    setObjectName("statusMenu");
}

bool StatusMenuWidget::event(QEvent* event)
{
    if (event->type() == QEvent::ShortcutOverride && isAltKey(*static_cast<QKeyEvent*>(event))) {
        event->accept();
        return true;
    }
    return QMenu::event(event);
}

void StatusMenuWidget::keyPressEvent(QKeyEvent* event)
{
    if (isAltKey(*event) || triggerShortcut(*event))
        return;
    QMenu::keyPressEvent(event);
}

void StatusMenuWidget::keyReleaseEvent(QKeyEvent* event)
{
    if (isAltKey(*event))
        return;
    QMenu::keyReleaseEvent(event);
}

bool StatusMenuWidget::triggerShortcut(const QKeyEvent& event)
{
    if (event.modifiers() == Qt::NoModifier || event.modifiers() == Qt::KeypadModifier)
        return false;
    const QKeySequence pressed(event.keyCombination());
    for (QAction* action : actions()) {
        if (action->isVisible() && action->isEnabled() && !action->shortcut().isEmpty()
            && action->shortcut().matches(pressed) == QKeySequence::ExactMatch) {
            close();
            action->trigger();
            return true;
        }
    }
    return false;
}

void StatusMenuWidget::showEvent(QShowEvent* event)
{
    QMenu::showEvent(event);
    m_keepsBottomEdge = geometry().center().y() < QCursor::pos().y();
}

void StatusMenuWidget::resizeEvent(QResizeEvent* event)
{
    QMenu::resizeEvent(event);
    if (isVisible() && m_keepsBottomEdge && event->oldSize().isValid())
        move(x(), y() + event->oldSize().height() - height());
}
