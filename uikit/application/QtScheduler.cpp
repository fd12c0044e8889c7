#include "uikit/application/QtScheduler.h"

#include <QTimer>

#include <cmath>

QtScheduler::QtScheduler(QObject* parent)
    : QObject(parent)
{
    m_clock.start();
}

QtScheduler::~QtScheduler()
{
    if (Scheduler::isCurrent(this))
        Scheduler::setCurrent(nullptr);
}

double QtScheduler::now() const
{
    return static_cast<double>(m_clock.nsecsElapsed()) / 1e9;
}

void QtScheduler::post(Block block)
{
    // Queued calls to one object run in the order they were made.
    QMetaObject::invokeMethod(this, [block = std::move(block)] { block(); }, Qt::QueuedConnection);
}

Scheduler::TimerId QtScheduler::schedule(double seconds, Block block)
{
    return start(seconds, false, std::move(block));
}

Scheduler::TimerId QtScheduler::scheduleRepeating(double interval, Block block)
{
    return start(interval, true, std::move(block));
}

Scheduler::TimerId QtScheduler::start(double seconds, bool repeating, Block block)
{
    const TimerId id = m_next++;
    auto* timer = new QTimer(this);
    timer->setTimerType(Qt::PreciseTimer);
    timer->setSingleShot(!repeating);
    connect(timer, &QTimer::timeout, this, [this, id] { fire(id); });
    m_timers.emplace(id, Timer {timer, repeating, std::move(block)});
    timer->start(std::chrono::milliseconds(std::max<long long>(0, std::llround(seconds * 1000))));
    return id;
}

void QtScheduler::fire(TimerId id)
{
    const auto found = m_timers.find(id);
    if (found == m_timers.end())
        return;
    if (found->second.repeating) {
        // The block may cancel its own timer; keep a copy alive while it runs.
        const Block block = found->second.block;
        block();
        return;
    }
    const Block block = std::move(found->second.block);
    found->second.timer->deleteLater();
    m_timers.erase(found);
    block();
}

void QtScheduler::cancel(TimerId id)
{
    const auto found = m_timers.find(id);
    if (found == m_timers.end())
        return;
    found->second.timer->stop();
    // It may be the timer whose signal is being delivered right now.
    found->second.timer->deleteLater();
    m_timers.erase(found);
}
