#pragma once

#include "loupe/QVLensWindow.h"

#include "foundation/Scheduler.h"

#include <QPointF>

#include <optional>

class QVLoupeController;

// While picking, the pointer drives the loupe: motion places it, a button release
// picks, and a press held 200 ms or a drag holds high-precision zoom until the pick.
// In high precision the pointer is detached: the loupe moves a third of the pointer's
// travel and the pointer is kept within 20 points of it.
//
// The loupe window holds the pointer while picking, so its events are the monitors'.
// While the window lets the pointer through (hover mode) the pointer is sampled every
// frame instead; clicks then belong to the windows below and never pick. So it is while
// another program holds the pointer, until the window can take it.
class QVMouseFollower final {
public:
    using MouseEventType = QVLensWindow::MouseEventType;

    static constexpr double kLongPressDelay = 0.2;
    static constexpr double kWarpBlock = 0.03;
    static constexpr double kDetachedSpeed = 3.0;
    static constexpr double kParkingDistance = 20.0;
    static constexpr double kSampleInterval = 1.0 / 60.0;

    explicit QVMouseFollower(QVLoupeController& loupe);
    ~QVMouseFollower();
    QVMouseFollower(const QVMouseFollower&) = delete;
    QVMouseFollower& operator=(const QVMouseFollower&) = delete;

    void registerMouseListener();
    void unregisterMouseListener();
    bool mouseListenerRegistered() const { return m_registered; }
    // Samples the pointer while the window lets it through, and, while registered, when
    // another program holds the pointer and the window waits for it.
    void setSamplingPointer(bool sampling);
    void setAwaitingPointer(bool awaiting);

    // An event of the loupe window; ignored unless registered and picking.
    void windowMouseEvent(MouseEventType type, unsigned long modifierFlags);
    void handleMouseEvent(MouseEventType type, unsigned long modifierFlags);
    void mouseMoved(unsigned long modifierFlags);
    // Motion made before the window held the pointer reached other windows: the loupe
    // goes where the pointer went.
    void catchUpWithPointer();
    void longPressHiDPI();

    bool mouseFollow() const { return m_mouseFollow; }
    void setMouseFollow(bool follow) { m_mouseFollow = follow; }
    bool mouseDetached() const { return m_mouseDetached; }
    QPointF lastMousePos() const { return m_lastMousePos; }
    void setLastMousePos(const QPointF& point) { m_lastMousePos = point; }
    double blockMouseUntil() const { return m_blockMouseUntil; }

    // Cursor control, in global points.
    void moveMouseTo(const QPointF& globalPoint);
    void attachMouseAt(const QPointF& globalPoint);
    void detachMouse();
    void moveLoupeToCurrentMousePosition();

private:
    void updateSampler();
    void stopSampling();
    void samplePointer();

    QVLoupeController& m_loupe;
    bool m_registered = false;
    bool m_mouseFollow = false;
    bool m_mouseDetached = false;
    double m_blockMouseUntil = 0;
    QPointF m_lastMousePos;
    // The buttons held, as the events told.
    int m_buttonsHeld = 0;
    std::optional<Scheduler::TimerId> m_longPress;
    bool m_hoverSampling = false;
    bool m_awaitingPointer = false;
    // From registration until the window's first motion event.
    bool m_awaitingFirstMotion = false;
    std::optional<Scheduler::TimerId> m_sampler;
    QPointF m_sampledPos;
};
