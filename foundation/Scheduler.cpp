#include "Scheduler.h"

#include "ManualScheduler.h"

#include <atomic>

namespace {

std::atomic<Scheduler*> g_current{nullptr};

// Used until the program or a test sets one, so that the core never runs without a loop.
Scheduler& fallbackScheduler()
{
    static ManualScheduler scheduler;
    return scheduler;
}

} // namespace

Scheduler& Scheduler::current()
{
    Scheduler* scheduler = g_current.load();
    return scheduler ? *scheduler : fallbackScheduler();
}

void Scheduler::setCurrent(Scheduler* scheduler)
{
    g_current.store(scheduler);
}
