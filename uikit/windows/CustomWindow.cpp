#include "uikit/windows/CustomWindow.h"

#include "uikit/animation/NJAnimationGroup.h"
#include "uikit/application/NJApplication.h"
#include "uikit/views/ViewAdditions.h"

#include "platform/Compositor.h"
#include "platform/Cursor.h"
#include "platform/PanelHints.h"
#include "platform/Screens.h"

#include <QEvent>
#include <QPointer>
#include <QRegion>

#include <cmath>

namespace {

float single(double value)
{
    return static_cast<float>(value);
}

GlobalCoordinates coordinates(NJApplication* app)
{
    return app ? app->platform().screens().coordinates() : GlobalCoordinates::fromQt();
}

} // namespace

CustomWindow::CustomWindow(QWidget* parent, Qt::WindowFlags flags)
    : QWidget(parent, flags | Qt::Tool | Qt::FramelessWindowHint)
{
    setAutoFillBackground(false);
    // Always with an alpha channel: a compositing manager may start later, and the
    // visual cannot change once the window exists. Without one the outline shapes it.
    setAttribute(Qt::WA_TranslucentBackground);
    NJApplication* app = application();
    if (!app)
        return;
    setProperty(viewadditions::kAppearanceProperty, QString::fromStdString(app->getAppAppearanceName()));
    m_appearanceObserver = NotificationCenter::defaultCenter().addObserver(
        NJApplication::kAppearanceChangedNotification,
        [this](const NotificationCenter::Notification&) { applicationAppearanceDidChange(); }, app);
    m_compositingObserver = NotificationCenter::defaultCenter().addObserver(
        NJApplication::kCompositingChangedNotification,
        [this](const NotificationCenter::Notification&) {
            compositingDidChange();
            emit compositingChanged();
        },
        app);
}

CustomWindow::~CustomWindow()
{
    for (const NotificationCenter::Token token : {m_appearanceObserver, m_compositingObserver}) {
        if (token)
            NotificationCenter::defaultCenter().removeObserver(token);
    }
}

NJApplication* CustomWindow::application()
{
    return NJApplication::sharedApplication();
}

void CustomWindow::applicationAppearanceDidChange() {}

void CustomWindow::compositingDidChange()
{
    applyOutline();
    update();
}

bool CustomWindow::canBecomeKeyWindow() const
{
    return parentWidget() == nullptr;
}

bool CustomWindow::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate) {
        if (NJApplication* app = application())
            app->checkVisualEffectChange();
    }
    return QWidget::event(event);
}

void CustomWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // Before the window maps: a window manager reads the states only then.
    if (NJApplication* app = application(); app && isWindow())
        app->platform().panelHints().markAsPanel(winId());
}

QRectF CustomWindow::toGlobal(const QRect& topLeftRect)
{
    return coordinates(application()).toGlobal(QRectF(topLeftRect));
}

QRect CustomWindow::toTopLeft(const QRectF& globalRect)
{
    const QRectF rect = coordinates(application()).toTopLeft(globalRect);
    return {static_cast<int>(std::lround(rect.x())), static_cast<int>(std::lround(rect.y())),
            static_cast<int>(std::lround(rect.width())), static_cast<int>(std::lround(rect.height()))};
}

QRectF CustomWindow::frame() const
{
    return toGlobal(geometry());
}

void CustomWindow::setFrame(const QRectF& frame, bool display, bool animate)
{
    const QRect target = toTopLeft(frame);
    if (animate) {
        QPointer<CustomWindow> self(this);
        NJAnimationGroup(kResizeDuration, "easeInOut")
            .geometry(this, target)
            .step([self, display](double) {
                if (self)
                    self->frameDidChange(display);
            })
            .start();
        return;
    }
    setGeometry(target);
    if (display)
        update();
    frameDidChange(display);
}

void CustomWindow::frameDidChange(bool) {}

void CustomWindow::setFrameOrigin(const QPointF& origin)
{
    setFrame(QRectF(origin, frame().size()), false);
}

QPointF CustomWindow::pointToScreenPosition(const QPointF& point, const std::optional<ScreenInfo>& screen)
{
    NJApplication* app = application();
    std::vector<ScreenInfo> screens;
    if (app)
        screens = app->platform().screens().screens();
    const QRectF primary = screens.empty() ? QRectF() : screens.front().frame;
    const QRectF frame = screen ? screen->frame : QRectF();
    float x = single(point.x() - primary.x());
    float y = single(frame.height() - point.y() - primary.y());
    if (frame != primary) {
        x = single(x - frame.x());
        y = single(y + frame.y());
    }
    return {x, y};
}

QPointF CustomWindow::pointToScreenPosition(const QPointF& point)
{
    NJApplication* app = application();
    std::optional<ScreenInfo> primary;
    if (app) {
        const std::vector<ScreenInfo> screens = app->platform().screens().screens();
        if (!screens.empty())
            primary = screens.front();
    }
    return pointToScreenPosition(point, primary);
}

QPointF CustomWindow::getMouseScreenPosition()
{
    NJApplication* app = application();
    return pointToScreenPosition(app ? app->platform().cursor().location() : QPointF());
}

void CustomWindow::setCenterLocation(const QPointF& point)
{
    setCenterLocation(point, frame());
}

void CustomWindow::setCenterLocation(const QPointF& point, const QRectF& windowFrame)
{
    const QSizeF size = windowFrame.size();
    setFrame(QRectF(point - QPointF(size.width() / 2, size.height() / 2), size), false);
}

void CustomWindow::setOriginLocation(const QPointF& point)
{
    const QSizeF size = frame().size();
    const QPointF half(size.width() / 2, size.height() / 2);
    QPointF center = point + half;
    if (NJApplication* app = application())
        center = app->checkMousePointinScreens(center);
    const QPointF origin = center - half;
    setFrame(QRectF(QPointF(std::trunc(origin.x()), std::trunc(origin.y())), size), false);
}

void CustomWindow::setCenterMouseRelative(const QPointF& offset)
{
    NJApplication* app = application();
    if (!app || !app->isMousePointinScreens(windowCenter() + offset))
        return;
    // Down by -dy in top-left coordinates is up by dy in global points.
    Cursor& cursor = app->platform().cursor();
    cursor.warp(cursor.location() + offset);
    const QRectF current = frame();
    const QPointF moved = current.topLeft() + QPointF(std::trunc(offset.x()), std::trunc(offset.y()));
    setFrame(QRectF(moved, current.size()), false);
}

QPointF CustomWindow::windowCenter() const
{
    return frame().center();
}

bool CustomWindow::isCompositing()
{
    NJApplication* app = application();
    return app && app->platform().compositor().isRunning();
}

void CustomWindow::setWindowOutline(const QPainterPath& outline)
{
    m_outline = outline;
    applyOutline();
}

void CustomWindow::clearWindowOutline()
{
    m_outline.reset();
    clearMask();
}

void CustomWindow::applyOutline()
{
    if (!m_outline)
        return;
    if (isCompositing())
        clearMask();
    else
        setMask(QRegion(m_outline->toFillPolygon().toPolygon()));
}
