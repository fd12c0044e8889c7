#include "loupe/QVLensWindow.h"

#include "loupe/NJZoomView.h"
#include "platform/ModifierFlags.h"
#include "uikit/NJApplication.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QWindow>

namespace {

unsigned long flagsOf(Qt::KeyboardModifiers modifiers)
{
    if (const NJApplication* app = NJApplication::sharedApplication())
        return app->currentModifierFlags(modifiers);
    return modifierflags::fromQt(modifiers);
}

} // namespace

QVLensWindow::QVLensWindow(QWidget* parent)
    : CustomWindow(parent,
                   Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::X11BypassWindowManagerHint)
{
    setObjectName("lensWindow");
    setFixedSize(kContentSide, kContentSide);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
}

double QVLensWindow::backingScaleFactor() const
{
    if (const NJApplication* app = NJApplication::sharedApplication()) {
        if (const auto screen = app->getScreenFromMousePoint(frame().center()))
            return screen->scale;
    }
    return 1.0;
}

void QVLensWindow::applicationAppearanceDidChange()
{
    CustomWindow::applicationAppearanceDidChange();
    if (m_zoomView)
        m_zoomView->initializeAppearance();
}

void QVLensWindow::takeInput(bool grabPointer)
{
    show();
    raise();
    activateWindow();
    m_wantsPointer = grabPointer;
    updatePointerGrab();
}

void QVLensWindow::releaseInput()
{
    m_wantsPointer = false;
    updatePointerGrab();
}

void QVLensWindow::setIgnoresMouseEvents(bool ignores)
{
    if (ignores == m_ignoresMouseEvents)
        return;
    m_ignoresMouseEvents = ignores;
    if (QWindow* handle = windowHandle())
        handle->setFlag(Qt::WindowTransparentForInput, ignores);
    updatePointerGrab();
}

void QVLensWindow::updatePointerGrab()
{
    const bool grab = m_wantsPointer && !m_ignoresMouseEvents && isVisible();
    if (grab == m_pointerGrabbed)
        return;
    if (grab)
        grabMouse(Qt::BlankCursor);
    else
        releaseMouse();
    m_pointerGrabbed = grab;
}

void QVLensWindow::keyPressEvent(QKeyEvent* event)
{
    // Every key is taken, listed or not.
    event->accept();
    if (m_keyHandler)
        m_keyHandler(-1, event->key(), flagsOf(event->modifiers()), event->text());
}

void QVLensWindow::sendMouse(MouseEventType type, const QMouseEvent& event)
{
    if (m_mouseHandler)
        m_mouseHandler(type, flagsOf(event.modifiers()));
}

void QVLensWindow::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton || event->button() == Qt::RightButton)
        sendMouse(event->button() == Qt::LeftButton ? MouseEventType::LeftDown : MouseEventType::RightDown, *event);
}

void QVLensWindow::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton || event->button() == Qt::RightButton)
        sendMouse(event->button() == Qt::LeftButton ? MouseEventType::LeftUp : MouseEventType::RightUp, *event);
}

void QVLensWindow::mouseMoveEvent(QMouseEvent* event)
{
    if (event->buttons() & Qt::LeftButton)
        sendMouse(MouseEventType::LeftDragged, *event);
    else if (event->buttons() & Qt::RightButton)
        sendMouse(MouseEventType::RightDragged, *event);
    else
        sendMouse(MouseEventType::Moved, *event);
}
