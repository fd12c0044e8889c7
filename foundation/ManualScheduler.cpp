#include "ManualScheduler.h"

#include "Exception.h"

#include <algorithm>

namespace {

constexpr const char* kNonPositiveInterval = "A repeating timer needs an interval above zero.";

// Negative and NaN delays mean "now"; NaN would otherwise break the queue's ordering.
double delay(double seconds)
{
    return seconds > 0 ? seconds : 0.0;
}

} // namespace

void ManualScheduler::post(Block block)
{
    schedule(0, std::move(block));
}

Scheduler::TimerId ManualScheduler::schedule(double seconds, Block block)
{
    const TimerId id = m_next++;
    const double due = m_now + delay(seconds);
    m_timers.emplace(id, Timer{due, 0, std::move(block)});
    m_queue.emplace(std::make_pair(due, id), id);
    return id;
}

Scheduler::TimerId ManualScheduler::scheduleRepeating(double interval, Block block)
{
    if (!(interval > 0))
        throw Exception(kInvalidArgumentException, kNonPositiveInterval);
    const TimerId id = schedule(interval, std::move(block));
    m_timers.at(id).interval = interval;
    return id;
}

void ManualScheduler::cancel(TimerId id)
{
    const auto it = m_timers.find(id);
    if (it == m_timers.end())
        return;
    m_queue.erase(std::make_pair(it->second.due, id));
    m_timers.erase(it);
}

bool ManualScheduler::runNextDueBy(double time)
{
    if (m_queue.empty() || m_queue.begin()->first.first > time)
        return false;
    const auto [key, id] = *m_queue.begin();
    m_queue.erase(m_queue.begin());
    Timer& timer = m_timers.at(id);
    // A copy: the block may cancel its own timer, which destroys the stored one.
    const Block block = timer.block;
    if (timer.interval > 0) {
        // Re-armed before running, so that a block cancelling its own timer stops it.
        // It keeps its id, and with it its place among timers due at the same time.
        timer.due = key.first + timer.interval;
        m_queue.emplace(std::make_pair(timer.due, id), id);
    } else {
        m_timers.erase(id);
    }
    m_now = std::max(m_now, key.first);
    if (block)
        block();
    return true;
}

void ManualScheduler::runPending()
{
    while (runNextDueBy(m_now)) {
    }
}

void ManualScheduler::advance(double seconds)
{
    const double target = m_now + delay(seconds);
    while (runNextDueBy(target)) {
    }
    m_now = std::max(m_now, target);
}

std::size_t ManualScheduler::pendingCount() const
{
    return m_timers.size();
}
