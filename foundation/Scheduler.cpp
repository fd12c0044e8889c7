#include "Scheduler.h"

#include "Log.h"

#include <atomic>
#include <chrono>
#include <cstdlib>

namespace {

constexpr const char* kNoRunLoopLog =
    "Programming error: work was handed to the run loop while none is installed; it could never run";

std::atomic<Scheduler*> g_current{nullptr};

// Stands in while no scheduler is installed: the clock reads, nothing is pending to
// cancel, and work handed over, which would silently never run, ends the process.
class NoScheduler final : public Scheduler {
public:
    double now() const override
    {
        return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
    }
    void post(Block) override { lost(); }
    TimerId schedule(double, Block) override { lost(); }
    TimerId scheduleRepeating(double, Block) override { lost(); }
    void cancel(TimerId) override {}

private:
    [[noreturn]] static void lost()
    {
        logging::log(kNoRunLoopLog);
        std::abort();
    }
};

} // namespace

Scheduler& Scheduler::current()
{
    static NoScheduler none;
    Scheduler* scheduler = g_current.load();
    return scheduler ? *scheduler : none;
}

bool Scheduler::isCurrent(const Scheduler* scheduler)
{
    return g_current.load() == scheduler;
}

void Scheduler::setCurrent(Scheduler* scheduler)
{
    g_current.store(scheduler);
}
