#pragma once

#include "foundation/NotificationCenter.h"
#include "platform/ScreenInfo.h"

#include <QPainterPath>
#include <QPointF>
#include <QRectF>
#include <QWidget>

#include <optional>

class NJApplication;

// The clear, frameless base panel of every window of the program. It takes the
// application's appearance, follows appearance changes and places itself in global
// points (origin at the bottom left of the primary screen, y growing upwards).
class CustomWindow : public QWidget {
    Q_OBJECT
public:
    // How long an animated frame change takes.
    static constexpr double kResizeDuration = 0.2;

    explicit CustomWindow(QWidget* parent = nullptr, Qt::WindowFlags flags = {});
    ~CustomWindow() override;

    // Runs when the application's appearance changes; overrides call the base first.
    virtual void applicationAppearanceDidChange();
    // Runs when a compositing manager starts or stops; overrides call the base first,
    // which shapes the window to its outline or clears the shape again.
    virtual void compositingDidChange();
    // A window docked into another one never takes the keyboard.
    bool canBecomeKeyWindow() const;

    // The window's frame in global points.
    QRectF frame() const;
    // Animated changes run on the Scheduler and end exactly at the frame.
    virtual void setFrame(const QRectF& frame, bool display, bool animate = false);
    virtual void setFrameOrigin(const QPointF& origin);

    // A global point in top-left coordinates local to the screen (the primary one when
    // none is given); each step is rounded to single precision. No screen counts as a
    // zero frame.
    static QPointF pointToScreenPosition(const QPointF& point, const std::optional<ScreenInfo>& screen);
    static QPointF pointToScreenPosition(const QPointF& point);
    static QPointF getMouseScreenPosition();

    // Centres the window on the point, unclamped and unrounded.
    void setCenterLocation(const QPointF& point);
    void setCenterLocation(const QPointF& point, const QRectF& windowFrame);
    // Puts the origin at the point, keeping the centre on a screen, at whole points.
    void setOriginLocation(const QPointF& point);
    // Moves the window and the pointer by the offset when the moved centre stays on a screen.
    void setCenterMouseRelative(const QPointF& offset);
    QPointF windowCenter() const;

    // True when a compositing manager makes see-through areas work.
    static bool isCompositing();
    // Gives the window the outline (widget coordinates): without a compositor the
    // window is shaped to it, with one it stays clear outside it.
    void setWindowOutline(const QPainterPath& outline);
    void clearWindowOutline();

signals:
    // After compositingDidChange() has run.
    void compositingChanged();

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    // Runs after every frame change made here, also on each step of an animated one
    // and while the window is hidden (when Qt sends no move or resize events).
    virtual void frameDidChange(bool display);

    static NJApplication* application();
    static QRectF toGlobal(const QRect& topLeftRect);
    static QRect toTopLeft(const QRectF& globalRect);

private:
    void applyOutline();

    NotificationCenter::Token m_appearanceObserver = 0;
    NotificationCenter::Token m_compositingObserver = 0;
    std::optional<QPainterPath> m_outline;
};
