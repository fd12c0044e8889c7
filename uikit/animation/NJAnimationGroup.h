#pragma once

#include "uikit/animation/TimingFunction.h"

#include <QPoint>
#include <QRect>

#include <functional>
#include <memory>

class QWidget;

// Animates the geometry, position or opacity of widgets together over one duration with
// one named timing curve, on the Scheduler's clock, then runs a completion. Frames come
// every 1/60 s; the last frame sets the exact end values. A later animation of the same
// widget property takes it over; the earlier group still completes on time. The group
// keeps running after its handle is gone.
class NJAnimationGroup final {
public:
    using Block = std::function<void()>;
    // Called on every frame with the eased progress (0 at the start, 1 at the end).
    using Step = std::function<void(double progress)>;

    static constexpr double kFrameInterval = 1.0 / 60.0;

    // An unknown curve name runs linearly.
    explicit NJAnimationGroup(double duration, const EasingName& timing = "linear");

    // Each animates from the widget's value when start() runs. Opacity is the window
    // opacity of a top-level widget and a graphics effect's opacity for a child.
    NJAnimationGroup& geometry(QWidget* widget, const QRect& to);
    NJAnimationGroup& position(QWidget* widget, const QPoint& to);
    NJAnimationGroup& opacity(QWidget* widget, double to);
    NJAnimationGroup& step(Step step);
    NJAnimationGroup& completion(Block block);

    // A duration of 0 or less sets the end values at once; the completion then runs on
    // the next turn. A group starts once.
    void start();
    // Leaves every value where it is; the completion does not run.
    void stop();
    bool isRunning() const;

    // The opacity the helper reads and writes for the widget.
    static double widgetOpacity(const QWidget* widget);
    static void setWidgetOpacity(QWidget* widget, double opacity);

private:
    struct State;
    std::shared_ptr<State> m_state;
};
