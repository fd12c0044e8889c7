#include "uikit/animation/NJAnimationGroup.h"

#include "foundation/Scheduler.h"

#include <QGraphicsOpacityEffect>
#include <QPointer>
#include <QWidget>

#include <cmath>
#include <map>
#include <utility>
#include <vector>

namespace {

enum class Property { Geometry, Position, Opacity };

using Serial = unsigned long;

// Which group drives each widget property now; a newer group takes it over.
std::map<std::pair<const QWidget*, Property>, Serial>& owners()
{
    static std::map<std::pair<const QWidget*, Property>, Serial> map;
    return map;
}

Serial nextSerial()
{
    static Serial serial = 0;
    return ++serial;
}

int blend(int from, int to, double progress)
{
    return static_cast<int>(std::lround(from + (to - from) * progress));
}

} // namespace

struct NJAnimationGroup::State {
    struct Target {
        QPointer<QWidget> widget;
        Property property;
        QRect fromRect;
        QRect toRect;
        double fromOpacity = 0;
        double toOpacity = 0;
    };

    double duration;
    TimingFunction timing;
    Serial serial = nextSerial();
    std::vector<Target> targets;
    std::vector<Step> steps;
    std::vector<Block> completions;
    double startTime = 0;
    Scheduler::TimerId timer = 0;
    bool started = false;
    bool running = false;

    State(double seconds, TimingFunction curve)
        : duration(seconds)
        , timing(curve)
    {
    }

    bool owns(const Target& target) const
    {
        const auto found = owners().find({target.widget.data(), target.property});
        return found != owners().end() && found->second == serial;
    }

    void apply(double progress)
    {
        for (const Target& target : targets) {
            if (!target.widget || !owns(target))
                continue;
            switch (target.property) {
            case Property::Geometry:
                target.widget->setGeometry(blend(target.fromRect.x(), target.toRect.x(), progress),
                                           blend(target.fromRect.y(), target.toRect.y(), progress),
                                           blend(target.fromRect.width(), target.toRect.width(), progress),
                                           blend(target.fromRect.height(), target.toRect.height(), progress));
                break;
            case Property::Position:
                target.widget->move(blend(target.fromRect.x(), target.toRect.x(), progress),
                                    blend(target.fromRect.y(), target.toRect.y(), progress));
                break;
            case Property::Opacity:
                setWidgetOpacity(target.widget,
                                 target.fromOpacity + (target.toOpacity - target.fromOpacity) * progress);
                break;
            }
        }
        for (const Step& step : steps)
            step(progress);
    }

    void release()
    {
        for (const Target& target : targets) {
            if (owns(target))
                owners().erase({target.widget.data(), target.property});
        }
    }

    void finish()
    {
        apply(1.0);
        release();
        running = false;
        for (const Block& block : completions)
            block();
    }
};

NJAnimationGroup::NJAnimationGroup(double duration, const EasingName& timing)
    : m_state(std::make_shared<State>(duration, TimingFunction::named(timing).value_or(TimingFunction::linear())))
{
}

NJAnimationGroup& NJAnimationGroup::geometry(QWidget* widget, const QRect& to)
{
    m_state->targets.push_back({widget, Property::Geometry, {}, to, 0, 0});
    return *this;
}

NJAnimationGroup& NJAnimationGroup::position(QWidget* widget, const QPoint& to)
{
    m_state->targets.push_back({widget, Property::Position, {}, QRect(to, QSize()), 0, 0});
    return *this;
}

NJAnimationGroup& NJAnimationGroup::opacity(QWidget* widget, double to)
{
    m_state->targets.push_back({widget, Property::Opacity, {}, {}, 0, to});
    return *this;
}

NJAnimationGroup& NJAnimationGroup::step(Step step)
{
    m_state->steps.push_back(std::move(step));
    return *this;
}

NJAnimationGroup& NJAnimationGroup::completion(Block block)
{
    m_state->completions.push_back(std::move(block));
    return *this;
}

void NJAnimationGroup::start()
{
    State& state = *m_state;
    if (state.started)
        return;
    state.started = true;
    state.running = true;
    for (State::Target& target : state.targets) {
        if (!target.widget)
            continue;
        target.fromRect = target.widget->geometry();
        target.fromOpacity = widgetOpacity(target.widget);
        owners()[{target.widget.data(), target.property}] = state.serial;
    }
    Scheduler& scheduler = Scheduler::current();
    if (state.duration <= 0) {
        state.apply(1.0);
        state.release();
        scheduler.post([shared = m_state] {
            if (!shared->running)
                return;
            shared->running = false;
            for (const Block& block : shared->completions)
                block();
        });
        return;
    }
    state.startTime = scheduler.now();
    state.timer = scheduler.scheduleRepeating(kFrameInterval, [shared = m_state] {
        State& s = *shared;
        const double elapsed = Scheduler::current().now() - s.startTime;
        // The last frame may come a hair early on an accumulating clock.
        if (elapsed >= s.duration - 1e-9) {
            Scheduler::current().cancel(s.timer);
            s.finish();
            return;
        }
        s.apply(s.timing.valueAt(elapsed / s.duration));
    });
}

void NJAnimationGroup::stop()
{
    State& state = *m_state;
    if (!state.running)
        return;
    state.running = false;
    if (state.timer)
        Scheduler::current().cancel(state.timer);
    state.release();
}

bool NJAnimationGroup::isRunning() const
{
    return m_state->running;
}

double NJAnimationGroup::widgetOpacity(const QWidget* widget)
{
    if (widget->isWindow())
        return widget->windowOpacity();
    if (const auto* effect = qobject_cast<const QGraphicsOpacityEffect*>(widget->graphicsEffect()))
        return effect->opacity();
    return 1.0;
}

void NJAnimationGroup::setWidgetOpacity(QWidget* widget, double opacity)
{
    if (widget->isWindow()) {
        widget->setWindowOpacity(opacity);
        return;
    }
    auto* effect = qobject_cast<QGraphicsOpacityEffect*>(widget->graphicsEffect());
    // Opaque needs no effect; one left in place would be drawn at the wrong place
    // while an ancestor fades through an effect of its own.
    if (opacity >= 1.0) {
        if (effect)
            widget->setGraphicsEffect(nullptr);
        return;
    }
    if (!effect) {
        effect = new QGraphicsOpacityEffect(widget);
        widget->setGraphicsEffect(effect);
    }
    effect->setOpacity(opacity);
}
