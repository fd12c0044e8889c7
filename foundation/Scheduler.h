#pragma once

#include <functional>
#include <memory>

// The run loop as the core sees it. The program uses one backed by Qt's event loop;
// tests use ManualScheduler and advance its clock.
class Scheduler {
public:
    using Block = std::function<void()>;
    using TimerId = unsigned long;

    virtual ~Scheduler() = default;

    // Seconds on a monotonic clock.
    virtual double now() const = 0;
    // Runs on a later turn; such blocks run in the order they were posted.
    virtual void post(Block block) = 0;
    // Runs once after `seconds`; blocks due at the same time run in posting order.
    virtual TimerId schedule(double seconds, Block block) = 0;
    // Runs every `interval` seconds until cancelled.
    virtual TimerId scheduleRepeating(double interval, Block block) = 0;
    virtual void cancel(TimerId id) = 0;

    // The scheduler everything uses; installed by the program (Qt) before anything can
    // schedule, or by a test (manual). With none installed, posting or scheduling is a
    // programming error that ends the process; the clock still reads and cancelling
    // does nothing.
    static Scheduler& current();
    static bool isCurrent(const Scheduler* scheduler);
    static void setCurrent(Scheduler* scheduler);
};
