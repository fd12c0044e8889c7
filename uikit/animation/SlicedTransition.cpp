#include "uikit/animation/SlicedTransition.h"

#include "uikit/windows/CustomWindow.h"
#include "uikit/animation/NJAnimationGroup.h"

#include "foundation/Log.h"
#include "foundation/Scheduler.h"
#include "platform/GlobalCoordinates.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QPointer>

#include <algorithm>
#include <cmath>

namespace {

constexpr const char* kDistanceError = "Effect ERROR: The distance between %1 edge of animated view and %2 edge of %3 "
                                       "rect is incorrect. Animation will not be performed!";
constexpr const char* kOverlapWarning = "Effect Warning: The %1 edge of animated view overlaps %2 edge of %3 rect. "
                                        "Glitches may occur.";
constexpr const char* kFailedContext = "Failed to create context.";
constexpr double kCurvesEnd = 0.4;
constexpr double kSlideStart = 0.3;
constexpr double kShrunkOpacity = 0.7;
constexpr double kFadeInShare = 0.35;
constexpr int kNewtonSteps = 3;

double motionOf(const QPointF& point, SlicedTransition::Axis axis)
{
    return axis == SlicedTransition::Y ? point.y() : point.x();
}

double crossOf(const QPointF& point, SlicedTransition::Axis axis)
{
    return axis == SlicedTransition::Y ? point.x() : point.y();
}

QPointF pointAt(double motion, double cross, SlicedTransition::Axis axis)
{
    return axis == SlicedTransition::Y ? QPointF(cross, motion) : QPointF(motion, cross);
}

// Moves from `from` towards `to` by the fraction, never past either.
double towards(double from, double to, double fraction)
{
    const double value = from + (to - from) * fraction;
    return std::clamp(value, std::min(from, to), std::max(from, to));
}

QRectF grownOnCross(const QRectF& rect, SlicedTransition::Axis axis, double margin)
{
    return axis == SlicedTransition::Y ? rect.adjusted(-margin, 0, margin, 0) : rect.adjusted(0, -margin, 0, margin);
}

double guarded(double value)
{
    if (std::abs(value) < SlicedTransition::kNearZero)
        return value < 0 ? -SlicedTransition::kNearZero : SlicedTransition::kNearZero;
    return value;
}

QString logText(const char* format, const char* first, const char* second, const char* third)
{
    return QString::fromLatin1(format).arg(QLatin1String(first), QLatin1String(second), QLatin1String(third));
}

} // namespace

SlicedTransition::SlicedTransition(QWidget* host)
    : QWidget(host)
{
    setObjectName(QLatin1String(kContainerName));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setGeometry(host->rect());
}

const char* SlicedTransition::edgeName(Edge edge)
{
    switch (edge) {
    case Top:
        return "top";
    case Left:
        return "left";
    case Bottom:
        return "bottom";
    case Right:
        return "right";
    }
    return "";
}

std::array<QPointF, 2> SlicedTransition::endPoints(const QRectF& r, Edge edge)
{
    switch (edge) {
    case Top:
        return {QPointF(r.left(), r.top()), QPointF(r.right(), r.top())};
    case Left:
        return {QPointF(r.left(), r.bottom()), QPointF(r.left(), r.top())};
    case Bottom:
        return {QPointF(r.right(), r.bottom()), QPointF(r.left(), r.bottom())};
    case Right:
        return {QPointF(r.right(), r.top()), QPointF(r.right(), r.bottom())};
    }
    return {};
}

double SlicedTransition::smoothstep(double t)
{
    t = std::clamp(t, 0.0, 1.0);
    return t * t * (3 - 2 * t);
}

