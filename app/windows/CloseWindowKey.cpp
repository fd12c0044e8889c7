#include "CloseWindowKey.h"

#include <QKeyEvent>

CloseWindowKey::CloseWindowKey(std::function<void()> close)
    : m_close(std::move(close))
{
}

bool CloseWindowKey::eventFilter(QObject*, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto* key = static_cast<const QKeyEvent*>(event);
    if (key->key() != Qt::Key_W || key->modifiers() != Qt::MetaModifier)
        return false;
    // Held down, the key closes one window, not every window that comes up next.
    if (!key->isAutoRepeat())
        m_close();
    return true;
}
