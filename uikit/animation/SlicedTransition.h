#pragma once

#include <QColor>
#include <QImage>
#include <QPointF>
#include <QRectF>
#include <QTransform>
#include <QWidget>

#include <array>
#include <functional>
#include <vector>

// Pours a view, in thin strips bent between two S-shaped guide curves, through one edge
// of a destination rectangle, or grows it back out of a start rectangle. The strips
// are painted by a container widget laid over the host; the view is hidden meanwhile
// and its owner shows it again where it wants it. Coordinates are the host's.
class SlicedTransition final : public QWidget {
    Q_OBJECT
public:
    // The side of a rectangle the strips pass through; top and bottom move along y.
    enum Edge { Top = 0, Left = 1, Bottom = 2, Right = 3 };
    enum Axis { X = 0, Y = 1 };
    // A guide curve from a to b that leaves a and reaches b along the motion axis.
    struct Curve {
        QPointF a;
        QPointF b;
    };
    using Before = std::function<void(QWidget* container)>;
    using Completion = std::function<void()>;

    static constexpr const char* kContainerName = "shrinkContainerView";
    // The transform that shows the view shrunk onto the destination, left on it when a
    // shrink ends.
    static constexpr const char* kShrinkTransformProperty = "shrinkTransform";
    static constexpr double kSnapshotMargin = 2;
    static constexpr double kStripThickness = 10;
    static constexpr double kFramesPerSecond = 60;
    static constexpr double kNearZero = 0.0001;

    static void shrinkTransition(double duration, QWidget* view, QWidget* host, const QRectF& destinationRect,
                                 Edge destinationEdge, const QColor& backgroundColor, Before beforeAnimate = {},
                                 Completion onCompletion = {});
    static void restoreTransition(double duration, QWidget* view, QWidget* host, const QRectF& startRect,
                                  Edge startEdge, const QColor& backgroundColor, Before beforeAnimate = {},
                                  Completion onCompletion = {});
    static void transition(double duration, QWidget* view, QWidget* host, Edge edge, const QRectF& destinationRect,
                           const QColor& backgroundColor, bool restore, Before beforeAnimate, Completion onCompletion);

    static const char* edgeName(Edge edge);
    static Axis motionAxis(Edge edge) { return edge == Top || edge == Bottom ? Y : X; }
    // +1 or -1: the direction of motion along the axis.
    static double motionSign(Edge edge) { return edge == Top || edge == Left ? 1 : -1; }
    static std::array<QPointF, 2> endPoints(const QRectF& rect, Edge edge);

    // The view's picture, 2 pt wider on both sides of the cross axis, over the colour.
    static QImage createSnapshotWithMarginForAxis(QWidget* view, Axis axis, const QColor& backgroundColor);
    // Strips 10 pt thick across the axis, from the picture's minimum coordinate.
    static std::vector<QImage> sliceImage(const QImage& image, Axis axis);
    // One transform per strip (sizes in points), in the strips' order.
    static std::vector<QTransform> transformationsForSlices(const std::vector<QSizeF>& slices, Edge edge,
                                                            double startPosition, double totalSize,
                                                            const Curve& first, const Curve& second,
                                                            double finalRectDepth);
    // The perspective transform that maps the rectangle's corners (min x min y, max x
    // min y, min x max y, max x max y) onto the points.
    static QTransform transformRect(const QRectF& rect, const std::array<QPointF, 4>& corners);
    // The point of the curve at the motion coordinate.
    static QPointF curvePoint(const Curve& curve, double motion, Axis axis);
    static double smoothstep(double t);

    // What the screen shows over the view's frame: the receiver's window and what lies
    // around it. Positions go through the window placement's global-point rule.
    static QImage createScreenCaptureForView(QWidget* receiver, QWidget* view);
    // The receiver's own picture at its window's scale, to lay behind a transition.
    static QImage createBackgroundCALayer(QWidget* receiver);

    int frameCount() const { return static_cast<int>(m_frames.size()); }
    int currentFrame() const { return m_frame; }
    double currentOpacity() const { return m_opacity; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    explicit SlicedTransition(QWidget* host);

    std::vector<QImage> m_strips;
    // Per frame, one transform per strip.
    std::vector<std::vector<QTransform>> m_frames;
    int m_frame = 0;
    double m_opacity = 1;
};
