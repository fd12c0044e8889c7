#pragma once

#include "Scheduler.h"

#include <map>
#include <utility>

// A scheduler whose clock moves only when a test advances it.
class ManualScheduler final : public Scheduler {
public:
    double now() const override { return m_now; }
    void post(Block block) override;
    TimerId schedule(double seconds, Block block) override;
    TimerId scheduleRepeating(double interval, Block block) override;
    void cancel(TimerId id) override;

    // Runs the posted blocks, including those they post, until none is left.
    void runPending();
    // Moves the clock forward, running posted blocks and every timer that falls due,
    // in time order.
    void advance(double seconds);
    std::size_t pendingCount() const;

private:
    // Runs the earliest entry when it falls due by `time`; false when none does.
    bool runNextDueBy(double time);

    struct Timer {
        double due;
        double interval; // 0 for a one-shot timer
        Block block;
    };
    double m_now = 0;
    TimerId m_next = 1;
    // Ordered by (due time, sequence); posted blocks are timers due now.
    std::map<std::pair<double, TimerId>, TimerId> m_queue;
    std::map<TimerId, Timer> m_timers;
};
