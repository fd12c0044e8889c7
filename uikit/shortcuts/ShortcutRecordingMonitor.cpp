#include "uikit/shortcuts/ShortcutRecordingMonitor.h"

#include "platform/ModifierFlags.h"
#include "uikit/shortcuts/NJShortcutView.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>

namespace {

// The flag a modifier key stands for; 0 for other keys.
unsigned long modifierKeyFlag(int key)
{
    switch (key) {
    case Qt::Key_Shift:
        return modifierflags::kShift;
    case Qt::Key_Control:
        return modifierflags::kControl;
    case Qt::Key_Alt:
        return modifierflags::kOption;
    case Qt::Key_Meta:
    case Qt::Key_Super_L:
    case Qt::Key_Super_R:
        return modifierflags::kCommand;
    default:
        return 0;
    }
}

// The modifiers held after a modifier key went down or up, whether the event reports
// them from before the change (as synthesized events do) or after it (as X11 does).
unsigned long heldModifiers(const QKeyEvent& event, unsigned long reported)
{
    const unsigned long flag = modifierKeyFlag(event.key());
    return event.type() == QEvent::KeyRelease ? reported & ~flag : reported | flag;
}

// A key event travels from the focus widget up its parents; it is seen once, where
// it starts.
bool isFirstReceiver(QObject* watched)
{
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget)
        return false;
    QWidget* first = QWidget::keyboardGrabber();
    if (!first)
        first = QApplication::focusWidget();
    return first ? widget == first : widget->isWindow();
}

} // namespace

ShortcutRecordingMonitor& ShortcutRecordingMonitor::shared()
{
    static ShortcutRecordingMonitor monitor;
    return monitor;
}

void ShortcutRecordingMonitor::activateKeyMonitoring(bool active)
{
    if (active == m_keyMonitoring)
        return;
    m_keyMonitoring = active;
    updateFilter();
}

void ShortcutRecordingMonitor::activateMouseMonitoring(bool active)
{
    if (active == m_mouseMonitoring)
        return;
    m_mouseMonitoring = active;
    updateFilter();
}

void ShortcutRecordingMonitor::updateFilter()
{
    const bool wanted = m_keyMonitoring || m_mouseMonitoring;
    if (wanted == m_installed || !qApp)
        return;
    m_installed = wanted;
    if (wanted)
        qApp->installEventFilter(this);
    else
        qApp->removeEventFilter(this);
}

bool ShortcutRecordingMonitor::eventFilter(QObject* watched, QEvent* event)
{
    if (!m_recorder)
        return false;
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
        return m_keyMonitoring && filterKey(watched, event);
    case QEvent::MouseButtonPress:
        if (m_mouseMonitoring)
            filterMouse(watched, event);
        return false;
    default:
        return false;
    }
}

bool ShortcutRecordingMonitor::filterKey(QObject* watched, QEvent* event)
{
    auto* key = static_cast<QKeyEvent*>(event);
    // Releases matter only as modifier changes.
    if (event->type() == QEvent::KeyRelease && !modifierKeyFlag(key->key()))
        return false;
    if (!isFirstReceiver(watched))
        return false;
    const NJShortcut shortcut(KeyShortcut::shortcutWithEvent(*key));
    if (shortcut.shouldBypass())
        return false;
    const bool hasMainKey = !shortcut.keyCodeString().empty();
    const bool takesKey = hasMainKey && shortcut.isValid() && event->type() != QEvent::KeyRelease;
    const bool showsModifiers = !hasMainKey && m_recorder->isRecording();
    if (!takesKey && !showsModifiers)
        return false;
    // Taken keys must not trigger the application's shortcuts on the way.
    if (event->type() == QEvent::ShortcutOverride) {
        event->accept();
        return true;
    }
    if (takesKey)
        m_recorder->keyDown(key);
    else
        m_recorder->showHeldModifiers(heldModifiers(*key, static_cast<unsigned long>(shortcut.modifierFlags())));
    return true;
}

void ShortcutRecordingMonitor::filterMouse(QObject* watched, QEvent* event)
{
    auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() != Qt::LeftButton || !qobject_cast<QWidget*>(watched))
        return;
    // Global positions: a click in another window is outside whatever its local
    // coordinates say.
    const QRect recorderRect(m_recorder->mapToGlobal(QPoint(0, 0)), m_recorder->size());
    if (!recorderRect.contains(mouse->globalPosition().toPoint()))
        m_recorder->exitRecording();
}