QTransform SlicedTransition::transformRect(const QRectF& rect, const std::array<QPointF, 4>& corners)
{
    // The unit square's corners in turn: (0,0), (1,0), (1,1), (0,1).
    const QPointF p0 = corners[0];
    const QPointF p1 = corners[1];
    const QPointF p2 = corners[3];
    const QPointF p3 = corners[2];
    const double dx1 = p1.x() - p2.x();
    const double dx2 = p3.x() - p2.x();
    const double dx3 = p0.x() - p1.x() + p2.x() - p3.x();
    const double dy1 = p1.y() - p2.y();
    const double dy2 = p3.y() - p2.y();
    const double dy3 = p0.y() - p1.y() + p2.y() - p3.y();
    const double denominator = guarded(dx1 * dy2 - dx2 * dy1);
    const double g = (dx3 * dy2 - dx2 * dy3) / denominator;
    const double h = (dx1 * dy3 - dx3 * dy1) / denominator;
    const QTransform square(p1.x() - p0.x() + g * p1.x(), p1.y() - p0.y() + g * p1.y(), g,
                            p3.x() - p0.x() + h * p3.x(), p3.y() - p0.y() + h * p3.y(), h, p0.x(), p0.y(), 1);
    return QTransform::fromTranslate(-rect.x(), -rect.y()) * QTransform::fromScale(1 / rect.width(), 1 / rect.height())
        * square;
}

QPointF SlicedTransition::curvePoint(const Curve& curve, double motion, Axis axis)
{
    const double am = motionOf(curve.a, axis);
    const double bm = motionOf(curve.b, axis);
    const double mid = (am + bm) / 2;
    double u = bm == am ? 0 : (motion - am) / (bm - am);
    for (int step = 0; step < kNewtonSteps; ++step) {
        const double v = 1 - u;
        const double value = v * v * v * am + 3 * v * v * u * mid + 3 * v * u * u * mid + u * u * u * bm;
        // Both inner control points sit at the middle, so the middle term drops out.
        const double slope = 3 * v * v * (mid - am) + 3 * u * u * (bm - mid);
        if (slope == 0)
            break;
        u -= (value - motion) / slope;
    }
    // Steep curves can throw Newton's method out of the curve.
    u = std::clamp(u, 0.0, 1.0);
    const double v = 1 - u;
    const double ac = crossOf(curve.a, axis);
    const double bc = crossOf(curve.b, axis);
    return pointAt(motion, v * v * v * ac + 3 * v * v * u * ac + 3 * v * u * u * bc + u * u * u * bc, axis);
}

std::vector<QTransform> SlicedTransition::transformationsForSlices(const std::vector<QSizeF>& slices, Edge edge,
                                                                   double startPosition, double totalSize,
                                                                   const Curve& first, const Curve& second,
                                                                   double finalRectDepth)
{
    static constexpr std::array<std::array<int, 4>, 4> kSlots {
        {{0, 1, 2, 3}, {2, 0, 3, 1}, {3, 2, 1, 0}, {1, 3, 0, 2}}};
    const Axis axis = motionAxis(edge);
    const double s = motionSign(edge);
    const double edgeMotion = motionOf(first.b, axis);
    std::vector<QTransform> transforms(slices.size());
    QPointF near1 = curvePoint(first, startPosition, axis);
    QPointF near2 = curvePoint(second, startPosition, axis);
    double running = startPosition;
    const bool reversed = edge == Bottom || edge == Right;
    for (std::size_t visit = 0; visit < slices.size(); ++visit) {
        const std::size_t index = reversed ? slices.size() - 1 - visit : visit;
        const QSizeF size = slices[index];
        const double thickness = axis == Y ? size.height() : size.width();
        const double far = running + s * thickness;
        const double over = (far - edgeMotion) * s;
        QPointF far1;
        QPointF far2;
        if (over <= 0) {
            far1 = curvePoint(first, far, axis);
            far2 = curvePoint(second, far, axis);
        } else {
            const double shift = totalSize > 0 ? s * over * finalRectDepth / totalSize : 0;
            far1 = first.b + pointAt(shift, 0, axis);
            far2 = second.b + pointAt(shift, 0, axis);
        }
        std::array<QPointF, 4> corners;
        const auto& slot = kSlots[static_cast<std::size_t>(edge)];
        corners[static_cast<std::size_t>(slot[0])] = near1;
        corners[static_cast<std::size_t>(slot[1])] = near2;
        corners[static_cast<std::size_t>(slot[2])] = far1;
        corners[static_cast<std::size_t>(slot[3])] = far2;
        transforms[index] = transformRect(QRectF(QPointF(), size), corners);
        near1 = far1;
        near2 = far2;
        running = far;
    }
    return transforms;
}

