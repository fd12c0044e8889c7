#include "loupe/QVLensWindow.h"

#include "loupe/NJZoomView.h"
#include "loupe/RowBands.h"
#include "platform/KeyboardLayout.h"
#include "platform/ModifierFlags.h"
#include "platform/Platform.h"
#include "platform/WindowInput.h"
#include "uikit/application/NJApplication.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QTimer>
#include <QWindow>

namespace {

constexpr std::chrono::milliseconds kGrabRetryInterval {10};

unsigned long flagsOf(Qt::KeyboardModifiers modifiers)
{
    if (const NJApplication* app = NJApplication::sharedApplication())
        return app->currentModifierFlags(modifiers);
    return modifierflags::fromQt(modifiers);
}

// The key's position, from the scan code through the keyboard layout; -1 when unknown.
int virtualKeyCode(const QKeyEvent& event)
{
    NJApplication* app = NJApplication::sharedApplication();
    if (!app || !app->hasPlatform() || event.nativeScanCode() == 0)
        return -1;
    return app->platform().keyboardLayout().virtualKeyCode(event.nativeScanCode()).value_or(-1);
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

bool QVLensWindow::event(QEvent* event)
{
    // Qt reads the arrow cursor from the cursor theme when the window first shows, just
    // before it maps; set with the native window, it is read while nothing waits on it.
    if (event->type() == QEvent::WinIdChange && windowHandle())
        windowHandle()->setCursor(Qt::ArrowCursor);
    return CustomWindow::event(event);
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
    takeKeyboard();
    m_wantsPointer = grabPointer;
    updatePointerGrab();
}

void QVLensWindow::takeKeyboard()
{
    NJApplication::makeKeyWindow(this, [window = QPointer<QVLensWindow>(this)] {
        if (window)
            emit window->keyboardUnreachable();
    });
}

void QVLensWindow::showAsPreview()
{
    show();
    raise();
    m_wantsPointer = false;
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
    // Qt's transparent-for-input flag would also take the window's keys, and with them
    // the release of the hover key and Escape.
    NJApplication* app = NJApplication::sharedApplication();
    if (app && app->hasPlatform())
        app->platform().windowInput().setClickThrough(winId(), ignores);
    else if (QWindow* handle = windowHandle())
        handle->setFlag(Qt::WindowTransparentForInput, ignores);
    updatePointerGrab();
}

void QVLensWindow::updatePointerGrab()
{
    const bool grab = m_wantsPointer && !m_ignoresMouseEvents && isVisible();
    if (grab == m_pointerGrabbed)
        return;
    if (!grab) {
        releaseMouse();
        m_pointerGrabbed = false;
        return;
    }
    // The X server refuses a grab until the window is mapped, which happens a moment
    // after it is shown, and while another program holds the pointer; Qt reports the
    // latter as taken. Try again until it holds.
    NJApplication* app = NJApplication::sharedApplication();
    if (app && app->hasPlatform() && !app->platform().windowInput().pointerFree()) {
        emit pointerGrabRefused();
    } else {
        grabMouse(Qt::BlankCursor);
        QWindow* handle = windowHandle();
        m_pointerGrabbed = handle && handle->setMouseGrabEnabled(true);
        if (!m_pointerGrabbed)
            releaseMouse();
    }
    if (!m_pointerGrabbed) {
        QTimer::singleShot(kGrabRetryInterval, this, [this] { updatePointerGrab(); });
        return;
    }
    emit pointerGrabTaken();
}

void QVLensWindow::setBackdrop(const QImage& image, const QPoint& origin)
{
    if (image.isNull() && m_backdrop.isNull())
        return;
    m_backdrop = image;
    m_backdropOrigin = origin;
    update();
}

void QVLensWindow::paintEvent(QPaintEvent*)
{
    if (m_backdrop.isNull())
        return;
    QPainter painter(this);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    rowbands::paint(painter, QRectF(m_backdropOrigin, m_backdrop.deviceIndependentSize()),
                    [&] { painter.drawImage(m_backdropOrigin, m_backdrop); });
}

void QVLensWindow::keyPressEvent(QKeyEvent* event)
{
    // Every key is taken, listed or not.
    event->accept();
    if (m_keyHandler)
        m_keyHandler(virtualKeyCode(*event), event->key(), flagsOf(event->modifiers()), event->text());
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
