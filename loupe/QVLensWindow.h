#pragma once

#include "uikit/windows/CustomWindow.h"

#include <QImage>

#include <functional>

class NJZoomView;
class QKeyEvent;

// The loupe's window: frameless, above every other window and on every desktop
// (override-redirect), with a square content the largest lens fits in. While picking
// it holds the input focus and the pointer, with a blank cursor, so every key and
// every motion reaches it wherever the pointer is.
class QVLensWindow final : public CustomWindow {
    Q_OBJECT
public:
    static constexpr int kContentSide = 400;

    enum class MouseEventType { LeftDown, LeftUp, RightDown, RightUp, Moved, LeftDragged, RightDragged };
    // A key: the virtual key code of its position (-1 when unknown), Qt's key, the
    // modifier flags held and the text it types.
    using KeyHandler = std::function<void(int virtualKeyCode, int qtKey, unsigned long modifierFlags, const QString& text)>;
    using MouseHandler = std::function<void(MouseEventType type, unsigned long modifierFlags)>;

    explicit QVLensWindow(QWidget* parent = nullptr);

    NJZoomView* zoomView() const { return m_zoomView; }
    void setZoomView(NJZoomView* zoomView) { m_zoomView = zoomView; }
    void setKeyHandler(KeyHandler handler) { m_keyHandler = std::move(handler); }
    void setMouseHandler(MouseHandler handler) { m_mouseHandler = std::move(handler); }

    // Device pixels per point of the screen the window is on.
    double backingScaleFactor() const;
    void applicationAppearanceDidChange() override;

    // Shows the window in front and gives it the input focus; with `grabPointer`, it
    // also takes the pointer and blanks the cursor.
    void takeInput(bool grabPointer);
    // Gives the shown window the input focus.
    void takeKeyboard();
    // Shows the window in front as a preview: the input focus stays where it is.
    void showAsPreview();
    void releaseInput();
    bool pointerGrabbed() const { return m_pointerGrabbed; }
    // Lets clicks and motion pass to the windows below; the input focus stays.
    void setIgnoresMouseEvents(bool ignores);
    bool ignoresMouseEvents() const { return m_ignoresMouseEvents; }
    // What the screen shows beneath the window, with its top left at `origin`, laid
    // under the loupe's drawing: without a compositor its see-through parts then look
    // as with one. A null image lays nothing.
    void setBackdrop(const QImage& image, const QPoint& origin);

signals:
    // Neither the focus nor the keyboard could be had: keys cannot reach the window.
    void keyboardUnreachable();
    // The pointer grab holds. Motion reaches the window from now on; a move made while
    // the grab was still refused sent the window nothing.
    void pointerGrabTaken();
    // Another program holds the pointer: the window tries again in a moment.
    void pointerGrabRefused();

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void sendMouse(MouseEventType type, const QMouseEvent& event);
    void updatePointerGrab();

    // A child of the window.
    NJZoomView* m_zoomView = nullptr;
    KeyHandler m_keyHandler;
    MouseHandler m_mouseHandler;
    bool m_wantsPointer = false;
    bool m_pointerGrabbed = false;
    bool m_ignoresMouseEvents = false;
    QImage m_backdrop;
    QPoint m_backdropOrigin;
};