QImage SlicedTransition::createSnapshotWithMarginForAxis(QWidget* view, Axis axis, const QColor& backgroundColor)
{
    const double scale = view->devicePixelRatioF();
    const QSizeF points = axis == Y ? QSizeF(std::trunc(view->width() + 2 * kSnapshotMargin), view->height())
                                    : QSizeF(view->width(), std::trunc(view->height() + 2 * kSnapshotMargin));
    QImage image(static_cast<int>(points.width() * scale), static_cast<int>(points.height() * scale),
                 QImage::Format_ARGB32_Premultiplied);
    if (image.isNull()) {
        logging::log(kFailedContext);
        return image;
    }
    image.setDevicePixelRatio(scale);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    const QPoint offset = axis == Y ? QPoint(static_cast<int>(kSnapshotMargin), 0)
                                    : QPoint(0, static_cast<int>(kSnapshotMargin));
    painter.fillRect(QRect(offset, view->size()), backgroundColor);
    view->render(&painter, offset, QRegion(), QWidget::DrawChildren);
    return image;
}

std::vector<QImage> SlicedTransition::sliceImage(const QImage& image, Axis axis)
{
    const double scale = image.devicePixelRatio();
    const int thickness = std::max(1, static_cast<int>(kStripThickness * scale));
    const int extent = axis == Y ? image.height() : image.width();
    std::vector<QImage> strips;
    for (int start = 0; start < extent; start += thickness) {
        const int band = std::min(thickness, extent - start);
        QImage strip = axis == Y ? image.copy(0, start, image.width(), band) : image.copy(start, 0, band, image.height());
        strip.setDevicePixelRatio(scale);
        strips.push_back(std::move(strip));
    }
    return strips;
}

QImage SlicedTransition::createScreenCaptureForView(QWidget* receiver, QWidget* view)
{
    QScreen* screen = receiver->screen() ? receiver->screen() : QGuiApplication::primaryScreen();
    if (!screen || !view)
        return {};
    // The view's frame in global points, then in top-left coordinates of the primary screen.
    const QRect topLeftFrame(view->mapToGlobal(QPoint(0, 0)), view->size());
    const GlobalCoordinates coordinates = GlobalCoordinates::fromQt();
    const QRectF global = coordinates.toGlobal(QRectF(topLeftFrame));
    const QPointF position = CustomWindow::pointToScreenPosition(global.topLeft());
    const int x = static_cast<int>(std::trunc(position.x()));
    const int y = static_cast<int>(std::trunc(position.y()) - global.height());
    return screen->grabWindow(0, x, y, view->width(), view->height()).toImage();
}

QImage SlicedTransition::createBackgroundCALayer(QWidget* receiver)
{
    QImage capture = receiver->grab().toImage();
    capture.setDevicePixelRatio(receiver->devicePixelRatioF());
    return capture;
}

void SlicedTransition::shrinkTransition(double duration, QWidget* view, QWidget* host, const QRectF& destinationRect,
                                        Edge destinationEdge, const QColor& backgroundColor, Before beforeAnimate,
                                        Completion onCompletion)
{
    transition(duration, view, host, destinationEdge, destinationRect, backgroundColor, false, std::move(beforeAnimate),
               std::move(onCompletion));
}

void SlicedTransition::restoreTransition(double duration, QWidget* view, QWidget* host, const QRectF& startRect,
                                         Edge startEdge, const QColor& backgroundColor, Before beforeAnimate,
                                         Completion onCompletion)
{
    transition(duration, view, host, startEdge, startRect, backgroundColor, true, std::move(beforeAnimate),
               std::move(onCompletion));
}

