#include "loupe/QVMouseFollower.h"

#include "loupe/NJZoomView.h"
#include "loupe/QVLoupeController.h"
#include "loupe/QVLoupeHost.h"

#include "platform/Cursor.h"
#include "platform/Platform.h"
#include "uikit/application/NJApplication.h"

#include <cmath>

namespace {

constexpr int kLeftButton = 1;
constexpr int kRightButton = 2;

} // namespace

QVMouseFollower::QVMouseFollower(QVLoupeController& loupe)
    : m_loupe(loupe)
{
}

QVMouseFollower::~QVMouseFollower()
{
    stopSampling();
    if (m_longPress)
        Scheduler::current().cancel(*m_longPress);
}

void QVMouseFollower::registerMouseListener()
{
    m_registered = true;
    m_buttonsHeld = 0;
    // The toolkit drops a first motion to the spot where it last saw the pointer (where
    // the previous pick ended, say) as no motion at all: until a motion gets through,
    // the pointer is sampled.
    m_awaitingFirstMotion = true;
    updateSampler();
}

void QVMouseFollower::unregisterMouseListener()
{
    if (!m_registered)
        return;
    m_registered = false;
    stopSampling();
}

void QVMouseFollower::setSamplingPointer(bool sampling)
{
    m_hoverSampling = sampling;
    updateSampler();
}

void QVMouseFollower::setAwaitingPointer(bool awaiting)
{
    m_awaitingPointer = awaiting && m_registered;
    updateSampler();
}

void QVMouseFollower::stopSampling()
{
    m_hoverSampling = m_awaitingPointer = m_awaitingFirstMotion = false;
    updateSampler();
}

void QVMouseFollower::updateSampler()
{
    const bool sampling = m_hoverSampling || m_awaitingPointer || m_awaitingFirstMotion;
    if (sampling == m_sampler.has_value())
        return;
    Scheduler& scheduler = Scheduler::current();
    if (!sampling) {
        scheduler.cancel(*m_sampler);
        m_sampler.reset();
        return;
    }
    m_sampledPos = m_loupe.platform().cursor().location();
    m_sampler = scheduler.scheduleRepeating(kSampleInterval, [this] { samplePointer(); });
}

void QVMouseFollower::samplePointer()
{
    const QPointF location = m_loupe.platform().cursor().location();
    if (location == m_sampledPos)
        return;
    m_sampledPos = location;
    if (m_registered && m_loupe.host().inPicking())
        handleMouseEvent(MouseEventType::Moved, m_loupe.host().currentModifierFlags());
}

void QVMouseFollower::windowMouseEvent(MouseEventType type, unsigned long modifierFlags)
{
    const bool motion = type == MouseEventType::Moved || type == MouseEventType::LeftDragged
        || type == MouseEventType::RightDragged;
    if (m_awaitingFirstMotion && motion) {
        m_awaitingFirstMotion = false;
        updateSampler();
    }
    if (m_registered && m_loupe.host().inPicking())
        handleMouseEvent(type, modifierFlags);
}

void QVMouseFollower::handleMouseEvent(MouseEventType type, unsigned long modifierFlags)
{
    switch (type) {
    case MouseEventType::LeftDown:
    case MouseEventType::RightDown: {
        m_buttonsHeld |= type == MouseEventType::LeftDown ? kLeftButton : kRightButton;
        Scheduler& scheduler = Scheduler::current();
        if (m_longPress)
            scheduler.cancel(*m_longPress);
        m_longPress = scheduler.schedule(kLongPressDelay, [this] {
            m_longPress.reset();
            if (m_buttonsHeld != 0)
                longPressHiDPI();
        });
        break;
    }
    case MouseEventType::LeftUp:
    case MouseEventType::RightUp:
        m_buttonsHeld &= ~(type == MouseEventType::LeftUp ? kLeftButton : kRightButton);
        m_loupe.host().doPick();
        break;
    case MouseEventType::LeftDragged:
    case MouseEventType::RightDragged:
        longPressHiDPI();
        mouseMoved(modifierFlags);
        break;
    case MouseEventType::Moved:
        if (m_buttonsHeld != 0)
            longPressHiDPI();
        mouseMoved(modifierFlags);
        break;
    }
}

void QVMouseFollower::longPressHiDPI()
{
    if (m_loupe.host().inPicking())
        m_loupe.activateHiDPIMode(1);
}

void QVMouseFollower::mouseMoved(unsigned long modifierFlags)
{
    if (!m_loupe.host().inPicking() || !m_mouseFollow)
        return;
    m_loupe.host().validateFlagChange(modifierFlags);
    if (NJApplication* app = NJApplication::sharedApplication())
        app->forceCursorHide();
    if (Scheduler::current().now() >= m_blockMouseUntil)
        moveLoupeToCurrentMousePosition();
}

void QVMouseFollower::catchUpWithPointer()
{
    if (m_registered && m_loupe.platform().cursor().location() != m_lastMousePos)
        mouseMoved(m_loupe.host().currentModifierFlags());
}

void QVMouseFollower::moveMouseTo(const QPointF& globalPoint)
{
    // The warp's own motion event is swallowed.
    m_blockMouseUntil = Scheduler::current().now() + kWarpBlock;
    m_loupe.platform().cursor().warp(globalPoint);
    m_sampledPos = globalPoint;
}

void QVMouseFollower::attachMouseAt(const QPointF& globalPoint)
{
    if (!m_mouseDetached)
        return;
    moveMouseTo(globalPoint);
    m_mouseDetached = false;
}

void QVMouseFollower::detachMouse()
{
    if (m_mouseDetached)
        return;
    m_mouseDetached = true;
    m_blockMouseUntil = Scheduler::current().now() + kWarpBlock;
}

void QVMouseFollower::moveLoupeToCurrentMousePosition()
{
    const double d = m_loupe.zoomView().diameterValue();
    QPointF m = m_loupe.platform().cursor().location();
    if (!m_mouseDetached) {
        m_loupe.setLoupeCenter(m);
        m_lastMousePos = m;
        return;
    }
    const QPointF last = m_loupe.lastCenter();
    m_loupe.setLoupeCenter(QPointF(last.x() + (m.x() - m_lastMousePos.x()) / kDetachedSpeed,
                                   last.y() + (m.y() - m_lastMousePos.y()) / kDetachedSpeed));
    // Park the pointer inside the screen where the lens crosses its edge.
    QPointF c = m_loupe.loupeCenter();
    const NJApplication* app = NJApplication::sharedApplication();
    if (const auto screen = app->getScreenFromMousePoint(m_loupe.window().frame().center())) {
        const QRectF f = screen->frame;
        const QPointF center = c;
        if (center.x() - d / 2 < f.left())
            c.rx() += kParkingDistance;
        if (center.x() + d / 2 > f.x() + f.width())
            c.rx() -= kParkingDistance;
        if (center.y() - d / 2 < f.y())
            c.ry() += kParkingDistance;
        if (center.y() + d / 2 > f.y() + f.height())
            c.ry() -= kParkingDistance;
    }
    if (std::abs(m.x() - c.x()) > kParkingDistance || std::abs(m.y() - c.y()) > kParkingDistance) {
        moveMouseTo(c);
        m = c;
    }
    m_lastMousePos = m;
}