void SlicedTransition::transition(double duration, QWidget* view, QWidget* host, Edge edge,
                                  const QRectF& destinationRect, const QColor& backgroundColor, bool restore,
                                  Before beforeAnimate, Completion onCompletion)
{
    const Axis axis = motionAxis(edge);
    const double s = motionSign(edge);
    const QImage snapshot = createSnapshotWithMarginForAxis(view, axis, backgroundColor);
    if (snapshot.isNull()) {
        if (onCompletion)
            onCompletion();
        return;
    }
    std::vector<QImage> strips = sliceImage(snapshot, axis);
    std::vector<QSizeF> sizes;
    double total = 0;
    for (const QImage& strip : strips) {
        sizes.push_back(strip.deviceIndependentSize());
        total += axis == Y ? sizes.back().height() : sizes.back().width();
    }

    const QRectF viewFrame(view->mapTo(host, QPoint(0, 0)), view->size());
    const double crossScale = axis == Y ? destinationRect.width() / viewFrame.width()
                                        : destinationRect.height() / viewFrame.height();
    const QRectF destination = grownOnCross(destinationRect, axis, kSnapshotMargin * crossScale);
    const double finalDepth = axis == Y ? destination.height() : destination.width();
    const QRectF start = grownOnCross(viewFrame, axis, kSnapshotMargin);
    const auto [p1, p2] = endPoints(start, edge);
    const auto [q1, q2] = endPoints(destination, edge);
    const double p = motionOf(p1, axis);
    const double q = motionOf(q1, axis);
    const char* rectName = restore ? "start" : "destination";
    if ((p - q) * s > 0) {
        logging::log(logText(kDistanceError, edgeName(edge), edgeName(edge), rectName).toStdString());
        if (onCompletion)
            onCompletion();
        return;
    }
    if ((p + s * total - q) * s > 0) {
        const Edge opposite = static_cast<Edge>((edge + 2) % 4);
        logging::log(logText(kOverlapWarning, edgeName(opposite), edgeName(edge), rectName).toStdString());
    }

    auto* container = new SlicedTransition(host);
    container->m_strips = std::move(strips);
    view->hide();
    container->show();
    container->raise();
    if (beforeAnimate)
        beforeAnimate(container);

    // A transition shorter than two frames is one step to its end.
    const int count = std::max(1, static_cast<int>(std::trunc(kFramesPerSecond * duration)));
    for (int i = 0; i < count; ++i) {
        const double step = count > 1 ? static_cast<double>(i) / (count - 1) : 1.0;
        const double g = restore ? 1 - step : step;
        const double e1 = smoothstep(g / kCurvesEnd);
        const Curve first {p1, pointAt(q, towards(crossOf(p1, axis), crossOf(q1, axis), e1), axis)};
        const Curve second {p2, pointAt(q, towards(crossOf(p2, axis), crossOf(q2, axis), e1), axis)};
        const double trailing = towards(p, q, smoothstep((g - kSlideStart) / (1 - kSlideStart)));
        container->m_frames.push_back(
            transformationsForSlices(sizes, edge, trailing, total, first, second, finalDepth));
    }

    const auto opacityAt = [restore, duration](double elapsed) {
        if (!restore)
            return duration > 0 ? 1.0 - (1.0 - kShrunkOpacity) * std::min(1.0, elapsed / duration) : kShrunkOpacity;
        const double fade = kFadeInShare * duration;
        return fade > 0 ? std::min(1.0, elapsed / fade) : 1.0;
    };
    container->m_opacity = opacityAt(0);
    QPointer<SlicedTransition> guard(container);
    QPointer<QWidget> animated(view);
    NJAnimationGroup(std::max(0.0, duration))
        .step([guard, count, duration, opacityAt](double progress) {
            if (!guard)
                return;
            guard->m_frame = std::min(count - 1, static_cast<int>(progress * duration * kFramesPerSecond));
            guard->m_opacity = opacityAt(progress * duration);
            guard->update();
        })
        .completion([guard, animated, restore, viewFrame, destinationRect, onCompletion] {
            if (!restore && animated) {
                // Maps the view's own rectangle onto the destination.
                const QTransform shrunk = QTransform::fromScale(destinationRect.width() / viewFrame.width(),
                                                                destinationRect.height() / viewFrame.height())
                    * QTransform::fromTranslate(destinationRect.x() - viewFrame.x(),
                                                destinationRect.y() - viewFrame.y());
                animated->setProperty(kShrinkTransformProperty, shrunk);
            }
            if (onCompletion)
                onCompletion();
            if (guard)
                delete guard.data();
        })
        .start();
}

void SlicedTransition::paintEvent(QPaintEvent*)
{
    if (m_frames.empty())
        return;
    QPainter painter(this);
    painter.setOpacity(m_opacity);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const std::vector<QTransform>& frame = m_frames[static_cast<std::size_t>(m_frame)];
    for (std::size_t i = 0; i < m_strips.size() && i < frame.size(); ++i) {
        painter.setTransform(frame[i]);
        painter.drawImage(QPointF(0, 0), m_strips[i]);
    }
}
